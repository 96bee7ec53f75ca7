#include "app/FleetWindow.h"

#include "app/FleetTableModel.h"
#include "app/Registry.h"
#include "app/ShellTexts.h"
#include "app/ToolWindowKeys.h"
#include "app/TransferWindows.h"
#include "database/DdbFile.h"
#include "database/Image.h"
#include "fleet/RunLog.h"
#include "fleet/SiteList.h"
#include "fleet/UploadPlan.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "transfer/LinkConfig.h"
#include "transfer/TransferTexts.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <set>

namespace trv::app {
namespace {

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::SettingsStore;
using namespace Qt::StringLiterals;

constexpr QLatin1StringView kBackupFolderValue = "BackupFolder"_L1;
constexpr QLatin1StringView kListEntryPrefix = "List"_L1;

QPushButton* button(QLatin1StringView label, QWidget* parent)
{
    auto* b = new QPushButton(label, parent);
    b->setAutoDefault(false);
    return b;
}

} // namespace

FleetWindow::FleetWindow(FleetHost host, QWidget* parent)
    : QWidget(parent, Qt::Window), host_(std::move(host)), recentLists_(key::kFleet, kListEntryPrefix),
      model_(new FleetTableModel(this)), lists_(new QComboBox(this)), listInfo_(new QLabel(this)),
      folder_(new QLineEdit(this)), table_(new QTableView(this)),
      openList_(button(text::kFleetOpenList, this)), chooseFolder_(button(text::kFleetChooseFolder, this)),
      backUp_(button(text::kFleetBackUpAll, this)), upload_(button(text::kFleetUpload, this)),
      status_(button(text::kFleetStatus, this)), stop_(button(text::kFleetStop, this)),
      summary_(new QLabel(this))
{
    setObjectName(QStringLiteral("FleetWindow"));
    setWindowTitle(text::kFleetCaption);
    recentLists_.load();

    lists_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    lists_->setMinimumContentsLength(40);
    connect(lists_, &QComboBox::activated, this, [this](int row) {
        const QString path = lists_->itemData(row).toString();
        if (!path.isEmpty() && path != listPath_)
            openList(path);
    });
    folder_->setReadOnly(true);
    folder_->setText(backupFolder());
    connect(openList_, &QPushButton::clicked, this, &FleetWindow::chooseList);
    connect(chooseFolder_, &QPushButton::clicked, this, &FleetWindow::chooseBackupFolder);

    table_->setModel(model_);
    table_->setItemDelegateForColumn(FleetTableModel::kPort, new FleetPortDelegate(table_));
    table_->setItemDelegateForColumn(FleetTableModel::kProgress, new FleetProgressDelegate(table_));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    table_->horizontalHeader()->setStretchLastSection(false);
    table_->horizontalHeader()->setSectionResizeMode(FleetTableModel::kResult, QHeaderView::Stretch);
    const int em = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    const int timeWidth = fontMetrics().horizontalAdvance(QStringLiteral("8888-88-88 88:88:88")) + em;
    const int widths[] = {12 * em, 22 * em, 8 * em, 9 * em, 0, timeWidth};
    for (int column = 0; column < FleetTableModel::kColumnCount; ++column)
        if (widths[column] > 0)
            table_->setColumnWidth(column, widths[column]);
    table_->setAccessibleName(text::kFleetCaption);

    connect(backUp_, &QPushButton::clicked, this, [this] { startRun(fleet::Operation::Backup); });
    connect(upload_, &QPushButton::clicked, this, [this] { startRun(fleet::Operation::Upload); });
    connect(status_, &QPushButton::clicked, this, [this] { startRun(fleet::Operation::Status); });
    connect(stop_, &QPushButton::clicked, this, &FleetWindow::stopRun);
    auto* close = button(text::kFleetClose, this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* form = new QFormLayout;
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(lists_, 1);
    listRow->addWidget(openList_);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(chooseFolder_);
    auto* listLabel = new QLabel(text::kFleetListLabel, this);
    listLabel->setBuddy(lists_);
    auto* folderLabel = new QLabel(text::kFleetBackupLabel, this);
    folderLabel->setBuddy(chooseFolder_);
    form->addRow(listLabel, listRow);
    form->addRow(folderLabel, folderRow);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {backUp_, upload_, status_, stop_})
        buttons->addWidget(b);
    buttons->addSpacing(em);
    buttons->addWidget(new QLabel(text::kFleetHint, this), 1);
    buttons->addWidget(close);

    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(listInfo_);
    layout->addWidget(table_, 1);
    layout->addWidget(summary_);
    layout->addLayout(buttons);
    // Room for 30 desksets without scrolling.
    resize(100 * em, 38 * table_->verticalHeader()->defaultSectionSize());

    showRecentLists();
    // The list last worked with comes back with the window.
    if (const QStringList recent = recentLists_.paths();
        !recent.isEmpty() && QFileInfo::exists(recent.front()))
        openList(recent.front());
    updateState();
}

FleetWindow::~FleetWindow()
{
    // The run's sessions go before the log and the table they tell.
    run_.reset();
}

QString FleetWindow::backupFolder() const
{
    const QString stored =
        SettingsStore::read(platform::Hive::CurrentUser, key::kFleet, kBackupFolderValue, QString())
            .toString();
    return stored.isEmpty() ? TransferWindows::backupFolder() : stored;
}

void FleetWindow::showRecentLists()
{
    lists_->clear();
    if (listPath_.isEmpty())
        lists_->addItem(text::kFleetNoList, QString());
    for (const QString& path : recentLists_.paths())
        lists_->addItem(QDir::toNativeSeparators(path), path);
    lists_->setCurrentIndex(std::max(0, lists_->findData(listPath_)));
}

bool FleetWindow::openList(const QString& path)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    const comms::LinkSettings machine = transfer::LinkConfig::load();
    const fleet::SiteListResult loaded = fleet::loadSiteList(full, machine);
    if (const auto* errors = std::get_if<fleet::SiteListErrors>(&loaded)) {
        refuse(QString(text::kFleetListRefused)
                   .arg(QDir::toNativeSeparators(full), errors->problems.join('\n')));
        recentLists_.remove(full);
        recentLists_.save();
        showRecentLists();
        return false;
    }
    listPath_ = full;
    model_->setSites(std::get<std::vector<fleet::Site>>(loaded), machine);
    recentLists_.add(full);
    recentLists_.save();
    showRecentLists();
    listInfo_->setText(
        QString(text::kFleetSites).arg(model_->sites().size()).arg(QDir::toNativeSeparators(full)));
    summary_->clear();
    updateState();
    return true;
}

