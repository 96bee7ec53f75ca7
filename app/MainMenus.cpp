#include "app/MainMenus.h"

#include "app/Commands.h"
#include "app/ShellArt.h"
#include "app/ShellTexts.h"

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>

namespace trv::app {
namespace {

constexpr int kSeparator = 0;
constexpr int kRecentBlock = -1; // the recent-file entries

struct MenuSpec {
    QLatin1StringView title;
    std::vector<int> items;
};

const std::vector<MenuSpec>& menuSpecs(MenuSet set)
{
    static const std::vector<MenuSpec> noDatabase = {
        {text::kMenuFile,
         {cmd::kNewDatabase, cmd::kOpen, cmd::kDownload, kSeparator, cmd::kFleet, kSeparator, kRecentBlock,
          kSeparator, cmd::kExit}},
        {text::kMenuOptions,
         {cmd::kComPort, cmd::kShortcuts, kSeparator, cmd::kBackupBeforeUpload, cmd::kVerifyAfterUpload}},
        {text::kMenuView, {cmd::kViewToolbar, cmd::kViewStatusBar}},
        {text::kMenuHelp, {cmd::kHelpTopics, cmd::kSaveCommunicationLog, kSeparator, cmd::kAbout}},
    };
    static const std::vector<MenuSpec> databaseOpen = {
        {text::kMenuFile,
         {cmd::kNewDatabase, cmd::kOpen,          cmd::kCloseDatabase, cmd::kSave,      cmd::kSaveAs,
          kSeparator,        cmd::kCheckDatabase, kSeparator,          cmd::kDownload,  cmd::kUpload,
          kSeparator,        cmd::kPrint,         cmd::kPrintPreview,  cmd::kExportPdf, kSeparator,
          cmd::kImportTable, cmd::kExportTable,   kSeparator,          cmd::kFleet,     kSeparator,
          kRecentBlock,      kSeparator,          cmd::kExit}},
        {text::kMenuOptions,
         {cmd::kComPort, cmd::kShortcuts, kSeparator, cmd::kBackupBeforeUpload, cmd::kVerifyAfterUpload}},
        {text::kMenuView,
         {cmd::kViewToolbar, cmd::kViewStatusBar, kSeparator, cmd::kViewConfigTree, kSeparator,
          cmd::kViewDeskset, cmd::kViewChannel1, cmd::kViewChannel2, cmd::kViewChannel3, cmd::kViewChannel4,
          cmd::kViewButtons, cmd::kViewPagingFormats, cmd::kViewSpeedPaging, cmd::kViewCustomTones,
          cmd::kViewPttAliases}},
        {text::kMenuWindow, {cmd::kCascade}},
        {text::kMenuHelp, {cmd::kHelpTopics, cmd::kSaveCommunicationLog, kSeparator, cmd::kAbout}},
    };
    return set == MenuSet::NoDatabase ? noDatabase : databaseOpen;
}

// Toolbar 128, in order.
const int kToolBarItems[] = {cmd::kNewDatabase, cmd::kDownload, cmd::kOpen, kSeparator,
                             cmd::kSave,        cmd::kUpload,   kSeparator, cmd::kHelpTopics};

QIcon toolIcon(QStyle* style, int command)
{
    switch (command) {
    case cmd::kNewDatabase:
        return style->standardIcon(QStyle::SP_FileIcon);
    case cmd::kOpen:
        return style->standardIcon(QStyle::SP_DialogOpenButton);
    case cmd::kSave:
        return style->standardIcon(QStyle::SP_DialogSaveButton);
    case cmd::kHelpTopics:
        return helpIcon();
    case cmd::kDownload:
        return downloadIcon();
    case cmd::kUpload:
        return uploadIcon();
    default:
        return {};
    }
}

} // namespace

MainMenus::MainMenus(QMainWindow& window, QMdiArea& workspace, std::function<void(int)> runCommand)
    : QObject(&window), window_(window), workspace_(workspace), runCommand_(std::move(runCommand))
{
    createActions();
    createToolBar();
    createMenus();
    createWindowKeys();
}

// Keys of the frame that are no command: F10 opens the first menu (then the arrows move through
// the menus), from every window, so the menus stay reachable where an editor's mnemonics win over
// the menu bar's; Ctrl+F4 closes the active editor window as its close box does.
void MainMenus::createWindowKeys()
{
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), &window_);
    connect(menuKey, &QShortcut::activated, this, [this] {
        const QList<QAction*> menus = window_.menuBar()->actions();
        if (!menus.isEmpty())
            window_.menuBar()->setActiveAction(menus.front());
    });
    auto* closeKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4), &window_);
    const auto closeActive = [this] {
        if (QMdiSubWindow* active = workspace_.activeSubWindow())
            active->close();
    };
    connect(closeKey, &QShortcut::activated, this, closeActive);
    // The editor frame's own window menu offers the same key: the press is then ambiguous.
    connect(closeKey, &QShortcut::activatedAmbiguously, this, closeActive);
}

