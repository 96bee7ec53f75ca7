// The acknowledged frame link, driven by hand: bytes in, frames out, time from a manual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "FrameTestSupport.h"
#include "comms/Crc.h"
#include "comms/FrameRing.h"
#include "comms/ResultCodes.h"

namespace comms::test {
namespace {

Bytes Ascii(const char* text)
{
    return Bytes(text, text + std::strlen(text));
}

TEST(Crc, CheckValues)
{
    const Bytes digits = Ascii("123456789");
    const Bytes abc = Ascii("abc");
    EXPECT_EQ(Crc16(digits.data(), digits.size()), 0x6F91);
    EXPECT_EQ(Crc16(abc.data(), abc.size()), 0x61DA);
    EXPECT_EQ(Crc8(abc.data(), abc.size()), 0x23);
}

TEST(Crc, Crc8TableIsXorLinearOverItsBasis)
{
    EXPECT_EQ(kCrc8Table[0], 0);
    const uint8_t basis[8] = {0x4B, 0x96, 0x25, 0x0A, 0x94, 0x21, 0x02, 0x84};
    for (int bit = 0; bit < 8; ++bit)
        EXPECT_EQ(kCrc8Table[1u << bit], basis[bit]);
    for (unsigned i = 0; i < 256; ++i) {
        for (unsigned j = 0; j < 256; ++j)
            ASSERT_EQ(kCrc8Table[i ^ j], kCrc8Table[i] ^ kCrc8Table[j]) << i << " " << j;
    }
}

TEST(Crc, Crc16TableMatchesBitwiseComputation)
{
    for (unsigned i = 0; i < 256; ++i) {
        unsigned crc = i;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0x8408 : crc >> 1;
        ASSERT_EQ(kCrc16Table[i], crc);
    }
}

TEST(FrameFormat, ExampleFramesByteForByte)
{
    EXPECT_EQ(Frame(kFrameHeartbeat, 0), (Bytes{0x03, 0x00, 0x00, 0xD6, 0x57}));
    EXPECT_EQ(Frame(kFrameConnectRequest, 0), (Bytes{0x01, 0x00, 0x00, 0x63, 0xEF}));
    EXPECT_EQ(Frame(kFrameAck, 5), (Bytes{0x02, 0x05, 0x00, 0xF2, 0x33}));
    EXPECT_EQ(Frame(kFrameConnectConfirm, 1), (Bytes{0x09, 0x01, 0x00, 0xBC, 0xF5}));
    EXPECT_EQ(Frame(kFrameDataWhole, 0, {0x01, 0x01}), (Bytes{0x04, 0x00, 0x02, 0x01, 0x01, 0xA0, 0x71}));
}

TEST(FrameFormat, Crc8FramesAreOneByteShorter)
{
    const Bytes frame = Frame(kFrameHeartbeat, 0, {}, true);
    ASSERT_EQ(frame.size(), 4u);
    EXPECT_EQ(frame[3], Crc8(frame.data(), 3));
    EXPECT_EQ(Frame(kFrameDataWhole, 1, Bytes(250, 0x55)).size(), 255u);
}

TEST(AckFrameTimers, ChosenFromBaudRateAndSlowMedia)
{
    auto same = [](AckFrameTimers t, uint32_t h, uint32_t r, uint32_t c) {
        return t.heartbeatMs == h && t.retransmitMs == r && t.completionMs == c;
    };
    EXPECT_TRUE(same(AckFrameTimersFor(19200, false), 3000, 1800, 1200));
    EXPECT_TRUE(same(AckFrameTimersFor(9600, false), 3000, 1800, 1200));
    EXPECT_TRUE(same(AckFrameTimersFor(4800, false), 6000, 3600, 2400));
    EXPECT_TRUE(same(AckFrameTimersFor(19200, true), 6000, 3600, 2400));
    EXPECT_TRUE(same(AckFrameTimersFor(4800, true), 12000, 7200, 4800));
}

TEST(AckFrameLink, IdleLinkSendsItsFirstHeartbeatAfterTheIntervalWithNumberZero)
{
    LinkEnd end;
    end.clock.Set(2999);
    EXPECT_TRUE(end.Step().empty());
    end.clock.Set(3000);
    const auto frames = end.Step();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], (Bytes{0x03, 0x00, 0x00, 0xD6, 0x57}));
    EXPECT_EQ(end.status.Get(kStatusFramesWritten), 1);
    EXPECT_EQ(end.status.Get(kStatusLinkState), kLinkDown);
}

