// Widget tests of the channel window and its wizard. Expected texts and image bytes are written out
// here on purpose, independently of the string table and the layout constants.
#include "editors/channel/ChanCfgFV.h"
#include "database/Image.h"
#include "database/SignallingFlags.h"
#include "editors/channel/ChanWizard.h"
#include "editors/common/WizardPage.h"
#include "tests/editors/EditorFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRadioButton>

#include <array>
#include <map>

using namespace trv;
using editors::WizardPage;
using editors::channel::ChanCfgFV;
using editors::channel::ChanWizard;
using platform::MsgAnswer;
using platform::MsgIcon;

namespace {

constexpr int kChannelBase[] = {0x100, 0x2C0, 0x480, 0x640};
constexpr int kRecordSize = 448;

constexpr const char* kKeyings[] = {"&Tone", "D&C", "N&one"};
constexpr const char* kSignalings[] = {"Non&e", "Stat &Alert", "&DTMF decode", "DTMF &selective call"};

using Bytes = std::vector<std::uint8_t>;

class ChanCfgFVTest : public test::EditorFixture {
protected:
    static db::Image& image() { return db::theImage(); }
    static std::uint8_t& at(int channel, int offset) { return image()[kChannelBase[channel] + offset]; }
    static void put16(int channel, int offset, int value)
    {
        at(channel, offset) = static_cast<std::uint8_t>(value & 0xFF);
        at(channel, offset + 1) = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    }
    static int get16(int channel, int offset) { return at(channel, offset) | at(channel, offset + 1) << 8; }
    static Bytes record(int channel)
    {
        return Bytes(image().begin() + kChannelBase[channel],
                     image().begin() + kChannelBase[channel] + kRecordSize);
    }

    ChanCfgFV* open(int channel = 0)
    {
        host.doc.setNextChannelIndex(channel);
        view = openView<ChanCfgFV>();
        return view;
    }
    ChanWizard* wizard() const { return view->wizard(); }
    WizardPage* page() const { return wizard()->currentPage(); }

    // The control the current page labels so (several pages use the same labels).
    template <class Control = QWidget> Control* on(const char* label) const
    {
        for (QLabel* caption : page()->findChildren<QLabel*>())
            if (caption->text() == QString::fromLatin1(label))
                return qobject_cast<Control*>(caption->buddy());
        ADD_FAILURE() << "no control labelled " << label << " on " << page()->windowTitle().toStdString();
        return nullptr;
    }
    QLineEdit* edit(const char* label) const
    {
        QWidget* control = on(label);
        auto* e = qobject_cast<QLineEdit*>(control);
        return e ? e : control->findChild<QLineEdit*>();
    }
    QComboBox* list(const char* label) const { return on<QComboBox>(label); }
    QAbstractButton* pageButton(const char* text) const
    {
        for (QAbstractButton* b : page()->findChildren<QAbstractButton*>())
            if (b->text() == QString::fromLatin1(text))
                return b;
        ADD_FAILURE() << "no button " << text << " on " << page()->windowTitle().toStdString();
        return nullptr;
    }
    void choose(int keying, int signaling)
    {
        click(pageButton(kKeyings[keying]));
        click(pageButton(kSignalings[signaling]));
    }
    void next() { click(wizard()->nextButton()); }
    void back() { click(wizard()->backButton()); }
    void finish() { click(wizard()->finishButton()); }
    void cancel() { click(wizard()->cancelButton()); }
    QString caption() const { return view->windowTitle(); }
    // Next until the page with this caption suffix shows.
    void nextTo(const QString& suffix)
    {
        for (int k = 0; k < 5 && !caption().endsWith(suffix); ++k)
            next();
        ASSERT_TRUE(caption().endsWith(suffix)) << caption().toStdString();
    }
    void settleFocus() { QCoreApplication::sendPostedEvents(); }

