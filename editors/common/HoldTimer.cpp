#include "editors/common/HoldTimer.h"

namespace trv::editors {

QtHoldTimer::QtHoldTimer()
{
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        timer_.setInterval(interval_); // the first period is the initial delay, the rest repeat
        if (tick_)
            tick_();
    });
}

void QtHoldTimer::start(std::chrono::milliseconds initialDelay, std::chrono::milliseconds interval,
                        std::function<void()> tick)
{
    interval_ = interval;
    tick_ = std::move(tick);
    clock_.start();
    timer_.start(initialDelay);
}

void QtHoldTimer::stop()
{
    timer_.stop();
}

std::chrono::milliseconds QtHoldTimer::held() const
{
    return clock_.isValid() ? std::chrono::milliseconds(clock_.elapsed()) : std::chrono::milliseconds(0);
}

} // namespace trv::editors
