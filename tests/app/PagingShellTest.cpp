// The editor windows in the real shell: the Speed Paging tree item and View menu item follow
// whether any paging format exists; the delete guards see the saved buttons and an open buttons
// window's unsaved ones; no window closes under its own modal dialog.
#include "ShellTestSupport.h"

#include "app/CChildFrame.h"
#include "database/DdbFile.h"
#include "database/FieldCatalog.h"
#include "editors/buttons/CUniButton.h"
#include "editors/buttons/DesksetButtonsCfgFV.h"
#include "editors/buttons/DesksetPicture.h"
#include "editors/common/ButtonTable.h"
#include "editors/common/EditorDialog.h"
#include "editors/common/EditorTexts.h"
#include "editors/common/ListWindow.h"
#include "editors/paging/PagingTexts.h"
#include "editors/speedpaging/SpeedPagingTexts.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

namespace trv::app::test {
namespace {

namespace f = db::fields;
using editors::ButtonEntry;
using editors::EditorDialog;

// The button of `owner` with this text, in owner's own window (not in a dialog of it).
QPushButton* buttonOf(const QWidget* owner, const QString& text)
{
    for (QPushButton* b : owner->findChildren<QPushButton*>())
        if (b->text() == text && b->window() == owner->window())
            return b;
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
}

class PagingShellTest : public ShellFixture {
protected:
    void TearDown() override
    {
        editors::EditorDialog::setHook({});
        ShellFixture::TearDown();
    }
    // Starts with a new database and the real buttons window (the fixture stands in none).
    void startWithButtonsWindow()
    {
        storePort();
        start();
        frame()->editorWindows().standInView(editors::EditorKind::Buttons,
                                             [](editors::EditorHost& host, QWidget* parent) {
                                                 return new editors::DesksetButtonsCfgFV(host, parent);
                                             });
        run(cmd::kNewDatabase);
    }
    // The open window with that caption.
    CChildFrame* window(const QString& caption) const
    {
        for (CChildFrame* frame : frame()->editorFrames())
            if (frame->windowTitle() == caption)
                return frame;
        ADD_FAILURE() << "no window " << caption.toStdString();
        return nullptr;
    }
    template <class View> View* view(const QString& caption) const
    {
        CChildFrame* frame = window(caption);
        return frame ? dynamic_cast<View*>(frame->view()) : nullptr;
    }
    void selectRow(const QString& caption, int row) const
    {
        QTreeWidget* list = view<editors::ListWindow>(caption)->list();
        list->setCurrentItem(list->topLevelItem(row));
    }
    void pressIn(const QString& caption, const QString& text)
    {
        buttonOf(window(caption), text)->click();
        settle();
    }
    void press(const QString& text)
    {
        for (QPushButton* b : frame()->workspace()->findChildren<QPushButton*>())
            if (b->text() == text && b->isVisible()) {
                b->click();
                settle();
                return;
            }
        ADD_FAILURE() << "no button " << text.toStdString();
    }
    bool speedPagingUsable() const
    {
        const bool item = tree()->itemState("Speed Paging") != TreeState::Disabled;
        EXPECT_EQ(frame()->action(cmd::kViewSpeedPaging)->isEnabled(), item) << "tree and View menu differ";
        return item;
    }
};

TEST_F(PagingShellTest, SpeedPagingIsUsableExactlyWhileAFormatExists)
{
    storePort();
    start();
    run(cmd::kNewDatabase);
    run(cmd::kViewPagingFormats);
    ASSERT_EQ(editorCount(), 1);
    EXPECT_FALSE(speedPagingUsable());

    editors::EditorDialog::setHook([](editors::EditorDialog& d) {
        if (auto* label = d.findChild<QLineEdit*>())
            if (d.windowTitle() != "Paging Format Protocols")
                label->setText(QStringLiteral("ALL"));
        for (QPushButton* b : d.findChildren<QPushButton*>())
            if (b->text() == "OK")
                b->click();
    });
    press(editors::text::kAdd); // the first protocol: Call Alert
    EXPECT_TRUE(speedPagingUsable());
    EXPECT_TRUE(app_->document().isModified());

    boxes_.expect(editors::text::kDeleteQuestion, MsgAnswer::Yes);
    press(editors::text::kDelete);
    EXPECT_FALSE(speedPagingUsable());
}

// The buttons window is open with two saved buttons made "Not Defined" but not saved. Deleting the
// speed page or the paging format one of them calls is refused all the same, since Cancel there
// gives the buttons back; the stored table then holds every assignment, renumbered for the speed
// page that was deleted, past the pages in use too.
TEST_F(PagingShellTest, DeleteGuardsSeeTheSavedButtonsThatTheButtonsWindowHasTakenOff)
{
    startWithButtonsWindow();
    db::Image& image = db::theImage();
    db::writeFieldText(image, f::pagingLabel, "FIRE", 0);
    db::writeField(image, f::formatType, 13, 0);
    db::writeFieldText(image, f::pagingLabel, "CALL", 1);
    db::writeField(image, f::formatType, 1, 1);
    for (int r : {0, 1}) {
        db::writeFieldText(image, f::speedPageLabel, r == 0 ? "AA" : "SP", r);
        db::writeField(image, f::speedPageFormat, 1, r);
        db::writeFieldText(image, f::speedPageDigits, "0A1F", r);
    }
    editors::ButtonEntries saved = editors::imageButtonTable(image);
    editors::setButtonEntry(saved, 0, {5, 2});   // SP
    editors::setButtonEntry(saved, 1, {4, 1});   // FIRE
    editors::setButtonEntry(saved, 2, {5, 200}); // past the speed pages in use
    editors::writeImageButtonTable(image, saved);
    tree()->refreshAllStates();

    run(cmd::kViewButtons);
    auto* buttons = view<editors::DesksetButtonsCfgFV>("Buttons Configuration");
    ASSERT_NE(buttons, nullptr);
    EditorDialog::setHook([](EditorDialog& dlg) {
        auto* type = dlg.findChild<QComboBox*>();
        type->setCurrentIndex(type->findText("Not Defined"));
        buttonOf(&dlg, "OK")->click();
    });
    for (int k : {0, 1})
        buttons->picture()->button(k)->click();
    EditorDialog::setHook({});
    for (int k : {0, 1})
        EXPECT_EQ(editors::buttonEntry(buttons->workingButtonTable(), k), ButtonEntry{}) << k;

    run(cmd::kViewSpeedPaging);
    selectRow("Speed Paging", 1);
    boxes_.expect(editors::speedpaging::text::kOnButton, MsgAnswer::Ok);
    pressIn("Speed Paging", editors::text::kDelete);
    EXPECT_EQ(db::readFieldText(image, f::speedPageLabel, 1), "SP");
    selectRow("Speed Paging", 0);
    boxes_.expect(editors::text::kDeleteQuestion, MsgAnswer::Yes);
    pressIn("Speed Paging", editors::text::kDelete); // AA: SP moves to record 0

    run(cmd::kViewPagingFormats);
    selectRow("Paging Formats", 0);
    boxes_.expect(editors::paging::text::kUsedByButton, MsgAnswer::Ok);
    pressIn("Paging Formats", editors::text::kDelete);
    EXPECT_EQ(db::readFieldText(image, f::pagingLabel, 0), "FIRE");

    pressIn("Buttons Configuration", editors::text::kCancel);
    for (const char* caption : {"Speed Paging", "Paging Formats"})
        pressIn(caption, editors::text::kClose);
    ASSERT_EQ(editorCount(), 0);
    editors::ButtonEntries expected = saved;
    editors::setButtonEntry(expected, 0, {5, 1});
    editors::setButtonEntry(expected, 2, {5, 199});
    saveChoice_ = path("site.ddb");
    run(cmd::kSaveAs);
    db::Image stored{};
    ASSERT_TRUE(db::loadDatabase(saveChoice_.toStdString(), stored).ok);
    EXPECT_EQ(editors::imageButtonTable(stored), expected);
}

// While a window's modal dialog runs, a screen reader can still press the window's Close (or Cancel)
// button and the frame's close box, and the main window's Exit and close box: every one of those
// close requests is refused, and the window closes normally once the dialog has gone.
TEST_F(PagingShellTest, NoWindowClosesUnderItsModalDialog)
{
    startWithButtonsWindow();
    db::writeFieldText(db::theImage(), f::pagingLabel, "FIRE", 0);
    db::writeField(db::theImage(), f::formatType, 13, 0);
    tree()->refreshAllStates();
    struct Case {
        int command;
        const char* caption;
        QLatin1StringView opener; // the button that runs the dialog
        QLatin1StringView closer; // the window's own button that closes it
    };
    const Case cases[] = {
        {cmd::kViewPttAliases, "PTT ID Aliases", editors::text::kAdd, editors::text::kClose},
        {cmd::kViewSpeedPaging, "Speed Paging", editors::text::kAdd, editors::text::kClose},
        {cmd::kViewPagingFormats, "Paging Formats", editors::text::kAdd, editors::text::kClose}, // protocols
        {cmd::kViewPagingFormats, "Paging Formats", editors::text::kEdit, editors::text::kClose},
        {cmd::kViewCustomTones, "Custom Paging Tones", editors::text::kAdd, editors::text::kClose},
        {cmd::kViewButtons, "Buttons Configuration", {}, editors::text::kCancel},
    };
    const auto accessiblePress = [](QAbstractButton* button) {
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        ASSERT_TRUE(accessible && accessible->actionInterface());
        accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_TRUE(clicked.count() > 0 || clicked.wait(5000));
    };
    // The frame's close box as a screen reader reaches it: the Close item of its system menu.
    const auto accessibleCloseBox = [](QMdiSubWindow* frame) {
        QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(frame->systemMenu());
        ASSERT_TRUE(menu);
        for (int i = 0; i < menu->childCount(); ++i) {
            QAccessibleInterface* item = menu->child(i);
            if (item && item->text(QAccessible::Name).startsWith("Close") && item->actionInterface()) {
                item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                return;
            }
        }
        ADD_FAILURE() << "no Close in the frame's system menu";
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        run(c.command);
        QPointer<CChildFrame> frame = window(c.caption);
        ASSERT_TRUE(frame);
        bool ran = false;
        onNextModal<QDialog>([&](QDialog* dialog) {
            ran = true;
            accessiblePress(buttonOf(frame, c.closer));
            settle();
            accessibleCloseBox(frame);
            settle();
            this->frame()->action(cmd::kExit)->trigger();
            this->frame()->close();
            settle();
            EXPECT_TRUE(frame);
            EXPECT_TRUE(dialog->isVisible());
            dialog->reject();
        });
        if (!c.opener.isNull())
            buttonOf(frame, c.opener)->click();
        else
            frame->findChild<editors::DesksetPicture*>()->button(0)->click();
        settle();
        EXPECT_TRUE(ran);
        ASSERT_TRUE(frame);
        EXPECT_TRUE(frame->isVisible());
        EXPECT_TRUE(this->frame()->isVisible());
        EXPECT_TRUE(app_->hasDocument());
        pressIn(c.caption, c.closer);
        EXPECT_FALSE(frame) << "closes once the dialog has gone";
    }
}

} // namespace
} // namespace trv::app::test
