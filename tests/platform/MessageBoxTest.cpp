#include "platform/MessageBox.h"
#include "platform/AppTexts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

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
