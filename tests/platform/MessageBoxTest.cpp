#include "platform/AppTexts.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>
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
    EXPECT_EQ(showMessage("Save changes to New?", MsgButtons::YesNoCancel, MsgIcon::Exclamation), MsgAnswer::No);
    setMessageHook(previous);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Save changes to New?");
    EXPECT_EQ(seen[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(seen[0].icon, MsgIcon::Exclamation);
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