    ChanCfgFV* view = nullptr;
};

// ---- The page sequence ---------------------------------------------------------------------

const char* const kTone1 = "Tone Signaling Plan (part 1)";
const char* const kTone2 = "Tone Signaling Plan (part 2)";
const char* const kDc = "DC Signaling Plan";
const char* const kTpt = "Talk Permit Tone Setup";
const char* const kStat = "Stat Alert Setup";
const char* const kDecode = "DTMF Decode Setup";
const char* const kSelective = "DTMF Selective Call Setup";

struct PageInfo {
    const char* suffix;
    int help;
};
const std::map<std::string, int> kHelpOf = {{"", 126},    {kTone1, 75},   {kTone2, 114},     {kDc, 129},
                                            {kStat, 187}, {kDecode, 188}, {kSelective, 186}, {kTpt, 102}};

// Every keying and signalling: the pages in order, Next only on the first, Back and Finish on the
// last, Back and Next between; the caption of each page; F1 opens each page's topic.
TEST_F(ChanCfgFVTest, EachKeyingAndSignalingShowsItsPagesWithTheirButtonsCaptionsAndHelp)
{
    const std::vector<const char*> following[3][4] = {
        {{kTone1, kTone2, kTpt},
         {kTone1, kTone2, kTpt, kStat},
         {kTone1, kTone2, kTpt, kDecode},
         {kTone1, kTone2, kTpt, kSelective}},
        {{kDc, kTpt}, {kDc, kTpt, kStat}, {kDc, kTpt, kDecode}, {kDc, kTpt, kSelective}},
        {{kTpt}, {kTpt, kStat}, {kTpt, kDecode}, {kTpt, kSelective}},
    };
    for (int keying = 0; keying < 3; ++keying) {
        for (int signaling = 0; signaling < 4; ++signaling) {
            SCOPED_TRACE(std::to_string(keying) + "/" + std::to_string(signaling));
            open(0);
            choose(keying, signaling);
            if (signaling == 1 || signaling == 3)
                typeInto(on<QLineEdit>("Des&kset ID"), QStringLiteral("12"));
            std::vector<std::string> pages{""};
            for (const char* s : following[keying][signaling])
                pages.emplace_back(s);
            for (std::size_t k = 0; k < pages.size(); ++k) {
                const bool last = k + 1 == pages.size();
                EXPECT_EQ(caption().toStdString(), pages[k].empty()
                                                       ? "Channel 1 Configuration"
                                                       : "Channel 1 Configuration - " + pages[k]);
                EXPECT_EQ(wizard()->backButton()->isEnabled(), k > 0);
                EXPECT_EQ(wizard()->nextButton()->isVisible(), !last);
                EXPECT_EQ(wizard()->finishButton()->isVisible(), last);
                QTest::keyClick(page(), Qt::Key_F1);
                ASSERT_FALSE(host.calls.empty());
                EXPECT_EQ(host.calls.back().what, "showHelp");
                EXPECT_EQ(host.calls.back().argument, kHelpOf.at(pages[k]));
                if (!last)
                    next();
            }
            EXPECT_TRUE(boxes.seen().empty());
            cancel();
            EXPECT_TRUE(frameClosed());
        }
    }
}

TEST_F(ChanCfgFVTest, CaptionNamesTheChannel)
{
    open(2);
    EXPECT_EQ(caption(), QStringLiteral("Channel 3 Configuration"));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Channel 3 Configuration"));
    EXPECT_EQ(view->treeLabel(), QStringLiteral("Channel 3"));
    EXPECT_EQ(view->channelIndex(), 2);
    choose(2, 0);
    next();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Channel 3 Configuration - Talk Permit Tone Setup"));
}

// Anywhere in the wizard, both keys move to the next editor window and leave the page as it is.
TEST_F(ChanCfgFVTest, CtrlTabAndCtrlShiftTabActivateTheNextEditor)
{
    open(0);
    QLineEdit* hangover = on<QLineEdit>("&8 Hangover delay (ms)");
    hangover->setFocus();
    QTest::keyClick(hangover, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(hangover, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    next();
    QTest::keyClick(page(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(host.callsOf("activateNextEditor").size(), 3u);
    EXPECT_EQ(caption(), QStringLiteral("Channel 1 Configuration - Tone Signaling Plan (part 1)"));
}

// A window whose channel index is out of range reads and writes nothing and says so when it closes.
TEST_F(ChanCfgFVTest, AnInvalidChannelIsReportedAtCloseAndWritesNothing)
{
    const db::Image before = image();
    open(4);
    EXPECT_TRUE(view->treeLabel().isEmpty());
    boxes.expectAny(MsgAnswer::Ok);
    cancel(); // the frame calls viewClosing() as it closes
    EXPECT_TRUE(frameClosed());
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text,
              QStringLiteral("ERROR calling ChanCfgFV::OnDestroy() with invalid channel number."));
    EXPECT_EQ(boxes.seen()[0].icon, MsgIcon::Stop);
    EXPECT_EQ(image(), before);
}

// DC keying is offered on channel 1 only; a stored DC keying elsewhere shows checked but disabled.
TEST_F(ChanCfgFVTest, DcKeyingOnlyOnChannelOne)
{
    for (int channel = 0; channel < 4; ++channel) {
        at(channel, 0xC8) = 1;
        open(channel);
        EXPECT_EQ(pageButton("D&C")->isEnabled(), channel == 0) << channel;
        EXPECT_TRUE(pageButton("D&C")->isChecked()) << channel;
        cancel();
        EXPECT_TRUE(frameClosed());
    }
}

// Clicking a keying or signalling button, even the checked one, forgets what later pages held;
// Back and Next alone keep it.
TEST_F(ChanCfgFVTest, ARadioClickReloadsLaterPagesBackAndNextKeepThem)
{
    open(0);
    next();
    next();
    typeInto(edit("F &1"), QStringLiteral("Typed"));
    back();
    next();
    EXPECT_EQ(edit("F &1")->text(), QStringLiteral("Typed"));
    back();
    back();
    click(pageButton("&Tone"));
    next();
    next();
    EXPECT_EQ(edit("F &1")->text(), QStringLiteral("Freq 1"));
}

// Keying None shows the channel label and its talk permit tone flag; the signalling choice
// enables the deskset ID, and None or DTMF decode empties it.
TEST_F(ChanCfgFVTest, KeyingNoneControlsAndDesksetIdFollowTheButtons)
{
    open(0);
    QLineEdit* label = on<QLineEdit>("Channel / Fre&quency label");
    QLineEdit* id = on<QLineEdit>("Des&kset ID");
    EXPECT_FALSE(label->isVisible());
    EXPECT_FALSE(id->isEnabled());
    click(pageButton("N&one"));
    EXPECT_TRUE(label->isVisible());
    EXPECT_TRUE(on<QCheckBox>("Ta&lk permit tone detection on")->isVisible());
    EXPECT_EQ(label->text(), QStringLiteral("Freq 1"));
    click(pageButton("Stat &Alert"));
    EXPECT_TRUE(id->isEnabled());
    typeInto(id, QStringLiteral("AB"));
    click(pageButton("&DTMF decode"));
    EXPECT_FALSE(id->isEnabled());
    EXPECT_TRUE(id->text().isEmpty());
    click(pageButton("DTMF &selective call"));
    EXPECT_TRUE(id->isEnabled());
    EXPECT_TRUE(id->text().isEmpty());
    click(pageButton("&Tone"));
    EXPECT_FALSE(label->isVisible());
}

// ---- The deskset ID filters ----------------------------------------------------------------

// The longest leading part of allowed characters is kept after every change: a refused character
// and the text after it disappear at once; a character typed afterwards is a new entry.
TEST_F(ChanCfgFVTest, DesksetIdKeepsTheLongestAllowedLeadingPart)
{
    struct Case {
        int signaling;
        const char* keys; // typed one at a time
        const char* pasted;
        const char* expected;
    };
    const Case cases[] = {
        {1, "12G", "", "12"},    {1, "12G4", "", "124"},      {1, "", "12G4", "12"},
        {1, "ab5f", "", "AB5F"}, {3, "*9#Z", "", "*9#"},      {3, "", "*9#Z1", "*9#"},
        {3, "E", "", ""},        {3, "abcd*#", "", "ABCD*#"}, {1, "123456789", "", "12345678"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.keys) + c.pasted);
        open(0);
        click(pageButton(kSignalings[c.signaling]));
        QLineEdit* id = on<QLineEdit>("Des&kset ID");
        typeInto(id, QString::fromLatin1(c.keys));
        if (*c.pasted) {
            QGuiApplication::clipboard()->setText(QString::fromLatin1(c.pasted));
            QTest::keyClick(id, Qt::Key_V, Qt::ControlModifier);
        }
        EXPECT_EQ(id->text(), QString::fromLatin1(c.expected));
        cancel();
        EXPECT_TRUE(frameClosed());
    }
}

TEST_F(ChanCfgFVTest, DesksetIdTypedInTheMiddleLosesTheRestAndFollowsASignalingChange)
{
    open(0);
    click(pageButton("Stat &Alert"));
    QLineEdit* id = on<QLineEdit>("Des&kset ID");
    typeInto(id, QStringLiteral("1234"));
    id->setCursorPosition(2);
    QTest::keyClick(id, Qt::Key_G);
    EXPECT_EQ(id->text(), QStringLiteral("12"));
    EXPECT_EQ(id->cursorPosition(), 2);
    typeInto(id, QStringLiteral("12EF"));
    click(pageButton("DTMF &selective call"));
    EXPECT_EQ(id->text(), QStringLiteral("12"));
}

TEST_F(ChanCfgFVTest, ALoadedDesksetIdIsShownAsStored)
{
    at(0, 0x110) = 3;
    for (int k = 0; k < 4; ++k)
        at(0, 0x111 + k) = static_cast<std::uint8_t>("12EF"[k]);
    open(0);
    EXPECT_EQ(on<QLineEdit>("Des&kset ID")->text(), QStringLiteral("12EF"));
}

// ---- New database values -------------------------------------------------------------------

TEST_F(ChanCfgFVTest, ANewDatabaseShowsTheDefaultsOnEveryPage)
{
    struct Shown {
        const char* label;
        const char* text;
    };
    const std::map<std::string, std::vector<Shown>> expected = {
        {"",
         {{"T&x (dBm)", "0"},
          {"Rx A&GC (dBm)", "-24"},
          {"&Relay", "None"},
          {"Cross m&ute", "RCU On"},
          {"&Parallel status", "Parallel Status"},
          {"Ter&mination (Ohms)", "600"},
          {"&Interface", "4 Wires"},
          {"&1 PTT relay", "None"},
          {"&7 E lead", "None"},
          {"&8 Hangover delay (ms)", "2000"},
          {"Echo Cancellation Delay (ms)", "0"},
          {"Channel / Fre&quency label", "Freq 1"}}},
        {kTone1,
         {{"Freq&uency (Hz)", "2175"},
          {"HL&GT duration (ms)", "125"},
          {"HLG&T level (dB)", "10"},
          {"&LLGT level (dB)", "-20"},
          {"Dur&ation (ms)", "40"},
          {"L&evel (dB)", "0"},
          {"Fre&quency (Hz)", "2050"},
          {"&Coded frequency (Hz)", "None"},
          {"Clea&r frequency (Hz)", "None"},
          {"Re&peater enable (Hz)", "None"},
          {"Repeater &disable (Hz)", "None"}}},
        {kTone2,
         {{"F &1", "Freq 1"},
          {"F &4", "Freq 4"},
          {"F &5", ""},
          {"Wil&dcard 1 on (Hz)", "None"},
          {"Wildca&rd 2 off (Hz)", "None"}}},
        {kDc, {{"F &1", "Freq 1"}, {"F &4", "Freq 4"}, {"&Monitor (mA)", "-2.5"}}},
        {kTpt,
         {{"&Time out (ms)", "3500"},
          {"Fre&quency (Hz)", "900"},
          {"N&umber of beeps", "3"},
          {"Beep &duration (ms)", "20"},
          {"&Pause duration (ms)", "20"},
          {"T&alk permit post time (ms)", "20"}}},
        {kStat,
         {{"L&eading pretime (ms)", "200"},
          {"Trailin&g pretime (ms)", "0"},
          {"&Default RAC", "1"},
          {"&RAC pretime (ms)", "0"},
          {"Retry c&onstant", "2"},
          {"Limited &patience (sec)", "0"},
          {"DOS &coast (ms)", "0"}}},
        {kDecode,
         {{"Mi&n digits", "3"},
          {"Ma&x digits", "8"},
          {"&Digit duration (ms)", "60"},
          {"&Interdigit timing (ms)", "40"}}},
    };
    auto text = [this](const char* label) {
        QWidget* control = on(label);
        if (auto* box = qobject_cast<QComboBox*>(control))
            return box->currentText();
        return edit(label)->text();
    };
    auto check = [&](const std::string& suffix) {
        SCOPED_TRACE(suffix);
        for (const Shown& s : expected.at(suffix))
            EXPECT_EQ(text(s.label), QString::fromLatin1(s.text)) << s.label;
    };
    auto walk = [&](int keying, int signaling) {
        open(0);
        click(pageButton(kKeyings[keying]));
        check("");
        click(pageButton(kSignalings[signaling]));
        if (signaling == 1)
            typeInto(on<QLineEdit>("Des&kset ID"), QStringLiteral("1"));
        while (wizard()->nextButton()->isVisible()) {
            next();
            const std::string suffix =
                caption().mid(QStringLiteral("Channel 1 Configuration - ").size()).toStdString();
            check(suffix);
        }
        cancel();
        EXPECT_TRUE(frameClosed());
    };
    walk(0, 2);
    walk(1, 1);
    // The tone lists of page 2, the currents of the DC plan, the check boxes of the stat alert page.
    open(0);
    nextTo(kTone2);
    const char* tones[] = {"1950", "1850", "1750", "1650", "None"};
    const auto lists = page()->findChildren<QComboBox*>();
    for (int n = 0; n < 5; ++n)
        EXPECT_EQ(lists[n]->currentText(), QString::fromLatin1(tones[n])) << n;
    cancel();
    frameClosed();
    open(0);
    choose(1, 1);
    typeInto(on<QLineEdit>("Des&kset ID"), QStringLiteral("1"));
    nextTo(kDc);
    const char* currents[] = {"5.5", "12.5", "-5.5", "-12.5", "-2.5"};
    const auto currentLists = page()->findChildren<QComboBox*>();
    for (int n = 0; n < 5; ++n)
        EXPECT_EQ(currentLists[n]->currentText(), QString::fromLatin1(currents[n])) << n;
    nextTo(kStat);
    EXPECT_TRUE(pageButton("&Leading")->isChecked());
    EXPECT_TRUE(pageButton("&Silent")->isChecked());
    EXPECT_TRUE(pageButton("&None")->isChecked());
    EXPECT_TRUE(pageButton("Emergency ac&knowledge")->isChecked());
    EXPECT_TRUE(pageButton("MDC Rx Pre-Emphasis")->isChecked());
    EXPECT_FALSE(pageButton("B&usy timer")->isChecked());
}

// ---- Refusals ------------------------------------------------------------------------------

// Each rule in each page's order: the message, the page stays, the field gets the focus with its
// whole text selected once the box has closed. The last value of each row passes.
TEST_F(ChanCfgFVTest, RefusalsNameTheirFieldAndLimitsPass)
{
    struct Case {
        const char* page; // caption suffix; "" the first page
        int keying;
        int signaling;
        const char* label;
        const char* refused;
        const char* message;
        const char* passes;
    };
    const Case cases[] = {
        {"", 0, 1, "Des&kset ID", "", "Deskset ID field cannot be empty.", "1"},
        {"", 0, 3, "Des&kset ID", "", "Deskset ID field cannot be empty.", "*"},
        {"", 2, 0, "Channel / Fre&quency label", "", "Channel/Frequency field cannot be empty.", "R"},
        {"", 0, 0, "&8 Hangover delay (ms)", "60001", "Hangover delay must be between 0 and 60000 ms.",
         "60000"},
        {"", 0, 0, "&8 Hangover delay (ms)", "", "Hangover delay must be between 0 and 60000 ms.", "0"},
        {"", 0, 0, "Echo Cancellation Delay (ms)", "1501",
         "Echo Cancellation Delay must be between 0 and 1500 ms.", "1500"},
        {kTone1, 0, 0, "HL&GT duration (ms)", "99999999999", "HLGT duration must be between 0 and 60000 ms.",
         "60000"},
        {kTone1, 0, 0, "HLG&T level (dB)", "11", "HLGT level must be between 10 and -30 dB.", "10"},
        {kTone1, 0, 0, "HLG&T level (dB)", "-31", "HLGT level must be between 10 and -30 dB.", "-30"},
        {kTone1, 0, 0, "&LLGT level (dB)", "5-", "LLGT level must be between 10 and -30 dB.", "-5"},
        {kTone1, 0, 0, "Dur&ation (ms)", "", "Function tones duration must be between 0 and 60000 ms.",
         "60000"},
        {kTone1, 0, 0, "L&evel (dB)", "--3", "Function tones level must be between 10 and -30 dB.", "-3"},
        {kTpt, 2, 1, "&Time out (ms)", "60001", "Time out must be between 0 and 60000 ms.", "60000"},
        {kTpt, 2, 1, "Fre&quency (Hz)", "199", "Frequency must be between 200 and 3400 Hz.", "200"},
        {kTpt, 2, 1, "Fre&quency (Hz)", "3401", "Frequency must be between 200 and 3400 Hz.", "3400"},
        {kTpt, 2, 1, "N&umber of beeps", "6", "Number of beeps must be between 0 and 5.", "0"},
        {kTpt, 2, 1, "Beep &duration (ms)", "", "Beep duration must be between 0 and 60000 ms.", "1"},
        {kTpt, 2, 1, "&Pause duration (ms)", "70000", "Pause duration must be between 0 and 60000 ms.", "1"},
        {kTpt, 2, 1, "T&alk permit post time (ms)", "60001",
         "Talk permit post time must be between 0 and 60000 ms.", "1"},
        {kStat, 2, 1, "L&eading pretime (ms)", "60001", "Leading pretime must be between 0 and 60000 ms.",
         "60000"},
        {kStat, 2, 1, "Trailin&g pretime (ms)", "", "Trailing pretime must be between 0 and 60000 ms.", "0"},
        {kStat, 2, 1, "&Default RAC", "",
         "Default RAC field cannot be empty.\nValid characters are : 0 to 9 and A to F", "FFFF"},
        {kStat, 2, 1, "&RAC pretime (ms)", "60001", "RAC pretime must be between 0 and 60000 ms.", "0"},
        {kStat, 2, 1, "Limited &patience (sec)", "61", "Limited patience must be between 0 and 60 sec.",
         "60"},
        {kStat, 2, 1, "Limited &patience (sec)", "99999999999",
         "Limited patience must be between 0 and 60 sec.", "60"}, // however many digits
        {kStat, 2, 1, "Limited &patience (sec)", "", "Please enter an integer.", "0"},
        {kStat, 2, 1, "DOS &coast (ms)", "60001", "DOS coast must be between 0 and 60000 ms.", "60000"},
        {kDecode, 2, 2, "&Digit duration (ms)", "60001", "Digit duration must be between 0 and 60000 ms.",
         "60000"},
        {kDecode, 2, 2, "&Interdigit timing (ms)", "", "Interdigit timing must be between 0 and 60000 ms.",
         "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.label) + " " + c.refused);
        db::closeDatabase();
        db::newDatabase();
        db::signallingFlags().clear();
        open(0);
        choose(c.keying, c.signaling);
        if (std::string(c.label) != "Des&kset ID" && (c.signaling == 1 || c.signaling == 3))
            typeInto(on<QLineEdit>("Des&kset ID"), QStringLiteral("1"));
        if (*c.page)
            nextTo(QString::fromLatin1(c.page));
        const QString before = caption();
        QLineEdit* field = edit(c.label);
        typeInto(field, QString::fromLatin1(c.refused));
        QPushButton* leave =
            wizard()->nextButton()->isVisible() ? wizard()->nextButton() : wizard()->finishButton();
        boxes.expectAny(MsgAnswer::Ok);
        click(leave);
        settleFocus();
        ASSERT_EQ(boxes.seen().size(), 1u);
        EXPECT_EQ(boxes.seen()[0].text, QString::fromLatin1(c.message));
        EXPECT_EQ(boxes.seen()[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(caption(), before);
        EXPECT_FALSE(frameClosed());
        EXPECT_TRUE(field->hasFocus());
        EXPECT_EQ(field->selectedText(), field->text());
        // Back refuses as well, on every page that has Back.
        if (wizard()->backButton()->isEnabled()) {
            boxes.expectAny(MsgAnswer::Ok);
            back();
            EXPECT_EQ(boxes.seen().size(), 2u);
            EXPECT_EQ(caption(), before);
        }
        typeInto(field, QString::fromLatin1(c.passes));
        const bool last = leave == wizard()->finishButton();
        click(leave);
        if (!last) {
            EXPECT_NE(caption(), before);
            cancel();
        }
        EXPECT_TRUE(frameClosed());
        EXPECT_TRUE(boxes.allAnswered());
        boxes.clearSeen();
    }
}

// A failed Finish keeps the window and the typed values; the field named has the focus.
TEST_F(ChanCfgFVTest, AFailedFinishKeepsTheWindowAndFocusesTheField)
{
    const db::Image before = image();
    open(0);
    choose(2, 0);
    next();
    QLineEdit* beeps = edit("N&umber of beeps");
    typeInto(beeps, QStringLiteral("9"));
    boxes.expectAny(MsgAnswer::Ok);
    finish();
    settleFocus();
    EXPECT_FALSE(frameClosed());
    EXPECT_TRUE(beeps->hasFocus());
    EXPECT_EQ(beeps->selectedText(), QStringLiteral("9"));
    EXPECT_EQ(image(), before);
    EXPECT_FALSE(host.doc.isModified());
}

// ---- Commit and cancel ---------------------------------------------------------------------

// Values without a list entry and values out of range, written back at Finish.
TEST_F(ChanCfgFVTest, StoredValuesWithoutAnEntryAreWrittenBackAsTheirFieldsSay)
{
    struct Case {
        int keying;
        int signaling;
        int offset;
        int width;
        int stored;
        int written;
    };
    const Case cases[] = {
        {0, 0, 0x0C3, 1, 0x80, 0},        // Tx level -128: no entry, 0
        {0, 0, 0x0C0, 1, 7, 0xFF},        // interface 7: no entry, 0xFF
        {0, 0, 0x0C9, 1, 5, 0xFF},        // an I/O list
        {0, 0, 0x146, 2, 2000, 0},        // echo cancellation delay beyond 1500 shows 0
        {0, 0, 0x0E1, 2, 15000, 0},       // F5 tone 1500 Hz: not a list item
        {0, 0, 0x0D9, 2, 16505, 16500},   // F1 tone shows "1650", never "165"
        {0, 0, 0x0FF, 2, 1650, 0},        // 165 Hz is no item: it must not select "1650"
        {0, 0, 0x0D0, 2, 0, 0},           // guard tone 0: no item
        {1, 0, 0x10B, 1, 40, 0},          // DC current 20 mA: no item
        {1, 0, 0x10F, 1, 0xFB, 0xFB},     // -2.5 mA
        {2, 1, 0x124, 1, 1, 10},          // retry constant 1 selects "10"
        {2, 1, 0x120, 2, 0x00AF, 0x00AF}, // default RAC "AF"
        {2, 1, 0x124, 1, 0, 0},           // retry constant 0: no item, byte kept
        {2, 2, 0x119, 1, 9, 0},           // min digits 9: no item, 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.offset) + " " + std::to_string(c.stored));
        db::closeDatabase();
        db::newDatabase();
        at(0, 0xC8) = static_cast<std::uint8_t>(c.keying);
        at(0, 0x110) = static_cast<std::uint8_t>(c.signaling);
        at(0, 0x111) = '1';
        db::signallingFlags().recompute();
        if (c.width == 2)
            put16(0, c.offset, c.stored);
        else
            at(0, c.offset) = static_cast<std::uint8_t>(c.stored);
        open(0);
        while (wizard()->nextButton()->isVisible())
            next();
        finish();
        EXPECT_TRUE(frameClosed());
        EXPECT_EQ(c.width == 2 ? get16(0, c.offset) : at(0, c.offset), c.written);
    }
    EXPECT_TRUE(boxes.seen().empty());
}

// Cancel after editing every page, and after a page showed the defaults of the area it claims,
// leaves the whole image byte for byte as it was, and the database unmodified.
TEST_F(ChanCfgFVTest, CancelWritesNothing)
{
    at(0, 0x110) = 2; // DTMF decode with its own values
    at(0, 0x119) = 2;
    at(0, 0x11A) = 5;
    put16(0, 0x11B, 70);
    put16(0, 0x11D, 30);
    at(0, 0x125) = 0x55;
    db::signallingFlags().recompute();
    const db::Image before = image();
    for (int exit = 0; exit < 2; ++exit) {
        open(0);
        click(pageButton("Stat &Alert"));
        typeInto(on<QLineEdit>("Des&kset ID"), QStringLiteral("12"));
        typeInto(on<QLineEdit>("&8 Hangover delay (ms)"), QStringLiteral("7"));
        nextTo(kTone2);
        typeInto(edit("F &1"), QStringLiteral("Edited"));
        nextTo(kStat);
        EXPECT_EQ(edit("L&eading pretime (ms)")->text(), QStringLiteral("200")); // the claimed defaults
        typeInto(edit("DOS &coast (ms)"), QStringLiteral("9"));
        if (exit == 0)
            cancel();
        else
            frame->close(); // the close box
        EXPECT_TRUE(frameClosed());
        EXPECT_EQ(image(), before);
        EXPECT_FALSE(host.doc.isModified());
        EXPECT_TRUE(host.callsOf("notifyImageChanged").empty());
        EXPECT_EQ(db::signallingFlags().dtmfAreaValid[0], 1);
        EXPECT_EQ(db::signallingFlags().statAlertAreaValid[0], 0);
    }
}

// A stat alert claim replaces DTMF data at Finish; a later DTMF claim writes its six bytes and
// keeps the stat alert bytes it does not own. The flags follow each Finish.
TEST_F(ChanCfgFVTest, ClaimsOfTheSharedAreaWriteAtFinish)
{
    at(0, 0x110) = 2;
    const Bytes dtmf = {4, 6, 70, 0, 30, 0};
    std::copy(dtmf.begin(), dtmf.end(), image().begin() + kChannelBase[0] + 0x119);
    for (int offset = 0x11F; offset <= 0x129; ++offset)
        at(0, offset) = 0x11; // rac mode among them: the stat alert defaults leave it alone
    db::signallingFlags().recompute();

    open(0);
    choose(2, 1);
    typeInto(on<QLineEdit>("Des&kset ID"), QStringLiteral("A1"));
    nextTo(kStat);
    EXPECT_EQ(edit("&Default RAC")->text(), QStringLiteral("1"));
    finish();
    EXPECT_TRUE(frameClosed());
    const Bytes statAlert = {0, 200, 0, 0, 0, 0, 0x11, 1, 0, 0, 0, 2, 0, 0, 0, 0, 1};
    EXPECT_EQ(Bytes(image().begin() + kChannelBase[0] + 0x119, image().begin() + kChannelBase[0] + 0x12A),
              statAlert);
    EXPECT_EQ(at(0, 0x148), 1);
    EXPECT_EQ(at(0, 0x110), 1);
    EXPECT_EQ(db::signallingFlags().statAlertAreaValid[0], 1);
    EXPECT_EQ(db::signallingFlags().dtmfAreaValid[0], 0);
    EXPECT_TRUE(host.doc.isModified());

    // Stored stat alert values are shown as stored now; DTMF selective call then claims the area.
    open(0);
    click(pageButton("DTMF &selective call"));
    typeInto(on<QLineEdit>("Des&kset ID"), QStringLiteral("*1"));
    nextTo(kSelective);
    EXPECT_EQ(list("Mi&n digits")->currentText(), QStringLiteral("3"));
    finish();
    EXPECT_TRUE(frameClosed());
    Bytes expected = {3, 8, 60, 0, 40, 0};
    expected.insert(expected.end(), statAlert.begin() + 6, statAlert.end());
    EXPECT_EQ(Bytes(image().begin() + kChannelBase[0] + 0x119, image().begin() + kChannelBase[0] + 0x12A),
              expected);
    EXPECT_EQ(db::signallingFlags().statAlertAreaValid[0], 0);
    EXPECT_EQ(db::signallingFlags().dtmfAreaValid[0], 1);
}

TEST_F(ChanCfgFVTest, DigitListsKeepMinimumBelowMaximum)
{
    open(0);
    choose(2, 2);
    nextTo(kDecode);
    QComboBox* minimum = list("Mi&n digits");
    QComboBox* maximum = list("Ma&x digits");
    pick(minimum, QStringLiteral("5"));
    pick(maximum, QStringLiteral("2"));
    EXPECT_EQ(minimum->currentText(), QStringLiteral("2"));
    pick(maximum, QStringLiteral("4"));
    pick(minimum, QStringLiteral("7"));
    EXPECT_EQ(maximum->currentText(), QStringLiteral("7"));
}

TEST_F(ChanCfgFVTest, LevelEditsKeepTheirLeadingCharacters)
{
    open(0);
    nextTo(kTone1);
    QLineEdit* level = edit("&LLGT level (dB)");
    // As with the deskset ID: a refused letter goes at once with whatever came in with it after it;
    // a key typed later is a new entry.
    typeInto(level, QStringLiteral("1a"));
    EXPECT_EQ(level->text(), QStringLiteral("1"));
    QTest::keyClick(level, Qt::Key_5);
    EXPECT_EQ(level->text(), QStringLiteral("15"));
    typeInto(level, {});
    QGuiApplication::clipboard()->setText(QStringLiteral("1a5"));
    QTest::keyClick(level, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(level->text(), QStringLiteral("1"));
    typeInto(level, QStringLiteral("-12"));
    EXPECT_EQ(level->text(), QStringLiteral("-12"));
}

// For every keying and signalling, Finish on a new database writes what the pages show: the
// keying, the signalling, the ID typed, and the claimed area's defaults; nothing else changes.
TEST_F(ChanCfgFVTest, RoundTripOfEveryKeyingAndSignaling)
{
    const Bytes statAlertDefaults = {0, 200, 0, 0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0, 1};
    const Bytes dtmfDefaults = {3, 8, 60, 0, 40, 0};
    for (int keying = 0; keying < 3; ++keying) {
        for (int signaling = 0; signaling < 4; ++signaling) {
            SCOPED_TRACE(std::to_string(keying) + "/" + std::to_string(signaling));
            db::closeDatabase();
            db::newDatabase();
            db::signallingFlags().clear();
            host.doc.setModified(false);
            db::Image expected = image();
            const int base = kChannelBase[0];
            expected[base + 0xC8] = static_cast<std::uint8_t>(keying);
            expected[base + 0x110] = static_cast<std::uint8_t>(signaling);
            if (signaling == 1 || signaling == 3)
                expected[base + 0x111] = '7';
            const Bytes& area = signaling == 1 ? statAlertDefaults : dtmfDefaults;
            if (signaling != 0)
                std::copy(area.begin(), area.end(), expected.begin() + base + 0x119);

            open(0);
            choose(keying, signaling);
            if (signaling == 1 || signaling == 3)
                typeInto(on<QLineEdit>("Des&kset ID"), QStringLiteral("7"));
            while (wizard()->nextButton()->isVisible())
                next();
            finish();
            EXPECT_TRUE(frameClosed());
            EXPECT_TRUE(boxes.seen().empty());
            EXPECT_TRUE(host.doc.isModified());
            ASSERT_EQ(host.callsOf("notifyImageChanged").size(), 1u); // the other windows hear of it
            EXPECT_EQ(host.callsOf("notifyImageChanged")[0].argument, 2);
            host.calls.clear();
            for (int k = 0; k < db::kImageSize; ++k)
                EXPECT_EQ(image()[k], expected[k]) << "image offset " << k;
            EXPECT_EQ(db::signallingFlags().statAlertAreaValid[0], signaling == 1 ? 1 : 0);
            EXPECT_EQ(db::signallingFlags().dtmfAreaValid[0], signaling >= 2 ? 1 : 0);
        }
    }
}

// Two channel windows at once: Finish on one and Cancel on the other change exactly one record.
TEST_F(ChanCfgFVTest, TwoChannelWindowsChangeOnlyTheFinishedRecord)
{
    const db::Image before = image();
    auto openIn = [this](int channel) {
        host.doc.setNextChannelIndex(channel);
        auto* v = new ChanCfgFV(host);
        auto* f = new test::TestFrame;
        f->setWidget(v);
        area.addSubWindow(f);
        f->show();
        v->initialFill();
        return std::pair{v, QPointer<test::TestFrame>(f)};
    };
    auto [one, oneFrame] = openIn(0);
    auto [three, threeFrame] = openIn(2);
    EXPECT_EQ(oneFrame->windowTitle(), QStringLiteral("Channel 1 Configuration"));
    EXPECT_EQ(threeFrame->windowTitle(), QStringLiteral("Channel 3 Configuration"));

    // Chosen by keyboard: the two frames overlap, so a list's popup may open under the other one.
    auto pick = [](ChanCfgFV* v, const char* label, const char* entry) {
        for (QLabel* caption : v->wizard()->currentPage()->findChildren<QLabel*>()) {
            if (caption->text() != QString::fromLatin1(label))
                continue;
            auto* box = qobject_cast<QComboBox*>(caption->buddy());
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Home);
            while (box->currentText() != QString::fromLatin1(entry) && box->currentIndex() + 1 < box->count())
                QTest::keyClick(box, Qt::Key_Down);
            EXPECT_EQ(box->currentText(), QString::fromLatin1(entry));
        }
    };
    pick(one, "T&x (dBm)", "5");
    area.setActiveSubWindow(threeFrame);
    pick(three, "T&x (dBm)", "-7");
    area.setActiveSubWindow(oneFrame);
    click(one->wizard()->nextButton());
    area.setActiveSubWindow(threeFrame);
    for (int k = 0; k < 3; ++k)
        click(three->wizard()->nextButton());
    click(three->wizard()->finishButton());
    click(one->wizard()->cancelButton());
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(oneFrame.isNull());
    EXPECT_TRUE(threeFrame.isNull());

    db::Image expected = before;
    expected[kChannelBase[2] + 0xC3] = 0xF9; // -7 dBm
    EXPECT_EQ(image(), expected);
}

} // namespace
