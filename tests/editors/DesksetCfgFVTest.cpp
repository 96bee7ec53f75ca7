// Widget tests of the deskset settings window. Expected texts and image bytes are written out here
// on purpose, independently of the string table and the layout constants.
#include "editors/deskset/DesksetCfgFV.h"
#include "database/Image.h"
#include "editors/common/NumberEdit.h"
#include "tests/editors/EditorFixture.h"

#include <QShortcut>
#include <QToolButton>

using namespace trv;
using editors::DesksetCfgFV;
using editors::EditorKind;
using editors::NumberEdit;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

constexpr const char* kTypeLabel = "Type of &deskset";
constexpr const char* kMuteTimerLabel = "&Mute timer (sec)";
constexpr const char* kVoiceLabel = "Paging voi&ce annotation (sec)";
constexpr const char* kMuteLevelLabel = "Mute &level";
constexpr const char* kTransmitLabel = "&Transmit delay (ms)";
constexpr const char* kBaudLabel = "Printer ba&ud rate";
constexpr const char* kClockLabel = "12 / 24 hou&r mode";
constexpr const char* kPageKeyLabel = "&Page key up delay (sec)";
constexpr const char* kFeedbackLabel = "Paging feedbac&k";
constexpr const char* kUnselectSpeaker = "Use unselect &speaker";
constexpr const char* kChecks[] = {
    "Use unselect &speaker", "&External mic present", "D&isplay time",     "Mic A&GC",
    "H&andset present",      "Relay latching &1",     "Relay latching &2", "Relay latching &3",
    "Relay latching &4"};

constexpr const char* kSingle = "Advanced Single Channel";
constexpr const char* kMulti = "Advanced Multi-Channel";
constexpr const char* kEraseQuestion = "Are you sure you want to erase the data for channels 2, 3, and 4 ?";

constexpr int kType = 0x1E;
constexpr int kChannelBase[] = {0x100, 0x2C0, 0x480, 0x640};
constexpr int kChannelSize = 448;
constexpr int kFirstToneFrequency = 0xD9;

class DesksetCfgFVTest : public test::EditorFixture {
protected:
    DesksetCfgFV* open() { return view = openView<DesksetCfgFV>(); }

    QComboBox* list(const char* label) { return labelled<QComboBox>(label); }
    NumberEdit* number(const char* label) { return labelled<NumberEdit>(label); }
    QCheckBox* check(const char* text) { return button<QCheckBox>(text); }
    void clickOk() { click(button<QPushButton>("OK")); }

    static db::Image& image() { return db::theImage(); }

    // A multi-channel database whose four channels and button table hold recognisable data.
    static void makeUsedMultiChannelDatabase()
    {
        image()[kType] = 4;
        for (int c = 0; c < 4; ++c) {
            const int base = kChannelBase[c];
            db::writeText(image(), base, 12, "Radio " + std::to_string(c + 1));
            db::writeU16(image(), base + kFirstToneFrequency, static_cast<std::uint16_t>(1111 * (c + 1)));
            image()[base + 0x0C4] = 0x33; // hangover delay, a byte that reset writes
            image()[base + 0x1A0] = 0x77; // a byte that reset leaves alone
        }
        const int buttons[18][2] = {{8, 255},  {9, 1},   {9, 2},   {9, 4},   {13, 255}, {14, 255},
                                    {16, 255}, {4, 1},   {5, 3},   {7, 2},   {10, 1},   {12, 2},
                                    {18, 3},   {1, 255}, {2, 255}, {3, 255}, {17, 255}, {11, 255}};
        for (int k = 0; k < 18; ++k) {
            image()[0x80 + 2 * k] = static_cast<std::uint8_t>(buttons[k][0]);
            image()[0x81 + 2 * k] = static_cast<std::uint8_t>(buttons[k][1]);
        }
    }

    // The button table after the change to single channel: kinds 8, 13, 14, 16 and Mute of
    // channels 2 to 4 become undefined.
    static std::vector<std::uint8_t> cleanedButtons()
    {
        std::vector<std::uint8_t> table(image().begin() + 0x80, image().begin() + 0xA4);
        for (int k : {0, 2, 3, 4, 5, 6}) {
            table[2 * k] = 0;
            table[2 * k + 1] = 255;
        }
        return table;
    }

    static std::vector<std::uint8_t> buttonTable(const db::Image& img)
    {
        return {img.begin() + 0x80, img.begin() + 0xA4};
    }

