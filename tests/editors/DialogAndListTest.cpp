// The modal dialog base (its test hook, refusals, help) and the list window base (rows, placeholder,
// enabling rule, double click, delete question and the selection after a delete), each through a
// small window of the test's own over the alias table.
#include "database/FieldCatalog.h"
#include "database/SortedTable.h"
#include "editors/aliases/EditAliasFV.h"
#include "editors/common/EditorDialog.h"
#include "editors/common/ListWindow.h"
#include "editors/paging/FormatEditors.h"
#include "editors/paging/PagingFormatDlg.h"
#include "editors/speedpaging/EditSpeedPageFV.h"
#include "tests/editors/EditorFixture.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace trv;
using namespace trv::editors;
namespace f = db::fields;

namespace {

// A dialog with one required text bound to an alias label.
class LabelDlg : public EditorDialog {
public:
    LabelDlg(EditorHost& host, int record)
        : EditorDialog(host, 109, nullptr), record_(record), edit_(new QLineEdit(this))
    {
        bindings_.add<TextBinding>(edit_, f::aliasLabel, "required");
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(edit_);
        layout->addWidget(okCancelButtons());
        bindings_.load(db::theImage(), record_);
    }
    QLineEdit* edit() const { return edit_; }
    void press(QDialogButtonBox::ButtonRole role)
    {
        for (QAbstractButton* b : findChild<QDialogButtonBox*>()->buttons())
            if (findChild<QDialogButtonBox*>()->buttonRole(b) == role)
                b->click();
    }

protected:
    bool commit() override
    {
        if (auto refusal = bindings_.check()) {
            refuse(*refusal);
            return false;
        }
        bindings_.store(db::theImage(), record_);
        return true;
    }

private:
    int record_;
    QLineEdit* edit_;
    FieldBindings bindings_;
};

class AliasLabels final : public ListWindow {
public:
    explicit AliasLabels(EditorHost& host)
        : ListWindow(host, {"Labels", "Choose one.", {{"Label", 200}}, 3, "<none>"})
    {
    }
    EditorKind kind() const override { return EditorKind::PttAliases; }
    int helpContext() const override { return 108; }
    std::vector<int> edited;

protected:
    std::vector<Row> rows() const override
    {
        std::vector<Row> rows;
        for (int r = 0; r < table().count(db::theImage()); ++r)
            rows.push_back({{QString::fromStdString(table().label(db::theImage(), r))}, r});
        return rows;
    }
    void add() override {}
    void edit(int record) override { edited.push_back(record); }
    bool remove(int record) override
    {
        table().remove(db::theImage(), record);
        return true;
    }

private:
    static const db::SortedTable& table()
    {
        static const db::SortedTable t(f::aliasLabel, db::SortedTable::Compare::UpperCased,
                                       db::SortedTable::SecondPass::Always);
        return t;
    }
};

// Types each character as a key press carrying it, as a keyboard layout that has it sends it (QTest's
// own typing knows Latin-1 only).
void typeCharacters(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

class DialogAndListTest : public test::EditorFixture {
protected:
    void TearDown() override
    {
        EditorDialog::setHook({});
        EditorFixture::TearDown();
    }
    void putAliases(std::initializer_list<const char*> labels)
    {
        int r = 0;
        for (const char* label : labels)
            db::writeFieldText(db::theImage(), f::aliasLabel, label, r++);
    }
    QTreeWidget* list() const { return frame->findChild<QTreeWidget*>(); }
    void doubleClick(int row) const
    {
        const QPoint at = list()->visualItemRect(list()->topLevelItem(row)).center();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
    }
};

TEST_F(DialogAndListTest, HookDrivesTheDialogRefusalKeepsItOpenAndOkCommits)
{
    boxes.expectAny(platform::MsgAnswer::Ok);
    EditorDialog::setHook([](EditorDialog& d) {
        auto& dlg = static_cast<LabelDlg&>(d);
        dlg.press(QDialogButtonBox::AcceptRole); // empty: refused, still open, field focused
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(dlg.focusWidget(), dlg.edit());
        QTest::keyClick(dlg.edit(), Qt::Key_F1);
        dlg.edit()->setText("Radio");
        dlg.press(QDialogButtonBox::AcceptRole);
    });
    LabelDlg dlg(host, 4);
    EXPECT_EQ(dlg.run(), QDialog::Accepted);
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text, "required");
    EXPECT_EQ(db::readFieldText(db::theImage(), f::aliasLabel, 4), "Radio");
    ASSERT_EQ(host.callsOf("showHelp").size(), 1u);
    EXPECT_EQ(host.callsOf("showHelp")[0].argument, 109);
}

TEST_F(DialogAndListTest, ADialogTheHookLeavesOpenIsCancelledAndWritesNothing)
{
    EditorDialog::setHook([](EditorDialog& d) { static_cast<LabelDlg&>(d).edit()->setText("Zulu"); });
    const db::Image before = db::theImage();
    LabelDlg dlg(host, 0);
    EXPECT_EQ(dlg.run(), QDialog::Rejected);
    EXPECT_EQ(db::theImage(), before);
}

TEST_F(DialogAndListTest, EmptyListShowsThePlaceholderWhichEditsNothing)
{
    auto* view = openView<AliasLabels>();
    ASSERT_EQ(list()->topLevelItemCount(), 1);
    EXPECT_EQ(list()->topLevelItem(0)->text(0), "<none>");
    EXPECT_TRUE(button("&Add")->isEnabled());
    EXPECT_FALSE(button("&Edit")->isEnabled());
    EXPECT_FALSE(button("&Delete")->isEnabled());
    doubleClick(0);
    EXPECT_TRUE(view->edited.empty());
    EXPECT_EQ(frame->windowTitle(), "Labels");
}

TEST_F(DialogAndListTest, FullListDisablesAddAndDoubleClickEditsTheRowsRecord)
{
    putAliases({"alpha", "Bravo", "Zulu"});
    auto* view = openView<AliasLabels>();
    EXPECT_FALSE(button("&Add")->isEnabled());
    EXPECT_EQ(list()->currentItem()->text(0), "alpha"); // the first row after opening
    doubleClick(1);
    EXPECT_EQ(view->edited, std::vector<int>{1});
}

TEST_F(DialogAndListTest, AChangeFromAnotherWindowRefillsAndSelectsTheLastRow)
{
    putAliases({"alpha", "Bravo"});
    auto* view = openView<AliasLabels>();
    putAliases({"alpha", "Bravo", "Zulu"});
    view->imageChanged({ChangedArea::PttAliases, {}});
    ASSERT_EQ(list()->topLevelItemCount(), 3);
    EXPECT_EQ(list()->currentItem()->text(0), "Zulu");
    EXPECT_FALSE(button("&Add")->isEnabled());
}

TEST_F(DialogAndListTest, DeleteAsksThenSelectsTheSamePositionOrTheLast)
{
    putAliases({"alpha", "Bravo", "Zulu"});
    openView<AliasLabels>();
    list()->setCurrentItem(list()->topLevelItem(1));
    boxes.expectAny(platform::MsgAnswer::No);
    click(button("&Delete"));
    EXPECT_EQ(list()->topLevelItemCount(), 3);
    EXPECT_FALSE(host.doc.isModified());

    boxes.expectAny(platform::MsgAnswer::Yes);
    click(button("&Delete"));
    EXPECT_EQ(boxes.seen().back().text, "Are you sure you want to delete the selected item?");
    ASSERT_EQ(list()->topLevelItemCount(), 2);
    EXPECT_EQ(list()->currentItem()->text(0), "Zulu"); // same position
    EXPECT_TRUE(host.doc.isModified());
    EXPECT_TRUE(button("&Add")->isEnabled());

    boxes.expectAny(platform::MsgAnswer::Yes);
    click(button("&Delete"));
    EXPECT_EQ(list()->currentItem()->text(0), "alpha"); // the deleted row was the last
}

// The label of each dialog that names a record, typed and pasted: a character no text slot stores
// disappears where it was entered, the caret staying after what was kept, and the label is stored
// as shown. A label loaded with other bytes is shown and written back as stored.
TEST_F(DialogAndListTest, LabelsKeepOnlyStorableCharactersAndALoadedLabelAsStored)
{
    db::writeFieldText(db::theImage(), f::pagingLabel, "PULSE", 5);
    db::writeField(db::theImage(), f::formatType, 19, 5); // a speed page on it takes digits 1 to 16
    struct Case {
        const char* what;
        const db::Field& label;
        std::function<EditorDialog*(int record)> make;
        const char* otherEdit; // a further required field and what it takes, or nothing
        const char* otherText;
    };
    const Case cases[] = {
        {"alias", f::aliasLabel, [&](int r) -> EditorDialog* { return new EditAliasFV(host, r); }, "&PTT ID",
         "1234"},
        {"speed page", f::speedPageLabel,
         [&](int r) -> EditorDialog* { return new EditSpeedPageFV(host, r); },
         "&Digit sequence / Custom page label", "1"},
        {"paging format", f::pagingLabel,
         [&](int r) -> EditorDialog* {
             return new paging::PagingFormatDlg(host, *paging::formatEditor(0), r);
         },
         nullptr, nullptr},
    };
    const auto edit = [](EditorDialog& dlg, const char* caption) -> QLineEdit* {
        for (QLabel* label : dlg.findChildren<QLabel*>())
            if (label->text() == QString::fromLatin1(caption))
                return qobject_cast<QLineEdit*>(label->buddy());
        ADD_FAILURE() << "no edit " << caption;
        return nullptr;
    };
    const auto pressOk = [](EditorDialog& dlg) {
        for (QAbstractButton* b : dlg.findChildren<QDialogButtonBox*>().front()->buttons())
            if (b->text() == "OK")
                b->click();
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditorDialog::setHook([&](EditorDialog& dlg) {
            QLineEdit* label = edit(dlg, "&Label");
            label->setFocus();
            typeCharacters(label, QString::fromUtf8("\u03A9m\u2022ga"));
            EXPECT_EQ(label->text(), "mga");
            EXPECT_EQ(label->cursorPosition(), 3);
            label->setCursorPosition(1);
            label->insert(QString::fromUtf8("\u00E9\t\u0394")); // pasted
            EXPECT_EQ(label->text(), QString::fromUtf8("m\u00E9ga"));
            EXPECT_EQ(label->cursorPosition(), 2);
            if (c.otherEdit)
                QTest::keyClicks(edit(dlg, c.otherEdit), QString::fromLatin1(c.otherText));
            pressOk(dlg);
        });
        std::unique_ptr<EditorDialog> added(c.make(-1));
        ASSERT_EQ(added->run(), QDialog::Accepted);
        EXPECT_EQ(db::readFieldText(db::theImage(), c.label, 0), "m\xE9ga");

        // Bytes no editor would write, loaded as they are: shown, and kept by an OK that leaves them.
        const std::string stored = "\x07Z\x85\xFF";
        db::writeFieldText(db::theImage(), c.label, stored, 0);
        EditorDialog::setHook([&](EditorDialog& dlg) {
            EXPECT_EQ(edit(dlg, "&Label")->text(), QString::fromLatin1(stored));
            pressOk(dlg);
        });
        std::unique_ptr<EditorDialog> edited(c.make(0));
        ASSERT_EQ(edited->run(), QDialog::Accepted);
        EXPECT_EQ(db::readFieldText(db::theImage(), c.label, 0), stored);
    }
    EXPECT_TRUE(boxes.seen().empty());
}

} // namespace
