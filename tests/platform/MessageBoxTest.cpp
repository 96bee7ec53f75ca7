#include "platform/MessageBox.h"
#include "platform/AppTexts.h"
#include "tests/support/MessageScript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace trv::platform;

TEST(MessageBox, HookAnswersAndSeesTextButtonsAndIcon)
{
    std::vector<MessageRequest> seen;
    const MessageHook previous = setMessageHook([&](const MessageRequest& r) {
        seen.push_back(r);
        return MsgAnswer::No;
    });
    EXPECT_EQ(showMessage("Save changes to New?", MsgButtons::YesNoCancel, MsgIcon::Exclamation),
              MsgAnswer::No);
    setMessageHook(previous);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Save changes to New?");
    EXPECT_EQ(seen[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(seen[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(seen[0].details.isEmpty());

    setMessageHook([&](const MessageRequest& r) {
        seen.push_back(r);
        return MsgAnswer::Ok;
    });
    showMessage("Cannot open.", MsgButtons::Ok, MsgIcon::Exclamation, nullptr,
                "COM1 is the device /dev/ttyS0.");
    setMessageHook(previous);
    EXPECT_EQ(seen.back().details, "COM1 is the device /dev/ttyS0.");
}

TEST(MessageBox, RealBoxKeepsTheTextsOwnLineBreaksAndWrapsNothingElse)
{
    // Lines longer than the share of the screen a message box allows itself before it wraps.
    const QString text =
        QStringLiteral("A long first line of a question which is wider than a box would like, then \n"
                       "a second line of about the same length as the first one was, give or take\n\n"
                       "Retry?");
    const auto box = createMessageBox(
        {text, MsgButtons::RetryCancel, MsgIcon::Exclamation, QStringLiteral("Details for the curious.")});
    box->show();
    QCoreApplication::processEvents();
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    EXPECT_FALSE(label->wordWrap());
    int longest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        longest = std::max(longest, label->fontMetrics().horizontalAdvance(line));
    EXPECT_GE(label->width(), longest);
    EXPECT_LE(box->frameGeometry().width(), box->screen()->availableGeometry().width());
    EXPECT_EQ(box->detailedText(), "Details for the curious.");
}

TEST(MessageBox, RealBoxCarriesTheApplicationTitleAndMapsItsAnswer)
{
    QString caption;
    // Answer the real box from the event loop once it is shown.
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                caption = box->windowTitle();
                box->button(QMessageBox::Retry)->click();
            }
        }
    });
    EXPECT_EQ(showMessage("Again?", MsgButtons::RetryCancel, MsgIcon::Question), MsgAnswer::Retry);
    EXPECT_EQ(caption, trv::text::kAppTitle);
}

// The widget tests' script: the boxes in order with their answers (any text where the test does not
// care), the boxes beyond them answered by a chooser, every box recorded, and the hook it replaced
// back when it ends.
TEST(MessageScript, AnswersInOrderRecordsEveryBoxAndPutsBackTheHookItReplaced)
{
    using trv::testsupport::MessageScript;
    MessageScript outer;
    outer.expect("Outer?", MsgAnswer::Yes);
    {
        MessageScript inner;
        inner.expect("First?", MsgAnswer::No);
        inner.expectAny(MsgAnswer::Retry);
        inner.answerOthers([](const MessageRequest& box) {
            return box.buttons == MsgButtons::OkCancel ? MsgAnswer::Cancel : MsgAnswer::Ok;
        });
        EXPECT_EQ(showMessage("First?", MsgButtons::YesNo), MsgAnswer::No);
        EXPECT_EQ(showMessage("Whatever it says.", MsgButtons::RetryCancel), MsgAnswer::Retry);
        EXPECT_TRUE(inner.allAnswered());
        EXPECT_EQ(showMessage("Beyond the script.", MsgButtons::OkCancel), MsgAnswer::Cancel);
        ASSERT_EQ(inner.seen().size(), 3u);
        EXPECT_EQ(inner.seen()[1].text, "Whatever it says.");
        EXPECT_EQ(inner.seen()[2].buttons, MsgButtons::OkCancel);
    }
    EXPECT_FALSE(outer.allAnswered());
    EXPECT_EQ(showMessage("Outer?", MsgButtons::YesNo), MsgAnswer::Yes);
    EXPECT_EQ(outer.seen().size(), 1u);
}

TEST(MessageScript, ABoxNotExpectedOrWithAnotherTextFailsTheTestNamingItsText)
{
    trv::testsupport::MessageScript script;
    EXPECT_NONFATAL_FAILURE(showMessage("Nobody asked."), "unexpected message box: Nobody asked.");
    script.expect("Save changes?", MsgAnswer::Yes);
    EXPECT_NONFATAL_FAILURE(showMessage("Discard changes?"), "Discard changes?");
    EXPECT_TRUE(script.allAnswered());
}
