// The editor windows of the program, one descriptor each, in the order of the configuration tree:
// what the shell needs to know of a window that is not its own (menus, toolbar and keys are the
// shell's). A new editor window is one line in EditorCatalog.cpp.
#pragma once

#include "database/Layout.h"
#include "editors/common/EditorHost.h"

#include <QLatin1StringView>
#include <QStringView>

#include <span>

class QWidget;

namespace trv::editors {

using ViewFactory = EditorView* (*)(EditorHost& host, QWidget* parent);

struct EditorDescriptor {
    EditorKind kind;
    int channel;                 // 1..4 for a channel window, else 0
    int command;                 // the editor command its tree item and its View menu item post
    QLatin1StringView treeLabel; // its item in the configuration tree
    // F1 in the window. The channel window opens on its configuration page; each later page has a
    // context of its own.
    int helpContext;
    // The tree item can be disabled (by the deskset type, by the paging formats, by another open
    // window); its View menu item and its command follow it.
    bool mayBeDisabled;
    // The image region the window edits; a channel window edits its channel's record. A problem
    // the database check finds there opens this window.
    const db::Region* region;
    ViewFactory create;
};

// Every editor window, in tree order.
std::span<const EditorDescriptor> editorCatalog();
// The window of that kind (and channel 1..4 for a channel window, else 0); nullptr if none.
const EditorDescriptor* findEditor(EditorKind kind, int channel = 0);
const EditorDescriptor* findEditorByCommand(int command);
const EditorDescriptor* findEditorByTreeLabel(QStringView label);
// The view class of a kind's windows (the channel windows share one); nullptr if none.
ViewFactory viewFactory(EditorKind kind);

} // namespace trv::editors
