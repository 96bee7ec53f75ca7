// Widget tests of the buttons editor and its Button Configuration dialog. Texts and image bytes are
// written out here on purpose, independently of the string table and the layout constants.
#include "editors/buttons/DesksetButtonsCfgFV.h"
#include "database/Image.h"
#include "editors/buttons/ButtonConfigDlg.h"
#include "editors/buttons/CUniButton.h"
#include "editors/buttons/DesksetPicture.h"
#include "editors/common/ColoredStatic.h"
#include "editors/common/EditorDialog.h"
#include "tests/editors/EditorFixture.h"

#include <functional>

using namespace trv;
using editors::CUniButton;
using editors::DesksetButtonsCfgFV;
using editors::EditorDialog;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

constexpr const char* kTypeLabel = "Button &type :";
constexpr const char* kParameterLabel = "Function &label :";
constexpr const char* kNoLabel = "No function label available.";
constexpr const char* kClearQuestion =
    "Are you sure you want to reset all the buttons to their default value?";

constexpr int kType = 0x1E;
constexpr int kTable = 0x80;
constexpr int kTableEnd = 0xA4;
constexpr int kFormats = 0x800, kFormatSize = 24;
constexpr int kSpeedPages = 0xEF8, kSpeedPageSize = 25;

// Every kind name, as the type list sorts them on a multi-channel deskset.
const QStringList kAllKindsSorted = {
    "Alert Tone",  "Alias Page",  "All Mute",     "Auxiliary",     "Clear",       "Coded Clear", "Enter RAC",
    "Frequency",   "Manual Page", "Multi Select", "Mute",          "Not Defined", "Patch",       "Repeat",
    "Scroll Down", "Scroll Up",   "Speed Page",   "Volume Adjust", "Wildcard"};

db::Image& image()
{
    return db::theImage();
}

void setButton(int k, int kind, int parameter)
{
    image()[kTable + 2 * k] = static_cast<std::uint8_t>(kind);
    image()[kTable + 2 * k + 1] = static_cast<std::uint8_t>(parameter);
}

std::pair<int, int> entryIn(const db::Image& img, int k)
{
    return {img[kTable + 2 * k], img[kTable + 2 * k + 1]};
}

void addFormat(int record, const char* label, int type = 13)
{
    db::writeText(image(), kFormats + kFormatSize * record, 8, label);
    image()[kFormats + kFormatSize * record + 8] = static_cast<std::uint8_t>(type);
}

void addSpeedPage(int record, const char* label)
{
    db::writeText(image(), kSpeedPages + kSpeedPageSize * record, 8, label);
}

void pickIn(QComboBox* box, const QString& entry);

// The dialog as the hook sees it.
struct Dialog {
    EditorDialog& dialog;

    QComboBox* list(const char* label) const
    {
        for (QLabel* caption : dialog.findChildren<QLabel*>())
            if (caption->text() == QString::fromLatin1(label))
                return qobject_cast<QComboBox*>(caption->buddy());
        ADD_FAILURE() << "no list " << label;
        return nullptr;
    }
    static QStringList items(QComboBox* box)
    {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }
    QComboBox* type() const { return list(kTypeLabel); }
    QComboBox* parameter() const { return list(kParameterLabel); }
    QStringList types() const { return items(type()); }
    QStringList parameters() const { return items(parameter()); }
    bool parameterShown() const { return parameter()->isVisible(); }
    void pickType(const QString& name) const { pickIn(type(), name); }
    void pickParameter(const QString& text) const { pickIn(parameter(), text); }
    void press(const char* text) const
    {
        for (QPushButton* b : dialog.findChildren<QPushButton*>())
            if (b->text() == QString::fromLatin1(text)) {
                QTest::mouseClick(b, Qt::LeftButton);
                return;
            }
        ADD_FAILURE() << "no button " << text;
    }
};

