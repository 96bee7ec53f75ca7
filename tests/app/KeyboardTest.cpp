// The editor windows from the keyboard, in the main window with the real editors: the focus after a
// refusal once the window manager activates the window again, mnemonics against the menu bar, the
// frame's own keys, Enter and Escape, and help beside the window that asks for it.
#include "ShellTestSupport.h"

#include "app/CChildFrame.h"
#include "app/EditorWindows.h"
#include "app/HelpWindow.h"
#include "database/Layout.h"
#include "editors/channel/ChanCfgFV.h"
#include "editors/channel/ChanWizard.h"
#include "editors/common/Mnemonics.h"
#include "editors/common/WizardPage.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextBrowser>

namespace trv::app::test {
namespace {

class KeyboardTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        storePort();
        start();
        frame()->editorWindows().dropStandIns();
        run(cmd::kNewDatabase);
        activateMainWindow();
    }

    void activateMainWindow()
    {
        QApplication::setActiveWindow(frame());
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame()));
    }

    // Opens an editor window as the View menu does and returns its frame.
    CChildFrame* openWindow(int viewCommand)
    {
        run(viewCommand);
        settle();
        auto* active = qobject_cast<CChildFrame*>(frame()->workspace()->activeSubWindow());
        EXPECT_NE(active, nullptr);
        return active;
    }

    template <class Control = QWidget> static Control* labelled(QWidget* in, const char* label)
    {
        for (QLabel* caption : in->findChildren<QLabel*>())
            if (caption->text() == QString::fromLatin1(label) && caption->isVisible())
                return qobject_cast<Control*>(caption->buddy());
        ADD_FAILURE() << "no control labelled " << label;
        return nullptr;
    }
    template <class Button = QAbstractButton> static Button* buttonIn(QWidget* in, const char* text)
    {
        for (Button* b : in->findChildren<Button*>())
            if (b->text() == QString::fromLatin1(text) && b->isVisible())
                return b;
        ADD_FAILURE() << "no button " << text;
        return nullptr;
    }
    static QLineEdit* editOf(QWidget* control)
    {
        auto* edit = qobject_cast<QLineEdit*>(control);
        return edit ? edit : control->findChild<QLineEdit*>();
    }
    static void type(QWidget* control, const QString& text)
    {
        QLineEdit* edit = editOf(control);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    // Presses the button as the user does: the press gives it the focus. While the refusal's box
    // is up another window is active, as on a desktop; the window manager activates the main
    // window again after the box has gone, and the workspace its active editor window.
    void pressAndAnswerRefusal(QAbstractButton* button, const QString& message)
    {
        QWidget box;
        boxes_.whenShown = [&](const MessageRequest&) {
            box.show();
            QApplication::setActiveWindow(&box);
        };
        boxes_.expect(message, MsgAnswer::Ok);
        QTest::mouseClick(button, Qt::LeftButton);
        boxes_.whenShown = {};
        box.hide();
        QCoreApplication::sendPostedEvents(); // what the window did once the box had closed
        QApplication::setActiveWindow(frame());
        frame()->workspace()->setActiveSubWindow(frame()->workspace()->activeSubWindow());
        settle();
    }

    static void expectFocusedWithTextSelected(QWidget* control, const char* what)
    {
        QLineEdit* edit = editOf(control);
        EXPECT_EQ(QApplication::focusWidget(), edit) << what;
        EXPECT_FALSE(edit->text().isEmpty()) << what;
        EXPECT_EQ(edit->selectedText(), edit->text()) << what;
    }
};

// ---- Focus after a refusal ---------------------------------------------------------------------

