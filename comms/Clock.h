// Millisecond tick sources. Every timer of the library reads one of these, so tests can
// drive time by hand instead of sleeping.
#pragma once

#include <atomic>
#include <cstdint>

namespace comms {

// A 32-bit millisecond tick counter; it may wrap, so differences are taken modulo 2^32.
class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t NowMs() const = 0;
    // True when the clock moves with real time only, so a thread may sleep in real time until
    // the next deadline it reads from it. A clock moved by hand or running faster is looked at
    // every few milliseconds instead.
    virtual bool FollowsRealTime() const { return false; }
};

// Milliseconds of std::chrono::steady_clock.
class SteadyClock final : public Clock {
public:
    uint32_t NowMs() const override;
    bool FollowsRealTime() const override { return true; }
};

// The process-wide steady clock used when no other clock is given.
Clock& SystemClock();

// A clock that moves only when told to; safe to read from any thread.
class ManualClock final : public Clock {
public:
    explicit ManualClock(uint32_t startMs = 0) : now_(startMs) {}
    uint32_t NowMs() const override { return now_.load(); }
    void Set(uint32_t ms) { now_.store(ms); }
    void Advance(uint32_t ms) { now_.fetch_add(ms); }

private:
    std::atomic<uint32_t> now_;
};

// Elapsed milliseconds from `earlier` to `later`, allowing for one wrap of the counter.
inline uint32_t TicksBetween(uint32_t earlier, uint32_t later)
{
    return later - earlier;
}

} // namespace comms