TEST(AckFrameLink, SilentPeerSeesEachHeartbeatFiveTimesThenANewOne)
{
    LinkEnd end;
    std::vector<std::pair<uint32_t, Bytes>> sent;
    for (uint32_t t = 0; t <= 20000; t += 10) {
        end.clock.Set(t);
        for (auto& frame : end.Step())
            sent.emplace_back(t, frame);
    }
    const std::vector<std::pair<uint32_t, Bytes>> expected = {
        {3000, Frame(kFrameHeartbeat, 0)},  {4800, Frame(kFrameHeartbeat, 0)},
        {6600, Frame(kFrameHeartbeat, 0)},  {8400, Frame(kFrameHeartbeat, 0)},
        {10200, Frame(kFrameHeartbeat, 0)}, {13200, Frame(kFrameHeartbeat, 1)},
        {15000, Frame(kFrameHeartbeat, 1)}, {16800, Frame(kFrameHeartbeat, 1)},
        {18600, Frame(kFrameHeartbeat, 1)},
    };
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(end.status.Get(kStatusRetransmissions), 7);
    EXPECT_FALSE(end.link.Lost()); // not connected: exhausted retries do not end anything
}

// Carries everything one end wrote to the other and returns the frames written.
std::vector<Bytes> Carry(LinkEnd& from, const std::vector<Bytes>& frames, LinkEnd& to)
{
    (void)from;
    return to.Feed(Concat(frames));
}

TEST(AckFrameLink, OpeningBetweenTwoEndsFollowsTheHandshakeFrameForFrame)
{
    LinkEnd a; // the tool
    LinkEnd b; // the peer
    a.clock.Set(3000);
    const auto a1 = a.Step();
    EXPECT_EQ(a1, (std::vector<Bytes>{{0x03, 0x00, 0x00, 0xD6, 0x57}}));

    const auto b1 = Carry(a, a1, b);
    EXPECT_EQ(b1, (std::vector<Bytes>{Frame(kFrameAck, 0), {0x01, 0x00, 0x00, 0x63, 0xEF}}));
    EXPECT_EQ(b.status.Get(kStatusLinkState), kLinkConnecting);

    const auto a2 = Carry(b, b1, a);
    EXPECT_EQ(a2, (std::vector<Bytes>{Frame(kFrameAck, 0), {0x09, 0x01, 0x00, 0xBC, 0xF5}}));
    EXPECT_EQ(a.status.Get(kStatusLinkState), kLinkConnecting);
    EXPECT_EQ(a.link.LinkState(), 0);

    const auto b2 = Carry(a, a2, b);
    EXPECT_EQ(b2, (std::vector<Bytes>{Frame(kFrameAck, 1), Frame(kFrameConnectConfirm, 1)}));
    EXPECT_EQ(b.link.LinkState(), 1);
    EXPECT_EQ(b.status.Get(kStatusLinkState), kLinkUp);

    const auto a3 = Carry(b, b2, a);
    EXPECT_EQ(a3, (std::vector<Bytes>{Frame(kFrameAck, 1), Frame(kFrameConnectConfirm, 2)}));
    EXPECT_EQ(a.link.LinkState(), 1);

    const auto b3 = Carry(a, a3, b);
    EXPECT_EQ(b3, (std::vector<Bytes>{Frame(kFrameAck, 2)}));

    // A's queued data waits until the acknowledgement of 2 ends its wait for the heartbeat.
    ASSERT_EQ(a.link.QueuePayload(Bytes{0x01, 0x01}.data(), 2, kWhole), 1);
    EXPECT_TRUE(a.Step().empty());
    const auto a4 = Carry(b, b3, a);
    EXPECT_EQ(a4, (std::vector<Bytes>{Frame(kFrameDataWhole, 3, {0x01, 0x01})}));
    EXPECT_EQ(b.Feed(Concat(a4)), (std::vector<Bytes>{Frame(kFrameAck, 3)}));
    EXPECT_EQ(b.TakeDelivered(), (std::vector<Bytes>{{0x01, 0x01}}));

    EXPECT_EQ(a.status.Get(kStatusFramesWritten), 6);
    EXPECT_EQ(a.status.Get(kStatusFramesReceived), 5);
    EXPECT_EQ(a.status.Get(kStatusRetransmissions), 0);
    EXPECT_EQ(a.status.Get(kStatusLinkLosses), 0);
}

TEST(AckFrameLink, SimultaneousHeartbeatsStillBringBothEndsUp)
{
    LinkEnd a;
    LinkEnd b;
    a.clock.Set(3000);
    b.clock.Set(3000);
    auto fromA = a.Step();
    auto fromB = b.Step();
    for (int round = 0; round < 6 && (!fromA.empty() || !fromB.empty()); ++round) {
        auto nextB = b.Feed(Concat(fromA));
        auto nextA = a.Feed(Concat(fromB));
        fromA = nextA;
        fromB = nextB;
    }
    EXPECT_EQ(a.link.LinkState(), 1);
    EXPECT_EQ(b.link.LinkState(), 1);
    // Both stopped waiting: data flows at once in both directions.
    ASSERT_EQ(a.link.QueuePayload(Bytes{7}.data(), 1, kWhole), 1);
    const auto data = a.Step();
    ASSERT_EQ(data.size(), 1u);
    EXPECT_EQ(data[0][0], kFrameDataWhole);
}