    // Checks that the last box said `text` and that the focus sits in `edit` with all its text selected.
    void expectRefusal(const char* text, NumberEdit* edit)
    {
        ASSERT_EQ(boxes.seen().size(), 1u);
        EXPECT_EQ(boxes.seen()[0].text, QString::fromLatin1(text));
        EXPECT_EQ(boxes.seen()[0].buttons, MsgButtons::Ok);
        EXPECT_EQ(boxes.seen()[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(view->focusWidget(), edit->lineEdit());
        EXPECT_EQ(edit->lineEdit()->selectedText(), edit->lineEdit()->text());
        EXPECT_FALSE(frameClosed());
    }

    DesksetCfgFV* view = nullptr;
};

TEST_F(DesksetCfgFVTest, NewDatabaseShowsItsDefaultsWithTheMultiChannelControlsDisabled)
{
    open();
    EXPECT_EQ(list(kTypeLabel)->currentText(), kSingle);
    EXPECT_EQ(list(kClockLabel)->currentText(), "24 Hour");
    EXPECT_EQ(list(kBaudLabel)->currentText(), "9600   bps");
    EXPECT_EQ(list(kMuteLevelLabel)->currentText(), "Full Mute");
    EXPECT_EQ(list(kMuteTimerLabel)->currentText(), "30");
    EXPECT_EQ(list(kFeedbackLabel)->currentText(), "Loud");
    EXPECT_EQ(number(kVoiceLabel)->lineEdit()->text(), "2");
    EXPECT_EQ(number(kTransmitLabel)->lineEdit()->text(), "0");
    EXPECT_EQ(number(kPageKeyLabel)->lineEdit()->text(), "0");
    for (const char* box : kChecks) {
        const bool checked =
            QString::fromLatin1(box) == "H&andset present" || QString::fromLatin1(box) == "Mic A&GC";
        EXPECT_EQ(check(box)->isChecked(), checked) << box;
    }

    EXPECT_FALSE(list(kMuteTimerLabel)->isEnabled());
    EXPECT_FALSE(list(kMuteLevelLabel)->isEnabled());
    EXPECT_FALSE(check(kUnselectSpeaker)->isEnabled());
    for (const char* other : {kTypeLabel, kBaudLabel, kClockLabel, kFeedbackLabel})
        EXPECT_TRUE(list(other)->isEnabled()) << other;
}

TEST_F(DesksetCfgFVTest, ListsHoldTheirEntriesInOrder)
{
    open();
    auto entries = [](QComboBox* box) {
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        return items;
    };
    EXPECT_EQ(entries(list(kTypeLabel)), QStringList({kSingle, kMulti}));
    EXPECT_EQ(entries(list(kMuteLevelLabel)), QStringList({"Half Mute", "Full Mute"}));
    EXPECT_EQ(entries(list(kBaudLabel)),
              QStringList({"1200   bps", "2400   bps", "4800   bps", "9600   bps", "19200 bps"}));
    EXPECT_EQ(entries(list(kClockLabel)), QStringList({"12 Hour", "24 Hour"}));
    EXPECT_EQ(entries(list(kFeedbackLabel)), QStringList({"Loud", "Soft", "None"}));
    const QStringList muteTimer = entries(list(kMuteTimerLabel));
    ASSERT_EQ(muteTimer.size(), 61);
    for (int s = 0; s <= 60; ++s)
        EXPECT_EQ(muteTimer[s], QString::number(s));
}

TEST_F(DesksetCfgFVTest, FrameIsTitledAndPlacedAtTheTopLeftAroundTheWholeForm)
{
    open();
    EXPECT_EQ(frame->windowTitle(), "Deskset Configuration");
    EXPECT_EQ(view->treeLabel(), "Deskset Configuration");
    EXPECT_EQ(frame->pos(), QPoint(0, 0));
    const QRect formInFrame(view->mapTo(frame.data(), QPoint(0, 0)), view->size());
    EXPECT_TRUE(frame->rect().contains(formInFrame));
    EXPECT_GE(view->width(), view->sizeHint().width());
    EXPECT_GE(view->height(), view->sizeHint().height());
}

TEST_F(DesksetCfgFVTest, AccessKeysReachTheirControls)
{
    open();
    const std::pair<Qt::Key, const char*> keys[] = {{Qt::Key_U, kBaudLabel},
                                                    {Qt::Key_K, kFeedbackLabel},
                                                    {Qt::Key_R, kClockLabel},
                                                    {Qt::Key_D, kTypeLabel}};
    for (auto [key, label] : keys) {
        QTest::keyClick(view->focusWidget() ? view->focusWidget() : view, key, Qt::AltModifier);
        EXPECT_EQ(view->focusWidget(), list(label)) << label;
    }
    QTest::keyClick(view->focusWidget(), Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(view->focusWidget(), number(kTransmitLabel)->lineEdit());
}

TEST_F(DesksetCfgFVTest, NumberArrowsKeepEachFieldWithinItsRange)
{
    open();
    const std::pair<const char*, const char*> ranges[] = {
        {kVoiceLabel, "60"}, {kTransmitLabel, "500"}, {kPageKeyLabel, "60"}};
    for (auto [label, maximum] : ranges) {
        NumberEdit* edit = number(label);
        typeInto(edit->lineEdit(), "9999");
        click(edit->upButton());
        EXPECT_EQ(edit->lineEdit()->text(), maximum) << label;
        typeInto(edit->lineEdit(), "0");
        click(edit->downButton());
        EXPECT_EQ(edit->lineEdit()->text(), "0") << label;
    }
}

TEST_F(DesksetCfgFVTest, PickingMultiChannelEnablesItsControlsAtOnceAndOkEnablesChannelsTwoToFour)
{
    open();
    const db::Image before = image();
    pick(list(kTypeLabel), kMulti);
    EXPECT_TRUE(list(kMuteTimerLabel)->isEnabled());
    EXPECT_TRUE(list(kMuteLevelLabel)->isEnabled());
    EXPECT_TRUE(check(kUnselectSpeaker)->isEnabled());
    EXPECT_TRUE(image() == before) << "picking writes nothing";

    clickOk();
    EXPECT_TRUE(boxes.seen().empty());
    EXPECT_EQ(image()[kType], 4);
    EXPECT_TRUE(host.doc.isModified());
    EXPECT_TRUE(frameClosed());

    // The tree refreshes its channel items from the type byte, which already reads 4.
    const auto refreshes = host.callsOf("refreshChannelItems");
    ASSERT_EQ(refreshes.size(), 1u);
    EXPECT_EQ(refreshes[0].image[kType], 4);
    EXPECT_TRUE(host.callsOf("closeAndReopenEditor").empty()) << "no buttons editor was open";
    EXPECT_TRUE(host.callsOf("closeChannelEditors2To4").empty());

    db::Image expected = before;
    expected[kType] = 4;
    EXPECT_TRUE(image() == expected) << "channels 2 to 4 keep whatever they hold";
}

TEST_F(DesksetCfgFVTest, PickingSingleChannelAgainDisablesTheControls)
{
    open();
    pick(list(kTypeLabel), kMulti);
    pick(list(kTypeLabel), kSingle);
    EXPECT_FALSE(list(kMuteTimerLabel)->isEnabled());
    EXPECT_FALSE(list(kMuteLevelLabel)->isEnabled());
    EXPECT_FALSE(check(kUnselectSpeaker)->isEnabled());
}

TEST_F(DesksetCfgFVTest, ChangeToMultiChannelReopensAnOpenButtonsEditorWithTheNewType)
{
    host.openEditors = {EditorKind::Buttons};
    open();
    pick(list(kTypeLabel), kMulti);
    clickOk();
    const auto reopens = host.callsOf("closeAndReopenEditor");
    ASSERT_EQ(reopens.size(), 1u);
    EXPECT_EQ(reopens[0].argument, static_cast<int>(EditorKind::Buttons));
    EXPECT_EQ(reopens[0].image[kType], 4);
    EXPECT_TRUE(frameClosed());
}

TEST_F(DesksetCfgFVTest, TransmitDelayAbove500IsRefusedAnd500IsStoredLittleEndian)
{
    open();
    const db::Image before = image();
    NumberEdit* delay = number(kTransmitLabel);
    typeInto(delay->lineEdit(), "501");
    boxes.expectAny(MsgAnswer::Ok);
    clickOk();
    expectRefusal("Transmit delay must be between 0 and 500 ms.", delay);
    EXPECT_TRUE(image() == before);
    EXPECT_FALSE(host.doc.isModified());

    boxes.clearSeen();
    typeInto(delay->lineEdit(), "500");
    clickOk();
    EXPECT_TRUE(boxes.seen().empty());
    EXPECT_EQ(image()[0x18], 0xF4);
    EXPECT_EQ(image()[0x19], 0x01);
    EXPECT_TRUE(frameClosed());
}

TEST_F(DesksetCfgFVTest, OnlyTheFirstFailureIsShownOnItsField)
{
    struct Case {
        const char* voice;
        const char* delay;
        const char* pageKey;
        const char* message;
        const char* field;
    };
    const Case cases[] = {
        {"61", "0", "0", "Paging voice annotation must be between 0 and 60 sec.", kVoiceLabel},
        {"2", "0", "61", "Page key up delay must be between 0 and 60 sec.", kPageKeyLabel},
        {"61", "600", "0", "Paging voice annotation must be between 0 and 60 sec.", kVoiceLabel},
        {"2", "600", "61", "Transmit delay must be between 0 and 500 ms.", kTransmitLabel},
        // Every edit is read before any range is checked.
        {"61", "600", "", "Please enter a positive integer.", kPageKeyLabel},
        {"", "0", "0", "Please enter a positive integer.", kVoiceLabel},
        {"2", "99999999999", "0", "Please enter a positive integer.", kTransmitLabel},
    };
    open();
    const db::Image before = image();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.voice) + " / " + c.delay + " / " + c.pageKey);
        typeInto(number(kVoiceLabel)->lineEdit(), c.voice);
        typeInto(number(kTransmitLabel)->lineEdit(), c.delay);
        typeInto(number(kPageKeyLabel)->lineEdit(), c.pageKey);
        button<QPushButton>("OK")->setFocus(); // as a click on OK would leave it
        boxes.clearSeen();
        boxes.expectAny(MsgAnswer::Ok);
        clickOk();
        expectRefusal(c.message, number(c.field));
        EXPECT_TRUE(image() == before);
    }
}

