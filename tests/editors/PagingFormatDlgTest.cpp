// The paging format editors: every format type's new record, byte for byte; every field's own
// bytes; the duration and label rules.
#include "tests/editors/PagingTestSupport.h"

#include "database/FieldCatalog.h"
#include "editors/paging/FormatEditors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <set>
#include <sstream>

using namespace trv;
using namespace trv::test;
using editors::EditorDialog;

namespace {

// The parameter bytes 0x09-0x17 of a new format as hex, "--" where the editor writes nothing.
struct NewFormat {
    const char* addEntry;
    int type;
    const char* title;
    const char* baseFormat;
    int helpContext;
    const char* parameters;
};

const NewFormat kNewFormats[] = {
    {"Voice Alert", 0, "Voice Alert", "Voice Alert", 169, "-- -- -- -- -- -- -- -- -- -- -- -- -- -- --"},
    {"Call Alert", 1, "Call Alert Paging Format", "Call Alert", 136,
     "00 -- -- -- -- -- -- -- -- -- -- -- -- -- --"},
    {"Radio Check", 2, "Radio Check", "Radio Check", 159, "-- -- -- -- -- -- -- -- -- -- -- -- -- -- --"},
    {"Remote Monitor", 3, "Remote Monitor Paging Format", "Remote Monitor", 165,
     "00 00 -- -- -- -- -- -- -- -- -- -- -- -- --"},
    {"Radio Enable", 4, "Radio Enable", "Radio Enable", 161, "-- -- -- -- -- -- -- -- -- -- -- -- -- -- --"},
    {"Radio Disable", 5, "Radio Disable", "Radio Disable", 160,
     "-- -- -- -- -- -- -- -- -- -- -- -- -- -- --"},
    {"Manual RAC", 6, "Manual RAC", "Manual RAC", 132, "-- -- -- -- -- -- -- -- -- -- -- -- -- -- --"},
    {"Stat Request", 7, "Status Request", "Status Request", 168,
     "-- -- -- -- -- -- -- -- -- -- -- -- -- -- --"},
    {"Repeat Enable", 8, "Repeater Enable", "Repeater Enable", 167,
     "-- -- -- -- -- -- -- -- -- -- -- -- -- -- --"},
    {"Repeat Disable", 9, "Repeater Disable", "Repeater Disable", 166,
     "-- -- -- -- -- -- -- -- -- -- -- -- -- -- --"},
    {"Motorola 1 + 1", 10, "Motorola 1 + 1 Paging Format", "Motorola 1+1", 131,
     "00 E8 03 B8 0B 00 00 B8 0B 40 1F -- -- -- --"},
    {"Motorola 2 + 2", 11, "Motorola 2 + 2 Paging Format", "Motorola 2+2", 141,
     "00 E2 04 E8 03 00 00 B8 0B 40 1F -- -- -- --"},
    {"GE Type 99", 12, "GE Type 99 Paging Format", "GE Type 99", 133,
     "00 E8 03 E8 03 C8 00 B8 0B -- -- -- -- -- --"},
    {"Motorola 5 Tone", 13, "Motorola 5 Tone", "Motorola 5 Tone", 142,
     "00 A1 02 41 00 21 00 -- -- -- -- -- -- -- --"},
    {"Motorola 6 Tone", 14, "Motorola 6 Tone Paging Format", "Motorola 6 Tone", 143,
     "00 A1 02 41 00 21 00 41 00 -- -- -- -- -- --"},
    {"NEC 5 Tone", 15, "NEC 5 Tone Paging Format", "NEC 5 Tone", 156,
     "A1 02 41 00 21 00 -- -- -- -- -- -- -- -- --"},
    {"NEC 6 Tone", 16, "NEC 6 Tone Paging Format", "NEC 6 Tone", 157,
     "A1 02 41 00 21 00 41 00 -- -- -- -- -- -- --"},
    {"Reach Tone", 17, "Reach Tone Paging Format", "Reach Tone", 162,
     "D0 07 E8 03 00 00 D0 07 -- -- -- -- -- -- --"},
    {"DTMF Paging", 18, "DTMF Paging Format", "DTMF Page Format", 134,
     "3C 00 28 00 F4 01 -- -- -- -- -- -- -- -- --"},
    {"Pulse Page", 19, "Pulse Paging Format", "Pulse Page Format", 158,
     "98 3A 20 03 27 00 3D 00 20 03 88 13 -- -- --"},
    {"Custom Page", 20, "Custom Paging Tones", "Custom Paging Tones", 76,
     "-- -- -- -- -- -- -- -- -- -- -- -- -- -- --"},
};

constexpr std::uint8_t kFill = 0xAA;

// Record 0 free (label byte 0) and every other byte of it kFill, so untouched bytes show.
void fillRecordZero()
{
    for (int b = 1; b < 24; ++b)
        db::theImage()[pagingByte(0, b)] = kFill;
}

std::vector<int> recordBytes(int record)
{
    std::vector<int> bytes;
    for (int b = 0; b < 24; ++b)
        bytes.push_back(db::theImage()[pagingByte(record, b)]);
    return bytes;
}

class PagingFormatDlgTest : public PagingFixture {};

// Each row's controls name every field of its type's catalogue layout exactly once, so OK writes
// exactly the layout's bytes; rows without controls have no layout.
TEST(FormatEditorTable, ControlsCoverTheCatalogueLayoutOfTheirType)
{
    namespace p = editors::paging;
    ASSERT_EQ(p::formatEditors().size(), 21u);
    for (const p::FormatEditor& editor : p::formatEditors()) {
        SCOPED_TRACE(editor.type);
        EXPECT_EQ(p::formatEditor(editor.type), &editor);
        const db::AreaLayout* layout = db::fields::formatParameters.layoutFor(editor.type);
        std::multiset<const db::Field*> shown;
        for (const p::ParameterControl& control : editor.controls) {
            const db::Field* field = p::parameterField(editor, control);
            ASSERT_NE(field, nullptr) << control.field;
            shown.insert(field);
        }
        ASSERT_EQ(layout == nullptr, editor.controls.empty());
        if (layout) {
            EXPECT_EQ(shown.size(), layout->fields.size());
            for (const db::Field& field : layout->fields)
                EXPECT_EQ(shown.count(&field), 1u) << field.name;
        }
    }
    EXPECT_EQ(p::formatEditor(21), nullptr);
    EXPECT_EQ(p::formatEditor(255), nullptr);
    EXPECT_EQ(p::formatTypeName(21), "Plectron Two Tone");
    EXPECT_EQ(p::formatTypeName(22), "");
}

TEST_F(PagingFormatDlgTest, EveryTypeWritesItsLabelTypeAndDefaultsAndNothingElse)
{
    for (const NewFormat& format : kNewFormats) {
        SCOPED_TRACE(format.addEntry);
        db::closeDatabase();
        db::newDatabase();
        fillRecordZero();
        openList();
        QString title, base;
        int help = 0;
        bool baseShownWhole = false;
        driveDialogs({choose(format.addEntry), [&](EditorDialog& d) {
                          title = d.windowTitle();
                          auto* baseField = labelledIn<QLineEdit>(&d, "Base format");
                          base = baseField->text();
                          // From its first letter, with room for all of it ("Custom Paging Tones").
                          baseShownWhole =
                              baseField->cursorPosition() == 0 &&
                              baseField->width() >= baseField->fontMetrics().horizontalAdvance(base) + 8;
                          help = d.helpContext();
                          QTest::keyClicks(labelledIn<QLineEdit>(&d, "&Label"), "Fmt");
                          pressIn(&d, "OK");
                      }});
        click(button("&Add"));
        EXPECT_EQ(dialogsRun, 2);
        EXPECT_EQ(title, format.title);
        EXPECT_EQ(base, format.baseFormat);
        EXPECT_TRUE(baseShownWhole);
        EXPECT_EQ(help, format.helpContext);

        std::vector<int> expected = {'F', 'm', 't', 0, 0, 0, 0, 0, format.type};
        std::istringstream parameters(format.parameters);
        for (std::string byte; parameters >> byte;)
            expected.push_back(byte == "--" ? kFill : std::stoi(byte, nullptr, 16));
        EXPECT_EQ(recordBytes(0), expected);
        EXPECT_TRUE(host.doc.isModified());
        area.closeAllSubWindows();
    }
}

// One parameter control set to a new value: exactly the field's bytes change.
struct FieldEdit {
    int type;
    const char* label;
    const char* input; // list: the entry; check box: "toggle"; duration: the digits typed
    int offset;
    std::vector<int> bytes;
};

const FieldEdit kFieldEdits[] = {
    {1, "Use &short call alert", "toggle", 0x09, {0}},
    {3, "&Silent monitor", "toggle", 0x09, {0}},
    {3, "&Transmit time multiplier", " 6", 0x0A, {6}},
    {10, "&Code plan", "W", 0x09, {19}},
    {10, "&Group call delay (ms)", "60000", 0x12, {0x60, 0xEA}},
    {10, "&Inhibit delay (ms)", "3", 0x10, {3, 0}},
    {10, "Tone &1 duration (ms)", "1000", 0x0A, {0xE8, 0x03}},
    {10, "Intertone &delay (ms)", "0", 0x0E, {0, 0}},
    {10, "Tone &2 duration (ms)", "256", 0x0C, {0, 1}},
    {11, "&Code plan", "Z", 0x09, {2}},
    {11, "&Group call delay (ms)", "8000", 0x12, {0x40, 0x1F}},
    {11, "&Inhibit delay (ms)", "1", 0x10, {1, 0}},
    {11, "Tone &1 duration (ms)", "1250", 0x0A, {0xE2, 0x04}},
    {11, "Intertone &delay (ms)", "2", 0x0E, {2, 0}},
    {11, "Tone &2 duration (ms)", "4", 0x0C, {4, 0}},
    {12, "&Code plan", "Z400", 0x09, {3}},
    {12, "&Inhibit delay (ms)", "5", 0x10, {5, 0}},
    {12, "Tone &1 duration (ms)", "6", 0x0A, {6, 0}},
    {12, "Intertone &delay (ms)", "200", 0x0E, {0xC8, 0}},
    {12, "Tone &2 duration (ms)", "7", 0x0C, {7, 0}},
    {13, "&M5 preamble", "9", 0x09, {9}},
    {13, "&Preamble duration (ms)", "673", 0x0A, {0xA1, 0x02}},
    {13, "&Gap duration (ms)", "65", 0x0C, {0x41, 0}},
    {13, "&Tone duration (ms)", "33", 0x0E, {0x21, 0}},
    {14, "&M6 preamble", "0", 0x09, {0}},
    {14, "&Preamble duration (ms)", "8", 0x0A, {8, 0}},
    {14, "&Gap 1 duration (ms)", "9", 0x0C, {9, 0}},
    {14, "&Tone duration (ms)", "10", 0x0E, {10, 0}},
    {14, "&XTone or gap duration (ms)", "11", 0x10, {11, 0}},
    {15, "&Preamble duration (ms)", "12", 0x09, {12, 0}},
    {15, "&Gap duration (ms)", "13", 0x0B, {13, 0}},
    {15, "&Tone duration (ms)", "14", 0x0D, {14, 0}},
    {16, "&Preamble duration (ms)", "15", 0x09, {15, 0}},
    {16, "&Gap 1 duration (ms)", "16", 0x0B, {16, 0}},
    {16, "&Tone duration (ms)", "17", 0x0D, {17, 0}},
    {16, "&XTone or gap duration (ms)", "18", 0x0F, {18, 0}},
    {17, "&Inhibit delay (ms)", "19", 0x0F, {19, 0}},
    {17, "Tone &1 duration (ms)", "20", 0x09, {20, 0}},
    {17, "Intertone &delay (ms)", "21", 0x0D, {21, 0}},
    {17, "Tone &2 duration (ms)", "22", 0x0B, {22, 0}},
    {18, "&Inhibit delay (ms)", "23", 0x0D, {23, 0}},
    {18, "&Tone duration (ms)", "24", 0x09, {24, 0}},
    {18, "Intertone &delay (ms)", "25", 0x0B, {25, 0}},
    {19, "&Standard tone (Hz)", "2805", 0x09, {0x92, 0x6D}},
    {19, "H&eader timing (ms)", "26", 0x0B, {26, 0}},
    {19, "&Pulse on timing (ms)", "27", 0x0D, {27, 0}},
    {19, "P&ulse off timing (ms)", "28", 0x0F, {28, 0}},
    {19, "Pulse intertone &delay (ms)", "29", 0x11, {29, 0}},
    {19, "&Trailer (ms)", "30", 0x13, {30, 0}},
};

// Every parameter byte of the edited record holds 1: durations show 257, lists their second entry,
// check boxes are checked; the pulse tone (257) has no entry and must stay as it is.
TEST_F(PagingFormatDlgTest, EditingOneFieldChangesExactlyItsBytes)
{
    for (const FieldEdit& edit : kFieldEdits) {
        SCOPED_TRACE(edit.label);
        SCOPED_TRACE(edit.type);
        db::closeDatabase();
        db::newDatabase();
        putFormat(3, "Other", 0);
        putFormat(5, "Edited", edit.type);
        for (int b = 9; b < 24; ++b)
            db::theImage()[pagingByte(5, b)] = 1;
        std::vector<int> expected = recordBytes(5);
        std::copy(edit.bytes.begin(), edit.bytes.end(), expected.begin() + edit.offset);
        const db::Image before = db::theImage();

        openList();
        selectRow(1);
        driveDialogs({[&](EditorDialog& d) {
            QWidget* control = labelledIn(&d, edit.label);
            if (auto* box = qobject_cast<QCheckBox*>(control))
                box->click();
            else if (auto* list = qobject_cast<QComboBox*>(control))
                list->setCurrentIndex(list->findText(QString::fromLatin1(edit.input)));
            else if (auto* text = qobject_cast<QLineEdit*>(control))
                EditorFixture::typeInto(text, QString::fromLatin1(edit.input));
            pressIn(&d, "OK");
        }});
        click(button("&Edit"));
        EXPECT_EQ(dialogsRun, 1);
        EXPECT_EQ(recordBytes(5), expected);
        db::Image after = db::theImage();
        for (int b = 0; b < 24; ++b)
            after[pagingByte(5, b)] = before[pagingByte(5, b)];
        EXPECT_EQ(after, before) << "bytes outside the edited record changed";
        area.closeAllSubWindows();
    }
}

class DurationTest : public PagingFixture {
protected:
    // Opens a new Motorola 5 Tone editor and runs `drive` in it.
    void openNew(std::function<void(EditorDialog&)> drive)
    {
        openList();
        driveDialogs({choose("Motorola 5 Tone"), std::move(drive)});
        click(button("&Add"));
    }
};

TEST_F(DurationTest, TheKeystrokeThatLeavesTheRangeIsRefusedAndTheMaximumSelected)
{
    boxes.expectAny(platform::MsgAnswer::Ok);
    openNew([&](EditorDialog& d) {
        auto* tone = labelledIn<QLineEdit>(&d, "&Tone duration (ms)");
        typeInto(tone, "");
        for (const char* digit : {"7", "0", "0", "0"})
            QTest::keyClicks(tone, digit);
        EXPECT_TRUE(boxes.seen().empty()) << "7000 is in range";
        QTest::keyClicks(tone, "0");
        ASSERT_EQ(boxes.seen().size(), 1u);
        EXPECT_EQ(boxes.seen()[0].text, "Please enter a number between 0 and 60000.");
        EXPECT_EQ(tone->text(), "60000");
        EXPECT_EQ(tone->selectedText(), "60000");
        EXPECT_EQ(d.focusWidget(), tone);
        QTest::keyClicks(tone, "x"); // digits only: replaces nothing
        EXPECT_EQ(tone->text(), "60000");
        QTest::keyClicks(labelledIn<QLineEdit>(&d, "&Label"), "M5");
        pressIn(&d, "OK");
    });
    EXPECT_EQ(db::theImage()[pagingByte(0, 0x0E)], 0x60);
    EXPECT_EQ(db::theImage()[pagingByte(0, 0x0F)], 0xEA);
}

// Typing in a duration reads every field in form order, as OK begins: the first failure (here an
// earlier, empty field) is shown and gets the focus with its text selected; the field typed in is
// clamped only when it is itself above the range.
TEST_F(DurationTest, TypingReadsEveryFieldAndPointsAtTheFirstFailure)
{
    boxes.expectAny(platform::MsgAnswer::Ok, 2);
    openNew([&](EditorDialog& d) {
        auto* preamble = labelledIn<QLineEdit>(&d, "&Preamble duration (ms)");
        auto* tone = labelledIn<QLineEdit>(&d, "&Tone duration (ms)");
        typeInto(preamble, ""); // empty while typing: no reading yet
        EXPECT_TRUE(boxes.seen().empty());
        typeInto(tone, "5");
        ASSERT_EQ(boxes.seen().size(), 1u);
        EXPECT_EQ(boxes.seen()[0].text, "Please enter a number.");
        EXPECT_EQ(d.focusWidget(), preamble) << "the failing field, not the one typed in";
        EXPECT_EQ(tone->text(), "5");

        tone->setText("6000");
        QTest::keyClicks(tone, "1"); // 60001: the earlier failure is shown, this one clamped
        ASSERT_EQ(boxes.seen().size(), 2u);
        EXPECT_EQ(boxes.seen()[1].text, "Please enter a number.");
        EXPECT_EQ(tone->text(), "60000");
        EXPECT_EQ(d.focusWidget(), tone);
        EXPECT_EQ(tone->selectedText(), "60000");
        pressIn(&d, "Cancel");
    });
}

// OK checks the durations in form order before the label; a refusal keeps the dialog open and
// the image untouched.
TEST_F(DurationTest, AnEmptyDurationIsRefusedBeforeTheLabel)
{
    boxes.expectAny(platform::MsgAnswer::Ok, 2);
    const db::Image before = db::theImage();
    openNew([&](EditorDialog& d) {
        auto* gap = labelledIn<QLineEdit>(&d, "&Gap duration (ms)");
        typeInto(gap, "");
        pressIn(&d, "OK");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), gap);
        typeInto(gap, "5");
        pressIn(&d, "OK"); // now the empty label
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(db::theImage(), before);
        pressIn(&d, "Cancel");
    });
    ASSERT_EQ(boxes.seen().size(), 2u);
    EXPECT_EQ(boxes.seen()[0].text, "Please enter a number.");
    EXPECT_EQ(boxes.seen()[1].text, "You must enter a label name.");
    EXPECT_EQ(boxes.seen()[1].icon, platform::MsgIcon::None);
    EXPECT_EQ(db::theImage(), before);
    EXPECT_FALSE(host.doc.isModified());
}

