// One line per editor family: the view class that opens for its kind.
#include "editors/buttons/DesksetButtonsCfgFV.h"
#include "editors/common/EditorRegistry.h"
#include "editors/customtones/CustomPageListFV.h"
#include "editors/deskset/DesksetCfgFV.h"
#include "editors/speedpaging/SpeedPageListFV.h"

namespace trv::editors {

void registerAllEditors()
{
    registerEditor(EditorKind::DesksetCfg,
                   [](EditorHost& host, QWidget* parent) { return new DesksetCfgFV(host, parent); });
    registerEditor(EditorKind::Buttons,
                   [](EditorHost& host, QWidget* parent) { return new DesksetButtonsCfgFV(host, parent); });
    registerEditor(EditorKind::CustomPagingTones,
                   [](EditorHost& host, QWidget* parent) { return new CustomPageListFV(host, parent); });
    registerEditor(EditorKind::SpeedPaging,
                   [](EditorHost& host, QWidget* parent) { return new SpeedPageListFV(host, parent); });
}

} // namespace trv::editors
