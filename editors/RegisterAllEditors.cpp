// One line per editor family: the view class that opens for its kind.
#include "editors/aliases/AliasListFV.h"
#include "editors/buttons/DesksetButtonsCfgFV.h"
#include "editors/channel/ChanCfgFV.h"
#include "editors/common/EditorRegistry.h"
#include "editors/customtones/CustomPageListFV.h"
#include "editors/deskset/DesksetCfgFV.h"
#include "editors/speedpaging/SpeedPageListFV.h"
#include "editors/paging/ManualPageListFV.h"

namespace trv::editors {

void registerAllEditors()
{
    registerEditor(EditorKind::DesksetCfg,
                   [](EditorHost& host, QWidget* parent) { return new DesksetCfgFV(host, parent); });
    registerEditor(EditorKind::Channel,
                   [](EditorHost& host, QWidget* parent) { return new channel::ChanCfgFV(host, parent); });
    registerEditor(EditorKind::Buttons,
                   [](EditorHost& host, QWidget* parent) { return new DesksetButtonsCfgFV(host, parent); });
    registerEditor(EditorKind::CustomPagingTones,
                   [](EditorHost& host, QWidget* parent) { return new CustomPageListFV(host, parent); });
    registerEditor(EditorKind::SpeedPaging,
                   [](EditorHost& host, QWidget* parent) { return new SpeedPageListFV(host, parent); });
    registerEditor(EditorKind::PagingFormats, [](EditorHost& host, QWidget* parent) {
        return new paging::ManualPageListFV(host, parent);
    });
    registerEditor(EditorKind::PttAliases,
                   [](EditorHost& host, QWidget* parent) { return new AliasListFV(host, parent); });
}

} // namespace trv::editors
