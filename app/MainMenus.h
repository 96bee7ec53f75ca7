// The main window's commands as the user reaches them: one action per command, the two menu sets
// (128 without a database, 129 with one) swapped on the menu bar, toolbar 128, the recent-file
// entries and the Window menu's list of editor windows.
#pragma once

#include "app/ShortcutTable.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <map>
#include <vector>

class QAction;
class QMainWindow;
class QMdiArea;
class QMenu;
class QToolBar;

namespace trv::app {

enum class MenuSet { NoDatabase = 128, DatabaseOpen = 129 };

class MainMenus : public QObject {
    Q_OBJECT
public:
    // Every action runs runCommand with its command id (the recent-file entries with theirs).
    MainMenus(QMainWindow& window, QMdiArea& workspace, std::function<void(int command)> runCommand);

    QAction* action(int command) const;
    const std::vector<QMenu*>& menus(MenuSet set) const { return menus_.at(set); }
    MenuSet current() const { return current_; }
    void switchTo(MenuSet set);
    QToolBar* toolBar() const { return toolBar_; }

    void showRecentFiles(const QStringList& paths);
    void applyShortcuts(const ShortcutTable& table);

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createWindowKeys();
    void fillWindowMenu();

    QMainWindow& window_;
    QMdiArea& workspace_;
    std::function<void(int)> runCommand_;
    std::map<int, QAction*> actions_;
    std::vector<QAction*> recentActions_;
    QAction* recentPlaceholder_ = nullptr;
    std::map<MenuSet, std::vector<QMenu*>> menus_;
    QMenu* windowMenu_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    MenuSet current_ = MenuSet::NoDatabase;
};

} // namespace trv::app