// The label rules: not another record's label (exact, case-sensitive), the edited record excluded,
// at most 8 characters.
struct LabelCase {
    const char* typed;
    const char* refusal; // nullptr: accepted
    const char* stored;
};

TEST_F(DurationTest, LabelRules)
{
    const LabelCase cases[] = {
        {"Fire", "This label already exists.", nullptr},
        {"FIRE", nullptr, "FIRE"},
        {"Mine", nullptr, "Mine"}, // its own label
        {"ABCDEFGHIJ", nullptr, "ABCDEFGH"},
    };
    for (const LabelCase& c : cases) {
        SCOPED_TRACE(c.typed);
        db::closeDatabase();
        db::newDatabase();
        putFormat(0, "Fire", 13);
        putFormat(4, "Mine", 13);
        if (c.refusal)
            boxes.expectAny(platform::MsgAnswer::Ok);
        openList();
        selectRow(1);
        driveDialogs({[&](EditorDialog& d) {
            auto* label = labelledIn<QLineEdit>(&d, "&Label");
            typeInto(label, QString::fromLatin1(c.typed));
            pressIn(&d, "OK");
            if (c.refusal) {
                EXPECT_TRUE(d.isVisible());
                EXPECT_EQ(d.focusWidget(), label);
                EXPECT_EQ(label->selectedText(), label->text());
                pressIn(&d, "Cancel");
            }
        }});
        click(button("&Edit"));
        if (c.refusal) {
            ASSERT_FALSE(boxes.seen().empty());
            EXPECT_EQ(boxes.seen().back().text, c.refusal);
            EXPECT_EQ(db::readText(db::theImage(), pagingByte(4, 0), 8), "Mine");
        } else {
            // An 8-character label fills the slot with no terminating zero.
            std::string stored(reinterpret_cast<const char*>(&db::theImage()[pagingByte(4, 0)]), 8);
            EXPECT_EQ(stored, std::string(c.stored) + std::string(8 - std::strlen(c.stored), '\0'));
        }
        area.closeAllSubWindows();
    }
}

} // namespace
