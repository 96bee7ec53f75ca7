#include "app/EditorCommands.h"

#include "app/Commands.h"

#include <algorithm>

namespace trv::app {
namespace {

using editors::EditorKind;

struct ViewMenuItem {
    EditorKind kind;
    int channel;
    int viewMenuId; // of menu 129
};

constexpr ViewMenuItem kViewMenuItems[] = {
    {EditorKind::DesksetCfg, 0, cmd::kViewDeskset},
    {EditorKind::Channel, 1, cmd::kViewChannel1},
    {EditorKind::Channel, 2, cmd::kViewChannel2},
    {EditorKind::Channel, 3, cmd::kViewChannel3},
    {EditorKind::Channel, 4, cmd::kViewChannel4},
    {EditorKind::Buttons, 0, cmd::kViewButtons},
    {EditorKind::PagingFormats, 0, cmd::kViewPagingFormats},
    {EditorKind::SpeedPaging, 0, cmd::kViewSpeedPaging},
    {EditorKind::CustomPagingTones, 0, cmd::kViewCustomTones},
    {EditorKind::PttAliases, 0, cmd::kViewPttAliases},
};

} // namespace

int viewMenuIdOf(const editors::EditorDescriptor& editor)
{
    const auto it =
        std::find_if(std::begin(kViewMenuItems), std::end(kViewMenuItems), [&](const ViewMenuItem& item) {
            return item.kind == editor.kind && item.channel == editor.channel;
        });
    return it == std::end(kViewMenuItems) ? 0 : it->viewMenuId;
}

const editors::EditorDescriptor* editorOfViewMenuId(int id)
{
    const auto it = std::find_if(std::begin(kViewMenuItems), std::end(kViewMenuItems),
                                 [id](const ViewMenuItem& item) { return item.viewMenuId == id; });
    return it == std::end(kViewMenuItems) ? nullptr : editors::findEditor(it->kind, it->channel);
}

} // namespace trv::app
