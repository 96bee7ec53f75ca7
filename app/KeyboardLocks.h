// The Caps Lock, Num Lock and Scroll Lock indicators of the status bar. The lock states come from
// a source that tests replace; by default the keyboard LEDs the kernel exposes are read.
#pragma once

#include <QLabel>
#include <QTimer>

#include <functional>

class QStatusBar;

namespace trv::app {

struct LockStates {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

using LockSource = std::function<LockStates()>;

// Reads /sys/class/leds/*::capslock etc.; all off when the machine exposes none.
LockStates readKeyboardLeds();

class KeyboardLocks : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultPollMs = 250;

    KeyboardLocks(QStatusBar* bar, LockSource source, int pollMs = kDefaultPollMs);

    void refresh();
    QLabel* capsIndicator() const { return caps_; }
    QLabel* numIndicator() const { return num_; }
    QLabel* scrollIndicator() const { return scroll_; }

private:
    LockSource source_;
    QLabel* caps_;
    QLabel* num_;
    QLabel* scroll_;
    QTimer poll_;
};

} // namespace trv::app
