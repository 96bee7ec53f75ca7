// The main window: menus 128 (no database) and 129 (database open), toolbar, status bar, the
// configuration tree docked on the left and the editor windows in the workspace. It runs every
// command of the shell and is the editors' host.
#pragma once

#include "app/ShortcutTable.h"
#include "editors/common/EditorHost.h"
#include "transfer/TransferSession.h"
#include "transfer/TransferUi.h"

#include <QMainWindow>
#include <QPointer>

#include <map>
#include <memory>
#include <vector>

class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

namespace trv::editors {
class EditorView;
}

namespace trv::app {

class CChildFrame;
class CDockingWnd;
class CSplashWnd;
class CTRVApp;
class HelpWindow;
class KeyboardLocks;
class Registry;
class TransferProgressDlg;

class CMainFrame : public QMainWindow, public editors::EditorHost, public transfer::TransferUi {
    Q_OBJECT
public:
    enum class MenuSet { NoDatabase = 128, DatabaseOpen = 129 };

    explicit CMainFrame(CTRVApp& app);
    ~CMainFrame() override;

    // Commands, as the menus, the toolbar and the keys run them.
    void runCommand(int command);
    QAction* action(int command) const;

    // The commands' work, also used by start-up and by the transfer session.
    bool closeDatabaseRequest();
    bool newDatabase();
    bool openNamedFile(const QString& path);    // after the close request; false when the load failed
    bool openDatabaseFile(const QString& path); // the open itself, from creating the document on
    bool saveDatabase(bool askForPath);
    // Caption and tree root for the open database ("New", a file name, "download.ddb").
    void setDatabaseName(const QString& captionName, const QString& rootLabel);

    // The download/upload session and its progress window.
    transfer::TransferSession& transferSession() const { return *session_; }
    TransferProgressDlg* progressDialog() const { return progress_; }

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
    MenuSet menuSet() const { return menuSet_; }
    CDockingWnd* treeWindow() const { return tree_; }
    QMdiArea* workspace() const { return mdi_; }
    QToolBar* toolBar() const { return toolBar_; }
    CSplashWnd* splash() const { return splash_; }
    HelpWindow* helpWindow() const { return help_; }
    KeyboardLocks* keyboardLocks() const { return locks_; }
    QString statusText() const;
    std::vector<CChildFrame*> editorFrames() const;
    const std::vector<QMenu*>& menus(MenuSet set) const;

    // EditorHost
    db::CTRVDoc& document() override;
    bool isEditorOpen(editors::EditorKind kind) override;
    void openOrActivateEditor(editors::EditorKind kind, int channel = 0) override;
    void closeAndReopenEditor(editors::EditorKind kind) override;
    void closeEditor(editors::EditorKind kind) override;
    void closeChannelEditors2To4() override;
    void refreshChannelItems() override;
    void refreshSpeedPagingItem() override;
    editors::ButtonEntries buttonTable() override;
    void showHelp(int context) override;

    // TransferUi
    bool askRetry(const QString& text) override;
    void showMessage(const QString& text) override;
    void setStatusText(const QString& text) override;
    bool closeDatabaseAndStartNew() override;
    void setDatabaseName(const QString& name) override;
    void refreshAfterDownload() override;
    void progressOpen(const QString& text) override;
    bool progressIsOpen() const override;
    int progressPosition() const override;
    void progressSetPosition(int position) override;
    void progressEnd(const QString& text, transfer::EndButton button) override;
    QString progressText() const override;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void updateRecentFileActions();
    void updateCommandStates();
    void fillWindowMenu();
    void switchMenu(MenuSet set);
    void showTree(bool show);
    void closeDatabase();
    bool saveDatabase(bool askForPath, bool fromClosePrompt);
    void startTransfer(bool upload);
    void onProgressFinished();
    void endTransfer();
    void destroyFrame(CChildFrame* frame);
    void onEditorCommand(int command);
    void onViewEditorCommand(int viewMenuId);
    void onTreeItemDisabled(const QString& label, bool disabled);
    void onHelpKey();
    void openRecentFile(int index);
    void showComPortDialog();
    void showShortcutsDialog();
    void showAbout();
    void onSplashClosed();
    CChildFrame* frameOf(editors::EditorView* view) const;
    std::vector<editors::EditorView*> openViews() const;
    QString chooseOpenPath();
    QString chooseSavePath(const QString& suggested);

    CTRVApp& app_;
    std::unique_ptr<Registry> registry_;
    std::unique_ptr<transfer::TransferSession> session_;
    TransferProgressDlg* progress_ = nullptr;
    CDockingWnd* tree_ = nullptr;
    QMdiArea* mdi_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QLabel* messagePane_ = nullptr;
    KeyboardLocks* locks_ = nullptr;
    CSplashWnd* splash_ = nullptr;
    HelpWindow* help_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    std::map<int, QAction*> actions_;
    std::vector<QAction*> recentActions_;
    QAction* recentPlaceholder_ = nullptr;
    std::map<MenuSet, std::vector<QMenu*>> menus_;
    MenuSet menuSet_ = MenuSet::NoDatabase;
    ShortcutTable shortcuts_;
    QPointer<QWidget> lastFocus_;
};

} // namespace trv::app
