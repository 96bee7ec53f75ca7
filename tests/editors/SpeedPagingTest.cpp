// The speed paging window and its editor: the sorted, packed table and the Speed Page buttons that
// follow every move (checked byte for byte), the digit rules per format type, the refusals, the
// 250-page limit, and a random walk of adds, renames and deletes against a simple model. Texts,
// offsets and bytes are written out here, independently of the headers.
#include "editors/common/ButtonTable.h"
#include "editors/common/EditorDialog.h"
#include "editors/speedpaging/DigitRules.h"
#include "editors/speedpaging/SpeedPageListFV.h"
#include "editors/speedpaging/SpeedPages.h"
#include "tests/editors/EditorFixture.h"

#include <QTreeWidget>

#include <map>
#include <random>

using namespace trv;
using editors::EditorDialog;
using editors::EditorKind;
using editors::SpeedPageListFV;
using platform::MsgAnswer;
using platform::MsgIcon;

namespace {

constexpr int kPages = 0x0EF8;
constexpr int kPageSize = 25;
constexpr int kFormats = 0x0800;
constexpr int kFormatSize = 24;
constexpr int kButtons = 0x0080;
constexpr int kAliases = 0x2762;

constexpr const char* kLabel = "&Label";
constexpr const char* kFormat = "&Paging format";
constexpr const char* kDigits = "&Digit sequence / Custom page label";
constexpr const char* kFillAll = "All the fields must be filled out before you can continue.";
constexpr const char* kOnButton =
    "Warning : This speed page is associated with a button.\n\nYou can't delete it while it is associated "
    "with a button.\nYou will have to remove the button association in order\nto be able to delete this "
    "format.";

db::Image& image()
{
    return db::theImage();
}

void putFormat(int index, const char* label, int type)
{
    db::writeText(image(), kFormats + kFormatSize * index, 8, label);
    image()[static_cast<std::size_t>(kFormats + kFormatSize * index + 8)] = static_cast<std::uint8_t>(type);
}

void putPage(int record, const std::string& label, int format, const std::string& digits)
{
    const int at = kPages + kPageSize * record;
    db::writeText(image(), at, 8, label);
    image()[static_cast<std::size_t>(at + 8)] = static_cast<std::uint8_t>(format);
    db::writeText(image(), at + 9, 16, digits);
}

std::string pageLabel(int record)
{
    return db::readText(image(), kPages + kPageSize * record, 8);
}

// The 25 bytes a page written by the editor holds.
std::vector<std::uint8_t> pageBytes(const std::string& label, int format, const std::string& digits)
{
    std::vector<std::uint8_t> bytes(25, 0);
    std::copy(label.begin(), label.end(), bytes.begin());
    bytes[8] = static_cast<std::uint8_t>(format);
    std::copy(digits.begin(), digits.end(), bytes.begin() + 9);
    return bytes;
}

std::vector<std::uint8_t> recordBytes(int record)
{
    const auto at = image().begin() + kPages + kPageSize * record;
    return {at, at + kPageSize};
}

void setButton(int k, int kind, int parameter)
{
    image()[static_cast<std::size_t>(kButtons + 2 * k)] = static_cast<std::uint8_t>(kind);
    image()[static_cast<std::size_t>(kButtons + 2 * k + 1)] = static_cast<std::uint8_t>(parameter);
}

std::pair<int, int> buttonAt(int k)
{
    return {image()[static_cast<std::size_t>(kButtons + 2 * k)],
            image()[static_cast<std::size_t>(kButtons + 2 * k + 1)]};
}

class SpeedPagingTest : public test::EditorFixture {
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        putFormat(0, "FIRE", 13);   // Motorola 5 Tone: five digits
        putFormat(2, "DTMF1", 18);  // DTMF
        putFormat(3, "CUSTOM", 20); // Custom Page Tone
    }
    void TearDown() override
    {
        EditorDialog::setHook({});
        EditorFixture::TearDown();
    }
    SpeedPageListFV* open() { return view = openView<SpeedPageListFV>(); }
    QTreeWidget* list() const { return frame->findChild<QTreeWidget*>(); }
    QStringList column(int c) const
    {
        QStringList texts;
        for (int r = 0; r < list()->topLevelItemCount(); ++r)
            texts << list()->topLevelItem(r)->text(c);
        return texts;
    }
    QString selected() const { return list()->currentItem() ? list()->currentItem()->text(0) : QString(); }
    void selectRow(int row) { list()->setCurrentItem(list()->topLevelItem(row)); }
    QLineEdit* edit(const char* label) { return labelled<QLineEdit>(label); }
    void clickOk() { click(button<QPushButton>("OK")); }

