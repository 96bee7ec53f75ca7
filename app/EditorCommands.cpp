#include "app/EditorCommands.h"

#include "app/Commands.h"
#include "app/ShellTexts.h"

#include <QString>

#include <algorithm>

namespace trv::app {
namespace {

using editors::EditorKind;

const EditorEntry kEntries[] = {
    {text::kTreeDeskset, cmd::kEditDeskset, cmd::kViewDeskset, EditorKind::DesksetCfg, 0, false},
    {text::kTreeChannel1, cmd::kEditChannel1, cmd::kViewChannel1, EditorKind::Channel, 1, true},
    {text::kTreeChannel2, cmd::kEditChannel1 + 1, cmd::kViewChannel2, EditorKind::Channel, 2, true},
    {text::kTreeChannel3, cmd::kEditChannel1 + 2, cmd::kViewChannel3, EditorKind::Channel, 3, true},
    {text::kTreeChannel4, cmd::kEditChannel1 + 3, cmd::kViewChannel4, EditorKind::Channel, 4, true},
    {text::kTreeButtons, cmd::kEditButtons, cmd::kViewButtons, EditorKind::Buttons, 0, true},
    {text::kTreePagingFormats, cmd::kEditPagingFormats, cmd::kViewPagingFormats, EditorKind::PagingFormats, 0,
     false},
    {text::kTreeSpeedPaging, cmd::kEditSpeedPaging, cmd::kViewSpeedPaging, EditorKind::SpeedPaging, 0, true},
    {text::kTreeCustomTones, cmd::kEditCustomTones, cmd::kViewCustomTones, EditorKind::CustomPagingTones, 0,
     false},
    {text::kTreePttAliases, cmd::kEditPttAliases, cmd::kViewPttAliases, EditorKind::PttAliases, 0, false},
};

template <typename Pred> const EditorEntry* findEntry(Pred pred)
{
    const auto it = std::find_if(std::begin(kEntries), std::end(kEntries), pred);
    return it == std::end(kEntries) ? nullptr : &*it;
}

} // namespace

std::span<const EditorEntry> editorEntries()
{
    return kEntries;
}

const EditorEntry* entryByLabel(const QString& label)
{
    return findEntry([&](const EditorEntry& e) { return label == e.label; });
}

const EditorEntry* entryByCommand(int command)
{
    return findEntry([&](const EditorEntry& e) { return e.command == command; });
}

const EditorEntry* entryByViewMenuId(int id)
{
    return findEntry([&](const EditorEntry& e) { return e.viewMenuId == id; });
}

const EditorEntry* entryByKind(editors::EditorKind kind, int channel)
{
    return findEntry([&](const EditorEntry& e) { return e.kind == kind && e.channel == channel; });
}

} // namespace trv::app
