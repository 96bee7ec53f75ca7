// A Nimb that records every notification, and a pair of them over the test transport.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <utility>
#include <vector>

#include "comms/Clock.h"
#include "comms/Nimb.h"
#include "comms/testing/TestTransport.h"

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

class RecordingNimb final : public Nimb {
public:
    RecordingNimb(int maxMessageSize, Clock& clock, bool receiveOnAnnounce = true)
        : Nimb(maxMessageSize, clock), receiveOnAnnounce_(receiveOnAnnounce)
    {
    }
    ~RecordingNimb() override { Shutdown(); }

    // Waits (for the library's threads, not for protocol time) until pred holds.
    template <typename Pred>
    bool WaitUntil(Pred pred, std::chrono::milliseconds limit = std::chrono::seconds(30))
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        std::unique_lock lock(mutex);
        while (!pred()) {
            if (std::chrono::steady_clock::now() >= deadline)
                return false;
            changed.wait_for(lock, std::chrono::milliseconds(2));
        }
        return true;
    }

    // Reads recorded fields under the lock.
    template <typename F> auto Read(F read)
    {
        std::lock_guard lock(mutex);
        return read();
    }

    std::mutex mutex;
    std::condition_variable changed;
    int connects = 0;
    int disconnects = 0;
    std::vector<int> announced;
    std::vector<std::vector<uint8_t>> received;
    std::vector<int> sent;
    std::vector<std::pair<int, int>> events;
    std::vector<int> notifications;

protected:
    void OnReceive(int length) override
    {
        std::vector<uint8_t> message;
        if (receiveOnAnnounce_) {
            message.resize(static_cast<size_t>(MaxMessageSize()));
            int got = 0;
            if (Receive(message.data(), MaxMessageSize(), &got) == 0)
                message.resize(static_cast<size_t>(got));
        }
        std::lock_guard lock(mutex);
        announced.push_back(length);
        if (receiveOnAnnounce_)
            received.push_back(std::move(message));
        changed.notify_all();
    }
    void OnMessageSent(int length) override
    {
        Record([&] { sent.push_back(length); });
    }
    void OnConnect() override
    {
        Record([&] { ++connects; });
    }
    void OnDisconnect() override
    {
        Record([&] { ++disconnects; });
    }
    void OnEvent(int code, int value) override
    {
        Record([&] { events.emplace_back(code, value); });
    }
    void OnLinkNotify(int code) override
    {
        Record([&] { notifications.push_back(code); });
    }

private:
    template <typename F> void Record(F change)
    {
        std::lock_guard lock(mutex);
        change();
        changed.notify_all();
    }
    const bool receiveOnAnnounce_;
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
        ASSERT_EQ(a.Connect(0, layer2Params, std::move(wire.a)), 0);
        ASSERT_EQ(b.Connect(0, layer2Params, std::move(wire.b)), 0);
    }
    void BringUp()
    {
        const int connectsA = a.Read([&] { return a.connects; });
        const int connectsB = b.Read([&] { return b.connects; });
        clockA.Advance(3000); // a's first heartbeat opens the link
        ASSERT_TRUE(a.WaitUntil([&] { return a.connects > connectsA; }));
        ASSERT_TRUE(b.WaitUntil([&] { return b.connects > connectsB; }));
    }

    void AdvanceBoth(uint32_t ms)
    {
        clockA.Advance(ms);
        clockB.Advance(ms);
    }

    TestClock clockA;
    TestClock clockB;
    RecordingNimb a;
    RecordingNimb b;
    testing::TestTransportPair wire;
};

} // namespace comms::test
