// The catalogue of editor windows: each window as the tree, the commands and the help file know it,
// written out here on purpose, and the view its entry builds.
#include "editors/EditorCatalog.h"
#include "tests/editors/EditorFixture.h"

namespace trv::editors {
namespace {

using K = EditorKind;

class EditorCatalogTest : public test::EditorFixture {};

// In tree order: every window, no tool window (Check Database, Fleet) among them; each found by
// its kind and channel, its command and its label, and each building a view of its kind on its
// channel that names the same tree item and opens the same help page.
TEST_F(EditorCatalogTest, EachWindowIsOneEntryThatBuildsItsView)
{
    const struct {
        EditorKind kind;
        int channel;
        int command;
        const char* label;
        int help;
    } expected[] = {
        {K::DesksetCfg, 0, 200, "Deskset Configuration", 125},
        {K::Channel, 1, 201, "Channel 1", 126},
        {K::Channel, 2, 202, "Channel 2", 126},
        {K::Channel, 3, 203, "Channel 3", 126},
        {K::Channel, 4, 204, "Channel 4", 126},
        {K::Buttons, 0, 205, "Buttons Configuration", 45},
        {K::PagingFormats, 0, 206, "Paging Formats", 74},
        {K::SpeedPaging, 0, 207, "Speed Paging", 107},
        {K::CustomPagingTones, 0, 208, "Custom Paging Tones", 76},
        {K::PttAliases, 0, 210, "PTT ID Aliases", 108},
    };
    const std::span<const EditorDescriptor> catalog = editorCatalog();
    ASSERT_EQ(catalog.size(), std::size(expected));
    for (std::size_t k = 0; k < catalog.size(); ++k) {
        const EditorDescriptor& editor = catalog[k];
        const auto& want = expected[k];
        SCOPED_TRACE(want.label);
        EXPECT_EQ(editor.kind, want.kind);
        EXPECT_EQ(editor.channel, want.channel);
        EXPECT_EQ(editor.command, want.command);
        EXPECT_EQ(editor.treeLabel, QLatin1StringView(want.label));
        EXPECT_EQ(editor.helpContext, want.help);
        EXPECT_EQ(findEditor(want.kind, want.channel), &editor);
        EXPECT_EQ(findEditorByCommand(want.command), &editor);
        EXPECT_EQ(findEditorByTreeLabel(QString::fromLatin1(want.label)), &editor);

        host.doc.setNextChannelIndex(want.channel - 1);
        EditorView* view = editor.create(host, nullptr);
        ASSERT_NE(view, nullptr);
        show(view);
        EXPECT_EQ(view->kind(), want.kind);
        EXPECT_EQ(view->channelIndex(), want.channel - 1);
        EXPECT_EQ(view->treeLabel(), want.label);
        EXPECT_EQ(view->helpContext(), want.help);
        frame->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(findEditor(K::Channel, 0), nullptr) << "a channel window has its channel";
    EXPECT_EQ(findEditorByTreeLabel(u"Paging"), nullptr) << "a folder of the tree";
}

} // namespace
} // namespace trv::editors