void FleetWindow::chooseList()
{
    const QString folder = listPath_.isEmpty() ? QDir::homePath() : QFileInfo(listPath_).absolutePath();
    const QString path = host_.chooseSiteList(folder);
    if (!path.isEmpty())
        openList(path);
}

void FleetWindow::chooseBackupFolder()
{
    const QString folder = host_.chooseBackupFolder(backupFolder());
    if (folder.isEmpty())
        return;
    SettingsStore::write(platform::Hive::CurrentUser, key::kFleet, kBackupFolderValue,
                         QDir(folder).absolutePath());
    folder_->setText(backupFolder());
}

std::vector<int> FleetWindow::runRows() const
{
    std::set<int> selected;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        selected.insert(index.row());
    std::vector<int> rows(selected.begin(), selected.end());
    if (rows.empty())
        for (int row = 0; row < model_->rowCount(); ++row)
            rows.push_back(row);
    return rows;
}

void FleetWindow::startRun(fleet::Operation operation)
{
    if (runActive() || model_->sites().empty())
        return;
    // One transfer owner at a time: the main window's session and a run would share ports.
    if (host_.mainTransferRunning()) {
        refuse(text::kFleetMainTransfer);
        return;
    }
    const std::vector<int> rows = runRows();
    std::vector<fleet::Site> sites;
    for (const int row : rows)
        sites.push_back(model_->sites()[std::size_t(row)]);

    fleet::FleetPlan plan;
    plan.operation = operation;
    const TransferWindows::UploadChoices choices = TransferWindows::storedUploadChoices();
    if (operation == fleet::Operation::Backup || (operation == fleet::Operation::Upload && choices.backup)) {
        plan.backupDir = backupFolder();
        QDir().mkpath(plan.backupDir);
        if (const db::FileResult writable = db::checkFolderWritable(plan.backupDir.toStdString());
            !writable.ok) {
            refuse(QString::fromStdString(writable.message));
            return;
        }
    }
    if (operation == fleet::Operation::Upload) {
        plan.verify = choices.verify;
        std::optional<std::vector<fleet::SiteTask>> tasks = uploadTasks(sites);
        if (!tasks)
            return;
        plan.tasks = std::move(*tasks);
    } else {
        for (const fleet::Site& site : sites)
            plan.tasks.push_back({site, {}, {}});
    }
    if (!openLog())
        return;

    closeWhenEnded_ = false;
    log_.reset();
    run_.reset();
    model_->runStarting(rows);
    fleet::FleetObserver& observer = *this;
    run_ = std::make_unique<fleet::FleetRun>(std::move(plan), observer);
    log_ = std::make_unique<fleet::RunLog>(*run_, [this](const QString& line) { writeLog(line); });
    summary_->clear();
    run_->start();
    updateState();
    // The controls that started the run are disabled now: the next press belongs to Stop.
    if (runActive())
        stop_->setFocus();
}

