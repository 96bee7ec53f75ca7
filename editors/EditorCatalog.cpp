#include "editors/EditorCatalog.h"

#include "editors/aliases/AliasListFV.h"
#include "editors/aliases/AliasTexts.h"
#include "editors/buttons/ButtonTexts.h"
#include "editors/buttons/DesksetButtonsCfgFV.h"
#include "editors/channel/ChanCfgFV.h"
#include "editors/channel/ChanConfigPage.h"
#include "editors/channel/ChannelTexts.h"
#include "editors/customtones/CustomPageListFV.h"
#include "editors/customtones/CustomTonesTexts.h"
#include "editors/deskset/DesksetCfgFV.h"
#include "editors/deskset/DesksetTexts.h"
#include "editors/paging/ManualPageListFV.h"
#include "editors/paging/PagingTexts.h"
#include "editors/speedpaging/SpeedPageListFV.h"
#include "editors/speedpaging/SpeedPagingTexts.h"

#include <QLatin1String>

#include <algorithm>

namespace trv::editors {
namespace {

template <class View> EditorView* make(EditorHost& host, QWidget* parent)
{
    return new View(host, parent);
}

using K = EditorKind;
namespace ctext = channel::text;
constexpr int kChannelHelp = channel::ChanConfigPage::kHelpContext;

// The channel windows share one view class: the document's next channel index tells the view which
// channel it shows.
constexpr EditorDescriptor kCatalog[] = {
    {K::DesksetCfg, 0, 200, deskset::text::kTitle, 125, false, &db::kDesksetSettings, &make<DesksetCfgFV>},
    {K::Channel, 1, 201, ctext::kTreeItems[0], kChannelHelp, true, &db::kChannels, &make<channel::ChanCfgFV>},
    {K::Channel, 2, 202, ctext::kTreeItems[1], kChannelHelp, true, &db::kChannels, &make<channel::ChanCfgFV>},
    {K::Channel, 3, 203, ctext::kTreeItems[2], kChannelHelp, true, &db::kChannels, &make<channel::ChanCfgFV>},
    {K::Channel, 4, 204, ctext::kTreeItems[3], kChannelHelp, true, &db::kChannels, &make<channel::ChanCfgFV>},
    {K::Buttons, 0, 205, buttons::text::kTitle, 45, true, &db::kButtonTable, &make<DesksetButtonsCfgFV>},
    {K::PagingFormats, 0, 206, paging::text::kTitle, 74, false, &db::kPagingFormats,
     &make<paging::ManualPageListFV>},
    {K::SpeedPaging, 0, 207, speedpaging::text::kTitle, 107, true, &db::kSpeedPages, &make<SpeedPageListFV>},
    {K::CustomPagingTones, 0, 208, customtones::text::kTitle, 76, false, &db::kCustomTones,
     &make<CustomPageListFV>},
    {K::PttAliases, 0, 210, aliases::text::kTitle, 108, false, &db::kPttAliases, &make<AliasListFV>},
};

template <typename Pred> const EditorDescriptor* findIf(Pred pred)
{
    const auto it = std::find_if(std::begin(kCatalog), std::end(kCatalog), pred);
    return it == std::end(kCatalog) ? nullptr : &*it;
}

} // namespace

std::span<const EditorDescriptor> editorCatalog()
{
    return kCatalog;
}

const EditorDescriptor* findEditor(EditorKind kind, int channel)
{
    return findIf([&](const EditorDescriptor& e) { return e.kind == kind && e.channel == channel; });
}

const EditorDescriptor* findEditorByCommand(int command)
{
    return findIf([&](const EditorDescriptor& e) { return e.command == command; });
}

const EditorDescriptor* findEditorByTreeLabel(QStringView label)
{
    return findIf([&](const EditorDescriptor& e) { return label == e.treeLabel; });
}

ViewFactory viewFactory(EditorKind kind)
{
    const EditorDescriptor* editor = findIf([&](const EditorDescriptor& e) { return e.kind == kind; });
    return editor ? editor->create : nullptr;
}

} // namespace trv::editors