TEST_F(DesksetCfgFVTest, AnsweringNoToTheErasureLeavesEveryImageByteUnchanged)
{
    makeUsedMultiChannelDatabase();
    host.openEditors = {EditorKind::Buttons};
    open();
    const db::Image before = image();
    pick(list(kTypeLabel), kSingle);
    pick(list(kBaudLabel), "1200   bps");
    typeInto(number(kVoiceLabel)->lineEdit(), "7");
    boxes.expectAny(MsgAnswer::No);
    clickOk();

    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text, kEraseQuestion);
    EXPECT_EQ(boxes.seen()[0].buttons, MsgButtons::YesNo);
    EXPECT_TRUE(image() == before);
    EXPECT_FALSE(frameClosed());
    for (const char* call : {"closeAndReopenEditor", "closeChannelEditors2To4", "refreshChannelItems"})
        EXPECT_TRUE(host.callsOf(call).empty()) << call;
}

TEST_F(DesksetCfgFVTest, AnsweringYesResetsChannelsTwoToFourAndCleansTheButtonsBeforeTheButtonsEditorReopens)
{
    makeUsedMultiChannelDatabase();
    host.openEditors = {EditorKind::Buttons};
    open();
    const db::Image before = image();
    const std::vector<std::uint8_t> cleaned = cleanedButtons();
    pick(list(kTypeLabel), kSingle);
    pick(list(kBaudLabel), "2400   bps");
    boxes.expectAny(MsgAnswer::Yes);
    clickOk();
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_TRUE(frameClosed());

    EXPECT_EQ(image()[kType], 1);
    EXPECT_EQ(image()[0x12], 1) << "the other fields are written too";
    EXPECT_TRUE(host.doc.isModified());
    EXPECT_TRUE(std::equal(image().begin() + kChannelBase[0],
                           image().begin() + kChannelBase[0] + kChannelSize,
                           before.begin() + kChannelBase[0]))
        << "channel 1 keeps its data";
    for (int c = 1; c < 4; ++c) {
        SCOPED_TRACE(c + 1);
        const int base = kChannelBase[c];
        EXPECT_EQ(db::readText(image(), base, 12), "Freq 1");
        EXPECT_EQ(db::readU16(image(), base + kFirstToneFrequency), 19500);
        EXPECT_EQ(db::readU16(image(), base + 0x0C4), 2000);
        EXPECT_EQ(image()[base + 0x1A0], 0x77) << "only the default bytes are reset";
    }
    EXPECT_EQ(buttonTable(image()), cleaned);

    // The reopened buttons editor copies the table: it must already be clean, with the new type.
    const auto reopens = host.callsOf("closeAndReopenEditor");
    ASSERT_EQ(reopens.size(), 1u);
    EXPECT_EQ(reopens[0].argument, static_cast<int>(EditorKind::Buttons));
    EXPECT_EQ(reopens[0].image[kType], 1);
    EXPECT_EQ(buttonTable(reopens[0].image), cleaned);

    // Channel windows close before their records are reset; the tree refreshes last, from type 1.
    const auto closes = host.callsOf("closeChannelEditors2To4");
    ASSERT_EQ(closes.size(), 1u);
    EXPECT_EQ(db::readText(closes[0].image, kChannelBase[1], 12), "Radio 2");
    const auto refreshes = host.callsOf("refreshChannelItems");
    ASSERT_EQ(refreshes.size(), 1u);
    EXPECT_EQ(refreshes[0].image[kType], 1);
    EXPECT_GT(host.indexOf("refreshChannelItems"), host.indexOf("closeChannelEditors2To4"));
}