TEST_F(KeyboardTest, ARefusedFieldKeepsTheFocusWhenTheWindowIsActivatedAfterTheBox)
{
    struct Case {
        const char* what;
        int viewCommand;
        std::function<void(QWidget* view)> toPage; // from the window as opened
        const char* field;
        const char* value;
        const char* button;
        const char* message;
    };
    const Case cases[] = {
        {"channel window, Next",
         cmd::kViewChannel1,
         {},
         "&8 Hangover delay (ms)",
         "60001",
         "&Next >",
         "Hangover delay must be between 0 and 60000 ms."},
        {"channel window, Finish", cmd::kViewChannel1,
         [](QWidget* view) {
             buttonIn(view, "N&one")->click();
             buttonIn(view, "&Next >")->click();
         },
         "&Time out (ms)", "60001", "Finish", "Time out must be between 0 and 60000 ms."},
        {"deskset window, OK",
         cmd::kViewDeskset,
         {},
         "&Transmit delay (ms)",
         "501",
         "OK",
         "Transmit delay must be between 0 and 500 ms."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CChildFrame* window = openWindow(c.viewCommand);
        ASSERT_NE(window, nullptr);
        if (c.toPage)
            c.toPage(window->view());
        QWidget* field = labelled(window->view(), c.field);
        ASSERT_NE(field, nullptr);
        type(field, QString::fromLatin1(c.value));
        pressAndAnswerRefusal(buttonIn(window->view(), c.button), QString::fromLatin1(c.message));
        expectFocusedWithTextSelected(field, c.what);
        EXPECT_TRUE(window->isVisible()) << "the window stays open";

        // Any later activation follows the main window's own rule again: the focus comes back
        // where it was.
        QAbstractButton* button = buttonIn(window->view(), c.button);
        button->setFocus(Qt::MouseFocusReason);
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QApplication::setActiveWindow(frame());
        EXPECT_EQ(QApplication::focusWidget(), button) << c.what;
        window->close();
        settle();
    }
}

// ---- Mnemonics, F10, Ctrl+F4, Ctrl+Tab -------------------------------------------------------------

QChar mnemonicLetter(const QString& text)
{
    for (qsizetype k = 0; k + 1 < text.size(); ++k) {
        if (text[k] == QLatin1Char('&')) {
            if (text[k + 1] != QLatin1Char('&'))
                return text[k + 1].toUpper();
            ++k;
        }
    }
    return {};
}

TEST_F(KeyboardTest, AnEditorWindowsMnemonicsWinOverTheMenuBar)
{
    CChildFrame* channel = openWindow(cmd::kViewChannel1);
    ASSERT_NE(channel, nullptr);
    QWidget* focus = QApplication::focusWidget();
    ASSERT_TRUE(channel->isAncestorOf(focus));
    QTest::keyClick(focus, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "the Options menu stayed closed";
    auto* none = buttonIn<QRadioButton>(channel->view(), "N&one");
    EXPECT_TRUE(none->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), none);

    // The stat alert page: Alt+O focuses "Retry c&onstant".
    buttonIn(channel->view(), "Stat &Alert")->click();
    type(labelled(channel->view(), "Des&kset ID"), QStringLiteral("1"));
    buttonIn(channel->view(), "&Next >")->click(); // the talk permit tone page
    buttonIn(channel->view(), "&Next >")->click(); // the stat alert page
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), labelled(channel->view(), "Retry c&onstant"));
}

// Every editor window, on the page it opens with: each of its mnemonics that a menu title also has
// reaches its own control, and no menu opens.
TEST_F(KeyboardTest, NoEditorWindowLosesAMnemonicToTheMenuBar)
{
    db::theImage()[db::deskset::kDesksetType] = db::deskset::kMultiChannel;
    tree()->refreshAllStates();
    QString menuLetters;
    for (QAction* menu : frame()->menuBar()->actions())
        menuLetters += mnemonicLetter(menu->text());
    ASSERT_EQ(menuLetters, "FOVWH");
    // A button that opens a dialog must not stop the test: any modal window is closed at once.
    QTimer closer;
    closer.setInterval(20);
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    closer.start();
    int checked = 0;
    for (int command : {cmd::kViewDeskset, cmd::kViewChannel1, cmd::kViewChannel2, cmd::kViewButtons,
                        cmd::kViewPagingFormats, cmd::kViewCustomTones, cmd::kViewPttAliases}) {
        CChildFrame* window = openWindow(command);
        ASSERT_NE(window, nullptr) << command;
        for (QWidget* control : window->view()->findChildren<QWidget*>()) {
            const QChar letter = mnemonicLetter(editors::mnemonicText(control));
            if (letter.isNull() || !menuLetters.contains(letter) || !control->isVisible() ||
                !control->isEnabled())
                continue;
            SCOPED_TRACE(editors::mnemonicText(control).toStdString());
            window->view()->setFocus();
            const auto key = static_cast<Qt::Key>(letter.unicode());
            QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
            EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            EXPECT_TRUE(window->isAncestorOf(QApplication::focusWidget()) || !window->isVisible());
            ++checked;
            if (!window->isVisible())
                break; // a button that closes the window (Close)
        }
        if (window->isVisible())
            window->close();
        settle();
    }
    EXPECT_GE(checked, 2);
}

TEST_F(KeyboardTest, F10OpensTheFileMenuFromAnEditorWindow)
{
    openWindow(cmd::kViewDeskset);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "&File");
    menu->close();
}

TEST_F(KeyboardTest, CtrlF4ClosesTheActiveEditorWindowAsItsCloseBoxDoes)
{
    CChildFrame* deskset = openWindow(cmd::kViewDeskset);
    QPointer<CChildFrame> channel = openWindow(cmd::kViewChannel1);
    ASSERT_TRUE(channel);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::ControlModifier);
    settle();
    EXPECT_TRUE(channel.isNull() || !channel->isVisible());
    EXPECT_EQ(editorCount(), 1);
    EXPECT_EQ(tree()->itemState("Channel 1"), TreeState::Normal);
    EXPECT_TRUE(deskset->isVisible());
}

