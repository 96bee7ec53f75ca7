// Two Nimb ends over a damaging test transport exchange 2,000 messages each way: every
// message must arrive once, in order and intact.
#include <gtest/gtest.h>

#include <random>

#include "NimbTestSupport.h"
#include "comms/ResultCodes.h"

namespace comms::test {
namespace {

using Bytes = std::vector<uint8_t>;

std::vector<Bytes> RandomMessages(int count, uint32_t seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> length(1, 250);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<Bytes> messages(static_cast<size_t>(count));
    for (auto& message : messages) {
        message.resize(static_cast<size_t>(length(random)));
        for (auto& b : message)
            b = static_cast<uint8_t>(byte(random));
    }
    return messages;
}

void Exchange(const testing::FaultSettings& faultsAtoB, const testing::FaultSettings& faultsBtoA,
              bool bothWays = true)
{
    constexpr int kMessages = 2000;
    NimbPair pair;
    pair.Connect();
    pair.BringUp();
    pair.wire.faultsA->Set(faultsAtoB);
    pair.wire.faultsB->Set(faultsBtoA);
    // Protocol time runs up to 25 times faster than real time while the wire is idle, so a
    // retransmission costs about 72 ms.
    pair.RunClocksWhileWireIdle(25);

    const auto fromA = RandomMessages(kMessages, 11);
    const auto fromB = bothWays ? RandomMessages(kMessages, 22) : std::vector<Bytes>();
    for (int i = 0; i < kMessages; ++i) {
        ASSERT_EQ(pair.a.Send(fromA[i].data(), static_cast<int>(fromA[i].size())), Result::Ok);
        if (bothWays) {
            ASSERT_EQ(pair.b.Send(fromB[i].data(), static_cast<int>(fromB[i].size())), Result::Ok);
        }
    }
    const auto limit = std::chrono::minutes(5);
    ASSERT_TRUE(pair.b.WaitUntil(
        [&] { return pair.b.received.size() >= kMessages || pair.b.disconnects > 0; }, limit));
    ASSERT_TRUE(pair.a.WaitUntil(
        [&] { return pair.a.received.size() >= fromB.size() || pair.a.disconnects > 0; }, limit));

    EXPECT_EQ(pair.a.Read([&] { return pair.a.disconnects; }), 0);
    EXPECT_EQ(pair.b.Read([&] { return pair.b.disconnects; }), 0);
    const auto gotByB = pair.b.Read([&] { return pair.b.received; });
    const auto gotByA = pair.a.Read([&] { return pair.a.received; });
    ASSERT_EQ(gotByB.size(), fromA.size());
    ASSERT_EQ(gotByA.size(), fromB.size());
    for (size_t i = 0; i < fromA.size(); ++i)
        ASSERT_EQ(gotByB[i], fromA[i]) << "a to b, message " << i;
    for (size_t i = 0; i < fromB.size(); ++i)
        ASSERT_EQ(gotByA[i], fromB[i]) << "b to a, message " << i;

    // The damage was real and was repaired by retransmission.
    LinkStatus statusA;
    LinkStatus statusB;
    pair.a.GetLinkStatus(&statusA);
    pair.b.GetLinkStatus(&statusB);
    EXPECT_GT(statusA[kStatusRetransmissions] + statusB[kStatusRetransmissions], 0);
    EXPECT_GT(pair.wire.faultsA->BytesChanged() + pair.wire.faultsA->BytesDropped(), 0u);
    std::printf("retransmissions a=%d b=%d, bytes changed %llu/%llu, dropped %llu/%llu\n",
                statusA[kStatusRetransmissions], statusB[kStatusRetransmissions],
                static_cast<unsigned long long>(pair.wire.faultsA->BytesChanged()),
                static_cast<unsigned long long>(pair.wire.faultsB->BytesChanged()),
                static_cast<unsigned long long>(pair.wire.faultsA->BytesDropped()),
                static_cast<unsigned long long>(pair.wire.faultsB->BytesDropped()));
}

// The same kind of damage in both directions, each direction with its own seed.
void ExchangeDamagedBothWays(testing::FaultSettings damage, uint32_t seed, bool trafficBothWays = true)
{
    damage.seed = seed;
    testing::FaultSettings damageBack = damage;
    damageBack.seed = seed + 1;
    Exchange(damage, damageBack, trafficBothWays);
}

TEST(NimbSoak, OnePercentOfFramesCorruptedBothWays)
{
    testing::FaultSettings damage;
    damage.corruptWriteProbability = 0.01;
    ExchangeDamagedBothWays(damage, 5);
}

TEST(NimbSoak, ScatteredByteFlipsBothWays)
{
    testing::FaultSettings damage;
    damage.flipProbability = 0.0005;
    ExchangeDamagedBothWays(damage, 7);
}

// Lost bytes shift the frames that follow: a frame that lost a byte takes the first byte of
// the next frame as its check sum, so both are dropped and the link finds the frame boundary
// again only when the line falls quiet for the frame completion time-out. The traffic here
// is one way, as in an upload; the damage hits both directions.
TEST(NimbSoak, ScatteredByteFlipsAndLossesOneWayTraffic)
{
    testing::FaultSettings damage;
    damage.flipProbability = 0.0001;
    damage.dropProbability = 0.0001;
    ExchangeDamagedBothWays(damage, 9, false);
}

} // namespace
} // namespace comms::test