class DesksetButtonsCfgFVTest : public test::EditorFixture {
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        previousHook_ = EditorDialog::setHook({});
    }
    void TearDown() override
    {
        EditorDialog::setHook(previousHook_);
        EditorFixture::TearDown();
    }

    DesksetButtonsCfgFV* open() { return view = openView<DesksetButtonsCfgFV>(); }

    QStringList labels() const
    {
        QStringList texts;
        for (int k = 0; k < 18; ++k)
            texts << view->picture()->label(k)->text();
        return texts;
    }

    // Clicks button k of the picture; `drive` works the dialog that opens.
    void configure(int k, const std::function<void(const Dialog&)>& drive)
    {
        bool opened = false;
        EditorDialog::setHook([&](EditorDialog& dialog) {
            opened = true;
            EXPECT_EQ(dialog.windowTitle(), "Button Configuration");
            drive(Dialog{dialog});
        });
        QTest::mouseClick(view->picture()->button(k), Qt::LeftButton);
        EditorDialog::setHook({});
        EXPECT_TRUE(opened) << "button " << k << " opened no dialog";
    }
    // Assigns a kind (and a parameter, by its text) to button k through the dialog.
    void assign(int k, const QString& kind, const QString& parameter = {})
    {
        configure(k, [&](const Dialog& d) {
            d.pickType(kind);
            if (!parameter.isEmpty())
                d.pickParameter(parameter);
            d.press("OK");
        });
    }
    void clickCommand(const char* text) { click(button<QPushButton>(text)); }

    DesksetButtonsCfgFV* view = nullptr;

private:
    friend void pickIn(QComboBox* box, const QString& entry);
    EditorDialog::Hook previousHook_;
};

void pickIn(QComboBox* box, const QString& entry)
{
    DesksetButtonsCfgFVTest::pick(box, entry);
}

TEST_F(DesksetButtonsCfgFVTest, NewDatabaseShowsNotDefinedBesideEveryButton)
{
    open();
    EXPECT_EQ(labels(), QStringList(18, "ND"));
    EXPECT_EQ(frame->windowTitle(), "Buttons Configuration");
}

// The picture: three columns of six in table order, the channel keys only on a multi-channel deskset.
TEST_F(DesksetButtonsCfgFVTest, PictureLaysOutButtonsInThreeColumnsOfSixAndChannelKeysByDesksetType)
{
    for (int type : {1, 4}) {
        image()[kType] = static_cast<std::uint8_t>(type);
        open();
        editors::DesksetPicture* picture = view->picture();
        for (int k = 0; k < 18; ++k) {
            const QRect b = picture->button(k)->geometry();
            if (k % 6 != 5) {
                EXPECT_LT(b.bottom(), picture->button(k + 1)->geometry().top()) << k;
                EXPECT_EQ(b.left(), picture->button(k + 1)->geometry().left()) << k;
            }
            if (k >= 6) {
                EXPECT_LT(picture->button(k - 6)->geometry().right(), b.left()) << k;
            }
            EXPECT_EQ(b.width(), b.height()) << k;
            EXPECT_LT(b.right(), picture->label(k)->geometry().left()) << k; // label to its right
            EXPECT_GE(picture->label(k)->width(),
                      QFontMetrics(picture->label(k)->font()).horizontalAdvance("AlMut")); // the widest label
        }
        QStringList keys;
        for (int k = 0; k < 8; ++k) {
            if (picture->channelKey(k)->isVisible())
                keys << picture->channelKey(k)->text();
        }
        const QStringList multiChannelKeys = {"Tx 4", "Sel 4", "Tx 3", "Sel 3",
                                              "Tx 2", "Sel 2", "Tx 1", "Sel 1"};
        EXPECT_EQ(keys, type == 4 ? multiChannelKeys : QStringList()) << type;
        frame->close();
    }
}

// A larger picture keeps buttons and labels in proportion.
TEST_F(DesksetButtonsCfgFVTest, PictureScalesButtonsAndLabelsTogether)
{
    open();
    editors::DesksetPicture* picture = view->picture();
    const QSize base = picture->size();
    const QRect button = picture->button(17)->geometry();
    const int fontSize = picture->label(17)->font().pixelSize();
    picture->resize(base * 2);
    EXPECT_NEAR(picture->button(17)->geometry().width(), button.width() * 2, 2);
    EXPECT_NEAR(picture->button(17)->geometry().center().x(), button.center().x() * 2, 3);
    EXPECT_NEAR(picture->label(17)->font().pixelSize(), fontSize * 2, 1);

    // A large system font asks for a larger picture, so the labels grow with the text around them.
    QFont large = picture->font();
    large.setPixelSize(32);
    picture->setFont(large);
    EXPECT_GT(picture->sizeHint().width(), base.width() * 2);
    EXPECT_GT(picture->sizeHint().height(), base.height() * 2);
}

