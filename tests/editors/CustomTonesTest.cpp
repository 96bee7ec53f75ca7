// The custom paging tones window and its editor: numbering by record, the lowest free number,
// renumbering, the frequency filters and ranges, the exact tenths of every frequency, durations and
// the 100-tone limit. Texts and image bytes are written out here, independently of the headers.
#include "database/Image.h"
#include "editors/customtones/CustomPageListFV.h"
#include "editors/customtones/EditCustomPageFV.h"
#include "editors/customtones/ToneFrequency.h"
#include "tests/editors/EditorFixture.h"

#include <QTreeWidget>

#include <cstdio>

using namespace trv;
using editors::CustomPageListFV;
using editors::EditorDialog;
using platform::MsgAnswer;
using platform::MsgIcon;

namespace {

constexpr int kBase = 0x0980;
constexpr int kSize = 14;
constexpr const char* kRange = "Enter a numeric value between 200.0 and 3400.0.";

constexpr const char* kNumber = "&Custom paging tone";
constexpr const char* kInhibit = "&Inhibit delay (ms)";
constexpr const char* kFirst = "Fi&rst tone (Hz)";
constexpr const char* kFirstDuration = "First &tone duration (ms)";
constexpr const char* kIntertone = "Intertone &delay (ms)";
constexpr const char* kSecond = "&Second tone (Hz)";
constexpr const char* kSecondDuration = "S&econd tone duration (ms)";

db::Image& image()
{
    return db::theImage();
}

int u16(int offset)
{
    return db::readU16(image(), offset);
}

// A tone in use with recognisable values: frequencies n * 100 + 2000 tenths, durations n + 1.
void putTone(int n)
{
    const int at = kBase + kSize * n;
    db::writeText(image(), at, 2, std::to_string(n));
    for (int field = 0; field < 6; ++field)
        db::writeU16(image(), at + 2 + 2 * field,
                     static_cast<std::uint16_t>(field == 0 || field == 3 ? 2000 + 100 * n : n + 1));
}

class CustomTonesTest : public test::EditorFixture {
protected:
    void TearDown() override
    {
        EditorDialog::setHook({});
        EditorFixture::TearDown();
    }
    CustomPageListFV* open() { return openView<CustomPageListFV>(); }
    QTreeWidget* list() const { return frame->findChild<QTreeWidget*>(); }
    QStringList rows() const
    {
        QStringList texts;
        for (int r = 0; r < list()->topLevelItemCount(); ++r)
            texts << list()->topLevelItem(r)->text(0);
        return texts;
    }
    QString selected() const { return list()->currentItem() ? list()->currentItem()->text(0) : QString(); }
    void selectRow(const QString& text)
    {
        const auto items = list()->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        list()->setCurrentItem(items.front());
    }
    QLineEdit* edit(const char* label) { return labelled<QLineEdit>(label); }
    // Opens the editor with Add or Edit and lets `steps` drive it.
    void runEditor(const char* command, const std::function<void()>& steps)
    {
        bool ran = false;
        EditorDialog::setHook([&](EditorDialog& dialog) {
            ran = true;
            EXPECT_EQ(dialog.windowTitle(), "Edit Custom Page");
            steps();
        });
        click(button(command));
        EXPECT_TRUE(ran);
    }
    void clickOk() { click(button<QPushButton>("OK")); }
};

TEST(ToneFrequency, EveryOneDecimalValueFrom200To3400StoresItsExactTenthsAndShowsBack)
{
    char printed[32];
    for (int tenths = 2000; tenths <= 34000; ++tenths) {
        std::snprintf(printed, sizeof printed, "%.1f", tenths / 10.0);
        const QString shown = editors::customtones::formatTenths(tenths);
        ASSERT_EQ(shown, QString::fromLatin1(printed)) << tenths;
        ASSERT_EQ(editors::customtones::parseTenths(shown), tenths) << printed;
    }
}

TEST(ToneFrequency, TextsAreReadAsDecimalsAndFilteredAsTyped)
{
    using editors::customtones::filterFrequencyText;
    using editors::customtones::parseTenths;
    const struct {
        const char* text;
        std::optional<int> tenths;
    } reads[] = {{"1234.5", 12345},
                 {"200.2", 2002},
                 {"3399.95", 33999},
                 {"1000", 10000},
                 {"7.", 70},
                 {".5", 5},
                 {"", {}},
                 {".", {}},
                 {"12a", {}},
                 {"1.2.3", {}},
                 {"99999999999", 999999}};
    for (const auto& r : reads)
        EXPECT_EQ(parseTenths(QString::fromLatin1(r.text)), r.tenths) << r.text;

    const struct {
        const char* typed;
        const char* kept;
    } filters[] = {{"12a", "12"}, {"1.2.", "1.2"}, {"3399.95", "3399.9"}, {"1x2.3y4", "12.3"}, {"..5", ".5"}};
    for (const auto& r : filters)
        EXPECT_EQ(filterFrequencyText(QString::fromLatin1(r.typed)), QString::fromLatin1(r.kept)) << r.typed;
}

TEST_F(CustomTonesTest, ListShowsUsedNumbersInOrderAndThePlaceholderWhenEmpty)
{
    open();
    EXPECT_EQ(rows(), QStringList{"<No custom pages defined>"});
    EXPECT_FALSE(button("&Edit")->isEnabled());
    EXPECT_FALSE(button("&Delete")->isEnabled());
    EXPECT_EQ(frame->windowTitle(), "Custom Paging Tones");

    for (int n : {42, 5, 0})
        putTone(n);
    area.closeAllSubWindows();
    open();
    EXPECT_EQ(rows(), (QStringList{"0", "5", "42"}));
    EXPECT_EQ(selected(), "0");
    QTest::keyClick(list(), Qt::Key_F1);
    ASSERT_FALSE(host.callsOf("showHelp").empty());
    EXPECT_EQ(host.callsOf("showHelp").back().argument, 76);
}

TEST_F(CustomTonesTest, NewToneGetsTheLowestFreeNumberAndTheDefaults)
{
    for (int n : {0, 1, 5})
        putTone(n);
    open();
    runEditor("&Add", [&] {
        EXPECT_EQ(edit(kNumber)->text(), "2");
        EXPECT_EQ(edit(kInhibit)->text(), "3000");
        EXPECT_EQ(edit(kFirst)->text(), "200.0");
        EXPECT_EQ(edit(kFirstDuration)->text(), "1000");
        EXPECT_EQ(edit(kIntertone)->text(), "0");
        EXPECT_EQ(edit(kSecond)->text(), "200.0");
        EXPECT_EQ(edit(kSecondDuration)->text(), "3000");
        clickOk();
    });
    const int at = kBase + 2 * kSize;
    EXPECT_EQ(image()[at], '2');
    EXPECT_EQ(image()[at + 1], 0);
    const int expected[] = {2000, 1000, 0, 2000, 3000, 3000}; // first tone .. inhibit delay
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(u16(at + 2 + 2 * k), expected[k]) << k;
    EXPECT_TRUE(host.doc.isModified());
    EXPECT_EQ(rows(), (QStringList{"0", "1", "2", "5"}));
    EXPECT_EQ(selected(), "2");
}

TEST_F(CustomTonesTest, EditWritesEveryFieldInItsPlace)
{
    putTone(7);
    open();
    runEditor("&Edit", [&] {
        EXPECT_EQ(edit(kFirst)->text(), "270.0");
        EXPECT_EQ(edit(kFirstDuration)->text(), "8");
        typeInto(edit(kFirst), "1000.0");
        typeInto(edit(kSecond), "1234.5");
        typeInto(edit(kInhibit), "60000");
        typeInto(edit(kFirstDuration), "1");
        typeInto(edit(kIntertone), "2");
        typeInto(edit(kSecondDuration), "3");
        clickOk();
    });
    const int at = kBase + 7 * kSize;
    EXPECT_EQ(image()[at], '7');
    EXPECT_EQ(image()[98 + kBase], 0x37);
    EXPECT_EQ(image()[99 + kBase], 0x00);
    EXPECT_EQ(image()[100 + kBase], 0x10); // 10000 tenths
    EXPECT_EQ(image()[101 + kBase], 0x27);
    const int expected[] = {10000, 1, 2, 12345, 3, 60000};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(u16(at + 2 + 2 * k), expected[k]) << k;
}

TEST_F(CustomTonesTest, RenumberingMovesTheToneAndAnExistingNumberIsRefused)
{
    for (int n : {5, 7})
        putTone(n);
    open();
    selectRow("7");
    boxes.expectAny(MsgAnswer::Ok);
    runEditor("&Edit", [&] {
        typeInto(edit(kNumber), "5");
        clickOk();
        ASSERT_EQ(boxes.seen().size(), 1u);
        EXPECT_EQ(boxes.seen()[0].text, "This custom paging format number already exists.");
        EXPECT_EQ(boxes.seen()[0].icon, MsgIcon::None);
        EXPECT_EQ(edit(kNumber)->text(), "7");
        EXPECT_EQ(edit(kNumber)->selectedText(), "7");
        typeInto(edit(kNumber), "12");
        clickOk();
    });
    EXPECT_EQ(image()[kBase + 7 * kSize], 0);    // freed by its first byte
    EXPECT_EQ(u16(kBase + 7 * kSize + 2), 2700); // the rest stays
    EXPECT_EQ(image()[kBase + 12 * kSize], '1');
    EXPECT_EQ(image()[kBase + 12 * kSize + 1], '2');
    EXPECT_EQ(u16(kBase + 12 * kSize + 2), 2700);
    EXPECT_EQ(u16(kBase + 5 * kSize + 2), 2500); // tone 5 untouched
    EXPECT_EQ(rows(), (QStringList{"5", "12"}));
    EXPECT_EQ(selected(), "12");
}

TEST_F(CustomTonesTest, FrequencyFieldsKeepDigitsOnePointOneDecimalAndStopAt3400)
{
    open();
    boxes.expectAny(MsgAnswer::Ok);
    runEditor("&Add", [&] {
        QLineEdit* first = edit(kFirst);
        const struct {
            const char* typed;
            const char* shown;
        } cases[] = {{"12a", "12"}, {"1.2.", "1.2"}, {"3399.95", "3399.9"}, {"", ""}};
        for (const auto& c : cases) {
            typeInto(first, QString::fromLatin1(c.typed));
            EXPECT_EQ(first->text(), QString::fromLatin1(c.shown)) << c.typed;
        }
        EXPECT_TRUE(boxes.seen().empty());
        QLineEdit* second = edit(kSecond);
        typeInto(second, "3400");
        ASSERT_EQ(boxes.seen().size(), 1u);
        EXPECT_EQ(boxes.seen()[0].text, kRange);
        EXPECT_EQ(boxes.seen()[0].icon, MsgIcon::None);
        EXPECT_EQ(second->text(), "3400.0");
        EXPECT_EQ(second->selectedText(), "3400.0");
        EXPECT_EQ(second->window()->focusWidget(), second);
    });
}

// OK refuses a frequency below 200.0 (or empty) and one above 3400.0, resets that field to the
// nearest limit and points at it; the first frequency is looked at first.
TEST_F(CustomTonesTest, OkRefusesFrequenciesOutsideTheRangeAndResetsTheField)
{
    const struct {
        const char* first;
        const char* second;
        const char* refused;
        const char* reset;
    } cases[] = {{"199.9", "199.9", kFirst, "200.0"},
                 {"300.0", "", kSecond, "200.0"},
                 {"300.0", "3400.5", kSecond, "3400.0"},
                 {"9000", "300.0", kFirst, "3400.0"}};
    open();
    const db::Image before = image();
    for (const auto& c : cases) {
        boxes.clearSeen();
        boxes.expectAny(MsgAnswer::Ok);
        runEditor("&Add", [&] {
            edit(kFirst)->setText(QString::fromLatin1(c.first)); // as pasted past the live check
            edit(kSecond)->setText(QString::fromLatin1(c.second));
            clickOk();
            ASSERT_EQ(boxes.seen().size(), 1u);
            EXPECT_EQ(boxes.seen()[0].text, kRange);
            EXPECT_EQ(edit(c.refused)->text(), QString::fromLatin1(c.reset)) << c.first << " " << c.second;
            EXPECT_EQ(edit(c.refused)->window()->focusWidget(), edit(c.refused));
        });
        EXPECT_EQ(image(), before) << c.first << " " << c.second;
    }
}

TEST_F(CustomTonesTest, NumberAndDurationsAreCheckedWhileTypingAndOnOk)
{
    putTone(0);
    open();
    boxes.expectAny(MsgAnswer::Ok, 4);
    runEditor("&Add", [&] {
        typeInto(edit(kNumber), "100");
        EXPECT_EQ(boxes.seen().at(0).text, "Please enter an integer between 0 and 99.");
        EXPECT_EQ(edit(kNumber)->text(), "1"); // the lowest free number
        EXPECT_EQ(edit(kNumber)->window()->focusWidget(), edit(kNumber));

        typeInto(edit(kIntertone), "60001");
        EXPECT_EQ(boxes.seen().at(1).text, "Please enter a number between 0 and 60000.");
        EXPECT_EQ(edit(kIntertone)->text(), "60000");
        EXPECT_EQ(edit(kIntertone)->selectedText(), "60000");

        typeInto(edit(kSecondDuration), "");
        clickOk();
        EXPECT_EQ(boxes.seen().at(2).text, "Please enter a number.");
        EXPECT_EQ(edit(kSecondDuration)->window()->focusWidget(), edit(kSecondDuration));

        typeInto(edit(kSecondDuration), "5");
        typeInto(edit(kNumber), "");
        clickOk();
        EXPECT_EQ(boxes.seen().at(3).text, "Please enter an integer between 0 and 99.");
        EXPECT_EQ(boxes.seen().size(), 4u);
    });
    EXPECT_EQ(image()[kBase + kSize], 0); // nothing written
}

// Typing in the number or a duration reads every field in form order, as OK begins: the first
// failure gets the message and the focus, even when it is another field.
TEST_F(CustomTonesTest, TypingReadsEveryFieldAndPointsAtTheFirstFailure)
{
    open();
    boxes.expectAny(MsgAnswer::Ok, 2);
    runEditor("&Add", [&] {
        QWidget* dialog = edit(kNumber)->window();
        typeInto(edit(kNumber), ""); // empty while typing: no reading yet
        EXPECT_TRUE(boxes.seen().empty());
        typeInto(edit(kFirstDuration), "7");
        ASSERT_EQ(boxes.seen().size(), 1u);
        EXPECT_EQ(boxes.seen()[0].text, "Please enter an integer between 0 and 99.");
        EXPECT_EQ(dialog->focusWidget(), edit(kNumber));
        EXPECT_EQ(edit(kFirstDuration)->text(), "7") << "in range: not clamped";

        typeInto(edit(kNumber), "4");
        edit(kIntertone)->setText("");
        typeInto(edit(kNumber), "5");
        ASSERT_EQ(boxes.seen().size(), 2u);
        EXPECT_EQ(boxes.seen()[1].text, "Please enter a number.");
        EXPECT_EQ(dialog->focusWidget(), edit(kIntertone));
        EXPECT_EQ(edit(kNumber)->text(), "5");
    });
}

// Leaving the inhibit delay for another control of the dialog reads every field; a focus loss to
// another window or to Cancel reads nothing.
TEST_F(CustomTonesTest, LeavingTheInhibitDelayForAnotherControlReadsEveryField)
{
    open();
    struct Case {
        const char* how;
        std::function<void(QDialog&)> leave;
        bool reads;
    };
    QWidget other;
    const Case cases[] = {
        {"Tab", [&](QDialog&) { QTest::keyClick(edit(kInhibit), Qt::Key_Tab); }, true},
        {"Shift+Tab", [&](QDialog&) { QTest::keyClick(edit(kInhibit), Qt::Key_Backtab, Qt::ShiftModifier); },
         true},
        {"a click", [&](QDialog&) { QTest::mouseClick(edit(kSecond), Qt::LeftButton); }, true},
        {"a mnemonic", [&](QDialog&) { QTest::keyClick(edit(kInhibit), Qt::Key_S, Qt::AltModifier); }, true},
        {"Cancel",
         [&](QDialog& d) {
             for (QPushButton* b : d.findChildren<QPushButton*>())
                 if (b->text() == "Cancel")
                     b->setFocus(Qt::MouseFocusReason); // the press of a click on it
         },
         false},
        {"another window",
         [&](QDialog&) {
             other.show();
             QApplication::setActiveWindow(&other);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        boxes.expectAny(MsgAnswer::Ok);
        boxes.clearSeen();
        runEditor("&Add", [&] {
            auto& dialog = *qobject_cast<QDialog*>(edit(kNumber)->window());
            QApplication::setActiveWindow(&dialog);
            edit(kIntertone)->setText("");
            edit(kInhibit)->setFocus();
            c.leave(dialog);
            QCoreApplication::sendPostedEvents();
            if (c.reads) {
                ASSERT_EQ(boxes.seen().size(), 1u);
                EXPECT_EQ(boxes.seen()[0].text, "Please enter a number.");
                EXPECT_EQ(dialog.focusWidget(), edit(kIntertone));
            } else {
                EXPECT_TRUE(boxes.seen().empty());
                boxes.forgetExpected();
            }
        });
        other.hide();
    }
}

TEST_F(CustomTonesTest, AddStopsAtOneHundredTonesAndDeleteFreesOnlyTheFirstByte)
{
    for (int n = 0; n < 100; ++n)
        putTone(n);
    open();
    EXPECT_FALSE(button("&Add")->isEnabled());
    selectRow("42");
    boxes.expectAny(MsgAnswer::Yes);
    click(button("&Delete"));
    EXPECT_EQ(image()[kBase + 42 * kSize], 0);
    EXPECT_EQ(u16(kBase + 42 * kSize + 2), 6200);
    EXPECT_EQ(selected(), "43");
    EXPECT_TRUE(button("&Add")->isEnabled());
    runEditor("&Add", [&] {
        EXPECT_EQ(edit(kNumber)->text(), "42");
        QTest::keyClick(edit(kNumber), Qt::Key_F1);
        clickOk();
    });
    EXPECT_FALSE(button("&Add")->isEnabled());
    EXPECT_EQ(host.callsOf("showHelp").back().argument, 105);
}

// A loaded file whose record 4 holds the number text "44": the list shows "44", and Edit and Delete
// act on record 4, never on the free record 44 that the text names.
TEST_F(CustomTonesTest, ListShowsTheStoredNumberTextAndActsOnItsOwnRecord)
{
    putTone(4);
    putTone(5);
    db::writeText(image(), kBase + 4 * kSize, 2, "44");
    for (int b = 1; b < kSize; ++b)
        image()[kBase + 44 * kSize + b] = 0x77; // free, with leftovers
    open();
    EXPECT_EQ(rows(), (QStringList{"44", "5"}));

    selectRow("44");
    runEditor("&Edit", [&] {
        EXPECT_EQ(edit(kNumber)->text(), "4");
        EXPECT_EQ(edit(kFirst)->text(), "240.0");
        click(button<QPushButton>("Cancel"));
    });
    const db::Image before = image();
    selectRow("44");
    boxes.expectAny(MsgAnswer::Yes);
    click(button("&Delete"));
    db::Image expected = before;
    expected[kBase + 4 * kSize] = 0;
    EXPECT_EQ(image(), expected);
    EXPECT_EQ(rows(), QStringList{"5"});
}

} // namespace
