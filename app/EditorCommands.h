// The View menu item of each editor window. Everything else the shell knows of a window (kind,
// channel, editor command, tree label) is the editors' catalogue (editors/EditorCatalog.h).
#pragma once

#include "editors/EditorCatalog.h"

namespace trv::app {

int viewMenuIdOf(const editors::EditorDescriptor& editor);
// The editor window a View menu command opens; nullptr for any other command.
const editors::EditorDescriptor* editorOfViewMenuId(int id);

} // namespace trv::app