TEST_F(DesksetButtonsCfgFVTest, ButtonColoursFollowPointerAndPress)
{
    open();
    CUniButton* b = view->picture()->button(0);
    EXPECT_EQ(b->faceColor(), b->palette().color(QPalette::Button));
    b->setDown(true);
    EXPECT_EQ(b->faceColor(), QColor(20, 200, 20));
    b->setDown(false);
    b->setAttribute(Qt::WA_UnderMouse, true); // as the pointer entering sets it
    EXPECT_EQ(b->faceColor(), QColor(10, 160, 10));
    b->setDown(true);
    EXPECT_EQ(b->faceColor(), QColor(20, 200, 20)) << "pressed wins over hover";
}

TEST_F(DesksetButtonsCfgFVTest, TypeListIsSortedAndLeavesOutMultiChannelKindsOnSingleChannel)
{
    image()[kType] = 4;
    open();
    configure(0, [](const Dialog& d) {
        EXPECT_EQ(d.types(), kAllKindsSorted);
        EXPECT_EQ(d.type()->currentText(), "Not Defined");
        EXPECT_FALSE(d.parameterShown());
    });
    frame->close();

    image()[kType] = 1;
    open();
    QStringList single = kAllKindsSorted;
    for (const char* multiOnly : {"All Mute", "Patch", "Multi Select", "Volume Adjust"})
        single.removeAll(multiOnly);
    configure(0, [&](const Dialog& d) { EXPECT_EQ(d.types(), single); });
}

TEST_F(DesksetButtonsCfgFVTest, MuteTakesAChannelOnMultiChannelAndChannelOneOnSingleChannel)
{
    image()[kType] = 4;
    setButton(5, 9, 2); // another Mute, channel 2
    open();
    configure(0, [](const Dialog& d) {
        d.pickType("Mute");
        EXPECT_TRUE(d.parameterShown());
        EXPECT_EQ(d.parameters(), (QStringList{"1", "3", "4"}));
        d.pickParameter("3");
        d.press("OK");
    });
    clickCommand("OK");
    EXPECT_EQ(entryIn(image(), 0), std::make_pair(9, 3));

    // Single channel: one Mute per table, no parameter shown, stored with channel 1.
    image()[kType] = 1;
    setButton(0, 0, 255);
    setButton(5, 0, 255);
    open();
    configure(0, [](const Dialog& d) {
        d.pickType("Mute");
        EXPECT_FALSE(d.parameterShown());
        d.press("OK");
    });
    configure(1, [](const Dialog& d) { EXPECT_FALSE(d.types().contains("Mute")); });
    clickCommand("OK");
    EXPECT_EQ(entryIn(image(), 0), std::make_pair(9, 1));
}

// Each once-per-table kind on button 3 leaves every other button's type list, and stays (selected)
// in button 3's own.
TEST_F(DesksetButtonsCfgFVTest, OncePerTableKindsAreOfferedOnlyToTheButtonThatHasThem)
{
    image()[kType] = 4;
    const std::pair<int, const char*> once[] = {
        {1, "Scroll Up"},    {2, "Scroll Down"},    {3, "Clear"},     {6, "Alias Page"},
        {8, "All Mute"},     {11, "Repeat"},        {13, "Patch"},    {14, "Multi Select"},
        {15, "Coded Clear"}, {16, "Volume Adjust"}, {17, "Enter RAC"}};
    for (const auto& [kind, name] : once) {
        setButton(3, kind, 255);
        open();
        configure(10, [&](const Dialog& d) { EXPECT_FALSE(d.types().contains(name)) << name; });
        configure(3, [&](const Dialog& d) {
            EXPECT_TRUE(d.types().contains(name)) << name;
            EXPECT_EQ(d.type()->currentText(), name);
        });
        frame->close();
        QCoreApplication::sendPostedEvents();
    }
}

TEST_F(DesksetButtonsCfgFVTest, ManualPageWithoutFormatsHasNothingToChooseAndOkRefuses)
{
    open();
    configure(0, [&](const Dialog& d) {
        d.pickType("Manual Page");
        EXPECT_EQ(d.parameters(), QStringList{kNoLabel});
        boxes.expectAny(MsgAnswer::Ok);
        d.press("OK");
        ASSERT_EQ(boxes.seen().size(), 1U);
        EXPECT_EQ(boxes.seen()[0].text, kNoLabel);
        EXPECT_EQ(boxes.seen()[0].icon, MsgIcon::Exclamation);
        EXPECT_TRUE(d.dialog.isVisible()); // stays open
        d.press("Cancel");
    });
    EXPECT_EQ(labels()[0], "ND");
}

