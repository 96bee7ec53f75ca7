// The session thread's event: pulsed whenever work may be waiting. Unlike a bare pulse, a
// pulse that arrives while the waiter is busy is not lost: the next wait returns at once.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace comms {

class WorkSignal {
public:
    void Pulse()
    {
        {
            std::lock_guard lock(mutex_);
            ++pulses_;
        }
        changed_.notify_all();
    }

    uint64_t Pulses() const
    {
        std::lock_guard lock(mutex_);
        return pulses_;
    }

    // Waits until a pulse newer than `seen` arrives or the time-out passes; returns the pulse
    // count to pass to the next wait.
    uint64_t Wait(uint64_t seen, std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, timeout, [&] { return pulses_ != seen; });
        return pulses_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    uint64_t pulses_ = 0;
};

// Wakes the comm-link thread out of poll(): an eventfd that Send and the session write to.
class WakeFd {
public:
    WakeFd();
    ~WakeFd();
    WakeFd(const WakeFd&) = delete;
    WakeFd& operator=(const WakeFd&) = delete;

    int Fd() const { return fd_; }
    void Wake();
    void Drain();

private:
    int fd_;
};

// Waits until transportFd (if not -1) has input, the wake descriptor is written, or the
// time-out passes.
void WaitForInput(int transportFd, WakeFd& wake, int timeoutMs);

} // namespace comms
