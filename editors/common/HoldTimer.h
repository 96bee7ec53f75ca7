// Repeats an action while a button is held down and tells how long it has been held. Controls take
// it as an object so that tests can drive a manual timer instead of waiting for real time.
#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <chrono>
#include <functional>

namespace trv::editors {

class HoldTimer {
public:
    virtual ~HoldTimer() = default;

    // Starts timing a new hold: `tick` runs once initialDelay has passed, then every interval,
    // until stop().
    virtual void start(std::chrono::milliseconds initialDelay, std::chrono::milliseconds interval,
                       std::function<void()> tick) = 0;
    virtual void stop() = 0;
    // Time since the last start().
    virtual std::chrono::milliseconds held() const = 0;
};

// The program's hold timer: a QTimer for the repeats and a monotonic clock for the held time.
class QtHoldTimer final : public HoldTimer {
public:
    QtHoldTimer();

    void start(std::chrono::milliseconds initialDelay, std::chrono::milliseconds interval,
               std::function<void()> tick) override;
    void stop() override;
    std::chrono::milliseconds held() const override;

private:
    QTimer timer_;
    QElapsedTimer clock_;
    std::chrono::milliseconds interval_{0};
    std::function<void()> tick_;
};

} // namespace trv::editors
