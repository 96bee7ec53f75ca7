// Widget tests of the PTT ID alias list and its dialog, driven through the real buttons, edits and
// radio buttons. Expected texts and image bytes are written out here on purpose, independently of
// the string table and the layout constants.
#include "editors/aliases/AliasListFV.h"
#include "editors/EditorCatalog.h"
#include "editors/aliases/EditAliasFV.h"
#include "tests/editors/EditorFixture.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTreeWidget>

#include <algorithm>
#include <map>
#include <random>

using namespace trv;
using editors::AliasListFV;
using editors::EditAliasFV;
using editors::EditorDialog;
using platform::MsgAnswer;

namespace {

constexpr int kTable = 0x2762;
constexpr int kRecordSize = 21;
constexpr int kIdOffset = 12;
constexpr int kTypeOffset = 20;

constexpr const char* kMdcMessage = "You must enter a valid PTT ID before continuing.\n"
                                    "4 characters are required for MDC 1200.\n"
                                    "Valid characters are 0 to 9 and A to F for MDC 1200.";
constexpr const char* kDtmfMessage = "You must enter a valid PTT ID before continuing.\n"
                                     "Valid characters are 0 to 9, A to D, * and # for DTMF.";
constexpr const char* kFillAll = "All the fields must be filled out before you can continue.";
constexpr const char* kIdExists = "This PTT ID already exists.";
constexpr const char* kLabelExists = "This label already exists.";

// What the user enters in the dialog. Texts are typed, so the edit's own rules apply to them.
struct Entry {
    QString label;
    QString id;
    bool dtmf = false;
};

// The image's text slot at `offset`, up to its first zero byte.
std::string slot(int offset, int size)
{
    const db::Image& image = db::theImage();
    std::string text;
    for (int i = 0; i < size && image[offset + i] != 0; ++i)
        text += static_cast<char>(image[offset + i]);
    return text;
}
std::string labelOf(int record)
{
    return slot(kTable + kRecordSize * record, 12);
}
std::string idOf(int record)
{
    return slot(kTable + kRecordSize * record + kIdOffset, 8);
}
int typeOf(int record)
{
    return db::theImage()[kTable + kRecordSize * record + kTypeOffset];
}
void putAlias(int record, const std::string& label, const std::string& id, int type = 0)
{
    db::Image& image = db::theImage();
    const int at = kTable + kRecordSize * record;
    std::fill_n(image.begin() + at, kRecordSize, 0);
    std::copy(label.begin(), label.end(), image.begin() + at);
    std::copy(id.begin(), id.end(), image.begin() + at + kIdOffset);
    image[at + kTypeOffset] = static_cast<std::uint8_t>(type);
}

template <class T> T* childNamed(QWidget& parent, const char* text)
{
    for (T* child : parent.findChildren<T*>())
        if (child->text() == QString::fromLatin1(text))
            return child;
    ADD_FAILURE() << "no control " << text;
    return nullptr;
}

class AliasListFVTest : public test::EditorFixture {
protected:
    void TearDown() override
    {
        EditorDialog::setHook({});
        EditorFixture::TearDown();
    }