// Each parameter kind leaves out what another button of the same kind uses; the button's own stays.
TEST_F(DesksetButtonsCfgFVTest, ParameterListsLeaveOutWhatOtherButtonsUse)
{
    image()[kType] = 4;
    addFormat(0, "FIRE");
    addFormat(2, "POLICE");
    addFormat(5, "EMS");
    addSpeedPage(0, "ALPHA");
    addSpeedPage(1, "BRAVO");
    struct Case {
        int kind;
        const char* name;
        int usedByOther; // parameter held by button 7
        int ownParameter;
        QStringList expected; // button 0's list
    };
    const Case cases[] = {
        {4, "Manual Page", 3, 6, {"FIRE", "EMS"}},
        {5, "Speed Page", 1, 2, {"BRAVO"}},
        {7, "Frequency", 2, 8, {"1/2", "5/6", "7/8", "9/10", "11/12", "13/14", "15/16"}},
        {9, "Mute", 4, 1, {"1", "2", "3"}},
        {10, "Alert Tone", 3, 1, {"1", "2"}},
        {12, "Wildcard", 1, 2, {"2"}},
        {18, "Auxiliary", 2, 4, {"1", "3", "4"}},
    };
    for (const Case& c : cases) {
        setButton(7, c.kind, c.usedByOther);
        setButton(0, c.kind, c.ownParameter);
        open();
        configure(0, [&](const Dialog& d) {
            EXPECT_EQ(d.type()->currentText(), c.name);
            EXPECT_TRUE(d.parameterShown()) << c.name;
            EXPECT_EQ(d.parameters(), c.expected) << c.name;
        });
        configure(7, [&](const Dialog& d) {
            EXPECT_EQ(d.parameter()->currentData().toInt(), c.usedByOther) << c.name;
        });
        frame->close();
        QCoreApplication::sendPostedEvents();
    }
}

TEST_F(DesksetButtonsCfgFVTest, SecondFormatIsTheOnlyChoiceOfAnotherButtonWhileTheFirstIsAssigned)
{
    addFormat(0, "FIRE");
    addFormat(1, "FIRE2");
    open();
    assign(0, "Manual Page", "FIRE");
    configure(1, [](const Dialog& d) {
        d.pickType("Manual Page");
        EXPECT_EQ(d.parameters(), QStringList{"FIRE2"});
        d.press("Cancel");
    });
    configure(0, [](const Dialog& d) { EXPECT_EQ(d.parameters(), (QStringList{"FIRE", "FIRE2"})); });
    // The current parameter is found by value, not by a prefix of its text.
    assign(0, "Manual Page", "FIRE2");
    configure(0, [](const Dialog& d) { EXPECT_EQ(d.parameter()->currentText(), "FIRE2"); });
    clickCommand("OK");
    EXPECT_EQ(entryIn(image(), 0), std::make_pair(4, 2));
    EXPECT_EQ(labels()[0], "MPg");
}

TEST_F(DesksetButtonsCfgFVTest, ShortLabelsFollowEveryKind)
{
    const char* shortLabels[] = {"ND",   "Up",    "Down", "Clr",   "MPg", "SPg",  "APg",
                                 "Fq",   "AlMut", "Mute", "AlrtT", "Rep", "WldC", "Ptch",
                                 "MSel", "CClr",  "Vol",  "RAC",   "Aux"};
    image()[kType] = 4;
    addFormat(0, "FIRE");
    addSpeedPage(0, "ALPHA");
    for (int kind = 0; kind <= 18; ++kind)
        setButton(kind % 18, kind, 1);
    open();
    for (int kind = 0; kind <= 18; ++kind)
        EXPECT_EQ(labels()[kind % 18], kind == 0 ? "Aux" : shortLabels[kind]) << kind;
}

