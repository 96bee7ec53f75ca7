// The notification rings, the thread priorities, the trace sink and the comm-link thread's waits.
#include <gtest/gtest.h>

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "comms/EventQueue.h"
#include "comms/Nimb.h"
#include "comms/ThreadPriority.h"
#include "comms/Trace.h"
#include "comms/WorkSignal.h"
#include "comms/testing/TestTransport.h"
#include "tests/support/TraceCapture.h"

namespace comms {
namespace {

TEST(EventQueue, HoldsHundredEntriesAndLosesTheOldestWhenFull)
{
    int wakes = 0;
    EventQueue queue([&] { ++wakes; });
    for (int i = 1; i <= 101; ++i)
        queue.Put(i, i * 10);
    EXPECT_EQ(queue.Count(), 100);
    EXPECT_EQ(wakes, 101);
    int code = 0;
    int value = 0;
    ASSERT_TRUE(queue.Take(&code, &value));
    EXPECT_EQ(code, 2); // entry 1 was overwritten
    EXPECT_EQ(value, 20);
    for (int i = 3; i <= 101; ++i) {
        ASSERT_TRUE(queue.Take(&code, &value));
        EXPECT_EQ(code, i);
    }
    EXPECT_FALSE(queue.Take(&code, &value));
}

TEST(NotifyQueue, KeepsOrderAndOverwritesOldest)
{
    NotifyQueue queue;
    for (int i = 0; i < 250; ++i)
        queue.Put(i);
    EXPECT_EQ(queue.Count(), 100);
    int code = -1;
    ASSERT_TRUE(queue.Take(&code));
    EXPECT_EQ(code, 150);
}

// Nice values of this process's threads, read from /proc.
std::vector<int> ThreadNiceValues()
{
    std::vector<int> values;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream file(task.path() / "stat");
        std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        std::istringstream fields(stat.substr(stat.rfind(')') + 2));
        std::string field;
        for (int i = 3; i <= 19 && fields >> field; ++i) {
            if (i == 19)
                values.push_back(std::stoi(field));
        }
    }
    return values;
}

bool HasThreadWithNice(int nice)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        for (int value : ThreadNiceValues()) {
            if (value == nice)
                return true;
        }
        std::this_thread::yield();
    }
    return false;
}

TEST(ThreadPriority, MapsSettingsPrioritiesToNiceValues)
{
    EXPECT_EQ(NiceValueForPriority(0), 0);
    EXPECT_EQ(NiceValueForPriority(1), -5);
    EXPECT_EQ(NiceValueForPriority(2), -10);
    EXPECT_EQ(NiceValueForPriority(-1), 5);
    EXPECT_EQ(NiceValueForPriority(-2), 10);
    EXPECT_EQ(NiceValueForPriority(15), -20);
    EXPECT_EQ(NiceValueForPriority(-15), 19);
    EXPECT_EQ(NiceValueForPriority(7), -10);
}

// The caller's settings: the session thread takes its priority at once, the comm-link thread
// when the next connection starts it.
TEST(ThreadPriority, ThreadsTakeTheirPrioritiesFromTheLinkSettings)
{
    Nimb nimb(250);
    LinkSettings settings;
    settings.sessionThreadPriority = -2;
    settings.commLinkThreadPriority = -1;
    nimb.SetLinkSettings(settings);
    EXPECT_EQ(nimb.CurrentLinkSettings(), settings);
    EXPECT_TRUE(HasThreadWithNice(10)); // the session thread, lowest
    auto wire = testing::MakeTestTransportPair();
    ASSERT_EQ(nimb.Connect(0, nullptr, std::move(wire.a)), Result::Ok);
    EXPECT_TRUE(HasThreadWithNice(5)); // the comm-link thread, below normal
}