TEST(AckFrameLink, NumbersWrapFrom254ToZeroAndNeverUse255)
{
    LinkEnd end;
    end.ConnectWithPeerNumber(7); // answers with an acknowledgement and its confirm number 0
    const uint8_t payload = 0x42;
    for (int i = 0; i < 600; ++i) {
        ASSERT_EQ(end.link.QueuePayload(&payload, 1, kWhole), 1);
        const auto frames = end.Step();
        ASSERT_EQ(frames.size(), 1u);
        const uint8_t expected = static_cast<uint8_t>((1 + i) % 255);
        ASSERT_EQ(frames[0], Frame(kFrameDataWhole, expected, {payload})) << i;
        EXPECT_TRUE(end.Feed(Frame(kFrameAck, expected)).empty());
    }
}

TEST(AckFrameLink, DuplicateIsAcknowledgedAgainAndDeliveredOnce)
{
    LinkEnd end;
    end.ConnectWithPeerNumber(7);
    const Bytes data = {0x04, 0x00, 0x02, 0x01, 0x01, 0xA0, 0x71};
    EXPECT_EQ(end.Feed(data), (std::vector<Bytes>{Frame(kFrameAck, 0)}));
    EXPECT_EQ(end.TakeDelivered(), (std::vector<Bytes>{{0x01, 0x01}}));
    EXPECT_EQ(end.Feed(data), (std::vector<Bytes>{Frame(kFrameAck, 0)}));
    EXPECT_TRUE(end.TakeDelivered().empty());
    EXPECT_EQ(end.status.Get(kStatusFramesReceived), 3);
}

TEST(AckFrameLink, AnyChangedBitGivesNoDeliveryNoAcknowledgementAndACrcFailure)
{
    const Bytes good = Frame(kFrameDataWhole, 3, {0x10, 0x20, 0x30});
    for (size_t position = 0; position < good.size(); ++position) {
        for (int bit = 0; bit < 8; ++bit) {
            LinkEnd end;
            end.ConnectWithPeerNumber(7);
            end.TakeNotifications();
            Bytes bad = good;
            bad[position] ^= static_cast<uint8_t>(1 << bit);
            EXPECT_TRUE(end.Feed(bad).empty()) << position << "/" << bit;
            const bool lengthGrew = position == 2 && bad[2] > good[2];
            if (!lengthGrew) {
                const auto codes = end.TakeNotifications();
                ASSERT_FALSE(codes.empty()) << position << "/" << bit;
                EXPECT_EQ(codes[0], kNotifyCrcFailed);
            }
            // Whatever is left half-received is dropped on time; then the link reads frames again.
            end.clock.Advance(1201);
            EXPECT_TRUE(end.Step().empty());
            EXPECT_TRUE(end.TakeDelivered().empty());
            EXPECT_EQ(end.Feed(good), (std::vector<Bytes>{Frame(kFrameAck, 3)}));
            EXPECT_EQ(end.TakeDelivered(), (std::vector<Bytes>{{0x10, 0x20, 0x30}}));
        }
    }
}

TEST(AckFrameLink, FrameThatLostAByteDoesNotTakeTheNextReadWithIt)
{
    LinkEnd end;
    end.ConnectWithPeerNumber(7);
    end.TakeNotifications();
    Bytes truncated = Frame(kFrameDataWhole, 1, {1, 2, 3, 4});
    truncated.erase(truncated.begin() + 4); // one payload byte lost on the line
    EXPECT_TRUE(end.Feed(truncated).empty());
    // The next frame arrives in a read of its own: its first byte completes the damaged
    // frame, which fails, and the read is parsed again from its start.
    EXPECT_EQ(end.Feed(Frame(kFrameDataWhole, 2, {5})), (std::vector<Bytes>{Frame(kFrameAck, 2)}));
    EXPECT_EQ(end.TakeDelivered(), (std::vector<Bytes>{{5}}));
    EXPECT_EQ(end.TakeNotifications(), (std::vector<int>{kNotifyCrcFailed}));
}

TEST(AckFrameLink, WithinOneReadTheByteAfterABadFrameIsTakenAsAFrameType)
{
    LinkEnd end;
    end.ConnectWithPeerNumber(7);
    Bytes bad = Frame(kFrameDataWhole, 1, {1, 2, 3, 4});
    bad[4] ^= 0xFF;
    const Bytes good = Frame(kFrameDataWhole, 2, {5});
    EXPECT_EQ(end.Feed(Concat({bad, good})), (std::vector<Bytes>{Frame(kFrameAck, 2)}));
    EXPECT_EQ(end.TakeDelivered(), (std::vector<Bytes>{{5}}));
}

