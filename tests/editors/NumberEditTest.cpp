#include "editors/common/NumberEdit.h"
#include "tests/editors/ManualHoldTimer.h"

#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using trv::editors::NumberEdit;
using trv::test::ManualHoldTimer;

namespace {

class NumberEditTest : public ::testing::Test {
protected:
    NumberEditTest() : edit(0, 60)
    {
        auto manual = std::make_unique<ManualHoldTimer>();
        timer = manual.get();
        edit.setHoldTimer(std::move(manual));
        edit.show();
    }

    // Value changes seen while `duration` passes with an arrow held, one entry per change.
    std::vector<int> stepsWhileHeld(std::chrono::milliseconds duration)
    {
        std::vector<int> steps;
        int last = static_cast<int>(*edit.value());
        const auto connection =
            QObject::connect(edit.lineEdit(), &QLineEdit::textChanged, [&](const QString& text) {
                steps.push_back(text.toInt() - last);
                last = text.toInt();
            });
        timer->advance(duration);
        QObject::disconnect(connection);
        return steps;
    }

    NumberEdit edit;
    ManualHoldTimer* timer;
};

TEST_F(NumberEditTest, AcceptsDigitsOnly)
{
    QTest::keyClicks(edit.lineEdit(), "1a-2 .3x");
    EXPECT_EQ(edit.lineEdit()->text(), "123");
    EXPECT_EQ(edit.value(), 123u); // above the arrows' range: the form refuses it, the edit keeps it
}

TEST_F(NumberEditTest, ValueIsEmptyWithoutAnUnsignedNumber)
{
    edit.lineEdit()->clear();
    EXPECT_FALSE(edit.value());
    edit.lineEdit()->setText("4294967296"); // one more than the largest unsigned number
    EXPECT_FALSE(edit.value());
    edit.lineEdit()->setText("4294967295");
    EXPECT_EQ(edit.value(), 4294967295u);
}

TEST_F(NumberEditTest, ArrowClickStepsByOneWithinTheRange)
{
    edit.setValue(59);
    QTest::mouseClick(edit.upButton(), Qt::LeftButton);
    EXPECT_EQ(edit.lineEdit()->text(), "60");
    QTest::mouseClick(edit.upButton(), Qt::LeftButton);
    EXPECT_EQ(edit.lineEdit()->text(), "60");
    EXPECT_FALSE(timer->running()) << "releasing the arrow stops the repeat";

    edit.setValue(1);
    QTest::mouseClick(edit.downButton(), Qt::LeftButton);
    QTest::mouseClick(edit.downButton(), Qt::LeftButton);
    EXPECT_EQ(edit.lineEdit()->text(), "0");
}

TEST_F(NumberEditTest, ArrowsBringAnOutOfRangeOrEmptyTextIntoRange)
{
    edit.lineEdit()->setText("75");
    QTest::mouseClick(edit.downButton(), Qt::LeftButton);
    EXPECT_EQ(edit.lineEdit()->text(), "60");
    edit.lineEdit()->clear();
    QTest::mouseClick(edit.upButton(), Qt::LeftButton);
    EXPECT_EQ(edit.lineEdit()->text(), "1");
}

TEST_F(NumberEditTest, HeldArrowStepsByOneThenFiveAfterOneSecondThenTenAfterTwo)
{
    NumberEdit wide(0, 500);
    auto manual = std::make_unique<ManualHoldTimer>();
    ManualHoldTimer* clock = manual.get();
    wide.setHoldTimer(std::move(manual));
    wide.setValue(0);
    wide.show();

    QTest::mousePress(wide.upButton(), Qt::LeftButton);
    EXPECT_EQ(wide.lineEdit()->text(), "1") << "the press itself steps once";

    // Repeats come at 500 ms, then every 100 ms; record the step of each against its moment.
    std::vector<std::pair<std::chrono::milliseconds, int>> steps;
    int last = 1;
    QObject::connect(wide.lineEdit(), &QLineEdit::textChanged, [&](const QString& text) {
        steps.emplace_back(clock->held(), text.toInt() - last);
        last = text.toInt();
    });
    clock->advance(2500ms);
    ASSERT_FALSE(steps.empty());
    for (auto [held, step] : steps) {
        const int expected = held < 1000ms ? 1 : held < 2000ms ? 5 : 10;
        EXPECT_EQ(step, expected) << "at " << held.count() << " ms";
    }
    EXPECT_EQ(steps.front().first, NumberEdit::kRepeatDelay);
    EXPECT_EQ(steps.size(), 21u); // 500 ms to 2500 ms every 100 ms

    QTest::mouseRelease(wide.upButton(), Qt::LeftButton);
    EXPECT_FALSE(clock->running());
    const QString released = wide.lineEdit()->text();
    clock->advance(1000ms);
    EXPECT_EQ(wide.lineEdit()->text(), released) << "nothing steps after the release";
}

TEST_F(NumberEditTest, HeldDownArrowStopsAtTheMinimum)
{
    edit.setValue(60);
    QTest::mousePress(edit.downButton(), Qt::LeftButton);
    timer->advance(5000ms);
    EXPECT_EQ(edit.lineEdit()->text(), "0");
    QTest::mouseRelease(edit.downButton(), Qt::LeftButton);
}

TEST_F(NumberEditTest, AHoldStartsSlowAgain)
{
    edit.setValue(0);
    QTest::mousePress(edit.upButton(), Qt::LeftButton);
    timer->advance(2100ms);
    QTest::mouseRelease(edit.upButton(), Qt::LeftButton);

    edit.setValue(10);
    QTest::mousePress(edit.upButton(), Qt::LeftButton);
    EXPECT_EQ(stepsWhileHeld(600ms), (std::vector<int>{1, 1})) << "at 500 and 600 ms of the new hold";
    QTest::mouseRelease(edit.upButton(), Qt::LeftButton);
}

TEST_F(NumberEditTest, UpAndDownKeysStepByOne)
{
    edit.setValue(30);
    edit.lineEdit()->setFocus();
    QTest::keyClick(edit.lineEdit(), Qt::Key_Up);
    QTest::keyClick(edit.lineEdit(), Qt::Key_Up);
    QTest::keyClick(edit.lineEdit(), Qt::Key_Down);
    EXPECT_EQ(edit.lineEdit()->text(), "31");
}

TEST(NumberEditSteps, FollowTheHeldTime)
{
    EXPECT_EQ(NumberEdit::stepAfter(0ms), 1);
    EXPECT_EQ(NumberEdit::stepAfter(999ms), 1);
    EXPECT_EQ(NumberEdit::stepAfter(1000ms), 5);
    EXPECT_EQ(NumberEdit::stepAfter(1999ms), 5);
    EXPECT_EQ(NumberEdit::stepAfter(2000ms), 10);
    EXPECT_EQ(NumberEdit::stepAfter(60000ms), 10);
}

} // namespace