    // Runs Add or Edit with the dialog driven by `steps`.
    void runEditor(const char* command, const std::function<void()>& steps)
    {
        bool ran = false;
        EditorDialog::setHook([&](EditorDialog& dialog) {
            ran = true;
            EXPECT_EQ(dialog.windowTitle(), "Edit Speed Page");
            steps();
        });
        click(button(command));
        EXPECT_TRUE(ran);
    }
    // Adds or edits a page through the dialog, typing every field.
    void store(const char* command, const char* label, const char* format, const char* digits)
    {
        runEditor(command, [&] {
            typeInto(edit(kLabel), label);
            pick(labelled<QComboBox>(kFormat), format);
            typeInto(edit(kDigits), digits);
            clickOk();
        });
    }
    // The record map of the last announced speed page change.
    std::vector<int> lastMoves() const
    {
        EXPECT_FALSE(host.imageChanges.empty());
        if (host.imageChanges.empty())
            return {};
        const auto& change = host.imageChanges.back();
        EXPECT_EQ(change.change.area, editors::ChangedArea::SpeedPages);
        EXPECT_EQ(change.source, view);
        return change.change.recordMap;
    }
    static std::vector<int> identityWith(std::initializer_list<std::pair<int, int>> moved)
    {
        std::vector<int> map(250);
        for (int r = 0; r < 250; ++r)
            map[static_cast<std::size_t>(r)] = r;
        for (auto [from, to] : moved)
            map[static_cast<std::size_t>(from)] = to;
        return map;
    }

    SpeedPageListFV* view = nullptr;
};

TEST(DigitRules, EachFormatTypeTakesItsCharactersAndLengthsAndNamesThemInItsMessage)
{
    const char* hex = "This tone format digit sequence requires 4 hexadecimal characters.";
    const struct {
        std::vector<int> types;
        std::vector<const char*> pass;
        std::vector<const char*> fail;
        const char* message;
    } rules[] = {
        {{10},
         {"123"},
         {"12", "1234", "12A"},
         "The Motorola 1+1 format digit sequence requires 3 numerical characters."},
        {{11},
         {"12AB", "B0A9"},
         {"12C4", "123", "12AB5"},
         "The Motorola 2+2 format digit sequence requires 4 numerical characters or \"A\"  and  \"B\"."},
        {{12},
         {"999"},
         {"99", "9999", "9A9"},
         "The GE 99 format digit sequence requires 3 numerical characters."},
        {{13},
         {"12345"},
         {"1234", "123456", "1234A"},
         "The Motorola 5 format digit sequence requires 5 numerical characters."},
        {{14},
         {"12345"},
         {"123456", "1234"},
         "The Motorola 6 format digit sequence requires 5 numerical characters."},
        {{15},
         {"00000"},
         {"0000", "0000A"},
         "The NEC 5 format digit sequence requires 5 numerical characters."},
        {{16},
         {"99999"},
         {"999999", "9999"},
         "The NEC 6 format digit sequence requires 5 numerical characters."},
        {{17},
         {"000"},
         {"00", "0000", "00A"},
         "The Reach format digit sequence requires 3 numerical characters."},
        {{18},
         {"1", "12*#", "ABCD0123456789*#"},
         {"", "12E", "ABCD0123456789*#1", "1a"},
         "This DTMF format digit sequence requires from 1 to 16 numerical characters or \"A\" to \"D\", "
         "\"*\" or "
         "\"#\".\n\n"},
        {{19},
         {"1", "1234567890123456"},
         {"", "12345678901234567", "1A"},
         "The Pulse Tone format Digit Sequence requires from 1 to 16 numerical characters."},
        {{20},
         {"1", "99"},
         {"", "123", "A"},
         "You must enter 1 or 2 numerical characters for the custom format digit sequence."},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 21, 22, 255},
         {"0A1F", "FFFF", "0000"},
         {"0A1", "0A1G", "0A1F0", "0a1f"},
         hex},
    };
    for (const auto& r : rules) {
        for (int type : r.types) {
            const editors::speedpaging::DigitRule& rule = editors::speedpaging::digitRuleFor(type);
            EXPECT_EQ(rule.message, QLatin1StringView(r.message)) << type;
            for (const char* digits : r.pass)
                EXPECT_TRUE(rule.accepts(QString::fromLatin1(digits))) << type << " " << digits;
            for (const char* digits : r.fail)
                EXPECT_FALSE(rule.accepts(QString::fromLatin1(digits))) << type << " " << digits;
        }
    }
}