std::optional<std::vector<fleet::SiteTask>> FleetWindow::uploadTasks(const std::vector<fleet::Site>& sites)
{
    std::optional<fleet::OneDatabase> one;
    if (host_.databaseOpen()) {
        const MsgAnswer answer =
            platform::showMessage(QString(text::kFleetOpenDatabaseQuestion).arg(host_.databaseName()),
                                  MsgButtons::YesNoCancel, MsgIcon::Question, this);
        if (answer == MsgAnswer::Cancel)
            return std::nullopt;
        if (answer == MsgAnswer::Yes) {
            // Editors hold their values in their controls until their OK: the image lacks them.
            if (host_.editorWindowsOpen()) {
                refuse(transfer::text::kCloseWindowsBeforeUpload);
                return std::nullopt;
            }
            if (!host_.mayUploadDespiteErrors())
                return std::nullopt;
            // Copied here, once: every site receives this copy whatever the editors do meanwhile.
            one = fleet::OneDatabase{db::theImage(), host_.databaseName()};
        }
    }
    // The open database was checked by the user's answer above; the sites' own are checked here.
    fleet::UploadPlan planned = fleet::planUpload(sites, one, one.has_value());
    if (planned.refused) {
        const fleet::UploadPlan forced = fleet::planUpload(sites, one, true);
        if (forced.refused) { // a site without a database, or one that cannot be read
            refuse(QString(text::kFleetUploadRefused).arg(planned.problems.join('\n')));
            return std::nullopt;
        }
        const platform::MessageRequest question{text::kFleetOwnDatabasesWithErrors, MsgButtons::YesNo,
                                                MsgIcon::Exclamation, planned.problems.join('\n'),
                                                MsgAnswer::No};
        if (platform::showMessage(question, this) != MsgAnswer::Yes)
            return std::nullopt;
        planned = forced;
    }
    return std::move(planned.tasks);
}

bool FleetWindow::openLog()
{
    const QFileInfo list(listPath_);
    logPath_ = list.absoluteDir().filePath(
        QStringLiteral("%1-%2.log")
            .arg(list.completeBaseName(),
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    auto file = std::make_unique<QFile>(logPath_);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        refuse(
            QString(text::kFleetLogNotWritten).arg(QDir::toNativeSeparators(logPath_), file->errorString()));
        return false;
    }
    logFile_ = std::move(file);
    return true;
}

void FleetWindow::writeLog(const QString& line)
{
    if (!logFile_)
        return;
    logFile_->write((line + QLatin1Char('\n')).toUtf8());
    logFile_->flush(); // a log that stops with the program still holds every line so far
}

void FleetWindow::stopRun()
{
    if (!runActive())
        return;
    run_->stop();
    summary_->setText(run_->stops() == 1 ? text::kFleetStopping : text::kFleetStoppingAll);
    updateState();
}

void FleetWindow::siteChanged(int index, const fleet::SiteProgress& progress)
{
    model_->siteChanged(index, progress);
    log_->siteChanged(index, progress);
}

void FleetWindow::siteEvent(int index, const QString& text)
{
    log_->siteEvent(index, text);
}

void FleetWindow::siteEnded(int index, const fleet::SiteOutcome& outcome)
{
    model_->siteEnded(index, outcome);
    log_->siteEnded(index, outcome);
    updateState();
}

void FleetWindow::runEnded()
{
    const QString summary = run_->summary();
    writeLog(summary);
    logFile_.reset();
    summary_->setText(QString(text::kFleetLogSaved).arg(summary, QDir::toNativeSeparators(logPath_)));
    updateState();
    table_->setFocus(); // Stop is disabled again: back to the rows and their results
    emit runFinished();
    if (std::exchange(closeWhenEnded_, false))
        close();
}

void FleetWindow::updateState()
{
    const bool active = runActive();
    const bool sites = !model_->sites().empty();
    for (QPushButton* b : {backUp_, upload_, status_})
        b->setEnabled(!active && sites);
    stop_->setEnabled(active);
    for (QWidget* w : std::initializer_list<QWidget*>{lists_, openList_, chooseFolder_})
        w->setEnabled(!active);
    if (active && run_->stops() == 0) {
        int ended = 0;
        for (int i = 0; i < int(run_->plan().tasks.size()); ++i)
            ended += run_->progress(i).phase == fleet::Phase::Ended ? 1 : 0;
        summary_->setText(QString(text::kFleetRunning)
                              .arg(fleet::operationName(run_->plan().operation))
                              .arg(ended)
                              .arg(run_->plan().tasks.size()));
    }
}

void FleetWindow::refuse(const QString& text)
{
    platform::showMessage(text, MsgButtons::Ok, MsgIcon::Exclamation, this);
}

void FleetWindow::closeEvent(QCloseEvent* event)
{
    if (!runActive()) {
        event->accept();
        return;
    }
    event->ignore();
    if (platform::showMessage(text::kFleetCloseQuestion, MsgButtons::YesNo, MsgIcon::Question, this) !=
        MsgAnswer::Yes)
        return;
    // As the command line's first stop; the window goes when the last deskset has ended.
    closeWhenEnded_ = true;
    stopRun();
}

void FleetWindow::keyPressEvent(QKeyEvent* event)
{
    if (!handleToolWindowKey(*this, *event, [this] { host_.showHelp(kHelpContext); }))
        QWidget::keyPressEvent(event);
}

} // namespace trv::app