TEST(AckFrameLink, LengthAbove250DropsTheFrameAtOnce)
{
    LinkEnd end;
    end.ConnectWithPeerNumber(7);
    end.TakeNotifications();
    EXPECT_TRUE(end.Feed(Bytes{0x04, 0x01, 0xFB}).empty());
    EXPECT_EQ(end.TakeNotifications(), (std::vector<int>{kNotifyCrcFailed}));
    // The next byte is a frame type again.
    EXPECT_EQ(end.Feed(Frame(kFrameDataWhole, 1, {0x55})), (std::vector<Bytes>{Frame(kFrameAck, 1)}));
    EXPECT_EQ(end.TakeDelivered(), (std::vector<Bytes>{{0x55}}));
}

void ExpectHalfFrameDroppedAfter(int baudRate, uint32_t limitMs)
{
    LinkEnd end(nullptr, baudRate, 100000);
    end.ConnectWithPeerNumber(7);
    end.TakeNotifications();
    const Bytes frame = Frame(kFrameDataWhole, 1, {1, 2, 3, 4});
    end.Feed(Bytes(frame.begin(), frame.begin() + 4));
    end.clock.Advance(limitMs);
    end.Step();
    EXPECT_TRUE(end.TakeNotifications().empty()) << "dropped too early at " << baudRate;
    end.clock.Advance(1);
    end.Step();
    EXPECT_EQ(end.TakeNotifications(), (std::vector<int>{kNotifyFrameIncomplete})) << baudRate;
    // The rest of the old frame is now taken as a new frame; a whole retransmission after the
    // time-out is received again.
    end.clock.Advance(limitMs + 1);
    end.Step();
    end.TakeNotifications();
    EXPECT_EQ(end.Feed(frame), (std::vector<Bytes>{Frame(kFrameAck, 1)}));
    EXPECT_EQ(end.TakeDelivered().size(), 1u);
}

TEST(AckFrameLink, HalfFrameIsDroppedAfter1200MsAt19200Baud)
{
    ExpectHalfFrameDroppedAfter(19200, 1200);
}
TEST(AckFrameLink, HalfFrameIsDroppedAfter2400MsAt4800Baud)
{
    ExpectHalfFrameDroppedAfter(4800, 2400);
}

TEST(AckFrameLink, SilentPeerEndsAConnectedLinkFiveRetransmissionTimesAfterTheFirstTransmission)
{
    LinkEnd end(nullptr, 19200, 0xFFFFF000u); // also crosses the wrap of the tick counter
    end.ConnectWithPeerNumber(7);
    ASSERT_EQ(end.link.QueuePayload(Bytes{9, 9}.data(), 2, kWhole), 1);
    const auto first = end.Step();
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0], Frame(kFrameDataWhole, 1, {9, 9}));
    for (int retry = 1; retry <= 4; ++retry) {
        end.clock.Advance(1799);
        EXPECT_TRUE(end.Step().empty());
        end.clock.Advance(1);
        EXPECT_EQ(end.Step(), (std::vector<Bytes>{first[0]})) << retry; // same bytes, same number
        EXPECT_EQ(end.status.Get(kStatusRetransmissions), retry);
    }
    end.clock.Advance(1799);
    end.Step();
    EXPECT_EQ(end.link.LinkState(), 1);
    end.clock.Advance(1); // 5 x 1800 ms after the first transmission
    EXPECT_TRUE(end.Step().empty());
    EXPECT_EQ(end.link.LinkState(), 0);
    EXPECT_TRUE(end.link.Lost());
    EXPECT_EQ(end.status.Get(kStatusLinkState), kLinkDown);
    EXPECT_EQ(end.status.Get(kStatusLinkLosses), 1);
    // A lost link does nothing more.
    end.clock.Advance(60000);
    EXPECT_TRUE(end.Feed(Frame(kFrameConnectConfirm, 3)).empty());
}

TEST(AckFrameLink, ConnectedLinkSendsHeartbeatsOnlyWhenNothingElseWasSent)
{
    LinkEnd end;
    end.ConnectWithPeerNumber(7); // its confirm (number 0) restarted the heartbeat countdown
    end.clock.Set(2999);
    EXPECT_TRUE(end.Step().empty());
    end.clock.Set(3000);
    const auto heartbeat = end.Step();
    EXPECT_EQ(heartbeat, (std::vector<Bytes>{Frame(kFrameHeartbeat, 1)}));
    EXPECT_TRUE(end.Feed(Frame(kFrameAck, 1)).empty());
    end.clock.Set(5999);
    EXPECT_TRUE(end.Step().empty());
    end.clock.Set(6000);
    EXPECT_EQ(end.Step(), (std::vector<Bytes>{Frame(kFrameHeartbeat, 2)}));
}

