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

    // Waits, without a time limit, until a pulse newer than `seen` arrives.
    uint64_t WaitForPulse(uint64_t seen)
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return pulses_ != seen; });
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
// Waits until the wake descriptor is written or the time-out passes; input does not end it.
void WaitForWake(WakeFd& wake, std::chrono::microseconds timeout);

// How long the comm-link thread lets the rest of a frame arrive before reading again: the
// line time (10 bit times a byte, as on an 8N1 line) of the bytes still to come that are not
// yet waiting, all but the last, at most maxWait. The last one is waited for on the
// descriptor, so a frame is complete the moment its last byte arrives. Zero when at most one
// byte is missing or the rate is unknown.
std::chrono::microseconds LineTimeOfMissingBytes(int stillToCome, int waiting, int baudRate,
                                                 std::chrono::microseconds maxWait);

} // namespace comms
