// Which view class each editor kind opens. Each editor family registers its view in
// registerAllEditors(); a kind nobody registered yet opens nothing.
#pragma once

#include "editors/common/EditorView.h"

#include <functional>

namespace trv::editors {

using EditorFactory = std::function<EditorView*(EditorHost& host, QWidget* parent)>;

void registerEditor(EditorKind kind, EditorFactory factory);
// Empty function when the kind has no view.
EditorFactory editorFactory(EditorKind kind);

// Registers every editor view of the program; the shell calls it once at start.
void registerAllEditors();

} // namespace trv::editors