TEST(AckFrameLink, HeartbeatFromThePeerIsAcknowledged)
{
    LinkEnd end;
    end.ConnectWithPeerNumber(7);
    EXPECT_EQ(end.Feed(Frame(kFrameHeartbeat, 8)), (std::vector<Bytes>{Frame(kFrameAck, 8)}));
    EXPECT_TRUE(end.TakeDelivered().empty());
}

TEST(AckFrameLink, ConnectRequestFromAConnectedPeerEndsTheLinkWithoutAcknowledgement)
{
    LinkEnd end;
    end.ConnectWithPeerNumber(7);
    EXPECT_TRUE(end.Feed(Frame(kFrameConnectRequest, 0)).empty());
    EXPECT_EQ(end.link.LinkState(), 0);
    EXPECT_EQ(end.status.Get(kStatusLinkLosses), 1);
}

TEST(AckFrameLink, ReadFailureEndsOnlyAConnectedLink)
{
    LinkEnd idle;
    idle.wire.Break();
    idle.Step();
    EXPECT_FALSE(idle.link.Lost());

    LinkEnd up;
    up.ConnectWithPeerNumber(7);
    up.wire.Break();
    up.Step();
    EXPECT_TRUE(up.link.Lost());
    EXPECT_EQ(up.status.Get(kStatusLinkState), kLinkDown);
}

TEST(AckFrameLink, DataIsNotTransmittedBeforeTheLinkIsUp)
{
    LinkEnd end;
    ASSERT_EQ(end.link.QueuePayload(Bytes{1}.data(), 1, kWhole), 1);
    EXPECT_TRUE(end.Step().empty());
    EXPECT_EQ(end.status.Get(kStatusSendRing), 1);
    const auto answer = end.ConnectWithPeerNumber(4);
    ASSERT_EQ(answer.size(), 3u); // ack, confirm, then the data frame
    EXPECT_EQ(answer[2], Frame(kFrameDataWhole, 1, {1}));
    EXPECT_EQ(end.status.Get(kStatusSendRing), 0);
}

TEST(AckFrameLink, SendRingIsFullAt128Frames)
{
    LinkEnd end;
    const uint8_t byte = 1;
    for (int i = 0; i < 128; ++i)
        ASSERT_EQ(end.link.QueuePayload(&byte, 1, kWhole), 1) << i;
    EXPECT_EQ(end.link.HasRoom(), 0);
    EXPECT_EQ(end.link.QueuePayload(&byte, 1, kWhole), 0);
    EXPECT_EQ(end.status.Get(kStatusSendRing), 128);
    EXPECT_EQ(end.link.LargestPayload(), 250);
    EXPECT_EQ(end.link.QueuePayload(Bytes(251, 0).data(), 251, kWhole), 0);
}

TEST(AckFrameLink, FullReceiveRingLosesItsOldestUnreadFrame)
{
    LinkEnd end;
    end.ConnectWithPeerNumber(200);
    for (int i = 0; i < 130; ++i)
        end.Feed(Frame(kFrameDataWhole, static_cast<uint8_t>(i), {static_cast<uint8_t>(i)}));
    EXPECT_EQ(end.status.Get(kStatusReceiveRing), 128);
    const auto delivered = end.TakeDelivered();
    ASSERT_EQ(delivered.size(), 128u);
    EXPECT_EQ(delivered.front(), Bytes{2});
    EXPECT_EQ(delivered.back(), Bytes{129});
    EXPECT_EQ(end.status.Get(kStatusReceiveRing), 0);
}

TEST(AckFrameLink, FragmentKindsTravelAsFrameTypes)
{
    LinkEnd end;
    end.ConnectWithPeerNumber(7);
    for (int kind = kWhole; kind <= kLast; ++kind) {
        ASSERT_EQ(end.link.QueuePayload(Bytes{static_cast<uint8_t>(kind)}.data(), 1, kind), 1);
        const auto frames = end.Step();
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0][0], kFrameDataWhole + kind);
        end.Feed(Frame(kFrameAck, frames[0][1]));
    }
    for (int kind = kWhole; kind <= kLast; ++kind) {
        end.Feed(Frame(static_cast<uint8_t>(kFrameDataWhole + kind), static_cast<uint8_t>(20 + kind), {5}));
        uint8_t buffer[kMaxFramePayload];
        int length = 0;
        int got = -1;
        ASSERT_EQ(end.link.TakeReceived(buffer, &length, &got), 1);
        EXPECT_EQ(got, kind);
    }
}

