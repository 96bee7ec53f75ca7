// The editor windows as the shell knows them: tree label, editor command, View menu item and the
// view class (kind and channel) the command opens.
#pragma once

#include "editors/common/EditorHost.h"

#include <QString>

#include <span>

namespace trv::app {

struct EditorEntry {
    QLatin1StringView label;
    int command;    // 200..210
    int viewMenuId; // View menu item of menu 129
    editors::EditorKind kind;
    int channel;          // 1..4 for a channel window, else 0
    bool menuFollowsItem; // the View item is grayed while the tree item is disabled
};

// In tree order; the first entry whose label matches decides.
std::span<const EditorEntry> editorEntries();
const EditorEntry* entryByLabel(const QString& label);
const EditorEntry* entryByCommand(int command);
const EditorEntry* entryByViewMenuId(int id);
// The window of that kind (and channel 1..4 for a channel window, else 0).
const EditorEntry* entryByKind(editors::EditorKind kind, int channel);

} // namespace trv::app
