// One line per editor family: the view class that opens for its kind.
#include "editors/common/EditorRegistry.h"
#include "editors/deskset/DesksetCfgFV.h"

namespace trv::editors {

void registerAllEditors()
{
    registerEditor(EditorKind::DesksetCfg,
                   [](EditorHost& host, QWidget* parent) { return new DesksetCfgFV(host, parent); });
}

} // namespace trv::editors