    AliasListFV* open() { return openView<AliasListFV>(); }
    QTreeWidget* list() const { return frame->findChild<QTreeWidget*>(); }
    QStringList shownLabels() const
    {
        QStringList labels;
        for (int r = 0; r < list()->topLevelItemCount(); ++r)
            labels << list()->topLevelItem(r)->text(0);
        return labels;
    }
    QString currentLabel() const { return list()->currentItem()->text(0); }
    void selectLabel(const QString& label)
    {
        const QList<QTreeWidgetItem*> found = list()->findItems(label, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << label.toStdString();
        list()->setCurrentItem(found.front());
    }

    static QLineEdit* edit(EditorDialog& dlg, const char* label)
    {
        return qobject_cast<QLineEdit*>(childNamed<QLabel>(dlg, label)->buddy());
    }
    static void press(EditorDialog& dlg, const char* text) { childNamed<QPushButton>(dlg, text)->click(); }

    // Types the entry (only the fields given) and presses OK; a dialog its checks keep open is
    // cancelled. The hook also notes what had the focus, and its selected text, after a refusal.
    void enter(const char* button, const Entry& entry)
    {
        EditorDialog::setHook([this, entry](EditorDialog& dlg) {
            typeInto(edit(dlg, "&Label"), entry.label);
            click(childNamed<QRadioButton>(dlg, entry.dtmf ? "&DTMF unit" : "&MDC1200 unit"));
            typeInto(edit(dlg, "&PTT ID"), entry.id);
            press(dlg, "OK");
            refusedFocus.clear();
            if (!dlg.isVisible())
                return;
            auto* focused = qobject_cast<QLineEdit*>(dlg.focusWidget());
            for (const char* label : {"&Label", "&PTT ID"})
                if (focused == edit(dlg, label) && focused->selectedText() == focused->text())
                    refusedFocus = label;
            press(dlg, "Cancel");
        });
        click(this->button<QPushButton>(button));
        EditorDialog::setHook({});
    }
    void add(const Entry& entry) { enter("&Add", entry); }
    // Edits the alias shown with this label.
    void editAlias(const QString& label, const Entry& entry)
    {
        selectLabel(label);
        enter("&Edit", entry);
    }
    // Expects one refusal with this text, pointing at the named field with its text selected.
    void expectRefused(const char* message, const char* field)
    {
        ASSERT_FALSE(boxes.seen().empty());
        EXPECT_EQ(boxes.seen().back().text, QString::fromLatin1(message));
        EXPECT_EQ(boxes.seen().back().buttons, platform::MsgButtons::Ok);
        EXPECT_EQ(boxes.seen().back().icon, platform::MsgIcon::None) << "a plain message box: " << message;
        EXPECT_EQ(refusedFocus, field) << message;
    }

    std::string refusedFocus; // the field focused with its whole text selected after a refusal
};

// ---- Dialog -----------------------------------------------------------------------------------

TEST_F(AliasListFVTest, PttIdRulesPerUnitType)
{
    struct Case {
        const char* typed;
        bool dtmf;
        const char* stored; // nullptr: refused with the unit type's message
    };
    const Case cases[] = {
        {"12AB", false, "12AB"},        {"34cd", false, "34CD"},   {"fFfF", false, "FFFF"},
        {"123", false, nullptr},        {"12345", false, nullptr}, {"12AG", false, nullptr},
        {"*#0D", true, "*#0D"},         {"abcd", true, "ABCD"},    {"7", true, "7"},
        {"0123456#", true, "0123456#"}, {"12E", true, nullptr},    {"1 2", true, nullptr},
    };
    open();
    int added = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::string label = "Unit " + std::to_string(10 + added);
        if (!c.stored)
            boxes.expectAny(MsgAnswer::Ok);
        add({QString::fromStdString(label), QString::fromLatin1(c.typed), c.dtmf});
        if (!c.stored) {
            expectRefused(c.dtmf ? kDtmfMessage : kMdcMessage, "&PTT ID");
            EXPECT_EQ(labelOf(added), "");
            continue;
        }
        EXPECT_EQ(labelOf(added), label);
        EXPECT_EQ(idOf(added), c.stored);
        EXPECT_EQ(typeOf(added), c.dtmf ? 3 : 0);
        ++added;
    }
    EXPECT_TRUE(host.doc.isModified());
}

TEST_F(AliasListFVTest, EmptyFieldsAreRefusedLabelFirst)
{
    open();
    const struct {
        Entry entry;
        const char* focus;
    } cases[] = {{{"", "12AB"}, "&Label"}, {{"", ""}, "&Label"}, {{"Base", ""}, "&PTT ID"}};
    for (const auto& c : cases) {
        boxes.expectAny(MsgAnswer::Ok);
        add(c.entry);
        expectRefused(kFillAll, c.focus);
    }
    EXPECT_EQ(labelOf(0), "");
    EXPECT_FALSE(host.doc.isModified());
}

TEST_F(AliasListFVTest, DialogShowsTheRecordAndCancelWritesNothing)
{
    putAlias(0, "Mobile 7", "12345678", 5); // any non-zero unit type reads as DTMF
    open();
    const db::Image before = db::theImage();
    std::vector<std::string> seen;
    EditorDialog::setHook([&](EditorDialog& dlg) {
        seen = {dlg.windowTitle().toStdString(),
                edit(dlg, "&Label")->text().toStdString(),
                edit(dlg, "&PTT ID")->text().toStdString(),
                childNamed<QRadioButton>(dlg, "&DTMF unit")->isChecked() ? "DTMF" : "MDC1200",
                std::to_string(edit(dlg, "&Label")->maxLength()),
                std::to_string(edit(dlg, "&PTT ID")->maxLength())};
        QTest::keyClick(&dlg, Qt::Key_F1);
        typeInto(edit(dlg, "&Label"), "Other");
        press(dlg, "Cancel");
    });
    click(button<QPushButton>("&Edit"));
    EXPECT_EQ(seen,
              (std::vector<std::string>{"Edit PTT ID Aliases", "Mobile 7", "12345678", "DTMF", "12", "8"}));
    EditorDialog::setHook([&](EditorDialog& dlg) {
        seen = {edit(dlg, "&Label")->text().toStdString(), edit(dlg, "&PTT ID")->text().toStdString(),
                childNamed<QRadioButton>(dlg, "&MDC1200 unit")->isChecked() ? "MDC1200" : "DTMF"};
    });
    click(button<QPushButton>("&Add"));
    EXPECT_EQ(seen, (std::vector<std::string>{"", "", "MDC1200"}));
    EXPECT_EQ(db::theImage(), before);
    EXPECT_FALSE(host.doc.isModified());
    EXPECT_TRUE(host.imageChanges.empty());
    ASSERT_EQ(host.callsOf("showHelp").size(), 1u);
    EXPECT_EQ(host.callsOf("showHelp")[0].argument, 109);
}

// ---- Order, duplicates, delete ----------------------------------------------------------------

TEST_F(AliasListFVTest, LabelsAreKeptInUpperCasedOrderAndAnAddSelectsTheLastRow)
{
    AliasListFV* view = open();
    add({"Zulu", "0001"});
    add({"alpha", "0002"});
    EXPECT_EQ(currentLabel(), "Zulu");
    // The other windows learn where the records went: Zulu from 0 to 1, the new alias from 1 to 0.
    ASSERT_EQ(host.imageChanges.size(), 2u);
    EXPECT_EQ(host.imageChanges[1].change.area, editors::ChangedArea::PttAliases);
    EXPECT_EQ(host.imageChanges[1].source, view);
    EXPECT_EQ(std::vector<int>(host.imageChanges[1].change.recordMap.begin(),
                               host.imageChanges[1].change.recordMap.begin() + 3),
              (std::vector<int>{1, 0, 2}));
    add({"Bravo", "0003"});
    EXPECT_EQ((std::vector<std::string>{labelOf(0), labelOf(1), labelOf(2)}),
              (std::vector<std::string>{"alpha", "Bravo", "Zulu"}));
    EXPECT_EQ((std::vector<std::string>{idOf(0), idOf(1), idOf(2)}),
              (std::vector<std::string>{"0002", "0003", "0001"}));
    EXPECT_EQ(shownLabels(), (QStringList{"alpha", "Bravo", "Zulu"}));
    EXPECT_EQ(list()->topLevelItem(0)->text(1), "0002");

    // Equal upper-cased labels coexist; the one added later follows.
    add({"RADIO", "0004"});
    add({"Radio", "0005"});
    add({"Able", "*1", true});
    EXPECT_EQ(shownLabels(), (QStringList{"Able", "alpha", "Bravo", "RADIO", "Radio", "Zulu"}));

    // A rename moves the alias both ways and selects the same row position again.
    editAlias("alpha", {"Yankee", "0002"});
    EXPECT_EQ(shownLabels(), (QStringList{"Able", "Bravo", "RADIO", "Radio", "Yankee", "Zulu"}));
    EXPECT_EQ(list()->indexOfTopLevelItem(list()->currentItem()), 1);
    editAlias("Zulu", {"Aardvark", "0001"});
    EXPECT_EQ(shownLabels(), (QStringList{"Aardvark", "Able", "Bravo", "RADIO", "Radio", "Yankee"}));
    EXPECT_EQ(idOf(0), "0001");
}

TEST_F(AliasListFVTest, DuplicateChecksAreCaseSensitiveAndSkipTheEditedAlias)
{
    putAlias(0, "Base", "12AB");
    putAlias(1, "Mobile", "*12", 3);
    open();
    const struct {
        Entry entry;
        const char* message; // nullptr: accepted
        const char* focus;
    } adds[] = {
        {{"Mobile", "12AB"}, kIdExists, "&PTT ID"}, // the PTT ID is checked before the label
        {{"Other", "*12", true}, kIdExists, "&PTT ID"},
        {{"Base", "5555"}, kLabelExists, "&Label"},
        {{"BASE", "5555"}, nullptr, nullptr},
    };
    for (const auto& a : adds) {
        SCOPED_TRACE(a.entry.label.toStdString());
        const std::size_t shown = boxes.seen().size();
        if (a.message)
            boxes.expectAny(MsgAnswer::Ok);
        add(a.entry);
        if (a.message)
            expectRefused(a.message, a.focus);
        else
            EXPECT_EQ(boxes.seen().size(), shown);
    }
    EXPECT_EQ(shownLabels(), (QStringList{"Base", "BASE", "Mobile"}));

    // Keeping its own label and PTT ID passes both checks.
    const std::size_t shown = boxes.seen().size();
    editAlias("Mobile", {"Mobile", "*12", true});
    EXPECT_EQ(boxes.seen().size(), shown);
    EXPECT_EQ((std::vector<std::string>{labelOf(2), idOf(2)}), (std::vector<std::string>{"Mobile", "*12"}));
    boxes.expectAny(MsgAnswer::Ok);
    editAlias("Mobile", {"BASE", "0012"});
    expectRefused(kLabelExists, "&Label");
}

TEST_F(AliasListFVTest, DeleteAsksThenPacksTheTable)
{
    open();
    add({"Alpha", "0001"});
    add({"Bravo", "0002"});
    add({"Charlie", "0003", true});
    host.doc.setModified(false);
    selectLabel("Alpha");
    boxes.expectAny(MsgAnswer::Yes);
    click(button<QPushButton>("&Delete"));
    EXPECT_EQ(boxes.seen().back().text, "Are you sure you want to delete the selected item?");
    EXPECT_EQ(boxes.seen().back().buttons, platform::MsgButtons::YesNo);
    EXPECT_TRUE(host.doc.isModified());
    EXPECT_EQ((std::vector<std::string>{labelOf(0), idOf(0), labelOf(1), idOf(1)}),
              (std::vector<std::string>{"Bravo", "0002", "Charlie", "0003"}));
    EXPECT_EQ(typeOf(1), 3);
    EXPECT_EQ(labelOf(2), "");
    EXPECT_EQ(idOf(2), "0003"); // the last moved record's old slot keeps its other bytes
    EXPECT_EQ(currentLabel(), "Bravo");
    ASSERT_EQ(host.imageChanges.size(), 4u);
    EXPECT_EQ(std::vector<int>(host.imageChanges[3].change.recordMap.begin(),
                               host.imageChanges[3].change.recordMap.begin() + 4),
              (std::vector<int>{-1, 0, 1, 3}));

    // Later edits keep their PTT IDs without a duplicate message.
    editAlias("Charlie", {"Charlie", "0003", true});
    editAlias("Bravo", {"Bravo", "0002"});
    EXPECT_EQ(shownLabels(), (QStringList{"Bravo", "Charlie"}));
}

TEST_F(AliasListFVTest, AddIsDisabledAt250Aliases)
{
    for (int r = 0; r < 249; ++r)
        putAlias(r, "A" + std::to_string(1000 + r), std::to_string(1000 + r));
    open();
    EXPECT_TRUE(button<QPushButton>("&Add")->isEnabled());
    EXPECT_EQ(currentLabel(), "A1000"); // the first row after opening
    add({"Z", "FFFF"});
    EXPECT_EQ(labelOf(249), "Z");
    EXPECT_EQ(list()->topLevelItemCount(), 250);
    EXPECT_FALSE(button<QPushButton>("&Add")->isEnabled());
    EXPECT_EQ(currentLabel(), "Z");
    boxes.expectAny(MsgAnswer::Yes);
    click(button<QPushButton>("&Delete"));
    EXPECT_TRUE(button<QPushButton>("&Add")->isEnabled());
    EXPECT_EQ(currentLabel(), "A1248"); // the deleted row was the last
}

// ---- The window ---------------------------------------------------------------------------------

TEST_F(AliasListFVTest, WindowLayoutHelpAndEmptyList)
{
    open();
    EXPECT_EQ(frame->windowTitle(), "PTT ID Aliases");
    EXPECT_EQ(list()->headerItem()->text(0), "Label");
    EXPECT_EQ(list()->headerItem()->text(1), "PTT ID");
    EXPECT_EQ(list()->columnWidth(0), 200);
    EXPECT_GE(list()->columnWidth(1), 80); // the last column fills the list
    EXPECT_EQ(list()->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_NE(childNamed<QLabel>(*frame, "Choose an entry to edit or add a new one."), nullptr);
    EXPECT_EQ(shownLabels(), (QStringList{"<No PTT ID alias defined>"}));
    EXPECT_FALSE(button<QPushButton>("&Edit")->isEnabled());
    EXPECT_FALSE(button<QPushButton>("&Delete")->isEnabled());
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_F1);
    ASSERT_EQ(host.callsOf("showHelp").size(), 1u);
    EXPECT_EQ(host.callsOf("showHelp")[0].argument, 108);
    click(button<QPushButton>("Close"));
    EXPECT_TRUE(frameClosed());
}

TEST_F(AliasListFVTest, EscapeActsAsEnter)
{
    putAlias(0, "Base", "12AB");
    open();
    QSignalSpy activated(list(), &QTreeWidget::activated);
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Escape);
    EXPECT_EQ(activated.count(), 1);
    EXPECT_FALSE(frameClosed());
}