// Every result keeps the number it always had and has a name of its own; the text is both.
TEST(Result, EachValueHasItsNumberAndItsOwnName)
{
    const std::pair<Result, int> values[] = {
        {Result::Ok, 0},
        {Result::AlreadyConnected, -10001},
        {Result::NoSession, -10002},
        {Result::Layer1OpenFailed, -10003},
        {Result::UnknownLayer1, -10004},
        {Result::UnknownLayer2, -10005},
        {Result::CommLinkThreadFailed, -10006},
        {Result::ConnectException, -10007},
        {Result::NotConnected, -10008},
        {Result::Nothing, -10009},
        {Result::TooLong, -10010},
        {Result::NoParamText, -10011},
        {Result::SocketLibrary, -10012},
        {Result::InvalidAddress, -10013},
        {Result::FieldCount, -10014},
        {Result::ClientKind, -10015},
        {Result::UnknownMode, -10016},
        {Result::BadBuffer, -10017},
        {Result::StoreFailed, -10018},
        {Result::DisconnectException, -10019},
        {Result::NoSessionThread, -10020},
        {Result::WakeSignal, -10021},
    };
    std::set<std::string> names;
    for (const auto& [result, number] : values) {
        EXPECT_EQ(ResultValue(result), number);
        EXPECT_NE(std::string(ResultName(result)), "Unknown") << number;
        EXPECT_TRUE(names.insert(ResultName(result)).second) << ResultName(result) << " twice";
    }
    EXPECT_EQ(ResultText(Result::Layer1OpenFailed), "Layer1OpenFailed (-10003)");
    EXPECT_EQ(std::string(ResultName(static_cast<Result>(-10022))), "Unknown");
    std::ostringstream printed;
    printed << Result::Ok;
    EXPECT_EQ(printed.str(), "Ok (0)");
}

TEST(Trace, SinkReceivesTextsAndHexDumps)
{
    test::TraceCapture trace;
    Trace("(Test)  hello\n");
    const unsigned char bytes[] = {0x03, 0x00, 0xD6};
    TraceBytes("(Test)  frame", bytes, 3);
    const std::vector<std::string> texts = trace.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "(Test)  hello\n");
    EXPECT_EQ(texts[1], "(Test)  frame: 03 00 D6\n");
}

// Captures nest: one that ends puts back the sink it replaced, here the outer capture.
TEST(Trace, ACapturePutsBackTheSinkItReplaced)
{
    test::TraceCapture outer;
    {
        test::TraceCapture inner;
        Trace("(Test)  inner\n");
        EXPECT_EQ(inner.Texts(), std::vector<std::string>{"(Test)  inner\n"});
    }
    Trace("(Test)  outer\n");
    EXPECT_EQ(outer.Texts(), std::vector<std::string>{"(Test)  outer\n"});
}

TEST(CommLinkWait, LineTimeOfTheMissingBytesOfAFrameButTheLastIsCapped)
{
    using std::chrono::microseconds;
    const microseconds cap(10000);
    // 10 bit times per byte: 520.8 us at 19200 baud. The last missing byte is not slept for.
    EXPECT_EQ(LineTimeOfMissingBytes(10, 0, 19200, cap), microseconds(4687));
    EXPECT_EQ(LineTimeOfMissingBytes(10, 4, 19200, cap), microseconds(2604))
        << "waiting bytes are not waited for";
    EXPECT_EQ(LineTimeOfMissingBytes(3, 1, 9600, cap), microseconds(1041));
    EXPECT_EQ(LineTimeOfMissingBytes(104, 0, 19200, cap), cap) << "a long rest is read in pieces";
    EXPECT_EQ(LineTimeOfMissingBytes(10, 9, 19200, cap), microseconds(0)) << "only the last byte missing";
    EXPECT_EQ(LineTimeOfMissingBytes(10, 10, 19200, cap), microseconds(0)) << "all there: read at once";
    EXPECT_EQ(LineTimeOfMissingBytes(10, 30, 19200, cap), microseconds(0));
    EXPECT_EQ(LineTimeOfMissingBytes(0, 0, 19200, cap), microseconds(0)) << "between frames";
    EXPECT_EQ(LineTimeOfMissingBytes(10, 0, 0, cap), microseconds(0)) << "rate unknown";
}

TEST(CommLinkWait, AWakeEndsTheWaitAtOnce)
{
    WakeFd wake;
    wake.Wake();
    const auto start = std::chrono::steady_clock::now();
    WaitForWake(wake, std::chrono::seconds(30));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    // The wake was consumed: a second wait runs to its time-out.
    WaitForWake(wake, std::chrono::microseconds(1));
    pollfd fd{wake.Fd(), POLLIN, 0};
    EXPECT_EQ(::poll(&fd, 1, 0), 0);
}

} // namespace
} // namespace comms
