// The main window: the menus and toolbar, the status bar, the configuration tree docked on the
// left and the editor windows in the workspace. It runs the shell's commands; the database
// commands (DatabaseCommands, shown through this window's DatabaseUi), the editor windows
// (EditorWindows) and the transfer user interface (TransferWindows) are parts of their own.
#pragma once

#include "app/CheckDatabaseWindow.h"
#include "app/DatabaseUi.h"
#include "app/FleetWindow.h"
#include "app/MainMenus.h"
#include "app/ShortcutTable.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <vector>

class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

namespace trv::transfer {
class TransferSession;
}

namespace trv::app {

class CChildFrame;
class CDockingWnd;
class DatabaseCommands;
class CSplashWnd;
class CTRVApp;
class EditorWindows;
class HelpWindow;
class KeyboardLocks;
class Registry;
class TransferProgressDlg;
class TransferWindows;
class SheetCommands;

class CMainFrame : public QMainWindow, private DatabaseUi {
    Q_OBJECT
public:
    using MenuSet = app::MenuSet;

    explicit CMainFrame(CTRVApp& app);
    ~CMainFrame() override;

    CTRVApp& app() const { return app_; }

    // Commands, as the menus, the toolbar and the keys run them.
    void runCommand(int command);
    QAction* action(int command) const;

    // New, Open, Close, Save and the recent files, also used by start-up and by the transfer session.
    DatabaseCommands& databaseCommands() const { return *database_; }
    // Caption and tree root for the open database ("New", a file name, "download.ddb").
    void setDatabaseName(const QString& captionName, const QString& rootLabel) override;
    // The status bar's message pane.
    void setStatusText(const QString& text);

    // The editor windows and the editors' host.
    EditorWindows& editorWindows() const { return *editors_; }
    std::vector<CChildFrame*> editorFrames() const;
    // The download/upload session and its progress window.
    TransferWindows& transferWindows() const { return *transfer_; }
    transfer::TransferSession& transferSession() const;
    TransferProgressDlg* progressDialog() const;
    // File > Print, Print Preview and Export as PDF.
    SheetCommands& sheetCommands() const { return *sheets_; }

    // Start-up pieces run by the application object.
    void startSplash();
    void restoreWorkspace();
    void saveWorkspace() const;
    void applyShortcuts(const ShortcutTable& table);
    const ShortcutTable& shortcuts() const { return shortcuts_; }
    // After the splash: the serial port dialog when no port is stored.
    void startupPortCheck();

    // State, for the shell and its tests.
    bool isDatabaseOpen() const;
    MenuSet menuSet() const { return menus_->current(); }
    CDockingWnd* treeWindow() const { return tree_; }
    QMdiArea* workspace() const { return mdi_; }
    QToolBar* toolBar() const { return menus_->toolBar(); }
    CSplashWnd* splash() const { return splash_; }
    HelpWindow* helpWindow() const { return help_; }
    KeyboardLocks* keyboardLocks() const { return locks_; }
    CheckDatabaseWindow* checkWindow() const { return check_; }
    // File > Fleet...: the window once opened (it stays, hidden when closed), else null.
    FleetWindow* fleetWindow() const { return fleet_; }
    // A download or upload of this window is connecting, running or showing its progress window.
    bool transferActive() const;
    QString statusText() const;
    const std::vector<QMenu*>& menus(MenuSet set) const { return menus_->menus(set); }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // DatabaseUi
    platform::MsgAnswer showMessage(const platform::MessageRequest& request) override;
    QString chooseOpenPath(const QString& folder) override;
    QString chooseSavePath(const QString& proposed) override;
    bool modalDialogOpen() const override;
    QString shownName() const override;
    void databaseOpened(const QString& captionName, const QString& rootLabel) override;
    void databaseClosing() override;
    void documentChanged() override;
    void recentFilesChanged() override;
    void startupOpenFailed() override;

    void createStatusBar();
    void updateCommandStates();
    void switchMenu(MenuSet set);
    void showTree(bool show);
    void downloadOrUpload(bool upload);
    bool mayUploadDespiteErrors();
    void showCheckWindow();
    void showFleetWindow();
    void onHelpKey();
    void showHelp(int context);
    void showComPortDialog();
    void showShortcutsDialog();
    void showAbout();
    void onSplashClosed();
    void endSplashWithoutPortCheck();

    CTRVApp& app_;
    std::unique_ptr<Registry> registry_;
    CDockingWnd* tree_ = nullptr;
    QMdiArea* mdi_ = nullptr;
    MainMenus* menus_ = nullptr;
    QLabel* messagePane_ = nullptr;
    KeyboardLocks* locks_ = nullptr;
    CSplashWnd* splash_ = nullptr;
    HelpWindow* help_ = nullptr;
    EditorWindows* editors_ = nullptr;
    std::unique_ptr<TransferWindows> transfer_;
    QPointer<CheckDatabaseWindow> check_; // while shown
    FleetWindow* fleet_ = nullptr;
    std::unique_ptr<SheetCommands> sheets_;
    std::unique_ptr<DatabaseCommands> database_;
    ShortcutTable shortcuts_;
    QPointer<QWidget> lastFocus_;
};

} // namespace trv::app
