// A hold timer whose time passes only when the test says so.
#pragma once

#include "editors/common/HoldTimer.h"

namespace trv::test {

class ManualHoldTimer : public editors::HoldTimer {
public:
    void start(std::chrono::milliseconds initialDelay, std::chrono::milliseconds interval,
               std::function<void()> tick) override
    {
        running_ = true;
        held_ = std::chrono::milliseconds(0);
        nextTick_ = initialDelay;
        interval_ = interval;
        tick_ = std::move(tick);
    }
    void stop() override { running_ = false; }
    std::chrono::milliseconds held() const override { return held_; }

    bool running() const { return running_; }

    // Lets `duration` pass, running every tick that falls due meanwhile at its own moment.
    void advance(std::chrono::milliseconds duration)
    {
        const auto end = held_ + duration;
        while (running_ && nextTick_ <= end) {
            held_ = nextTick_;
            nextTick_ += interval_;
            tick_();
        }
        held_ = end;
    }

private:
    bool running_ = false;
    std::chrono::milliseconds held_{0};
    std::chrono::milliseconds nextTick_{0};
    std::chrono::milliseconds interval_{0};
    std::function<void()> tick_;
};

} // namespace trv::test