TEST_F(DesksetButtonsCfgFVTest, AKindAboveTheLastLeavesItsLabelAsItWas)
{
    image()[kType] = 4;
    setButton(3, 19, 1);
    setButton(4, 0xFF, 0);
    setButton(5, 9, 1);
    open();
    const QStringList opened = labels();
    EXPECT_EQ(opened[3], "") << "no label of its own, not a made-up one";
    EXPECT_EQ(opened[4], "");
    EXPECT_EQ(opened[5], "Mute");
    for (int button : {3, 4})
        view->picture()->label(button)->setText("kept");
    clickCommand("&Undo Last Change"); // nothing to undo yet; the labels are refreshed
    EXPECT_EQ(labels()[3], "kept");
    EXPECT_EQ(labels()[4], "kept");
    EXPECT_EQ(labels()[5], "Mute");
}

TEST_F(DesksetButtonsCfgFVTest, ClearAllAndUndoRestoreEveryAssignment)
{
    image()[kType] = 4;
    for (int k = 0; k < 18; ++k)
        setButton(k, k % 2 ? 7 : 10, k % 2 ? (k + 1) / 2 % 8 + 1 : k / 2 % 3 + 1); // any entries
    open();
    const QStringList before = labels();

    boxes.expectAny(MsgAnswer::No);
    clickCommand("&Clear All");
    EXPECT_EQ(labels(), before);

    boxes.expectAny(MsgAnswer::Yes);
    clickCommand("&Clear All");
    ASSERT_EQ(boxes.seen().size(), 2U);
    EXPECT_EQ(boxes.seen()[1].text, kClearQuestion);
    EXPECT_EQ(boxes.seen()[1].buttons, MsgButtons::YesNo);
    EXPECT_EQ(labels(), QStringList(18, "ND"));
    EXPECT_EQ(view->workingButtonTable()[0], 0);
    EXPECT_EQ(view->workingButtonTable()[1], 255);

    clickCommand("&Undo Last Change");
    EXPECT_EQ(labels(), before);
    const db::Image original = image();
    clickCommand("OK");
    EXPECT_EQ(image(), original);
}

TEST_F(DesksetButtonsCfgFVTest, UndoSwapsTheLastChangeBackAndForth)
{
    open();
    clickCommand("&Undo Last Change"); // nothing to undo yet
    EXPECT_EQ(labels(), QStringList(18, "ND"));

    assign(4, "Repeat");
    EXPECT_EQ(labels()[4], "Rep");
    clickCommand("&Undo Last Change");
    EXPECT_EQ(labels()[4], "ND");
    clickCommand("&Undo Last Change");
    EXPECT_EQ(labels()[4], "Rep");
}

TEST_F(DesksetButtonsCfgFVTest, CancelWritesNothingAndOkWritesTheWorkingTable)
{
    image()[kType] = 4;
    open();
    assign(0, "Clear");
    assign(17, "Auxiliary", "3");
    const db::Image before = image();
    clickCommand("Cancel");
    EXPECT_TRUE(frameClosed());
    EXPECT_TRUE(std::equal(image().begin() + kTable, image().begin() + kTableEnd, before.begin() + kTable));
    EXPECT_FALSE(host.doc.isModified());
    EXPECT_TRUE(host.callsOf("notifyImageChanged").empty());

    open();
    assign(0, "Clear");
    assign(17, "Auxiliary", "3");
    clickCommand("OK");
    EXPECT_TRUE(frameClosed());
    db::Image expected = before;
    expected[kTable] = 3;
    expected[kTable + 1] = 255;
    expected[kTable + 34] = 18;
    expected[kTable + 35] = 3;
    EXPECT_EQ(image(), expected);
    EXPECT_TRUE(host.doc.isModified());
    ASSERT_EQ(host.callsOf("notifyImageChanged").size(), 1U);
    EXPECT_EQ(host.callsOf("notifyImageChanged")[0].argument,
              static_cast<int>(editors::ChangedArea::Buttons));
}

// A Manual Page or Speed Page button whose record is gone reads "ND" and is written undefined.
TEST_F(DesksetButtonsCfgFVTest, ButtonsOnMissingRecordsBecomeNotDefined)
{
    addFormat(1, "FIRE");
    addSpeedPage(0, "ALPHA");
    setButton(0, 4, 1);   // format record 0 is free
    setButton(1, 4, 2);   // FIRE: kept
    setButton(2, 4, 0);   // out of range
    setButton(3, 4, 17);  // out of range
    setButton(4, 5, 1);   // ALPHA: kept
    setButton(5, 5, 2);   // speed page record 1 is free
    setButton(6, 5, 251); // out of range
    setButton(7, 5, 0);   // out of range
    open();
    EXPECT_EQ(labels().mid(0, 8), (QStringList{"ND", "MPg", "ND", "ND", "SPg", "ND", "ND", "ND"}));
    clickCommand("OK");
    for (int k : {0, 2, 3, 5, 6, 7})
        EXPECT_EQ(entryIn(image(), k), std::make_pair(0, 255)) << k;
    EXPECT_EQ(entryIn(image(), 1), std::make_pair(4, 2));
    EXPECT_EQ(entryIn(image(), 4), std::make_pair(5, 1));
}

