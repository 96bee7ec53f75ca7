// The toolkit's bindings, each kind over a real control and a catalogue field: load, refusal with
// the control to focus, store, and what a list or radio group stores with nothing selected.
#include "editors/common/Bindings.h"
#include "database/FieldCatalog.h"
#include "database/NewDatabase.h"
#include "editors/common/CharacterFilter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace trv;
using namespace trv::editors;
namespace f = db::fields;

namespace {

class BindingsTest : public ::testing::Test {
protected:
    BindingsTest() { db::newDatabase(image); }

    QWidget form;
    db::Image image{};
};

constexpr int kChannel3 = 2;

TEST_F(BindingsTest, ListSelectsByStoredValueAndAppliesItsNoSelectionRule)
{
    struct Case {
        NoSelection none;
        int stored;   // a value with no entry
        int expected; // what store writes back
    };
    const Case cases[] = {{NoSelection::keepStored(), 64, 64},
                          {NoSelection::write(0xFF), 64, 0xFF},
                          {NoSelection::write(0), 0x80, 0}};
    for (const Case& c : cases) {
        auto* box = new QComboBox(&form);
        ListBinding list(box, f::txLevel, numberChoices(-30, 11), c.none);
        ASSERT_EQ(box->count(), 42);
        db::writeField(image, f::txLevel, -1, kChannel3);
        list.load(image, kChannel3);
        EXPECT_EQ(box->currentText(), "-1"); // the whole value, never "-10"
        box->setCurrentIndex(box->findText("-30"));
        list.store(image, kChannel3);
        EXPECT_EQ(image[0x0480 + 0xC3], 0xE2);

        image[0x0480 + 0xC3] = static_cast<std::uint8_t>(c.stored);
        list.load(image, kChannel3);
        EXPECT_EQ(box->currentIndex(), -1);
        list.store(image, kChannel3);
        EXPECT_EQ(image[0x0480 + 0xC3], c.expected);
    }
}

// Lists that find a stored value's entry by another rule: the value as shown (divided by the
// scale) or the first text that begins with it; a value neither rule finds selects nothing.
TEST_F(BindingsTest, ListMatchersFindTheEntryAsTheListShowsIt)
{
    struct Case {
        ListBinding::Matcher matcher;
        ListEntries entries;
        int stored;
        const char* selected; // "" for no selection
    };
    const ListEntries tones = scaledChoices({0, 16500, 20500}, 10, "None");
    const Case cases[] = {
        {ListBinding::matchScaled(10), tones, 16505, "1650"},
        {ListBinding::matchScaled(10), tones, 1650, ""},
        {ListBinding::matchScaled(10), tones, 5, "None"},
        {ListBinding::matchTextPrefix(), numberChoices(2, 17), 1, "10"},
        {ListBinding::matchTextPrefix(), numberChoices(2, 17), 3, "3"},
        {ListBinding::matchTextPrefix(), numberChoices(2, 17), 0, ""},
    };
    for (const Case& c : cases) {
        auto* box = new QComboBox(&form);
        ListBinding list(box, f::functionToneFrequency, c.entries, NoSelection::write(0));
        list.setMatcher(c.matcher);
        db::writeField(image, f::functionToneFrequency, c.stored);
        list.load(image, 0);
        EXPECT_EQ(box->currentText(), QString::fromLatin1(c.selected)) << c.stored;
    }
}

TEST_F(BindingsTest, ChoicesAndScaledEntriesShowTheirTexts)
{
    auto* box = new QComboBox(&form);
    ListBinding list(box, f::interfaceType, choicesOf(f::interfaceType), NoSelection::keepStored());
    list.load(image, 0);
    EXPECT_EQ(box->currentText(), "4 Wires");
    const ListEntries tones = scaledChoices({0, 5500, 16500}, 10, "None");
    EXPECT_EQ(tones[0].text, "None");
    EXPECT_EQ(tones[2].text, "1650");
    EXPECT_EQ(scaledChoices({-11, 25}, 2)[0].text, "-5.5");
}

TEST_F(BindingsTest, RadioGroupChecksTheStoredValueAndStoresTheCheckedOne)
{
    auto* none = new QRadioButton(&form);
    auto* alert = new QRadioButton(&form);
    RadioGroupBinding group({{none, 0}, {alert, 1}}, f::signalingType, NoSelection::keepStored());
    group.load(image, 1);
    EXPECT_TRUE(none->isChecked());
    alert->setChecked(true);
    group.store(image, 1);
    EXPECT_EQ(image[0x02C0 + 0x110], 1);
    image[0x02C0 + 0x110] = 9;
    group.load(image, 1);
    EXPECT_FALSE(none->isChecked() || alert->isChecked());
    group.store(image, 1);
    EXPECT_EQ(image[0x02C0 + 0x110], 9);
}

TEST_F(BindingsTest, CheckBoxStoresZeroOrOneInItsElement)
{
    auto* box = new QCheckBox(&form);
    CheckBinding relay3(box, f::relayLatching, 2);
    relay3.load(image, 0);
    EXPECT_FALSE(box->isChecked());
    box->setChecked(true);
    relay3.store(image, 0);
    EXPECT_EQ(image[0x1C], 1);
    EXPECT_EQ(image[0x1B], 0);
}

TEST_F(BindingsTest, NumberRefusesTextThenRangeAndStoresScaled)
{
    auto* edit = new QLineEdit(&form);
    NumberBinding hz(
        edit, f::tptFrequency,
        {.minimum = 200, .maximum = 3400, .outOfRange = "range", .notNumber = "number", .scale = 10});
    hz.load(image, 0);
    EXPECT_EQ(edit->text(), "900");
    struct Case {
        const char* text;
        const char* refusal; // empty: accepted
    };
    const Case cases[] = {{"", "number"},   {"12a", "number"}, {"99999999999", "number"},
                          {"-5", "number"}, {"3401", "range"}, {"199", "range"},
                          {"3400", ""}};
    FieldBindings set;
    set.add<NumberBinding>(
        edit, f::tptFrequency,
        NumberBinding::Rules{
            .minimum = 200, .maximum = 3400, .outOfRange = "range", .notNumber = "number", .scale = 10});
    for (const Case& c : cases) {
        edit->setText(c.text);
        const std::optional<Refusal> refusal = set.check();
        EXPECT_EQ(refusal ? refusal->message.toStdString() : "", c.refusal) << c.text;
        if (refusal) {
            EXPECT_EQ(refusal->focus, edit);
        }
    }
    set.store(image, 0);
    EXPECT_EQ(db::readField(image, f::tptFrequency), 34000);
}

TEST_F(BindingsTest, SignedAndHexadecimalNumbers)
{
    auto* level = new QLineEdit(&form);
    auto* rac = new QLineEdit(&form);
    FieldBindings set;
    set.add<NumberBinding>(
        level, f::hlgtLevel,
        NumberBinding::Rules{.minimum = -30, .maximum = 10, .outOfRange = "level", .allowMinus = true});
    set.add<NumberBinding>(
        rac, db::fields::detail::kStatAlertFields[5],
        NumberBinding::Rules{.minimum = 0, .maximum = 0xFFFF, .outOfRange = "rac", .base = 16});
    for (const char* bad : {"5-", "--3", "-"}) {
        level->setText(bad);
        rac->setText("0");
        ASSERT_TRUE(set.check()) << bad;
        EXPECT_EQ(set.check()->message, "level") << bad;
    }
    level->setText("-30");
    rac->setText("ffff");
    EXPECT_FALSE(set.check());
    set.store(image, 3);
    EXPECT_EQ(image[0x0640 + 0xD6], 0xE2);
    EXPECT_EQ(db::readField(image, db::fields::detail::kStatAlertFields[5], 3), 0xFFFF);
}

// Field by field shows the first field's refusal even when it is only out of range; pass by pass
// reads every field first.
TEST_F(BindingsTest, CheckOrderDecidesWhichRefusalComesFirst)
{
    auto* first = new QLineEdit(&form);
    auto* second = new QLineEdit(&form);
    FieldBindings set;
    set.add<NumberBinding>(
        first, f::voiceAnnotation,
        NumberBinding::Rules{.maximum = 60, .outOfRange = "first range", .notNumber = "not a number"});
    set.add<NumberBinding>(
        second, f::transmitDelay,
        NumberBinding::Rules{.maximum = 500, .outOfRange = "second range", .notNumber = "not a number"});
    first->setText("61");
    second->setText("x");
    EXPECT_EQ(set.check(CheckOrder::FieldByField)->focus, first);
    EXPECT_EQ(set.check(CheckOrder::PassByPass)->focus, second);
}

TEST_F(BindingsTest, TextIsLimitedToItsSlotAndMayBeRequired)
{
    auto* edit = new QLineEdit(&form);
    TextBinding label(edit, f::frequencyLabel, "empty", 1);
    EXPECT_EQ(edit->maxLength(), 12);
    label.load(image, 0);
    EXPECT_EQ(edit->text(), "Freq 2");
    edit->clear();
    ASSERT_TRUE(label.check(CheckPass::Read));
    edit->setText("ABCDEFGHIJKL");
    EXPECT_FALSE(label.check(CheckPass::Read));
    label.store(image, 0);
    EXPECT_EQ(db::readFieldText(image, f::frequencyLabel, 0, 1), "ABCDEFGHIJKL");
    EXPECT_EQ(image[0x0100 + 24], 'F'); // the next slot is untouched
}

TEST_F(BindingsTest, CharacterFilterKeepsTheLongestAllowedPrefixInUpperCase)
{
    auto* edit = new QLineEdit(&form);
    CharacterFilter filter(edit, "0123456789ABCDEF");
    QTest::keyClicks(edit, "12g");
    EXPECT_EQ(edit->text(), "12");
    edit->insert("G4"); // pasted: the refused character and everything after it go
    EXPECT_EQ(edit->text(), "12");
    EXPECT_EQ(edit->cursorPosition(), 2);
    edit->clear();
    QTest::keyClicks(edit, "1a");
    EXPECT_EQ(edit->text(), "1A");
    filter.setAllowed("0123456789ABCD*#");
    EXPECT_EQ(edit->text(), "1A");
    QTest::keyClicks(edit, "*9#Z");
    EXPECT_EQ(edit->text(), "1A*9#");
    edit->setText("12EF"); // a loaded value is shown as stored until filtered again
    EXPECT_EQ(edit->text(), "12EF");
    filter.apply();
    EXPECT_EQ(edit->text(), "12");
}

} // namespace