TEST(AckFrameLink, SlowMediaAndUseCrc8GiveDoubledTimersAndOneByteCrcs)
{
    LinkEnd end("x SlowMedia UseCRC8 y");
    EXPECT_TRUE(end.link.UsesCrc8());
    EXPECT_EQ(end.link.Timers().heartbeatMs, 6000u);
    EXPECT_EQ(end.link.Timers().retransmitMs, 3600u);
    EXPECT_EQ(end.link.Timers().completionMs, 2400u);
    end.clock.Set(5999);
    EXPECT_TRUE(end.Step().empty());
    end.clock.Set(6000);
    EXPECT_EQ(end.Step(), (std::vector<Bytes>{Frame(kFrameHeartbeat, 0, {}, true)}));
    end.clock.Set(9600);
    EXPECT_EQ(end.Step(), (std::vector<Bytes>{Frame(kFrameHeartbeat, 0, {}, true)}));

    // Two CRC-8 ends open the link and carry data.
    LinkEnd a("UseCRC8");
    LinkEnd b("UseCRC8");
    a.clock.Set(3000);
    auto fromA = a.Step();
    std::vector<Bytes> fromB;
    for (int i = 0; i < 6; ++i) {
        fromB = b.Feed(Concat(fromA));
        fromA = a.Feed(Concat(fromB));
    }
    ASSERT_EQ(a.link.LinkState(), 1);
    ASSERT_EQ(b.link.LinkState(), 1);
    a.link.QueuePayload(Bytes{1, 2, 3}.data(), 3, kWhole);
    const auto data = a.Step();
    ASSERT_EQ(data.size(), 1u);
    EXPECT_EQ(data[0].size(), 7u);
    b.Feed(data[0]);
    EXPECT_EQ(b.TakeDelivered(), (std::vector<Bytes>{{1, 2, 3}}));
    // A CRC-16 frame does not pass a CRC-8 link.
    EXPECT_TRUE(b.Feed(Frame(kFrameDataWhole, 40, {1})).empty());
}

TEST(AckFrameLink, OptionsAreFoundOnlyAsExactSubstrings)
{
    LinkEnd plain("usecrc8 slowmedia");
    EXPECT_FALSE(plain.link.UsesCrc8());
    EXPECT_EQ(plain.link.Timers().heartbeatMs, 3000u);
    LinkEnd none(nullptr);
    EXPECT_FALSE(none.link.UsesCrc8());
}

TEST(AckFrameLink, BytesStillToComeFollowsTheFrameBeingReceived)
{
    for (const bool crc8 : {false, true}) {
        LinkEnd end(crc8 ? kOptionUseCrc8 : nullptr);
        end.ConnectWithPeerNumber(9);
        EXPECT_EQ(end.link.BytesStillToCome(), 0) << "between frames";
        const Bytes frame = Frame(kFrameDataWhole, 3, {0x01, 0x01}, crc8);
        // After the type: number, length and the CRC at least; once the length is known, the
        // payload too; then one byte less with each byte.
        const std::vector<int> expected =
            crc8 ? std::vector<int>{3, 2, 3, 2, 1} : std::vector<int>{4, 3, 4, 3, 2, 1};
        ASSERT_EQ(frame.size(), expected.size() + 1);
        for (size_t i = 0; i + 1 < frame.size(); ++i) {
            end.Feed(Bytes{frame[i]});
            EXPECT_EQ(end.link.BytesStillToCome(), expected[i])
                << "after byte " << i << (crc8 ? " (CRC-8)" : "");
        }
        EXPECT_EQ(end.Feed(Bytes{frame.back()}), (std::vector<Bytes>{Frame(kFrameAck, 3, {}, crc8)}));
        EXPECT_EQ(end.link.BytesStillToCome(), 0);
        EXPECT_EQ(end.TakeDelivered(), (std::vector<Bytes>{{0x01, 0x01}}));
    }
}

// Carries frames back and forth until both ends fall quiet; returns every frame each wrote.
struct Exchange {
    std::vector<Bytes> fromA;
    std::vector<Bytes> fromB;
};
Exchange CarryUntilQuiet(LinkEnd& a, std::vector<Bytes> fromA, LinkEnd& b, std::vector<Bytes> fromB = {})
{
    Exchange all{fromA, fromB};
    for (int round = 0; round < 10 && (!fromA.empty() || !fromB.empty()); ++round) {
        const auto nextB = b.Feed(Concat(fromA));
        const auto nextA = a.Feed(Concat(fromB));
        all.fromA.insert(all.fromA.end(), nextA.begin(), nextA.end());
        all.fromB.insert(all.fromB.end(), nextB.begin(), nextB.end());
        fromA = nextA;
        fromB = nextB;
    }
    return all;
}