// A paging format deleted while its button waits in the backup table: a format added later in the
// freed record does not come back to the button with Undo.
TEST_F(DesksetButtonsCfgFVTest, UndoNeverRevivesAButtonOnARecordThatWasFreed)
{
    addFormat(0, "FIRE");
    setButton(0, 4, 1);
    open();
    assign(0, "Repeat"); // FIRE's button waits in the backup
    image()[kFormats] = 0;
    view->imageChanged({editors::ChangedArea::PagingFormats, {}});
    addFormat(0, "NEW");
    view->imageChanged({editors::ChangedArea::PagingFormats, {}});
    clickCommand("&Undo Last Change");
    EXPECT_EQ(labels()[0], "ND");
    clickCommand("OK");
    EXPECT_EQ(entryIn(image(), 0), std::make_pair(0, 255));
}

// Speed pages moved by their own window: both the working and the backup table follow.
TEST_F(DesksetButtonsCfgFVTest, SpeedPageMovesRenumberWorkingAndBackupTables)
{
    for (const char* label : {"A", "B", "C", "D"})
        addSpeedPage(label[0] - 'A', label);
    open();
    assign(0, "Speed Page", "C");
    assign(1, "Speed Page", "D");
    clickCommand("&Undo Last Change"); // button 1's D waits in the backup table

    // A renamed to E: A B C D become B C D E.
    for (const char* label : {"B", "C", "D", "E"})
        addSpeedPage(label[0] - 'B', label);
    view->imageChanged({editors::ChangedArea::SpeedPages, {3, 0, 1, 2}});
    EXPECT_EQ(view->workingButtonTable()[1], 2); // C, now record 1
    clickCommand("&Undo Last Change");
    EXPECT_EQ(view->workingButtonTable()[3], 3); // D, now record 2

    // C deleted, D and E packed down: the button on C becomes undefined, the one on D follows.
    addSpeedPage(1, "D");
    addSpeedPage(2, "E");
    addSpeedPage(3, "");
    view->imageChanged({editors::ChangedArea::SpeedPages, {0, -1, 1, 2}});
    EXPECT_EQ(labels().mid(0, 2), (QStringList{"ND", "SPg"}));
    clickCommand("OK");
    EXPECT_EQ(entryIn(image(), 0), std::make_pair(0, 255));
    EXPECT_EQ(entryIn(image(), 1), std::make_pair(5, 2));
}

TEST_F(DesksetButtonsCfgFVTest, HelpContextsOfEditorAndDialog)
{
    open();
    QTest::keyClick(view->picture()->button(0), Qt::Key_F1);
    configure(0, [](const Dialog& d) { QTest::keyClick(d.type(), Qt::Key_F1); });
    const auto help = host.callsOf("showHelp");
    ASSERT_EQ(help.size(), 2U);
    EXPECT_EQ(help[0].argument, 45);
    EXPECT_EQ(help[1].argument, 77);
}

// The system's double click: press, release, double-click press, release. The second press counts.
TEST_F(DesksetButtonsCfgFVTest, DoubleClickActsAsClick)
{
    open();
    int dialogs = 0;
    EditorDialog::setHook([&](EditorDialog&) { ++dialogs; });
    CUniButton* b = view->picture()->button(2);
    const QPoint centre = b->rect().center();
    QTest::mousePress(b, Qt::LeftButton, {}, centre);
    QTest::mouseRelease(b, Qt::LeftButton, {}, centre);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, centre, b->mapToGlobal(centre), Qt::LeftButton,
                            Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &doubleClick);
    QTest::mouseRelease(b, Qt::LeftButton, {}, centre);
    EditorDialog::setHook({});
    EXPECT_EQ(dialogs, 2);
}

} // namespace
