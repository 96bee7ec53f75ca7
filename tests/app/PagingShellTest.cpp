// The paging formats window in the real shell: the Speed Paging tree item and View menu item follow
// whether any paging format exists, as formats are added and deleted.
#include "ShellTestSupport.h"

#include "editors/common/EditorDialog.h"
#include "editors/common/EditorTexts.h"

#include <QPushButton>

namespace trv::app::test {
namespace {

class PagingShellTest : public ShellFixture {
protected:
    void TearDown() override
    {
        editors::EditorDialog::setHook({});
        ShellFixture::TearDown();
    }
    void press(const char* text)
    {
        for (QPushButton* b : frame()->workspace()->findChildren<QPushButton*>())
            if (b->text() == QString::fromLatin1(text) && b->isVisible()) {
                b->click();
                settle();
                return;
            }
        ADD_FAILURE() << "no button " << text;
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

    boxes_.expect(QString::fromLatin1(editors::text::kDeleteQuestion), MsgAnswer::Yes);
    press(editors::text::kDelete);
    EXPECT_FALSE(speedPagingUsable());
}

} // namespace
} // namespace trv::app::test