TEST_F(DesksetCfgFVTest, AnsweringYesWithoutAButtonsEditorOpenReopensNothing)
{
    makeUsedMultiChannelDatabase();
    open();
    const std::vector<std::uint8_t> cleaned = cleanedButtons();
    pick(list(kTypeLabel), kSingle);
    boxes.expectAny(MsgAnswer::Yes);
    clickOk();
    EXPECT_TRUE(host.callsOf("closeAndReopenEditor").empty());
    EXPECT_EQ(buttonTable(image()), cleaned);
    EXPECT_TRUE(frameClosed());
}

TEST_F(DesksetCfgFVTest, StoredMuteTimerAbove60ShowsNoSelectionAndIsWrittenBackAsZero)
{
    image()[kType] = 4;
    image()[0x15] = 61;
    open();
    EXPECT_EQ(list(kMuteTimerLabel)->currentIndex(), -1);
    EXPECT_EQ(list(kMuteTimerLabel)->currentText(), "");
    clickOk();
    EXPECT_EQ(image()[0x15], 0);
    EXPECT_TRUE(frameClosed());
}

TEST_F(DesksetCfgFVTest, EveryControlIsWrittenToItsOwnByte)
{
    open();
    const db::Image before = image();
    pick(list(kTypeLabel), kMulti);
    pick(list(kMuteTimerLabel), "45");
    typeInto(number(kVoiceLabel)->lineEdit(), "17");
    pick(list(kMuteLevelLabel), "Half Mute");
    typeInto(number(kTransmitLabel)->lineEdit(), "321");
    pick(list(kBaudLabel), "19200 bps");
    pick(list(kClockLabel), "12 Hour");
    typeInto(number(kPageKeyLabel)->lineEdit(), "9");
    pick(list(kFeedbackLabel), "None");
    for (const char* box : kChecks)
        click(check(box));
    clickOk();
    EXPECT_TRUE(boxes.seen().empty());

    const std::uint8_t settings[] = {0, 1, 4, 1, 0, 45, 9, 17, 0x41, 0x01, // 0x10-0x19
                                     1, 1, 1, 1, 4, 0,  1, 0,  2};         // 0x1A-0x22
    db::Image expected = before;
    std::copy(std::begin(settings), std::end(settings), expected.begin() + 0x10);
    for (int offset = 0; offset < db::kImageSize; ++offset)
        EXPECT_EQ(image()[offset], expected[offset]) << "offset " << offset;
}

