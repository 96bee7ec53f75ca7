// A number edit with up-down arrows: the edit accepts digits only, the arrows step the value within
// a range, by 1 at first, by 5 once an arrow has been held for 1 s and by 10 after 2 s. The edit
// itself may hold any unsigned number (or nothing), so the form that owns it can refuse an out-of-range
// value with its own message when it commits.
#pragma once

#include "editors/common/HoldTimer.h"

#include <QWidget>

#include <chrono>
#include <memory>
#include <optional>

class QLineEdit;
class QToolButton;

namespace trv::editors {

class NumberEdit : public QWidget {
    Q_OBJECT
public:
    // Arrow repeat: the first repeat after kRepeatDelay, then one every kRepeatInterval.
    static constexpr std::chrono::milliseconds kRepeatDelay{500};
    static constexpr std::chrono::milliseconds kRepeatInterval{100};

    NumberEdit(unsigned minimum, unsigned maximum, QWidget* parent = nullptr);
    ~NumberEdit() override;

    // The text as an unsigned number; empty when it holds none (empty text, or too large a number).
    std::optional<unsigned> value() const;
    void setValue(unsigned value);

    unsigned minimum() const { return minimum_; }
    unsigned maximum() const { return maximum_; }

    // Steps the value by delta, keeping it within the range. Text that holds no number counts as
    // the minimum.
    void stepBy(int delta);

    // Gives the edit the keyboard focus with all its text selected: how a refused value is shown.
    void focusWithTextSelected();

    // The step of one arrow action once the arrow has been held this long.
    static int stepAfter(std::chrono::milliseconds held);

    // Replaces the timer that repeats an arrow while it is held.
    void setHoldTimer(std::unique_ptr<HoldTimer> timer);

    QLineEdit* lineEdit() const { return edit_; }
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override; // Up and Down keys in the edit

private:
    void beginHold(int direction);
    void endHold();

    unsigned minimum_;
    unsigned maximum_;
    QLineEdit* edit_;
    QToolButton* up_;
    QToolButton* down_;
    std::unique_ptr<HoldTimer> holdTimer_;
};

} // namespace trv::editors