TEST_F(KeyboardTest, CtrlTabAndCtrlShiftTabInTheChannelWindowBothActivateTheNextWindow)
{
    CChildFrame* deskset = openWindow(cmd::kViewDeskset);
    CChildFrame* channel = openWindow(cmd::kViewChannel1);
    struct Press {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    const Press presses[] = {{"Ctrl+Tab", Qt::Key_Tab, Qt::ControlModifier},
                             {"Ctrl+Shift+Tab", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier},
                             {"Ctrl+Shift+Tab as Tab", Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier}};
    for (const Press& p : presses) {
        frame()->workspace()->setActiveSubWindow(channel);
        channel->view()->setFocus();
        QWidget* page = channel->view()->findChild<editors::channel::ChanWizard*>()->currentPage();
        QTest::keyClick(QApplication::focusWidget(), p.key, p.modifiers);
        QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Control);
        EXPECT_EQ(frame()->workspace()->activeSubWindow(), deskset) << p.what;
        EXPECT_EQ(channel->view()->findChild<editors::channel::ChanWizard*>()->currentPage(), page) << p.what;
    }
}

// ---- Enter, Escape and the first focus ------------------------------------------------------------

TEST_F(KeyboardTest, ANewChannelWindowFocusesItsCheckedKeyingButton)
{
    CChildFrame* channel = openWindow(cmd::kViewChannel1);
    auto* focused = qobject_cast<QRadioButton*>(QApplication::focusWidget());
    ASSERT_NE(focused, nullptr);
    EXPECT_TRUE(focused->isChecked());
    EXPECT_EQ(focused, buttonIn(channel->view(), "&Tone")) << "a new database keys channel 1 by tone";
}

TEST_F(KeyboardTest, EnterPressesTheFocusedPushButtonElseTheDefaultAndEscapeCancels)
{
    using editors::channel::ChanWizard;
    // The channel window: Enter on a field is Next, on the last page Finish.
    CChildFrame* channel = openWindow(cmd::kViewChannel1);
    auto* wizard = channel->view()->findChild<ChanWizard*>();
    buttonIn(channel->view(), "N&one")->click();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_TRUE(wizard->finishButton()->isVisible()) << "Next went to the talk permit tone page";
    // A focused push button is pressed instead of the default one: Back.
    wizard->backButton()->setFocus();
    QTest::keyClick(wizard->backButton(), Qt::Key_Return);
    ASSERT_TRUE(wizard->nextButton()->isVisible()) << "Back to the first page";
    editOf(labelled(channel->view(), "&8 Hangover delay (ms)"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    QWidget* timeOut = labelled(channel->view(), "&Time out (ms)");
    ASSERT_NE(timeOut, nullptr) << "Enter on the keypad went on to the talk permit tone page";
    editOf(timeOut)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // Finish
    settle();
    EXPECT_EQ(editorCount(), 0);
    EXPECT_TRUE(app_->document().isModified()) << "Finish wrote the channel";

    // Escape is Cancel.
    app_->document().setModified(false);
    openWindow(cmd::kViewChannel1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    settle();
    EXPECT_EQ(editorCount(), 0);
    EXPECT_FALSE(app_->document().isModified());

    // The deskset settings and buttons windows: Enter is OK unless a push button has the focus.
    for (int command : {cmd::kViewDeskset, cmd::kViewButtons}) {
        SCOPED_TRACE(command);
        CChildFrame* window = openWindow(command);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        settle();
        EXPECT_EQ(editorCount(), 0) << "Escape is Cancel";
        EXPECT_FALSE(app_->document().isModified());
        window = openWindow(command);
        buttonIn(window->view(), "Cancel")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        settle();
        EXPECT_EQ(editorCount(), 0) << "the focused Cancel was pressed";
        EXPECT_FALSE(app_->document().isModified());
        window = openWindow(command);
        window->view()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        settle();
        EXPECT_EQ(editorCount(), 0) << "Enter is OK";
        EXPECT_TRUE(app_->document().isModified());
        app_->document().setModified(false);
    }
}

// ---- Help beside the window that asks ---------------------------------------------------------------

TEST_F(KeyboardTest, HelpFromAnEditorWindowStandsBesideItAndNeverOverItsField)
{
    CChildFrame* deskset = openWindow(cmd::kViewDeskset);
    QWidget* field = labelled(deskset->view(), "&Transmit delay (ms)");
    editOf(field)->setFocus();
    QTest::keyClick(editOf(field), Qt::Key_F1);
    HelpWindow* help = frame()->helpWindow();
    ASSERT_TRUE(help->isVisible());
    EXPECT_EQ(help->currentContext(), 125);
    const QRect editor(deskset->mapToGlobal(QPoint()), deskset->size());
    const QRect room = deskset->screen()->availableGeometry();
    const QRect shown = help->frameGeometry();
    const bool rightOfIt = shown.left() > editor.right();
    const bool atTheRightEdge = shown.right() == room.right();
    EXPECT_TRUE(rightOfIt || atTheRightEdge || shown.right() < field->mapToGlobal(QPoint()).x())
        << "right of the editor, at the screen's right edge, or, where that would cover the field, beside it";
    EXPECT_FALSE(shown.intersects(QRect(field->mapToGlobal(QPoint()), field->size())));
    QApplication::setActiveWindow(help);
    QTest::keyClick(help->browser(), Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible()) << "Escape closes help";
}

} // namespace
} // namespace trv::app::test