bool HasType(const std::vector<Bytes>& frames, uint8_t type)
{
    return std::any_of(frames.begin(), frames.end(), [&](const Bytes& f) { return f[0] == type; });
}

TEST(AckFrameLinkAwaitCall, SendsNothingUntilCalledThenAnswersAndKeepsTheLinkAlive)
{
    LinkEnd b(kOptionAwaitCall);
    EXPECT_TRUE(b.link.AwaitsCall());
    for (uint32_t t = 0; t <= 30000; t += 10) {
        b.clock.Set(t);
        ASSERT_TRUE(b.Step().empty()) << "at " << t << " ms";
    }

    // The tool's first heartbeat calls it; it answers as any end does.
    LinkEnd a;
    a.clock.Set(3000);
    const auto call = a.Step();
    ASSERT_EQ(call, (std::vector<Bytes>{Frame(kFrameHeartbeat, 0)}));
    const Exchange opening = CarryUntilQuiet(a, call, b);
    ASSERT_GE(opening.fromB.size(), 2u);
    EXPECT_EQ(opening.fromB[0], Frame(kFrameAck, 0));
    EXPECT_EQ(opening.fromB[1], Frame(kFrameConnectRequest, 0));
    ASSERT_EQ(a.link.LinkState(), 1);
    ASSERT_EQ(b.link.LinkState(), 1);

    // Up, it sends a heartbeat after one interval without any frame sent.
    b.clock.Set(30000 + 2990);
    EXPECT_TRUE(b.Step().empty());
    b.clock.Set(30000 + 3000);
    const auto beat = b.Step();
    ASSERT_EQ(beat.size(), 1u);
    EXPECT_EQ(beat[0][0], kFrameHeartbeat);
}

TEST(AckFrameLinkAwaitCall, CallAtOnceCallsAtTheFirstStepThenWaits)
{
    LinkEnd b((std::string(kOptionAwaitCall) + " " + kOptionCallAtOnce).c_str());
    std::vector<std::pair<uint32_t, Bytes>> sent;
    for (uint32_t t = 0; t <= 30000; t += 10) {
        b.clock.Set(t);
        for (auto& frame : b.Step())
            sent.emplace_back(t, frame);
    }
    // One heartbeat and its four retransmissions; no new heartbeat follows.
    const std::vector<std::pair<uint32_t, Bytes>> expected = {
        {0, Frame(kFrameHeartbeat, 0)},    {1800, Frame(kFrameHeartbeat, 0)},
        {3600, Frame(kFrameHeartbeat, 0)}, {5400, Frame(kFrameHeartbeat, 0)},
        {7200, Frame(kFrameHeartbeat, 0)},
    };
    EXPECT_EQ(sent, expected);
    EXPECT_FALSE(b.link.Lost());

    // A tool that calls later still opens the link, and the unanswered call does not hold
    // back data once it is up.
    LinkEnd a;
    a.clock.Set(3000);
    CarryUntilQuiet(a, a.Step(), b);
    ASSERT_EQ(a.link.LinkState(), 1);
    ASSERT_EQ(b.link.LinkState(), 1);
    ASSERT_EQ(b.link.QueuePayload(Bytes{0x01, 0x07}.data(), 2, kWhole), 1);
    const auto data = b.Step();
    ASSERT_EQ(data.size(), 1u);
    EXPECT_EQ(data[0][0], kFrameDataWhole);
}

TEST(AckFrameLinkAwaitCall, ACallAtOnceOpensTheLinkWithTheToolBeforeItsOwnFirstHeartbeat)
{
    LinkEnd tool;
    LinkEnd deskset((std::string(kOptionAwaitCall) + " " + kOptionCallAtOnce).c_str());
    const auto call = deskset.Step();
    ASSERT_EQ(call, (std::vector<Bytes>{Frame(kFrameHeartbeat, 0)}));

    // The tool answers exactly as it answers any peer's heartbeat: acknowledgement, then
    // connect request; the handshake then runs without either clock moving.
    const auto answer = tool.Feed(Concat(call));
    EXPECT_EQ(answer, (std::vector<Bytes>{Frame(kFrameAck, 0), Frame(kFrameConnectRequest, 0)}));
    const Exchange opening = CarryUntilQuiet(tool, answer, deskset);
    EXPECT_EQ(tool.link.LinkState(), 1);
    EXPECT_EQ(deskset.link.LinkState(), 1);
    EXPECT_FALSE(HasType(opening.fromA, kFrameHeartbeat)) << "the tool never had to call";
    EXPECT_EQ(tool.status.Get(kStatusLinkLosses), 0);
    EXPECT_EQ(deskset.status.Get(kStatusLinkLosses), 0);

    // Both ends stopped waiting: a message goes each way at once, and each is acknowledged.
    ASSERT_EQ(tool.link.QueuePayload(Bytes{0x01, 0x01}.data(), 2, kWhole), 1);
    ASSERT_EQ(deskset.link.QueuePayload(Bytes{0x01, 0x05}.data(), 2, kWhole), 1);
    const auto toolData = tool.Step();
    const auto desksetData = deskset.Step();
    ASSERT_EQ(toolData.size(), 1u);
    ASSERT_EQ(desksetData.size(), 1u);
    CarryUntilQuiet(tool, toolData, deskset, desksetData);
    EXPECT_EQ(deskset.TakeDelivered(), (std::vector<Bytes>{{0x01, 0x01}}));
    EXPECT_EQ(tool.TakeDelivered(), (std::vector<Bytes>{{0x01, 0x05}}));
}

