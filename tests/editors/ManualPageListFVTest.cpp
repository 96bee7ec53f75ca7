// The paging formats window: rows, placeholder and buttons, the 16-record limit, Add into the freed
// record, the delete guards in their order, duplicate labels, unknown types and full-width labels.
#include "tests/editors/PagingTestSupport.h"

#include <QLineEdit>

using namespace trv;
using namespace trv::test;
using editors::EditorDialog;
using editors::EditorKind;

namespace {

const char* const kSpeedPageWarning =
    "Warning : This format is used by at least one speed page.\n\nYou can't delete it while it is used by a "
    "speed page.\nYou will have to delete all speed pages using this format\nin order to be able to delete "
    "it.";
const char* const kButtonWarning =
    "Warning : This manual page is associated with a button.\n\nYou can't delete it while it is associated "
    "with "
    "a button.\nYou will have to remove the button association in order\nto be able to delete this format.";

void putSpeedPage(int record, const char* label, int format)
{
    db::writeText(db::theImage(), 0x0EF8 + 25 * record, 8, label);
    db::theImage()[0x0EF8 + 25 * record + 8] = static_cast<std::uint8_t>(format);
}

void putButton(editors::ButtonEntries& buttons, int k, int kind, int parameter)
{
    buttons[2 * k] = static_cast<std::uint8_t>(kind);
    buttons[2 * k + 1] = static_cast<std::uint8_t>(parameter);
}

class ManualPageListFVTest : public PagingFixture {};

TEST_F(ManualPageListFVTest, AnEmptyTableShowsOnlyThePlaceholder)
{
    openList();
    EXPECT_EQ(frame->windowTitle(), "Paging Formats");
    EXPECT_EQ(rowTexts(), QStringList{"<No paging format defined>"});
    EXPECT_TRUE(button("&Add")->isEnabled());
    EXPECT_FALSE(button("&Edit")->isEnabled());
    EXPECT_FALSE(button("&Delete")->isEnabled());
    EXPECT_EQ(list()->headerItem()->text(0), "Label");
    EXPECT_EQ(list()->headerItem()->text(1), "Base Format");
}

// Rows in record order with the type's name: an unnamed type shows no name, and neither it nor
// type 21 opens an editor. Labels of 8 characters are shown whole, without the type byte after them.
TEST_F(ManualPageListFVTest, RowsShowLabelsAndTypeNamesAndOnlyEditableTypesOpenAnEditor)
{
    putFormat(9, "Zulu", 13);
    putFormat(2, "Alpha", 21);
    putFormat(5, "EIGHTCHR", 19);
    putFormat(7, "Odd", 200);
    openList();
    EXPECT_EQ(rowTexts(), (QStringList{"Alpha", "EIGHTCHR", "Odd", "Zulu"}));
    EXPECT_EQ(rowTexts(1), (QStringList{"Plectron Two Tone", "Pulse Page Format", "", "Motorola 5 Tone"}));
    EXPECT_EQ(currentRow(), 0);

    driveDialogs({});
    for (int row : {0, 2}) {
        selectRow(row);
        click(button("&Edit"));
    }
    EXPECT_EQ(dialogsRun, 0);
    QString label;
    driveDialogs({[&](EditorDialog& d) { label = labelledIn<QLineEdit>(&d, "&Label")->text(); }});
    selectRow(1);
    click(button("&Edit"));
    EXPECT_EQ(label, "EIGHTCHR");
}

// Edit opens the last record with the row's label, Delete clears the first.
TEST_F(ManualPageListFVTest, DuplicateLabelsOfALoadedImageEditTheLastAndDeleteTheFirst)
{
    putFormat(2, "Dup", 13);
    putFormat(6, "Dup", 15);
    putFormat(9, "Last", 0);
    putFormat(11, "Twin", 0);
    putFormat(12, "Twin", 0);
    openList();
    QString title;
    boxes.expectAny(platform::MsgAnswer::Ok);
    driveDialogs({[&](EditorDialog& d) {
        title = d.windowTitle();
        typeInto(labelledIn<QLineEdit>(&d, "&Preamble duration (ms)"), "7");
        pressIn(&d, "OK"); // record 2 has the same label
        EXPECT_EQ(boxes.seen().back().text, "This label already exists.");
        typeInto(labelledIn<QLineEdit>(&d, "&Label"), "Dup2");
        pressIn(&d, "OK");
    }});
    selectRow(0);
    click(button("&Edit"));
    EXPECT_EQ(title, "NEC 5 Tone Paging Format");
    EXPECT_EQ(db::theImage()[pagingByte(6, 0x09)], 7);
    EXPECT_EQ(rowTexts(), (QStringList{"Dup", "Dup2", "Last", "Twin", "Twin"}));
    EXPECT_EQ(currentRow(), 1) << "the edited record's row is selected again";

    boxes.expectAny(platform::MsgAnswer::Yes);
    selectRow(4);
    click(button("&Delete"));
    EXPECT_EQ(db::theImage()[pagingByte(11, 0)], 0);
    EXPECT_EQ(db::readText(db::theImage(), pagingByte(12, 0), 8), "Twin");
}

// The speed page guard comes first; a button of kind 4 with parameter p protects record p - 1; the
// buttons are read from the host: the image's table and the buttons editor's working table when it
// is open, which may have taken a button off a format that its Cancel would give back.
TEST_F(ManualPageListFVTest, DeleteGuardsInTheirOrder)
{
    for (int k = 0; k < 5; ++k)
        putFormat(k, std::string(1, static_cast<char>('A' + k)).c_str(), 13);
    putSpeedPage(10, "Speed", 0);
    putSpeedPage(11, "", 1); // a free speed page protects nothing
    editors::ButtonEntries saved = editors::imageButtonTable(db::theImage());
    putButton(saved, 2, 4, 3); // record 2, in the image only
    editors::writeImageButtonTable(db::theImage(), saved);
    editors::ButtonEntries buttons = saved;
    putButton(buttons, 2, 0, 255);
    putButton(buttons, 3, 4, 1); // record 0
    putButton(buttons, 7, 4, 2); // record 1
    putButton(buttons, 8, 5, 4); // a speed page button: not a format reference
    host.workingButtons = buttons;
    openList();

    const db::Image before = db::theImage();
    struct Case {
        int row;
        const char* warning;
    };
    for (const Case& c : {Case{0, kSpeedPageWarning}, Case{1, kButtonWarning}, Case{2, kButtonWarning}}) {
        boxes.expectAny(platform::MsgAnswer::Ok);
        selectRow(c.row);
        click(button("&Delete"));
        EXPECT_EQ(boxes.seen().back().text, c.warning);
        EXPECT_EQ(boxes.seen().back().icon, platform::MsgIcon::Exclamation);
        EXPECT_EQ(db::theImage(), before);
        EXPECT_EQ(currentRow(), c.row);
    }
    boxes.expectAny(platform::MsgAnswer::Yes);
    selectRow(3); // record 3: kind 5 parameter 4 is not a format reference
    click(button("&Delete"));
    EXPECT_EQ(boxes.seen().back().text, "Are you sure you want to delete the selected item?");
    EXPECT_EQ(rowTexts(), (QStringList{"A", "B", "C", "E"}));
}

// Delete clears only the label's first byte and the type; other records stay where they are.
TEST_F(ManualPageListFVTest, DeleteClearsTheLabelByteAndTypeAndSelectsTheSamePosition)
{
    for (int k = 0; k < 6; ++k)
        putFormat(k, ("Fmt" + std::to_string(k)).c_str(), 10 + k);
    for (int b = 9; b < 24; ++b)
        db::theImage()[pagingByte(3, b)] = 0x77;
    db::Image expected = db::theImage();
    expected[pagingByte(3, 0)] = 0;
    expected[pagingByte(3, 8)] = 0;
    openList();
    boxes.expectAny(platform::MsgAnswer::Yes);
    selectRow(3);
    click(button("&Delete"));
    EXPECT_EQ(db::theImage(), expected);
    EXPECT_TRUE(host.doc.isModified());
    EXPECT_EQ(rowTexts(), (QStringList{"Fmt0", "Fmt1", "Fmt2", "Fmt4", "Fmt5"}));
    EXPECT_EQ(currentRow(), 3);
    EXPECT_EQ(host.callsOf("refreshSpeedPagingItem").size(), 1u);
    EXPECT_TRUE(host.callsOf("closeEditor").empty()) << "formats remain";
    ASSERT_EQ(host.imageChanges.size(), 1u);
    EXPECT_EQ(host.imageChanges[0].change.area, editors::ChangedArea::PagingFormats);
    EXPECT_TRUE(host.imageChanges[0].change.recordMap.empty()) << "records never move";
}

// Deleting the last format closes the speed paging window and leaves the placeholder.
TEST_F(ManualPageListFVTest, DeletingTheLastFormatClosesSpeedPaging)
{
    putFormat(4, "Only", 0);
    host.openEditors = {EditorKind::SpeedPaging};
    openList();
    boxes.expectAny(platform::MsgAnswer::Yes);
    click(button("&Delete"));
    EXPECT_EQ(rowTexts(), QStringList{"<No paging format defined>"});
    ASSERT_EQ(host.callsOf("closeEditor").size(), 1u);
    EXPECT_EQ(host.callsOf("closeEditor")[0].argument, static_cast<int>(EditorKind::SpeedPaging));
    const auto refresh = host.callsOf("refreshSpeedPagingItem");
    ASSERT_EQ(refresh.size(), 1u);
    EXPECT_EQ(refresh[0].image[pagingByte(4, 0)], 0) << "the tree sees the format gone";
}

// Sixteen formats disable Add; a delete enables it and the next Add fills the freed record.
TEST_F(ManualPageListFVTest, AddFillsTheFreedRecordOfAFullTable)
{
    for (int k = 0; k < 16; ++k)
        putFormat(k, ("F" + std::to_string(k)).c_str(), 0);
    openList();
    EXPECT_FALSE(button("&Add")->isEnabled());
    boxes.expectAny(platform::MsgAnswer::Yes);
    selectRow(11);
    click(button("&Delete"));
    EXPECT_TRUE(button("&Add")->isEnabled());

    QStringList entries;
    driveDialogs({[&](EditorDialog& d) {
                      auto* protocols = d.findChild<QComboBox*>();
                      for (int i = 0; i < protocols->count(); ++i)
                          entries << protocols->itemText(i);
                      EXPECT_EQ(protocols->currentIndex(), 0);
                      EXPECT_EQ(d.windowTitle(), "Paging Format Protocols");
                      choose("Radio Check")(d);
                  },
                  [&](EditorDialog& d) {
                      QTest::keyClicks(labelledIn<QLineEdit>(&d, "&Label"), "New");
                      pressIn(&d, "OK");
                  }});
    host.calls.clear();
    click(button("&Add"));
    EXPECT_EQ(entries, (QStringList{"Call Alert",      "Custom Page",    "DTMF Paging",    "GE Type 99",
                                    "Manual RAC",      "Motorola 1 + 1", "Motorola 2 + 2", "Motorola 5 Tone",
                                    "Motorola 6 Tone", "NEC 5 Tone",     "NEC 6 Tone",     "Pulse Page",
                                    "Radio Check",     "Radio Disable",  "Radio Enable",   "Reach Tone",
                                    "Remote Monitor",  "Repeat Disable", "Repeat Enable",  "Stat Request",
                                    "Voice Alert"}));
    EXPECT_EQ(db::readText(db::theImage(), pagingByte(11, 0), 8), "New");
    EXPECT_EQ(db::theImage()[pagingByte(11, 8)], 2);
    EXPECT_FALSE(button("&Add")->isEnabled());
    EXPECT_EQ(list()->currentItem()->text(0), "F15") << "the last row after an Add";
    EXPECT_EQ(host.callsOf("refreshSpeedPagingItem").size(), 1u);
    const auto notified = host.callsOf("notifyImageChanged");
    ASSERT_EQ(notified.size(), 1u);
    EXPECT_EQ(notified[0].image[pagingByte(11, 0)], 'N') << "others are told after the write";
}

// Cancelling the protocol choice or the editor writes nothing.
TEST_F(ManualPageListFVTest, CancelledAddWritesNothing)
{
    openList();
    const db::Image before = db::theImage();
    driveDialogs({[](EditorDialog& d) { pressIn(&d, "Cancel"); }});
    click(button("&Add"));
    driveDialogs({choose("Call Alert"), [](EditorDialog& d) {
                      QTest::keyClicks(labelledIn<QLineEdit>(&d, "&Label"), "X");
                      pressIn(&d, "Cancel");
                  }});
    click(button("&Add"));
    EXPECT_EQ(db::theImage(), before);
    EXPECT_FALSE(host.doc.isModified());
    EXPECT_TRUE(host.callsOf("refreshSpeedPagingItem").empty());
    EXPECT_TRUE(host.imageChanges.empty());
}

} // namespace
