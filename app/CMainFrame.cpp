#include "app/CMainFrame.h"

#include "app/AboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CDockingWnd.h"
#include "app/CSplashWnd.h"
#include "app/CTRVApp.h"
#include "app/CheckDatabaseWindow.h"
#include "app/ComPortDialog.h"
#include "app/CommandEvent.h"
#include "app/Commands.h"
#include "app/DatabaseCommands.h"
#include "app/DatabaseFileDialogs.h"
#include "app/EditorCommands.h"
#include "app/EditorWindows.h"
#include "app/HelpWindow.h"
#include "app/KeyboardLocks.h"
#include "app/Registry.h"
#include "app/SheetCommands.h"
#include "app/ShellArt.h"
#include "app/ShellTexts.h"
#include "app/ShortcutDialogs.h"
#include "app/TableCommands.h"
#include "app/TransferWindows.h"
#include "database/Rules.h"
#include "editors/common/EditorView.h"
#include "editors/common/Focus.h"
#include "platform/AppTexts.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "transfer/TransferTexts.h"

#include <QApplication>

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QWhatsThis>

#include <algorithm>

namespace trv::app {
namespace {

using platform::Hive;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::SettingsStore;

// Workspace values below "Software\Orvane\TRV".
constexpr const char* kGeometryValue = "Geometry";
constexpr const char* kStateValue = "State";
constexpr const char* kStatusBarValue = "StatusBar";

} // namespace

CMainFrame::CMainFrame(CTRVApp& app) : app_(app)
{
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(trv::text::kAppTitle);
    setWindowIcon(applicationIcon());
    setAcceptDrops(true);

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("workspace"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);

    menus_ = new MainMenus(*this, *mdi_, [this](int command) { runCommand(command); });
    createStatusBar();
    tree_ = new CDockingWnd(this, this);
    addDockWidget(Qt::LeftDockWidgetArea, tree_);
    registry_ = std::make_unique<Registry>();
    help_ = new HelpWindow(this);
    editors_ = new EditorWindows(
        app_, *mdi_, *tree_, *help_, [this](int command) { return action(command); }, this);
    // The commands that need every editor window closed follow the windows (queued: a frame tells
    // while it goes, perhaps during this window's own destruction).
    connect(editors_, &EditorWindows::windowsChanged, this, &CMainFrame::updateCommandStates,
            Qt::QueuedConnection);
    transfer_ = std::make_unique<TransferWindows>(*this);
    connect(editors_, &EditorWindows::imageChanged, this, [this] {
        if (check_)
            check_->refresh();
    });
    sheets_ = std::make_unique<SheetCommands>(*this);
    DatabaseUi& databaseUi = *this; // a private base: converted here, where it is accessible
    database_ = std::make_unique<DatabaseCommands>(databaseUi, app_, app_.recentFiles());
    const TransferWindows::UploadChoices choices = TransferWindows::storedUploadChoices();
    action(cmd::kBackupBeforeUpload)->setChecked(choices.backup);
    action(cmd::kVerifyAfterUpload)->setChecked(choices.verify);

    showTree(false);
    switchMenu(MenuSet::NoDatabase);
    shortcuts_ = ShortcutTable::defaults();
    applyShortcuts(shortcuts_);
    recentFilesChanged();
    updateCommandStates();
}

CMainFrame::~CMainFrame()
{
    transfer_.reset(); // ends a session still running and destroys the link
    // Editor frames go before the document they show.
    for (CChildFrame* frame : editorFrames())
        delete frame;
    if (app_.hasDocument())
        app_.deleteDocument();
}

void CMainFrame::createStatusBar()
{
    messagePane_ = new QLabel(transfer::text::kIdlePrompt, this);
    messagePane_->setObjectName(QStringLiteral("messagePane"));
    messagePane_->setIndent(4);
    statusBar()->addWidget(messagePane_, 1);
    locks_ = new KeyboardLocks(statusBar(), app_.options().lockSource, app_.options().lockPollMs);
}

QString CMainFrame::statusText() const
{
    return messagePane_->text();
}

void CMainFrame::setStatusText(const QString& text)
{
    messagePane_->setText(text);
}

QAction* CMainFrame::action(int command) const
{
    return menus_->action(command);
}

void CMainFrame::switchMenu(MenuSet set)
{
    menus_->switchTo(set);
}

std::vector<CChildFrame*> CMainFrame::editorFrames() const
{
    return editors_->frames();
}

transfer::TransferSession& CMainFrame::transferSession() const
{
    return transfer_->session();
}

TransferProgressDlg* CMainFrame::progressDialog() const
{
    return transfer_->progressDialog();
}

void CMainFrame::showTree(bool show)
{
    tree_->setVisible(show);
    if (show)
        tree_->tree()->setFocus();
}

bool CMainFrame::isDatabaseOpen() const
{
    return app_.hasDocument();
}

void CMainFrame::updateCommandStates()
{
    const bool open = isDatabaseOpen();
    action(cmd::kSave)->setEnabled(open);
    action(cmd::kUpload)->setEnabled(open);
    action(cmd::kCheckDatabase)->setEnabled(open);
    // An editor holds its values in its controls until its OK: a table replaced under it would be lost.
    const bool tables = open && !app_.document().anyEditorWindowOpen();
    action(cmd::kImportTable)->setEnabled(tables);
    action(cmd::kExportTable)->setEnabled(tables);
    for (const int sheetCommand : {cmd::kPrint, cmd::kPrintPreview, cmd::kExportPdf})
        action(sheetCommand)->setEnabled(open);
    for (const editors::EditorDescriptor& editor : editors::editorCatalog()) {
        if (editor.channel == 0 && !editor.mayBeDisabled)
            action(viewMenuIdOf(editor))->setEnabled(open);
    }
}

void CMainFrame::runCommand(int command)
{
    switch (command) {
    case cmd::kNewDatabase:
        database_->newDatabase();
        break;
    case cmd::kOpen:
        database_->open();
        break;
    case cmd::kCloseDatabase:
        database_->closeDatabaseRequest();
        break;
    case cmd::kSave:
        database_->saveDatabase(false);
        break;
    case cmd::kSaveAs:
        database_->saveDatabase(true);
        break;
    case cmd::kDownload:
        downloadOrUpload(false);
        break;
    case cmd::kUpload:
        if (isDatabaseOpen())
            downloadOrUpload(true);
        break;
    case cmd::kCheckDatabase:
        if (isDatabaseOpen())
            showCheckWindow();
        break;
    case cmd::kPrint:
    case cmd::kPrintPreview:
    case cmd::kExportPdf:
        if (isDatabaseOpen())
            sheets_->run(command);
        break;
    case cmd::kFleet:
        showFleetWindow();
        break;
    case cmd::kExit:
        close();
        break;
    case cmd::kComPort:
        showComPortDialog();
        break;
    case cmd::kShortcuts:
        showShortcutsDialog();
        break;
    case cmd::kBackupBeforeUpload:
    case cmd::kVerifyAfterUpload:
        transfer_->storeUploadChoices(
            {action(cmd::kBackupBeforeUpload)->isChecked(), action(cmd::kVerifyAfterUpload)->isChecked()});
        break;
    case cmd::kSaveCommunicationLog:
        transfer_->saveCommunicationLog();
        break;
    case cmd::kImportTable:
    case cmd::kExportTable:
        if (isDatabaseOpen() && !app_.document().anyEditorWindowOpen())
            runTableCommand(*this, command == cmd::kImportTable);
        break;
    case cmd::kViewToolbar:
        toolBar()->setVisible(toolBar()->isHidden());
        action(cmd::kViewToolbar)->setChecked(!toolBar()->isHidden());
        break;
    case cmd::kViewStatusBar: {
        statusBar()->setVisible(!statusBar()->isVisible());
        action(cmd::kViewStatusBar)->setChecked(statusBar()->isVisible());
        break;
    }
    case cmd::kViewConfigTree:
        if (tree_->isVisible())
            tree_->tree()->setFocus();
        break;
    case cmd::kCascade:
        mdi_->cascadeSubWindows();
        break;
    case cmd::kHelpTopics:
        showHelp(0);
        break;
    case cmd::kAbout:
        showAbout();
        break;
    case cmd::kHelp:
        onHelpKey();
        break;
    case cmd::kContextHelp:
        QWhatsThis::enterWhatsThisMode();
        break;
    default:
        if (editorOfViewMenuId(command))
            editors_->onViewMenuCommand(command);
        else if (const int recent = command - cmd::kRecentFile1;
                 recent >= 0 && recent < cmd::kRecentFileCount)
            database_->openRecentFile(recent);
        break;
    }
}

void CMainFrame::downloadOrUpload(bool upload)
{
    // One transfer owner at a time: a fleet run may be using this very port.
    if (fleet_ && fleet_->runActive()) {
        platform::showMessage(text::kFleetRunActive, MsgButtons::Ok, MsgIcon::Exclamation, this);
        return;
    }
    // Editors keep their values in their controls until their OK: a transfer now would lose them.
    if (isDatabaseOpen() && app_.document().anyEditorWindowOpen()) {
        platform::showMessage(QString(upload ? transfer::text::kCloseWindowsBeforeUpload
                                             : transfer::text::kCloseWindowsBeforeDownload),
                              MsgButtons::Ok, MsgIcon::Exclamation, this);
        return;
    }
    if (upload && !mayUploadDespiteErrors())
        return;
    transfer_->start(upload);
}

// A database the rules find errors in goes to the deskset only when the user says so, before
// anything connects or backs up.
bool CMainFrame::mayUploadDespiteErrors()
{
    const std::vector<db::Problem> problems = db::checkImage(db::theImage());
    const int errors = db::errorCount(problems);
    if (errors == 0)
        return true;
    QStringList details;
    for (const db::Problem& problem : problems)
        details << QString::fromStdString(db::formatProblem(problem));
    const platform::MessageRequest question{
        QString(text::kUploadWithErrors).arg(QString::fromStdString(db::errorCountText(errors))),
        MsgButtons::YesNo, MsgIcon::Exclamation, details.join(QLatin1Char('\n')), MsgAnswer::No};
    return platform::showMessage(question, this) == MsgAnswer::Yes;
}

void CMainFrame::showCheckWindow()
{
    if (!check_) {
        check_ = new CheckDatabaseWindow(
            [this](const ProblemPlace& place) {
                if (!editors_->openAtRecord(place.editor->kind, place.editor->channel, place.record))
                    return;
                // The window's activation gives the focus back to where it was when the window was
                // left: that is now the editor window just opened.
                lastFocus_ = focusWidget();
                activateWindow();
                raise();
            },
            [this](int context) { showHelp(context); }, this);
        check_->setAttribute(Qt::WA_DeleteOnClose);
        // At the main window's lower right, clear of the tree and of editor windows at the top left.
        const QRect main = geometry();
        check_->move(std::max(main.left(), main.right() - check_->width() - 24),
                     std::max(main.top(), main.bottom() - check_->height() - 48));
    }
    check_->refresh();
    check_->show();
    check_->raise();
    check_->activateWindow();
}

bool CMainFrame::transferActive() const
{
    const transfer::TransferSession& session = transfer_->session();
    return session.connecting() || session.downloadPending() || session.uploadPending() ||
           transfer_->progressDialog() != nullptr;
}

void CMainFrame::showFleetWindow()
{
    if (!fleet_) {
        const ShellOptions& options = app_.options();
        FleetHost host{
            .mainTransferRunning = [this] { return transferActive(); },
            .databaseOpen = [this] { return isDatabaseOpen(); },
            .editorWindowsOpen = [this] { return isDatabaseOpen() && app_.document().anyEditorWindowOpen(); },
            .mayUploadDespiteErrors = [this] { return mayUploadDespiteErrors(); },
            .databaseName =
                [this] {
                    const std::string& path = app_.document().pathName();
                    return path.empty() ? tree_->rootLabel() : QString::fromStdString(path);
                },
            .showHelp = [this](int context) { showHelp(context); },
            .chooseSiteList =
                [this, hook = options.chooseSiteList](const QString& folder) {
                    return hook ? hook(folder)
                                : QFileDialog::getOpenFileName(fleet_, QString(), folder,
                                                               text::kFleetListFilter);
                },
            .chooseBackupFolder =
                [this, hook = options.chooseBackupFolder](const QString& current) {
                    return hook ? hook(current)
                                : QFileDialog::getExistingDirectory(fleet_, text::kFleetChooseFolderCaption,
                                                                    current);
                },
        };
        fleet_ = new FleetWindow(std::move(host), this);
    }
    fleet_->show();
    fleet_->raise();
    fleet_->activateWindow();
}

bool CMainFrame::event(QEvent* event)
{
    if (event->type() == CommandEvent::eventType()) {
        editors_->onEditorCommand(static_cast<CommandEvent*>(event)->command());
        return true;
    }
    return QMainWindow::event(event);
}

// ---- The one database: what DatabaseCommands asks of the window ----------------------------

platform::MsgAnswer CMainFrame::showMessage(const platform::MessageRequest& request)
{
    return platform::showMessage(request, this);
}

QString CMainFrame::chooseOpenPath(const QString& folder)
{
    if (app_.options().chooseOpenPath)
        return app_.options().chooseOpenPath();
    return askOpenPath(this, folder);
}

QString CMainFrame::chooseSavePath(const QString& proposed)
{
    if (app_.options().chooseSavePath)
        return app_.options().chooseSavePath(proposed);
    return askSavePath(this, proposed);
}

bool CMainFrame::modalDialogOpen() const
{
    return anyModalDialogOpen();
}

QString CMainFrame::shownName() const
{
    return tree_->rootLabel();
}

void CMainFrame::databaseOpened(const QString& captionName, const QString& rootLabel)
{
    switchMenu(MenuSet::DatabaseOpen);
    showTree(true);
    tree_->refreshAllStates();
    setDatabaseName(captionName, rootLabel);
}

void CMainFrame::setDatabaseName(const QString& captionName, const QString& rootLabel)
{
    setWindowTitle(trv::text::kAppTitle + text::kCaptionOpen + captionName + text::kCaptionClose);
    tree_->setRootLabel(rootLabel, captionName);
    if (check_) // a new, opened or downloaded image
        check_->refresh();
}

void CMainFrame::databaseClosing()
{
    if (check_)
        check_->close();
    setWindowTitle(trv::text::kAppTitle);
    switchMenu(MenuSet::NoDatabase);
    showTree(false);
    editors_->closeAll();
}

void CMainFrame::documentChanged()
{
    updateCommandStates();
}

void CMainFrame::recentFilesChanged()
{
    menus_->showRecentFiles(app_.recentFiles().paths());
}

void CMainFrame::startupOpenFailed()
{
    endSplashWithoutPortCheck();
}

// ---- Dialogs, help, start-up pieces -----------------------------------------------------------

void CMainFrame::showComPortDialog()
{
    ComPortDialog dialog(this);
    dialog.exec();
}

void CMainFrame::showShortcutsDialog()
{
    ShortcutKeysDlg dialog(
        shortcuts_, [this](int context) { showHelp(context); }, this);
    if (dialog.exec() == QDialog::Accepted && !(dialog.table() == shortcuts_)) {
        dialog.table().save();
        applyShortcuts(dialog.table());
    }
}

void CMainFrame::applyShortcuts(const ShortcutTable& table)
{
    shortcuts_ = table;
    menus_->applyShortcuts(table);
}

void CMainFrame::showAbout()
{
    AboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::showHelp(int context)
{
    help_->showContext(context);
}

void CMainFrame::onHelpKey()
{
    // An editor window answers with its own context; the frame's own help request opens nothing.
    QMdiSubWindow* active = mdi_->activeSubWindow();
    auto* view = active ? qobject_cast<editors::EditorView*>(active->widget()) : nullptr;
    if (view && active->isAncestorOf(QApplication::focusWidget()))
        showHelp(view->helpContext());
}

void CMainFrame::startSplash()
{
    splash_ = new CSplashWnd(app_.options().splashMs, this);
    splash_->setWindowFlag(Qt::Window); // a window of its own, over the main window
    connect(splash_, &CSplashWnd::closed, this, &CMainFrame::onSplashClosed);
    splash_->start();
}

void CMainFrame::endSplashWithoutPortCheck()
{
    if (splash_ && !splash_->isFinished()) {
        splash_->disconnect(this);
        splash_->finish();
    }
}

void CMainFrame::onSplashClosed()
{
    update();
    startupPortCheck();
}

void CMainFrame::startupPortCheck()
{
    if (Registry::comPortDigit().isEmpty()) {
        ComPortDialog dialog(this);
        dialog.exec();
    }
    transfer_->session().resetAttempts();
}

void CMainFrame::restoreWorkspace()
{
    auto settings = SettingsStore::open(Hive::CurrentUser, key::kWorkspace);
    restoreGeometry(settings->value(QLatin1String(kGeometryValue)).toByteArray());
    // A damaged or foreign layout must not make the window larger than the screen (its backing
    // store alone could need more memory than there is).
    if (const QScreen* shown = screen())
        resize(size().boundedTo(shown->availableGeometry().size()));
    restoreState(settings->value(QLatin1String(kStateValue)).toByteArray());
    // Restored before the window shows, the toolbar reports no visibility change: its menu item
    // follows the restored state here.
    action(cmd::kViewToolbar)->setChecked(!toolBar()->isHidden());
    const bool statusVisible = settings->value(QLatin1String(kStatusBarValue), true).toBool();
    statusBar()->setVisible(statusVisible);
    action(cmd::kViewStatusBar)->setChecked(statusVisible);
    // The tree shows exactly while a database is open, whatever the saved layout says.
    showTree(isDatabaseOpen());
}

void CMainFrame::saveWorkspace() const
{
    QDir().mkpath(SettingsStore::configDir());
    auto settings = SettingsStore::open(Hive::CurrentUser, key::kWorkspace);
    settings->setValue(QLatin1String(kGeometryValue), saveGeometry());
    settings->setValue(QLatin1String(kStateValue), saveState());
    settings->setValue(QLatin1String(kStatusBarValue), statusBar()->isVisible());
}

// ---- Window events ----------------------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // A fleet run ends before the program does: the Fleet window asks whether to stop it, and once
    // stopped its end closes this window again (with the close request's questions).
    if (fleet_ && fleet_->runActive()) {
        fleet_->show();
        fleet_->close();
        disconnect(fleet_, &FleetWindow::runFinished, this, &QWidget::close);
        if (fleet_->runActive()) {
            event->ignore();
            if (fleet_->run()->stops() > 0) // stopping: uploads sending blocks finish first
                connect(fleet_, &FleetWindow::runFinished, this, &QWidget::close,
                        Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
            return;
        }
    }
    if (!database_->closeDatabaseRequest()) {
        event->ignore();
        return;
    }
    transfer_->end();
    endSplashWithoutPortCheck(); // no port question after the window has gone
    app_.recentFiles().save();
    saveWorkspace();
    help_->close();
    event->accept();
}

void CMainFrame::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange) {
        if (!isActiveWindow()) {
            lastFocus_ = focusWidget();
        } else if (QWidget* refused = editors::takeRefusedField(this)) {
            // The activation that follows a refusal's message: the refused field keeps the focus
            // (with its text selected) that it was given while the box was up.
            editors::focusWithTextSelected(refused);
        } else if (lastFocus_) {
            // Back to the tree when it had the focus; otherwise the frame takes it, which hands
            // it to the active editor window, if any.
            if (lastFocus_ == tree_->tree() && tree_->isVisible()) {
                tree_->tree()->setFocus();
            } else if (QMdiSubWindow* active = mdi_->activeSubWindow();
                       active && active->isAncestorOf(lastFocus_)) {
                lastFocus_->setFocus();
            } else {
                setFocus();
            }
        }
    }
    QMainWindow::changeEvent(event);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            activateWindow();
            // One database at a time: the first file dropped is opened.
            database_->openNamedFile(url.toLocalFile());
            return;
        }
    }
}

} // namespace trv::app