void MainMenus::createActions()
{
    for (const CommandInfo& info : commandTable()) {
        auto* action = new QAction(QString::fromLatin1(info.menuText), &window_);
        action->setStatusTip(promptStatusText(info));
        action->setToolTip(promptToolTip(info));
        action->setData(info.id);
        action->setShortcutContext(Qt::WindowShortcut);
        const int id = info.id;
        connect(action, &QAction::triggered, this, [this, id] { runCommand_(id); });
        actions_[id] = action;
        window_.addAction(action); // keys work whichever menu set is shown
    }
    actions_[cmd::kViewToolbar]->setCheckable(true);
    actions_[cmd::kViewStatusBar]->setCheckable(true);
    actions_[cmd::kViewStatusBar]->setChecked(true);
    actions_[cmd::kBackupBeforeUpload]->setCheckable(true);
    actions_[cmd::kVerifyAfterUpload]->setCheckable(true);

    for (int k = 0; k < cmd::kRecentFileCount; ++k) {
        auto* action = new QAction(&window_);
        const int id = cmd::kRecentFile1 + k;
        action->setData(id);
        action->setStatusTip(text::kRecentFilePrompt);
        connect(action, &QAction::triggered, this, [this, id] { runCommand_(id); });
        recentActions_.push_back(action);
    }
    recentPlaceholder_ = new QAction(text::kRecentFilePlaceholder, &window_);
    recentPlaceholder_->setEnabled(false);
}

void MainMenus::createMenus()
{
    for (MenuSet set : {MenuSet::NoDatabase, MenuSet::DatabaseOpen}) {
        for (const MenuSpec& layout : menuSpecs(set)) {
            auto* menu = new QMenu(QString::fromLatin1(layout.title), &window_);
            for (int item : layout.items) {
                if (item == kSeparator) {
                    menu->addSeparator();
                } else if (item == kRecentBlock) {
                    menu->addAction(recentPlaceholder_);
                    for (QAction* recent : recentActions_)
                        menu->addAction(recent);
                } else {
                    menu->addAction(actions_.at(item));
                }
            }
            if (layout.title == text::kMenuWindow) {
                windowMenu_ = menu;
                connect(menu, &QMenu::aboutToShow, this, &MainMenus::fillWindowMenu);
            }
            menus_[set].push_back(menu);
        }
    }
}

void MainMenus::createToolBar()
{
    toolBar_ = window_.addToolBar(text::kToolbarTitle);
    toolBar_->setObjectName(QStringLiteral("ToolBar128"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize({24, 24});
    for (int item : kToolBarItems) {
        if (item == kSeparator) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = actions_.at(item);
        action->setIcon(toolIcon(window_.style(), item));
        toolBar_->addAction(action);
    }
    actions_[cmd::kViewToolbar]->setChecked(true);
    connect(toolBar_, &QToolBar::visibilityChanged, this,
            [this](bool visible) { actions_[cmd::kViewToolbar]->setChecked(visible); });
}

QAction* MainMenus::action(int command) const
{
    const auto it = actions_.find(command);
    if (it != actions_.end())
        return it->second;
    const int recent = command - cmd::kRecentFile1;
    return recent >= 0 && recent < cmd::kRecentFileCount ? recentActions_[recent] : nullptr;
}

void MainMenus::switchTo(MenuSet set)
{
    current_ = set;
    window_.menuBar()->clear();
    for (QMenu* menu : menus_.at(set))
        window_.menuBar()->addMenu(menu);
}

void MainMenus::showRecentFiles(const QStringList& paths)
{
    for (int k = 0; k < cmd::kRecentFileCount; ++k) {
        QAction* action = recentActions_[k];
        const bool used = k < paths.size();
        action->setVisible(used);
        if (used)
            action->setText(QStringLiteral("&%1 %2").arg(k + 1).arg(
                QString(paths[k]).replace(QLatin1Char('&'), QLatin1String("&&"))));
    }
    recentPlaceholder_->setVisible(paths.isEmpty());
}

void MainMenus::applyShortcuts(const ShortcutTable& table)
{
    for (const auto& [command, action] : actions_)
        action->setShortcut(table.key(command));
}

void MainMenus::fillWindowMenu()
{
    windowMenu_->clear();
    windowMenu_->addAction(actions_[cmd::kCascade]);
    const QList<QMdiSubWindow*> windows = workspace_.subWindowList();
    if (!windows.isEmpty())
        windowMenu_->addSeparator();
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QAction* item =
            windowMenu_->addAction(QStringLiteral("&%1 %2").arg(number++).arg(window->windowTitle()));
        item->setCheckable(true);
        item->setChecked(window == workspace_.activeSubWindow());
        connect(item, &QAction::triggered, this, [this, window] { workspace_.setActiveSubWindow(window); });
    }
}

} // namespace trv::app