TEST_F(SpeedPagingTest, AddingKeepsTheTableSortedAndTheButtonsOnTheirPages)
{
    open();
    EXPECT_EQ(column(0), QStringList{"<No paging format defined>"});
    EXPECT_EQ(frame->windowTitle(), "Speed Paging");
    store("&Add", "B", "FIRE (Motorola 5 Tone)", "12345");
    setButton(3, 5, 1); // calls B
    setButton(4, 4, 1); // a paging format button: never renumbered
    store("&Add", "C", "DTMF1 (DTMF Page Format)", "12*#");
    store("&Add", "A", "CUSTOM (Custom Page Tone)", "7");

    EXPECT_EQ(recordBytes(0), pageBytes("A", 3, "7"));
    EXPECT_EQ(recordBytes(1), pageBytes("B", 0, "12345"));
    EXPECT_EQ(recordBytes(2), pageBytes("C", 2, "12*#"));
    EXPECT_EQ(image()[kPages + 3 * kPageSize], 0);
    EXPECT_EQ(buttonAt(3), std::make_pair(5, 2));
    EXPECT_EQ(buttonAt(4), std::make_pair(4, 1));
    EXPECT_EQ(lastMoves(), identityWith({{0, 1}, {1, 2}, {2, 0}}));
    EXPECT_EQ(column(0), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(column(1), (QStringList{"CUSTOM (Custom Page Tone)", "FIRE (Motorola 5 Tone)",
                                      "DTMF1 (DTMF Page Format)"}));
    EXPECT_EQ(selected(), "C"); // the last row after an Add
    EXPECT_TRUE(host.doc.isModified());
}

TEST_F(SpeedPagingTest, RenamingMovesThePageAndEveryButtonFollows)
{
    for (int r = 0; r < 3; ++r)
        putPage(r, std::string(1, static_cast<char>('A' + r)), 0, "11111");
    setButton(0, 5, 1);
    setButton(1, 5, 2);
    setButton(2, 5, 3);
    setButton(3, 5, 4); // no page there: left as it is
    open();
    runEditor("&Edit", [&] {
        EXPECT_EQ(edit(kLabel)->text(), "A");
        EXPECT_EQ(labelled<QComboBox>(kFormat)->currentText(), "FIRE (Motorola 5 Tone)");
        typeInto(edit(kLabel), "D");
        clickOk();
    });
    EXPECT_EQ(recordBytes(0), pageBytes("B", 0, "11111"));
    EXPECT_EQ(recordBytes(1), pageBytes("C", 0, "11111"));
    EXPECT_EQ(recordBytes(2), pageBytes("D", 0, "11111"));
    const std::pair<int, int> buttons[] = {{5, 3}, {5, 1}, {5, 2}, {5, 4}};
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(buttonAt(k), buttons[k]) << k;
    EXPECT_EQ(lastMoves(), identityWith({{0, 2}, {1, 0}, {2, 1}}));
    EXPECT_EQ(selected(), "B"); // the same row position after an Edit
}

TEST_F(SpeedPagingTest, DeletingPacksTheTableAndRenumbersTheButtonsBehindIt)
{
    for (int r = 0; r < 5; ++r)
        putPage(r, std::string(1, static_cast<char>('A' + r)), 2, std::string(r + 1, '9'));
    // Parameters past the five records in use and 255 decrease as well.
    const int parameters[] = {1, 3, 4, 5, 9, 255};
    for (int k = 0; k < 6; ++k)
        setButton(k, 5, parameters[k]);
    open();
    selectRow(1);
    boxes.expectAny(MsgAnswer::Yes);
    click(button("&Delete"));

    EXPECT_EQ(recordBytes(1), pageBytes("C", 2, "999"));
    EXPECT_EQ(recordBytes(2), pageBytes("D", 2, "9999"));
    EXPECT_EQ(recordBytes(3), pageBytes("E", 2, "99999"));
    std::vector<std::uint8_t> freed = pageBytes("E", 2, "99999");
    freed[0] = 0; // only the first byte of the last moved record's old place
    EXPECT_EQ(recordBytes(4), freed);
    const std::pair<int, int> buttons[] = {{5, 1}, {5, 2}, {5, 3}, {5, 4}, {5, 8}, {5, 254}};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(buttonAt(k), buttons[k]) << k;
    EXPECT_EQ(lastMoves(), identityWith({{1, -1}, {2, 1}, {3, 2}, {4, 3}}));
    EXPECT_EQ(column(0), (QStringList{"A", "C", "D", "E"}));
    EXPECT_EQ(selected(), "C");
    EXPECT_TRUE(host.doc.isModified());
}

// The guard reads both tables: the image's and an open buttons editor's unsaved one. A page the
// editor has just taken off a button stays, since the editor's Cancel gives it back.
TEST_F(SpeedPagingTest, DeleteIsRefusedForAPageOnAButtonOfEitherTable)
{
    putPage(0, "A", 0, "11111");
    putPage(1, "B", 0, "22222");
    putPage(2, "C", 0, "33333");
    setButton(5, 5, 2); // the image: B is on button 6
    editors::ButtonEntries working = editors::imageButtonTable(image());
    working[10] = 0; // the open buttons editor has removed it...
    working[11] = 255;
    working[0] = 5; // ...and put A on button 1
    working[1] = 1;
    host.workingButtons = working;
    open();
    const db::Image before = image();
    for (int row : {0, 1}) {
        boxes.clearSeen();
        boxes.expectAny(MsgAnswer::Ok);
        selectRow(row);
        click(button("&Delete"));
        ASSERT_EQ(boxes.seen().size(), 1u) << row;
        EXPECT_EQ(boxes.seen()[0].text, kOnButton);
        EXPECT_EQ(boxes.seen()[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(image(), before);
        EXPECT_EQ(selected(), row == 0 ? "A" : "B");
    }

    selectRow(2);
    boxes.expectAny(MsgAnswer::Yes);
    click(button("&Delete")); // C
    EXPECT_EQ(pageLabel(2), "");
    EXPECT_EQ(buttonAt(5), std::make_pair(5, 2));
}

TEST_F(SpeedPagingTest, DeletingTheOnlyPageShowsThePlaceholder)
{
    putPage(0, "A", 0, "11111");
    open();
    boxes.expectAny(MsgAnswer::Yes);
    click(button("&Delete"));
    EXPECT_EQ(column(0), QStringList{"<No paging format defined>"});
    EXPECT_FALSE(button("&Edit")->isEnabled());
    EXPECT_FALSE(button("&Delete")->isEnabled());
}

// With every record in use a delete moves 249 records and stops at the end of the table: the PTT ID
// alias that follows it keeps its label.
TEST_F(SpeedPagingTest, FullTableDisablesAddAndADeleteStopsAtItsLastRecord)
{
    for (int r = 0; r < 250; ++r)
        putPage(r, "P" + std::to_string(1000 + r), 0, "12345");
    db::writeText(image(), kAliases, 12, "ALIAS");
    open();
    EXPECT_FALSE(button("&Add")->isEnabled());
    boxes.expectAny(MsgAnswer::Yes);
    click(button("&Delete")); // P1000
    EXPECT_EQ(pageLabel(0), "P1001");
    EXPECT_EQ(pageLabel(248), "P1249");
    EXPECT_EQ(pageLabel(249), "");
    EXPECT_EQ(db::readText(image(), kAliases, 12), "ALIAS");
    EXPECT_TRUE(button("&Add")->isEnabled());
    store("&Add", "P0", "FIRE (Motorola 5 Tone)", "54321");
    EXPECT_EQ(pageLabel(0), "P0");
    EXPECT_EQ(pageLabel(249), "P1249");
    EXPECT_FALSE(button("&Add")->isEnabled());
    EXPECT_EQ(db::readText(image(), kAliases, 12), "ALIAS");
}

// Each refusal keeps the dialog open, points at its field and writes nothing.
TEST_F(SpeedPagingTest, OkRefusesEmptyFieldsNoFormatBadDigitsAndATakenLabel)
{
    putPage(0, "LOST", 20, "11111"); // a format index past the table: no format
    putPage(1, "TAKEN", 0, "11111");
    putPage(2, "ZED", 0, "11111");
    open();
    EXPECT_EQ(column(1), (QStringList{"", "FIRE (Motorola 5 Tone)", "FIRE (Motorola 5 Tone)"}));
    const struct {
        int row;
        const char* label;
        const char* digits;
        const char* message;
        const char* focus;
        MsgIcon icon;
    } cases[] = {
        {-1, "", "12345", kFillAll, kLabel, MsgIcon::None},
        {-1, "NEW", "", kFillAll, kDigits, MsgIcon::None},
        {0, "LOST", "12345", kFillAll, kFormat, MsgIcon::None},
        {-1, "NEW", "1234", "The Motorola 5 format digit sequence requires 5 numerical characters.", kDigits,
         MsgIcon::None},
        {-1, "TAKEN", "12345", "This label already exists.", kLabel, MsgIcon::Exclamation},
        {2, "TAKEN", "12345", "This label already exists.", kLabel, MsgIcon::Exclamation},
    };
    const db::Image before = image();
    for (const auto& c : cases) {
        boxes.clearSeen();
        boxes.expectAny(MsgAnswer::Ok);
        if (c.row >= 0)
            selectRow(c.row);
        runEditor(c.row >= 0 ? "&Edit" : "&Add", [&] {
            typeInto(edit(kLabel), c.label);
            typeInto(edit(kDigits), c.digits);
            clickOk();
            ASSERT_EQ(boxes.seen().size(), 1u) << c.message;
            EXPECT_EQ(boxes.seen()[0].text, c.message);
            EXPECT_EQ(boxes.seen()[0].icon, c.icon);
            QWidget* focus = labelled(c.focus);
            EXPECT_EQ(focus->window()->focusWidget(), focus) << c.message;
            if (auto* field = qobject_cast<QLineEdit*>(focus)) {
                EXPECT_EQ(field->selectedText(), field->text());
            }
        });
        EXPECT_EQ(image(), before) << c.message;
    }
}

TEST_F(SpeedPagingTest, DigitsAreUpperCasedAsTypedAndLabelsCompareCaseSensitively)
{
    putFormat(1, "MOT22", 11);
    open();
    store("&Add", "abc", "MOT22 (Motorola 2+2)", "12ab");
    store("&Add", "ABC", "MOT22 (Motorola 2+2)", "ba12");
    EXPECT_TRUE(boxes.seen().empty());
    EXPECT_EQ(recordBytes(0), pageBytes("ABC", 1, "BA12"));
    EXPECT_EQ(recordBytes(1), pageBytes("abc", 1, "12AB"));
}

TEST_F(SpeedPagingTest, OpenDisablesTheButtonsItemUntilTheWindowClosesAndF1OpensEachContext)
{
    putPage(0, "A", 0, "11111");
    open();
    ASSERT_EQ(host.callsOf("setTreeItemDisabled").size(), 1u);
    EXPECT_EQ(host.callsOf("setTreeItemDisabled")[0].argument,
              static_cast<int>(EditorKind::Buttons) * 10 + 1);
    QTest::keyClick(list(), Qt::Key_F1);
    runEditor("&Edit", [&] { QTest::keyClick(edit(kLabel), Qt::Key_F1); });
    const auto help = host.callsOf("showHelp");
    ASSERT_EQ(help.size(), 2u);
    EXPECT_EQ(help[0].argument, 107);
    EXPECT_EQ(help[1].argument, 106);

    click(button("Close"));
    EXPECT_TRUE(frameClosed());
    ASSERT_EQ(host.callsOf("setTreeItemDisabled").size(), 2u);
    EXPECT_EQ(host.callsOf("setTreeItemDisabled")[1].argument, static_cast<int>(EditorKind::Buttons) * 10);
}

// A random walk of adds, renames and deletes, with buttons reassigned now and then: after every step
// the table is packed, sorted, unique and equal to the model, and every Speed Page button calls the
// page it called before (or became undefined when its page was deleted).
TEST(SpeedPages, RandomOperationsKeepTheTableSortedPackedAndTheButtonsOnTheirPages)
{
    namespace sp = editors::speedpaging;
    db::closeDatabase();
    db::newDatabase();
    std::mt19937 random(20261208);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    auto randomLabel = [&] {
        static const std::string alphabet = "aAbB0z";
        std::string label(static_cast<std::size_t>(1 + pick(3)), ' ');
        for (char& c : label)
            c = alphabet[static_cast<std::size_t>(pick(static_cast<int>(alphabet.size())))];
        return label;
    };
    std::map<std::string, std::pair<int, std::string>> model; // label -> format, digits
    std::vector<std::string> buttons(18);                     // the label a Speed Page button calls
    auto indexOf = [&](const std::string& label) {
        return static_cast<int>(std::distance(model.begin(), model.find(label)));
    };

    for (int step = 0; step < 2000; ++step) {
        const int n = static_cast<int>(model.size());
        const int op = pick(10);
        if (op < 5 || n == 0) { // add
            const std::string label = randomLabel();
            if (model.count(label) || n == 250)
                continue;
            const sp::SpeedPage page{label, pick(16), std::to_string(pick(100000))};
            sp::storeSpeedPage(image(), -1, page);
            model[label] = {page.formatIndex, page.digits};
        } else if (op < 7) { // rename
            const int record = pick(n);
            const std::string label = randomLabel();
            if (model.count(label) && indexOf(label) != record)
                continue;
            auto old = std::next(model.begin(), record);
            const sp::SpeedPage page{label, old->second.first, old->second.second};
            for (std::string& b : buttons)
                if (b == old->first)
                    b = label;
            model.erase(old);
            model[label] = {page.formatIndex, page.digits};
            sp::storeSpeedPage(image(), record, page);
        } else if (op < 9) { // delete
            const int record = pick(n);
            auto old = std::next(model.begin(), record);
            for (std::string& b : buttons)
                if (b == old->first)
                    b.clear();
            model.erase(old);
            sp::deleteSpeedPage(image(), record);
        } else { // a button calls another page
            const int k = pick(18);
            const int record = pick(n);
            buttons[static_cast<std::size_t>(k)] = std::next(model.begin(), record)->first;
            setButton(k, 5, record + 1);
        }

        int record = 0;
        for (const auto& [label, page] : model) {
            ASSERT_EQ(recordBytes(record), pageBytes(label, page.first, page.second)) << "step " << step;
            ++record;
        }
        for (; record < 250; ++record)
            ASSERT_EQ(image()[static_cast<std::size_t>(kPages + kPageSize * record)], 0) << "step " << step;
        for (int k = 0; k < 18; ++k) {
            const std::string& calls = buttons[static_cast<std::size_t>(k)];
            const std::pair<int, int> expected =
                calls.empty() ? std::make_pair(0, 255) : std::make_pair(5, indexOf(calls) + 1);
            ASSERT_EQ(buttonAt(k), expected) << "step " << step << " button " << k;
        }
    }
    EXPECT_GT(model.size(), 20u);
    db::closeDatabase();
}

} // namespace