TEST(FrameRing, Holds128FramesIn129Slots)
{
    FrameRing ring;
    const uint8_t payload[3] = {1, 2, 3};
    for (int i = 0; i < 128; ++i)
        ASSERT_TRUE(ring.Push(kFrameDataWhole, payload, 3));
    EXPECT_FALSE(ring.Push(kFrameDataWhole, payload, 3));
    EXPECT_EQ(ring.Count(), 128);
    uint8_t frame[kMaxFrameSize];
    ASSERT_TRUE(ring.Pop(frame));
    EXPECT_EQ(frame[0], kFrameDataWhole);
    EXPECT_EQ(frame[2], 3);
    EXPECT_EQ(frame[5], 3);
    ring.Clear();
    EXPECT_FALSE(ring.Pop(frame));
}

// The comm-link thread sleeps until MsUntilDeadline: one millisecond earlier a step changes
// nothing, at the deadline the timer acts, and the next deadline lies ahead (no wake-up loop).
// Followed through a silent peer's heartbeats and their retransmissions (the fifth expiry of an
// unconnected link's heartbeat acts silently), the retransmissions that end a connected link,
// and a frame whose bytes stop coming.
TEST(AckFrameLink, EachDeadlineIsTheMomentTheNextTimerActs)
{
    struct Scenario {
        const char* name;
        const char* params;
        int baudRate;
        std::function<void(LinkEnd&)> setUp;
        int deadlines;     // how many to follow
        int framesWritten; // by the steps at those deadlines
        int notifications; // dropped frames
        bool lost;         // the link ends at the last one
    };
    const Scenario scenarios[] = {
        {"idle, unconnected", nullptr, 19200, [](LinkEnd&) {}, 12, 10, 0, false},
        {"slow media at 4800 baud", kOptionSlowMedia, 4800, [](LinkEnd&) {}, 6, 5, 0, false},
        {"connected, data never acknowledged", nullptr, 19200,
         [](LinkEnd& end) {
             end.ConnectWithPeerNumber(7);
             end.link.QueuePayload(Bytes{1}.data(), 1, kWhole);
             end.Step();
         },
         5, 4, 0, true},
        {"half a frame, then the first heartbeat", nullptr, 19200,
         [](LinkEnd& end) {
             end.clock.Advance(500);
             end.Feed(Bytes{kFrameDataWhole, 3, 3, 1});
         },
         2, 1, 1, false},
    };
    for (const Scenario& s : scenarios) {
        LinkEnd end(s.params, s.baudRate);
        s.setUp(end);
        end.TakeNotifications();
        int frames = 0;
        int notifications = 0;
        for (int i = 0; i < s.deadlines; ++i) {
            const int wait = end.link.MsUntilDeadline();
            ASSERT_GT(wait, 0) << s.name << ", deadline " << i;
            end.clock.Advance(static_cast<uint32_t>(wait - 1));
            ASSERT_TRUE(end.Step().empty()) << s.name << ", deadline " << i;
            ASSERT_TRUE(end.TakeNotifications().empty()) << s.name << ", deadline " << i;
            end.clock.Advance(1);
            frames += static_cast<int>(end.Step().size());
            notifications += static_cast<int>(end.TakeNotifications().size());
            if (!end.link.Lost()) {
                ASSERT_GT(end.link.MsUntilDeadline(), 0) << s.name << ", deadline " << i;
            }
        }
        EXPECT_EQ(frames, s.framesWritten) << s.name;
        EXPECT_EQ(notifications, s.notifications) << s.name;
        EXPECT_EQ(end.link.Lost(), s.lost) << s.name;
        if (s.lost) {
            EXPECT_EQ(end.link.MsUntilDeadline(), -1) << s.name << ": a lost link has no deadline";
        }
    }
}

} // namespace
} // namespace comms::test