TEST_F(DesksetCfgFVTest, OpeningShowsStoredValuesAndOkWithoutChangesWritesThemBack)
{
    const std::uint8_t settings[] = {0, 1, 2, 1, 0, 60, 33, 44, 0xC8, 0x00, 0, 1, 0, 1, 4, 0, 1, 0, 1};
    std::copy(std::begin(settings), std::end(settings), image().begin() + 0x10);
    open();
    EXPECT_EQ(list(kTypeLabel)->currentText(), kMulti);
    EXPECT_EQ(list(kClockLabel)->currentText(), "12 Hour");
    EXPECT_EQ(list(kBaudLabel)->currentText(), "4800   bps");
    EXPECT_EQ(list(kMuteLevelLabel)->currentText(), "Half Mute");
    EXPECT_EQ(list(kMuteTimerLabel)->currentText(), "60");
    EXPECT_EQ(list(kFeedbackLabel)->currentText(), "Soft");
    EXPECT_EQ(number(kPageKeyLabel)->lineEdit()->text(), "33");
    EXPECT_EQ(number(kVoiceLabel)->lineEdit()->text(), "44");
    EXPECT_EQ(number(kTransmitLabel)->lineEdit()->text(), "200");
    const bool checked[] = {true, true, true, false, false, false, true, false, true};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(check(kChecks[i])->isChecked(), checked[i]) << kChecks[i];

    const db::Image before = image();
    clickOk();
    EXPECT_TRUE(image() == before);
    EXPECT_TRUE(host.doc.isModified()) << "OK commits, even without a change";
}

