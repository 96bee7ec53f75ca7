// Helpers shared by the transport tests: a recording Nimb, a message exchange between two of
// them, queue draining and unique names. The trace capture is the one in tests/support.
#pragma once

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "comms/Clock.h"
#include "comms/EventQueue.h"
#include "comms/Nimb.h"
#include "tests/support/RecordingNimb.h"
#include "tests/support/TraceCapture.h"

namespace comms::test {

using Bytes = std::vector<uint8_t>;

// Time running `factor` times faster than the steady clock, so link and modem timers of a long
// run pass quickly without the test waiting for them.
class ScaledClock final : public Clock {
public:
    explicit ScaledClock(uint32_t factor) : factor_(factor), start_(SystemClock().NowMs()) {}
    uint32_t NowMs() const override { return (SystemClock().NowMs() - start_) * factor_; }

private:
    uint32_t factor_;
    uint32_t start_;
};

inline Bytes ToBytes(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

// A name no other test run on this machine uses at the same time.
inline std::string UniqueName(std::string_view stem)
{
    static int serial = 0;
    return std::string(stem) + "_" + std::to_string(::getpid()) + "_" + std::to_string(++serial);
}

// A TCP/UDP port that was free a moment ago.
inline int FreePort(int type = SOCK_STREAM)
{
    const int fd = ::socket(AF_INET, type, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(fd);
    return ntohs(address.sin_port);
}

// Event and notify queues a transport can be attached to directly.
struct Queues {
    EventQueue events;
    NotifyQueue notifications;

    std::vector<std::pair<int, int>> TakeEvents()
    {
        std::vector<std::pair<int, int>> taken;
        int code = 0;
        int value = 0;
        while (events.Take(&code, &value))
            taken.emplace_back(code, value);
        return taken;
    }
    std::vector<int> TakeEventCodes()
    {
        std::vector<int> codes;
        for (const auto& [code, value] : TakeEvents())
            codes.push_back(code);
        return codes;
    }
    std::vector<int> TakeNotifications()
    {
        std::vector<int> codes;
        int code = 0;
        while (notifications.Take(&code))
            codes.push_back(code);
        return codes;
    }
};

// Reads from a transport until `count` bytes came or `limit` passed, waiting on its descriptor.
template <typename Transport>
Bytes ReadBytes(Transport& transport, size_t count, std::chrono::milliseconds limit = std::chrono::seconds(5))
{
    Bytes got;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    uint8_t buffer[4096];
    while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
        const int n = transport.Read(buffer, static_cast<int>(std::min(sizeof buffer, count - got.size())));
        if (n < 0)
            break;
        if (n > 0) {
            got.insert(got.end(), buffer, buffer + n);
            continue;
        }
        pollfd p{transport.PollFd(), POLLIN, 0};
        ::poll(&p, transport.PollFd() >= 0 ? 1 : 0, 5);
    }
    return got;
}

// Waits until a transport reports attached (its connection thread made the connection).
template <typename Transport>
bool WaitAttached(Transport& transport, std::chrono::milliseconds limit = std::chrono::seconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (transport.IsAttached() == 0) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        ::poll(nullptr, 0, 5);
    }
    return true;
}

// Random messages of 1 to maxLength bytes, each starting with its index so a swap shows.
inline std::vector<Bytes> RandomMessages(int count, int maxLength, uint32_t seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> length(1, maxLength);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<Bytes> messages;
    for (int i = 0; i < count; ++i) {
        Bytes message(static_cast<size_t>(length(random)));
        for (auto& b : message)
            b = static_cast<uint8_t>(byte(random));
        message[0] = static_cast<uint8_t>(i);
        messages.push_back(std::move(message));
    }
    return messages;
}

inline std::string EventsText(RecordingNimb& nimb)
{
    std::lock_guard lock(nimb.mutex);
    std::string text;
    for (const auto& [code, value] : nimb.events)
        text += " (" + std::to_string(code) + "," + std::to_string(value) + ")";
    return text + "; disconnects " + std::to_string(nimb.disconnects);
}

// Both ends come up, then each sends `count` random messages to the other; every message must
// arrive intact and in order on the other side.
inline void ExpectExchange(RecordingNimb& a, RecordingNimb& b, int count = 500,
                           std::chrono::seconds limit = std::chrono::seconds(120))
{
    ASSERT_TRUE(a.WaitUntil([&] { return a.connects > 0; }, limit))
        << "end a never came up; events" << EventsText(a);
    ASSERT_TRUE(b.WaitUntil([&] { return b.connects > 0; }, limit))
        << "end b never came up; events" << EventsText(b) << " a:" << EventsText(a);
    const auto fromA = RandomMessages(count, a.MaxMessageSize(), 1);
    const auto fromB = RandomMessages(count, b.MaxMessageSize(), 2);
    for (int i = 0; i < count; ++i) {
        ASSERT_EQ(a.Send(fromA[i].data(), static_cast<int>(fromA[i].size())), Result::Ok);
        ASSERT_EQ(b.Send(fromB[i].data(), static_cast<int>(fromB[i].size())), comms::Result::Ok);
    }
    ASSERT_TRUE(b.WaitUntil([&] { return static_cast<int>(b.received.size()) >= count; }, limit))
        << "b received " << b.received.size();
    ASSERT_TRUE(a.WaitUntil([&] { return static_cast<int>(a.received.size()) >= count; }, limit))
        << "a received " << a.received.size();
    std::scoped_lock locks(a.mutex, b.mutex);
    ASSERT_EQ(b.received.size(), fromA.size());
    ASSERT_EQ(a.received.size(), fromB.size());
    for (int i = 0; i < count; ++i) {
        ASSERT_EQ(b.received[i], fromA[i]) << "message " << i << " from a";
        ASSERT_EQ(a.received[i], fromB[i]) << "message " << i << " from b";
    }
    EXPECT_EQ(a.disconnects, 0);
    EXPECT_EQ(b.disconnects, 0);
}

} // namespace comms::test
