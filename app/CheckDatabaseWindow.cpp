#include "app/CheckDatabaseWindow.h"

#include "app/ShellTexts.h"
#include "app/ToolWindowKeys.h"
#include "database/Image.h"
#include "database/Layout.h"
#include "database/RuleTexts.h"
#include "editors/EditorCatalog.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace trv::app {
namespace {

enum Column { kSeverityColumn, kAreaColumn, kFieldColumn, kProblemColumn, kColumnCount };
constexpr int kProblemRole = Qt::UserRole; // the index into problems_

QString latin(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

std::optional<ProblemPlace> placeOf(const db::Problem& problem)
{
    for (const editors::EditorDescriptor& editor : editors::editorCatalog()) {
        const db::Region& region = *editor.region;
        if (problem.offset < region.base || problem.offset >= region.end())
            continue;
        // A channel record is its channel's window.
        const int record = (problem.offset - region.base) / region.recordSize;
        if (editor.channel == 0 || editor.channel == record + 1)
            return ProblemPlace{&editor, record};
    }
    return std::nullopt;
}

CheckDatabaseWindow::CheckDatabaseWindow(std::function<void(const ProblemPlace&)> open,
                                         std::function<void(int)> showHelp, QWidget* parent)
    : QWidget(parent, Qt::Tool), open_(std::move(open)), showHelp_(std::move(showHelp)),
      summary_(new QLabel(this)), list_(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("CheckDatabaseWindow"));
    setWindowTitle(text::kCheckCaption);
    list_->setColumnCount(kColumnCount);
    list_->setHeaderLabels({text::kCheckSeverity, text::kCheckArea, text::kCheckField, text::kCheckProblem});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setAccessibleName(text::kCheckCaption);
    list_->header()->setStretchLastSection(true);
    connect(list_, &QTreeWidget::itemActivated, this, &CheckDatabaseWindow::openItem);

    auto* hint = new QLabel(text::kCheckHint, this);
    auto* close = new QPushButton(text::kCheckClose, this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(hint, 1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    const int em = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    resize(90 * em, 24 * fontMetrics().height());
    refresh();
}

void CheckDatabaseWindow::refresh()
{
    problems_ = db::checkImage(db::theImage());
    list_->clear();
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (std::size_t i = 0; i < problems_.size(); ++i) {
        const db::Problem& p = problems_[i];
        const std::optional<ProblemPlace> place = placeOf(p);
        auto* item =
            new QTreeWidgetItem(list_, {latin(db::severityName(p.severity)),
                                        place ? QString(place->editor->treeLabel) : QString(),
                                        QString::fromStdString(p.path), QString::fromStdString(p.message)});
        item->setIcon(kSeverityColumn, p.isError() ? errorIcon : warningIcon);
        item->setData(kSeverityColumn, kProblemRole, static_cast<int>(i));
        item->setToolTip(kProblemColumn, item->text(kProblemColumn));
    }
    if (problems_.empty()) {
        auto* none = new QTreeWidgetItem(
            list_, {QString(), QString(), QString(), QString::fromLatin1(db::text::kNoProblems)});
        none->setFlags(Qt::ItemIsEnabled);
    } else {
        list_->setCurrentItem(list_->topLevelItem(0));
    }
    summary_->setText(QString::fromStdString(db::problemSummary(problems_)));
    // Severity, area and field as wide as their longest entry; the message takes the rest.
    if (!problems_.empty())
        for (const int column : {kSeverityColumn, kAreaColumn, kFieldColumn})
            list_->resizeColumnToContents(column);
}

void CheckDatabaseWindow::openItem(QTreeWidgetItem* item)
{
    const QVariant index = item ? item->data(kSeverityColumn, kProblemRole) : QVariant();
    if (!index.isValid())
        return;
    if (const std::optional<ProblemPlace> place = placeOf(problems_[static_cast<std::size_t>(index.toInt())]))
        open_(*place);
}

void CheckDatabaseWindow::keyPressEvent(QKeyEvent* event)
{
    if (!handleToolWindowKey(*this, *event, [this] { showHelp_(kHelpContext); }))
        QWidget::keyPressEvent(event);
}

} // namespace trv::app