TEST_F(DesksetCfgFVTest, AListWhoseStoredValueHasNoEntryKeepsThatValue)
{
    image()[0x12] = 9; // no baud rate entry 9
    open();
    EXPECT_EQ(list(kBaudLabel)->currentIndex(), -1);
    clickOk();
    EXPECT_EQ(image()[0x12], 9);
}

TEST_F(DesksetCfgFVTest, AnUnknownTypeByteIsReplacedWithoutErasingAndTheTreeFollows)
{
    image()[kType] = 0;
    open();
    EXPECT_EQ(list(kTypeLabel)->currentText(), kMulti);
    pick(list(kTypeLabel), kSingle);
    clickOk();
    EXPECT_TRUE(boxes.seen().empty()) << "no erase question: the deskset was not multi-channel";
    EXPECT_EQ(image()[kType], 1);
    ASSERT_EQ(host.callsOf("refreshChannelItems").size(), 1u);
    EXPECT_TRUE(host.callsOf("closeChannelEditors2To4").empty());
}

TEST_F(DesksetCfgFVTest, CancelAndTheCloseBoxWriteNothing)
{
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        makeUsedMultiChannelDatabase();
        open();
        const db::Image before = image();
        pick(list(kTypeLabel), kSingle);
        pick(list(kBaudLabel), "1200   bps");
        typeInto(number(kTransmitLabel)->lineEdit(), "250");
        click(check("D&isplay time"));
        if (closeBox)
            frame->close();
        else
            click(button<QPushButton>("Cancel"));
        EXPECT_TRUE(frameClosed());
        EXPECT_TRUE(image() == before);
        EXPECT_FALSE(host.doc.isModified());
        EXPECT_TRUE(boxes.seen().empty());
    }
}

TEST_F(DesksetCfgFVTest, TabVisitsTheControlsInFormOrder)
{
    image()[kType] = 4; // every control enabled
    open();
    std::vector<QWidget*> expected = {list(kTypeLabel),
                                      list(kMuteTimerLabel),
                                      number(kVoiceLabel)->lineEdit(),
                                      list(kMuteLevelLabel),
                                      number(kTransmitLabel)->lineEdit(),
                                      list(kBaudLabel),
                                      list(kClockLabel),
                                      number(kPageKeyLabel)->lineEdit(),
                                      list(kFeedbackLabel)};
    for (const char* box : kChecks)
        expected.push_back(check(box));
    expected.push_back(button<QPushButton>("OK"));
    expected.push_back(button<QPushButton>("Cancel"));

    list(kTypeLabel)->setFocus();
    std::vector<QWidget*> visited = {view->focusWidget()};
    for (std::size_t i = 1; i < expected.size(); ++i) {
        QTest::keyClick(view->focusWidget(), Qt::Key_Tab);
        visited.push_back(view->focusWidget());
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(DesksetCfgFVTest, F1OpensHelpContext125FromAnyControl)
{
    open();
    // The main window has an F1 shortcut of its own; inside the editor the editor's help wins.
    int mainWindowHelp = 0;
    QShortcut shortcut(QKeySequence(Qt::Key_F1), &area);
    QObject::connect(&shortcut, &QShortcut::activated, [&] { ++mainWindowHelp; });
    QTest::keyClick(list(kBaudLabel), Qt::Key_F1);
    QTest::keyClick(number(kTransmitLabel)->lineEdit(), Qt::Key_F1);
    const auto helps = host.callsOf("showHelp");
    ASSERT_EQ(helps.size(), 2u);
    EXPECT_EQ(helps[0].argument, 125);
    EXPECT_EQ(helps[1].argument, 125);
    EXPECT_EQ(mainWindowHelp, 0);
}

} // namespace
