#include "editors/common/EditorRegistry.h"

#include <map>

namespace trv::editors {
namespace {

std::map<EditorKind, EditorFactory>& factories()
{
    static std::map<EditorKind, EditorFactory> table;
    return table;
}

} // namespace

void registerEditor(EditorKind kind, EditorFactory factory)
{
    factories()[kind] = std::move(factory);
}

EditorFactory editorFactory(EditorKind kind)
{
    const auto it = factories().find(kind);
    return it == factories().end() ? EditorFactory{} : it->second;
}

} // namespace trv::editors
