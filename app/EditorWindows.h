// The editor windows of the main window: opening or activating them by kind, their frames in the
// workspace, the tree items that show them, and the editors' host (EditorHost) on the shell side.
#pragma once

#include "editors/common/EditorHost.h"

#include <QObject>

#include <functional>
#include <map>
#include <vector>

class QAction;
class QMdiArea;
class QWidget;

namespace trv::editors {
class EditorView;
}

namespace trv::app {

class CChildFrame;
class CDockingWnd;
class CTRVApp;
class HelpWindow;

class EditorWindows : public QObject, public editors::EditorHost {
    Q_OBJECT
public:
    // viewAction gives the View menu item of a View menu command.
    EditorWindows(CTRVApp& app, QMdiArea& workspace, CDockingWnd& tree, HelpWindow& help,
                  std::function<QAction*(int command)> viewAction, QObject* parent = nullptr);

    // The editor commands of the editors' catalogue (posted by the tree and the View menu).
    void onEditorCommand(int command);
    // A View menu command: marks the item open and posts its editor command.
    void onViewMenuCommand(int viewMenuId);
    // The frames in window (creation) order.
    std::vector<CChildFrame*> frames() const;
    // Closes every editor window (the database is closing).
    void closeAll();
    // Opens (or activates) the window of that kind, as its tree item would, and in a list window
    // selects the row of the record. False when nothing opened: the item is disabled, or the list
    // does not show the record (a free one).
    bool openAtRecord(editors::EditorKind kind, int channel, int record);

    // Builds the view of a window; an empty one: nothing opens for the kind.
    using ViewFactory = std::function<editors::EditorView*(editors::EditorHost& host, QWidget* parent)>;
    // Tests stand other views in for the catalogue's: factory builds the views of kind from now on,
    // until dropStandIns().
    void standInView(editors::EditorKind kind, ViewFactory factory);
    void dropStandIns();

    // EditorHost
    db::CTRVDoc& document() override;
    bool isEditorOpen(editors::EditorKind kind) override;
    void openOrActivateEditor(editors::EditorKind kind, int channel = 0) override;
    void closeAndReopenEditor(editors::EditorKind kind) override;
    void closeEditor(editors::EditorKind kind) override;
    void closeChannelEditors2To4() override;
    void activateNextEditor() override;
    void notifyImageChanged(const editors::ImageChange& change, editors::EditorView* source) override;
    void refreshChannelItems() override;
    void refreshSpeedPagingItem() override;
    void setTreeItemDisabled(editors::EditorKind kind, bool disabled) override;
    std::vector<editors::ButtonEntries> buttonTables() override;
    void showHelp(int context) override;

signals:
    // An editor changed the image.
    void imageChanged();
    // An editor window opened or closed.
    void windowsChanged();

private:
    bool isDatabaseOpen() const;
    std::vector<editors::EditorView*> openViews() const;
    CChildFrame* frameOf(editors::EditorView* view) const;
    void activate(CChildFrame* frame);
    void destroyFrame(CChildFrame* frame);
    void closeViewsIf(const std::function<bool(const editors::EditorView&)>& match);
    void onTreeItemDisabled(const QString& label, bool disabled);
    ViewFactory viewFactory(editors::EditorKind kind) const;

    CTRVApp& app_;
    QMdiArea& workspace_;
    CDockingWnd& tree_;
    HelpWindow& help_;
    std::function<QAction*(int)> viewAction_;
    std::map<editors::EditorKind, ViewFactory> standIns_;
};

} // namespace trv::app
