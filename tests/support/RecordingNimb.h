// A Nimb that records every notification for tests. By default it takes every message as it is
// announced; onAccept, when set, answers OnAccept.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

#include "comms/Clock.h"
#include "comms/Nimb.h"

namespace comms::test {

class RecordingNimb : public Nimb {
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

    int OnAccept(int* socketHolder) override
    {
        std::lock_guard lock(mutex);
        const int taken = onAccept ? onAccept(socketHolder) : 0;
        ++offered;
        changed.notify_all();
        return taken;
    }

    std::mutex mutex;
    std::condition_variable changed;
    std::function<int(int*)> onAccept;
    int offered = 0;
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
        std::vector<uint8_t> message(static_cast<size_t>(MaxMessageSize()));
        int got = 0;
        const bool taken =
            receiveOnAnnounce_ && Receive(message.data(), MaxMessageSize(), &got) == comms::Result::Ok;
        message.resize(static_cast<size_t>(got));
        std::lock_guard lock(mutex);
        announced.push_back(length);
        if (taken)
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

} // namespace comms::test