TEST_F(AliasListFVTest, TheAliasKindOpensTheAliasList)
{
    const editors::ViewFactory factory = editors::viewFactory(editors::EditorKind::PttAliases);
    ASSERT_TRUE(factory);
    std::unique_ptr<editors::EditorView> view(factory(host, nullptr));
    EXPECT_NE(dynamic_cast<AliasListFV*>(view.get()), nullptr);
    EXPECT_EQ(view->treeLabel(), "PTT ID Aliases");
}

// ---- Random changes against a model -------------------------------------------------------------

// Random adds, renames and deletes through the window, many of them clashing on purpose (labels
// that differ only in case, repeated PTT IDs). After each step the table must equal the model: the
// accepted aliases, packed from record 0, in upper-cased label order, no label or PTT ID twice.
TEST_F(AliasListFVTest, RandomChangesKeepTheTableSortedPackedAndFreeOfDuplicates)
{
    for (int r = 0; r < 240; ++r) // close to the limit, so that the full table is reached too
        putAlias(r, "P" + std::to_string(1000 + r), std::to_string(10000000 + r));
    std::map<std::string, std::string> model; // label -> PTT ID
    for (int r = 0; r < 240; ++r)
        model[labelOf(r)] = idOf(r);
    open();

    std::mt19937 random(20261208);
    auto pick = [&](std::initializer_list<const char*> from) {
        return std::string(
            *(from.begin() + std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)));
    };
    auto randomText = [&](const char* characters, int length) {
        std::string text;
        for (int i = 0; i < length; ++i)
            text += characters[std::uniform_int_distribution<int>(0, 3)(random)];
        return text;
    };
    auto randomEntry = [&] {
        const int kind = std::uniform_int_distribution<int>(0, 9)(random);
        const std::string id = kind == 0 ? pick({"10000003", "10000017"}) // an ID of the loaded table
                               : kind < 5
                                   ? randomText("01AB", 4)
                                   : randomText("1*#D", std::uniform_int_distribution<int>(1, 3)(random));
        std::string label =
            pick({"Radio", "RADIO", "radio", "Base", "BASE", "Zulu", "alpha", "Car", "car", "P1005"});
        if (std::uniform_int_distribution<int>(0, 2)(random) != 0)
            label += std::to_string(std::uniform_int_distribution<int>(0, 30)(random));
        return Entry{QString::fromStdString(label), QString::fromStdString(id), kind >= 5 || id.size() == 8};
    };
    auto upper = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        return s;
    };
    auto idTaken = [&](const std::string& id, const std::string& except) {
        return std::any_of(model.begin(), model.end(),
                           [&](const auto& m) { return m.second == id && m.first != except; });
    };

    bool reachedFull = false;
    int largest = 0;
    for (int step = 0; step < 200; ++step) {
        SCOPED_TRACE(step);
        const int op = std::uniform_int_distribution<int>(0, 9)(random);
        const int n = static_cast<int>(model.size());
        ASSERT_EQ(button<QPushButton>("&Add")->isEnabled(), n < 250);
        std::string old; // the alias a rename or delete works on
        if (op >= 5 && n > 0) {
            old = labelOf(std::uniform_int_distribution<int>(0, n - 1)(random));
            selectLabel(QString::fromStdString(old));
        }
        if (op >= 8 && n > 0) {
            boxes.expectAny(MsgAnswer::Yes);
            click(button<QPushButton>("&Delete"));
            model.erase(old);
        } else if ((op < 5 && n < 250) || !old.empty()) {
            const Entry entry = randomEntry();
            const std::string label = entry.label.toStdString();
            const std::string id = entry.id.toStdString();
            const std::size_t shown = boxes.seen().size();
            const bool idClash = idTaken(id, old);
            const bool labelClash = !idClash && label != old && model.count(label) != 0;
            if (idClash || labelClash)
                boxes.expectAny(MsgAnswer::Ok);
            enter(old.empty() ? "&Add" : "&Edit", entry);
            if (idClash || labelClash) {
                ASSERT_EQ(boxes.seen().size(), shown + 1);
                EXPECT_EQ(boxes.seen().back().text, QString::fromLatin1(idClash ? kIdExists : kLabelExists));
            } else {
                ASSERT_EQ(boxes.seen().size(), shown) << label;
                model.erase(old);
                model[label] = id;
            }
        }

        const int count = static_cast<int>(model.size());
        reachedFull = reachedFull || count == 250;
        largest = std::max(largest, count);
        std::map<std::string, std::string> stored;
        for (int r = 0; r < count; ++r) {
            ASSERT_NE(labelOf(r), "") << "packed";
            stored[labelOf(r)] = idOf(r);
            if (r > 0) {
                ASSERT_LE(upper(labelOf(r - 1)), upper(labelOf(r))) << "sorted";
            }
        }
        for (int r = count; r < 250; ++r)
            ASSERT_EQ(labelOf(r), "") << "nothing after the last alias";
        ASSERT_EQ(stored, model);
        ASSERT_EQ(list()->topLevelItemCount(), std::max(count, 1));
        if (count > 0) {
            ASSERT_EQ(list()->topLevelItem(count - 1)->text(0).toStdString(), labelOf(count - 1));
        }
    }
    EXPECT_TRUE(reachedFull) << "largest table: " << largest;
}

} // namespace
