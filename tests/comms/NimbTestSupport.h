// A Nimb that records every notification, and a pair of them over the test transport.
#pragma once

#include <gtest/gtest.h>

#include <sys/ioctl.h>

#include <array>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "comms/Clock.h"
#include "comms/Nimb.h"
#include "comms/testing/TestTransport.h"
#include "tests/support/RecordingNimb.h"

namespace comms::test {

// A clock that stands still and moves by Advance, until Run makes it run `factor` times
// faster than the steady clock from where it stands (for long runs with real traffic).
class TestClock final : public Clock {
public:
    uint32_t NowMs() const override
    {
        std::lock_guard lock(mutex_);
        return factor_ == 0 ? base_ : base_ + (SystemClock().NowMs() - runningSince_) * factor_;
    }
    void Advance(uint32_t ms)
    {
        std::lock_guard lock(mutex_);
        base_ += ms;
    }
    void Run(uint32_t factor)
    {
        std::lock_guard lock(mutex_);
        runningSince_ = SystemClock().NowMs();
        factor_ = factor;
    }

private:
    mutable std::mutex mutex_;
    uint32_t base_ = 0;
    uint32_t factor_ = 0;
    uint32_t runningSince_ = 0;
};

// Two RecordingNimbs over one test transport pair. Each has its own manual clock, so the
// link can be opened the way a tool meets a waiting peer: a's first heartbeat reaches b.
struct NimbPair {
    explicit NimbPair(int maxMessageSize = 250, bool receiveOnAnnounce = true)
        : a(maxMessageSize, clockA, receiveOnAnnounce), b(maxMessageSize, clockB, receiveOnAnnounce)
    {
    }

    // Connects both ends; BringUp then opens the link.
    void Connect(const char* layer2Params = nullptr)
    {
        wire = testing::MakeTestTransportPair();
        wireFds = {wire.a->PollFd(), wire.b->PollFd()};
        ASSERT_EQ(a.Connect(0, layer2Params, std::move(wire.a)), Result::Ok);
        ASSERT_EQ(b.Connect(0, layer2Params, std::move(wire.b)), comms::Result::Ok);
    }
    void BringUp()
    {
        const int connectsA = a.Read([&] { return a.connects; });
        const int connectsB = b.Read([&] { return b.connects; });
        LinkStatus status;
        a.GetLinkStatus(&status);
        const int receivedA = status[kStatusFramesReceived];
        clockA.Advance(3000); // a's first heartbeat opens the link
        ASSERT_TRUE(a.WaitUntil([&] { return a.connects > connectsA; }));
        ASSERT_TRUE(b.WaitUntil([&] { return b.connects > connectsB; }));
        // The handshake ends with b acknowledging a's last connect confirm, the fifth frame a
        // receives; until then a still waits for the acknowledgement of its heartbeat.
        ASSERT_TRUE(a.WaitUntil([&] {
            a.GetLinkStatus(&status);
            return status[kStatusFramesReceived] >= receivedA + 5;
        }));
    }

    void AdvanceBoth(uint32_t ms)
    {
        clockA.Advance(ms);
        clockB.Advance(ms);
    }

    // Moves both clocks on by msPerTick every millisecond of real time, but only while no byte
    // waits on the wire unread: a frame one end sent stops the time of both until the other has
    // taken it in. So a thread the machine leaves without a processor for a while (under load)
    // never sees its peer's retransmission time-outs run out meanwhile, and long runs with real
    // traffic go fast without depending on the scheduler.
    void RunClocksWhileWireIdle(uint32_t msPerTick)
    {
        pump = std::jthread([this, msPerTick](std::stop_token stop) {
            while (!stop.stop_requested()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                if (WireIdle())
                    AdvanceBoth(msPerTick);
            }
        });
    }
    bool WireIdle() const
    {
        for (const int fd : wireFds) {
            int waiting = 0;
            if (ioctl(fd, FIONREAD, &waiting) != 0 || waiting > 0)
                return false;
        }
        return true;
    }

    TestClock clockA;
    TestClock clockB;
    RecordingNimb a;
    RecordingNimb b;
    testing::TestTransportPair wire;
    std::array<int, 2> wireFds{-1, -1}; // the ends' sockets, kept while the ends own them
    std::jthread pump;                  // declared last: stops before the ends go
};

} // namespace comms::test
