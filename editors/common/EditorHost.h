// The contract between editor windows and the application shell. Editors never include app/:
// they reach the shell only through this interface, which the main window implements.
#pragma once

#include "database/CTRVDoc.h"
#include "editors/common/ButtonTable.h"

#include <vector>

namespace trv::editors {

class EditorView;

// One kind per editor window class; editors/EditorCatalog.cpp describes the windows of each.
enum class EditorKind {
    DesksetCfg,        // DesksetCfgFV
    Channel,           // ChanCfgFV, one window per channel
    Buttons,           // DesksetButtonsCfgFV
    PagingFormats,     // ManualPageListFV
    SpeedPaging,       // SpeedPageListFV
    CustomPagingTones, // CustomPageListFV
    PttAliases,        // AliasListFV
};

// The part of the image a window changed, for the other open windows that show it.
enum class ChangedArea { Deskset, Buttons, Channel, PagingFormats, SpeedPages, CustomTones, PttAliases };

struct ImageChange {
    ChangedArea area;
    // When not empty: for each old record index of that table, its new index (-1 = deleted), so
    // that windows holding record indices (button references, selections) can follow the moves.
    std::vector<int> recordMap;
};

class EditorHost {
public:
    virtual ~EditorHost() = default;

    virtual db::CTRVDoc& document() = 0;

    // Editor windows (channel 0 = not a channel request, 1..4 = that channel).
    virtual bool isEditorOpen(EditorKind kind) = 0;
    virtual void openOrActivateEditor(EditorKind kind, int channel = 0) = 0;
    virtual void closeAndReopenEditor(EditorKind kind) = 0;
    virtual void closeEditor(EditorKind kind) = 0;
    virtual void closeChannelEditors2To4() = 0;
    // Activates the next editor window in the window list, wrapping at its end.
    virtual void activateNextEditor() = 0;

    // Tells every other open view, in window order and before returning, that source changed
    // the image (EditorView::imageChanged).
    virtual void notifyImageChanged(const ImageChange& change, EditorView* source) = 0;

    // Configuration tree.
    virtual void refreshChannelItems() = 0;
    virtual void refreshSpeedPagingItem() = 0;
    // Disables or enables the tree item of that kind (for Channel: the four channel items) and
    // the View menu item that follows it.
    virtual void setTreeItemDisabled(EditorKind kind, bool disabled) = 0;

    // The button tables a reference guard must see: the image's, then, while the buttons editor is
    // open, its working table. The working table holds assignments not saved yet; the image's holds
    // those that the editor's Cancel keeps, even when the working table has dropped them.
    virtual std::vector<ButtonEntries> buttonTables() = 0;

    // Opens the help file at a context number.
    virtual void showHelp(int context) = 0;
};

} // namespace trv::editors
