#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/wait.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <thread>

#include "comms/ResultCodes.h"
#include "comms/SharedMemoryLayer1.h"
#include "tests/transports/TransportTestSupport.h"

namespace comms::test {
namespace {

using Shm = SharedMemoryLayer1;

bool NameExists(const std::string& name)
{
    const int fd = ::shm_open(name.c_str(), O_RDONLY, 0);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

int Write(Shm& shm, const Bytes& bytes)
{
    return shm.Write(bytes.data(), static_cast<int>(bytes.size()));
}

Bytes ReadAll(Shm& shm, int max = 4096)
{
    Bytes buffer(static_cast<size_t>(max));
    const int n = shm.Read(buffer.data(), max);
    buffer.resize(static_cast<size_t>(std::max(n, 0)));
    return buffer;
}

TEST(SharedMemory, TheFirstUserCreatesAndBothSeeEachOthersBytes)
{
    const std::string text = UniqueName("t");
    Shm first(text.c_str());
    Shm second(text.c_str());
    EXPECT_EQ(first.Name(), "/NIMB_MMF_" + text);
    ASSERT_EQ(first.Open(), 0);
    ASSERT_EQ(second.Open(), 0);
    EXPECT_TRUE(first.IsCreator());
    EXPECT_FALSE(second.IsCreator());
    EXPECT_EQ(first.IsAttached(), 1);
    EXPECT_EQ(first.BaudRate(), 19200);
    EXPECT_EQ(first.FreeRoom(), 2048);

    ASSERT_EQ(Write(first, ToBytes("from the creator")), 16);
    ASSERT_EQ(Write(second, ToBytes("from the second")), 15);
    EXPECT_EQ(second.BytesWaiting(), 16);
    EXPECT_EQ(first.BytesWaiting(), 15);
    EXPECT_EQ(ReadAll(second), ToBytes("from the creator"));
    EXPECT_EQ(ReadAll(first), ToBytes("from the second"));
    EXPECT_EQ(first.BytesWaiting(), 0);
    EXPECT_EQ(ReadAll(first), Bytes{}); // no own bytes come back
}

TEST(SharedMemory, TheCreatorWritesTheUpperHalfAndReadsTheLowerOne)
{
    const std::string text = UniqueName("layout");
    Shm creator(text.c_str());
    ASSERT_EQ(creator.Open(), 0);
    ASSERT_EQ(Write(creator, ToBytes("xyz")), 3);
    const int fd = ::shm_open(creator.Name().c_str(), O_RDWR, 0);
    ASSERT_GE(fd, 0);
    auto* map =
        static_cast<uint8_t*>(::mmap(nullptr, Shm::kMappingSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0));
    ::close(fd);
    ASSERT_NE(map, MAP_FAILED);
    const uint8_t* upper = map + Shm::kHalfBOffset;
    uint32_t count = 0;
    uint32_t writePos = 0;
    std::memcpy(&count, upper + 4, 4);
    std::memcpy(&writePos, upper + 12, 4);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(writePos, 3u);
    EXPECT_EQ(std::memcmp(upper + 16, "xyz", 3), 0);
    // Bytes put into the lower half are what the creator reads.
    uint8_t* lower = map + Shm::kHalfAOffset;
    std::memcpy(lower + 16, "ab", 2);
    const uint32_t two = 2;
    std::memcpy(lower + 4, &two, 4);
    std::memcpy(lower + 12, &two, 4);
    EXPECT_EQ(ReadAll(creator), ToBytes("ab"));
    ::munmap(map, Shm::kMappingSize);
}

// The reader sleeps until the peer writes (the doorbell in the segment), or until its own
// thread interrupts the wait, also when the interrupt came first; it never waits out the limit.
TEST(SharedMemory, AWaitEndsOnThePeersWriteOrAnInterruptNotOnTheLimit)
{
    const std::string text = UniqueName("bell");
    Shm first(text.c_str());
    Shm second(text.c_str());
    ASSERT_EQ(first.Open(), 0);
    ASSERT_EQ(second.Open(), 0);
    ASSERT_TRUE(first.HasOwnWait());
    constexpr int kLimitMs = 60000;
    using Steady = std::chrono::steady_clock;
    auto waitedMs = [](Shm& shm, const std::function<void()>& meanwhile) {
        const auto start = Steady::now();
        std::thread other(meanwhile);
        shm.WaitForInput(kLimitMs);
        const auto waited = Steady::now() - start;
        other.join();
        return std::chrono::duration_cast<std::chrono::milliseconds>(waited).count();
    };
    // Each side is woken by the other's write, in both halves.
    EXPECT_LT(waitedMs(first, [&] { Write(second, ToBytes("x")); }), kLimitMs / 2);
    EXPECT_EQ(ReadAll(first), ToBytes("x"));
    EXPECT_LT(waitedMs(second, [&] { Write(first, ToBytes("y")); }), kLimitMs / 2);
    EXPECT_EQ(ReadAll(second), ToBytes("y"));
    // Input already waiting, or an interrupt before or during the wait, ends it at once.
    Write(second, ToBytes("z"));
    EXPECT_LT(waitedMs(first, [] {}), kLimitMs / 2);
    ReadAll(first);
    first.InterruptWait();
    EXPECT_LT(waitedMs(first, [] {}), kLimitMs / 2);
    EXPECT_LT(waitedMs(first, [&] { first.InterruptWait(); }), kLimitMs / 2);
    // With nothing to end it, the limit does.
    const auto start = Steady::now();
    first.WaitForInput(20);
    EXPECT_GE(Steady::now() - start, std::chrono::milliseconds(19));
}

TEST(SharedMemory, ReadsAndWritesWrapAroundTheRingEnd)
{
    const std::string text = UniqueName("wrap");
    Shm a(text.c_str());
    Shm b(text.c_str());
    ASSERT_EQ(a.Open(), 0);
    ASSERT_EQ(b.Open(), 0);
    const auto chunks = RandomMessages(40, 300, 7);
    for (const auto& chunk : chunks) { // 40 chunks of up to 300 bytes go round the 2048-byte ring
        ASSERT_EQ(Write(a, chunk), static_cast<int>(chunk.size()));
        Bytes got;
        while (got.size() < chunk.size()) {
            const Bytes part = ReadAll(b, 97);
            ASSERT_FALSE(part.empty());
            got.insert(got.end(), part.begin(), part.end());
        }
        ASSERT_EQ(got, chunk);
    }
}

TEST(SharedMemory, AFullRingKeepsTheNewestBytes)
{
    const std::string text = UniqueName("full");
    Shm a(text.c_str());
    Shm b(text.c_str());
    ASSERT_EQ(a.Open(), 0);
    ASSERT_EQ(b.Open(), 0);
    Bytes stream(Shm::kRingSize + 100);
    for (size_t i = 0; i < stream.size(); ++i)
        stream[i] = static_cast<uint8_t>(i * 7);
    ASSERT_EQ(Write(a, Bytes(stream.begin(), stream.begin() + 1000)), 1000);
    ASSERT_EQ(Write(a, Bytes(stream.begin() + 1000, stream.end())), static_cast<int>(stream.size()) - 1000);
    EXPECT_EQ(b.BytesWaiting(), Shm::kRingSize);
    EXPECT_EQ(ReadAll(b), Bytes(stream.end() - Shm::kRingSize, stream.end()));
}

TEST(SharedMemory, TheLastUserToCloseRemovesTheName)
{
    const std::string text = UniqueName("close");
    auto a = std::make_unique<Shm>(text.c_str());
    auto b = std::make_unique<Shm>(text.c_str());
    ASSERT_EQ(a->Open(), 0);
    ASSERT_EQ(b->Open(), 0);
    const std::string name = a->Name();
    a.reset();
    EXPECT_TRUE(NameExists(name));
    b.reset();
    EXPECT_FALSE(NameExists(name));
}

TEST(SharedMemory, AnUnusableNameMakesOpenFail)
{
    Shm bad("has/slash");
    EXPECT_EQ(bad.Open(), -1);
    EXPECT_EQ(bad.BytesWaiting(), 0);
    EXPECT_EQ(bad.Write(reinterpret_cast<const uint8_t*>("x"), 1), 0);
}

TEST(SharedMemory, NonsenseWrittenByTheOtherSideMarksTheTransportBroken)
{
    const std::string text = UniqueName("corrupt");
    Shm a(text.c_str());
    Shm b(text.c_str());
    ASSERT_EQ(a.Open(), 0);
    ASSERT_EQ(b.Open(), 0);
    const int fd = ::shm_open(a.Name().c_str(), O_RDWR, 0);
    auto* map =
        static_cast<uint8_t*>(::mmap(nullptr, Shm::kMappingSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0));
    ::close(fd);
    ASSERT_NE(map, MAP_FAILED);
    const uint32_t huge = 100000;
    std::memcpy(map + Shm::kHalfBOffset + 8, &huge, 4); // read position far outside the ring
    uint8_t buffer[16];
    EXPECT_EQ(b.Read(buffer, sizeof buffer), -1);
    EXPECT_TRUE(b.broken);
    ::munmap(map, Shm::kMappingSize);
}

TEST(SharedMemory, TwoProcessesSeeEachOthersBytes)
{
    const std::string text = UniqueName("fork");
    Shm parent(text.c_str());
    ASSERT_EQ(parent.Open(), 0);
    ASSERT_TRUE(parent.IsCreator());
    ASSERT_EQ(Write(parent, ToBytes("ping")), 4);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Exit code: 0 when the child was the second side, read "ping" and answered.
        Shm side(text.c_str());
        int code = 0;
        if (side.Open() != 0 || side.IsCreator())
            code = 1;
        uint8_t buffer[8] = {};
        if (code == 0 && (side.Read(buffer, sizeof buffer) != 4 || std::memcmp(buffer, "ping", 4) != 0))
            code = 2;
        if (code == 0 && side.Write(reinterpret_cast<const uint8_t*>("pong"), 4) != 4)
            code = 3;
        side.Close();
        ::_exit(code);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadAll(parent), ToBytes("pong"));
}

TEST(SharedMemoryExchange, FiveHundredMessagesEachWayThroughTheFrameLink)
{
    const std::string text = UniqueName("link");
    ScaledClock clockA(4);
    ScaledClock clockB(5);
    RecordingNimb a(250, clockA);
    RecordingNimb b(250, clockB);
    ASSERT_EQ(a.Connect(0, nullptr, kLayer1SharedMemory, text.c_str()), Result::Ok);
    ASSERT_EQ(b.Connect(0, nullptr, kLayer1SharedMemory, text.c_str()), Result::Ok);
    ExpectExchange(a, b);
}

} // namespace
} // namespace comms::test
