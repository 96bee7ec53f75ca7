// The connection manager over the test transport: result codes, notifications, the link
// coming up and going down, fragmentation.
#include <gtest/gtest.h>

#include <numeric>
#include <string>

#include "NimbTestSupport.h"
#include "comms/AckFrame.h"
#include "comms/EventQueue.h"
#include "comms/ResultCodes.h"
#include "comms/testing/MemoryLayer1.h"
#include "tests/support/TraceCapture.h"

namespace comms::test {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Pattern(int length, int seed)
{
    Bytes bytes(static_cast<size_t>(length));
    for (int i = 0; i < length; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(seed * 31 + i * 7);
    return bytes;
}

TEST(NimbConnect, UnknownLayer1TypeGivesEventTraceAndResult)
{
    TraceCapture trace;
    ManualClock clock;
    RecordingNimb nimb(250, clock);
    EXPECT_EQ(nimb.Layer1Type(), -1);
    EXPECT_EQ(nimb.Connect(0, nullptr, 6, "1 8 0 0 19200"), Result::UnknownLayer1);
    EXPECT_EQ(nimb.Layer1Type(), 6);
    EXPECT_TRUE(trace.Contains("(Nimb::Connect)  error: unknown Layer1\n"));
    ASSERT_TRUE(nimb.WaitUntil([&] { return !nimb.events.empty(); }));
    EXPECT_EQ(nimb.Read([&] { return nimb.events; }),
              (std::vector<std::pair<int, int>>{{kEventUnknownLayer1, 0}}));
    EXPECT_EQ(nimb.Connect(0, nullptr, -1, nullptr), Result::UnknownLayer1);
}

TEST(NimbConnect, OtherLayer2TypesGiveEventTraceAndResult)
{
    TraceCapture trace;
    ManualClock clock;
    RecordingNimb nimb(250, clock);
    for (int type : {1, 7, 18, 19, -1}) {
        auto wire = testing::MakeTestTransportPair();
        EXPECT_EQ(nimb.Connect(type, nullptr, std::move(wire.a)), Result::UnknownLayer2) << type;
    }
    EXPECT_TRUE(trace.Contains("(Nimb::Connect)  error: unknown Layer2\n"));
    ASSERT_TRUE(nimb.WaitUntil([&] { return nimb.events.size() == 5; }));
    for (const auto& event : nimb.Read([&] { return nimb.events; }))
        EXPECT_EQ(event.first, kEventUnknownLayer2);
    // Nothing is left connected: a good Connect works.
    auto wire = testing::MakeTestTransportPair();
    EXPECT_EQ(nimb.Connect(0, nullptr, std::move(wire.a)), Result::Ok);
}

TEST(NimbConnect, TransportThatFailsToOpenGivesOpenFailure)
{
    ManualClock clock;
    RecordingNimb nimb(250, clock);
    auto wire = testing::MakeTestTransportPair();
    wire.a->SetOpenResult(-1);
    EXPECT_EQ(nimb.Connect(0, nullptr, std::move(wire.a)), Result::Layer1OpenFailed);
    EXPECT_EQ(nimb.Connect(0, nullptr, std::unique_ptr<Layer1>()), Result::Layer1OpenFailed);
    int send = -1;
    EXPECT_EQ(nimb.GetQueueDepths(&send, nullptr), 0);
    EXPECT_EQ(send, -1);
}

TEST(NimbConnect, SecondConnectWithoutDisconnectIsRefusedAndShutdownEndsConnecting)
{
    ManualClock clock;
    RecordingNimb nimb(250, clock);
    auto first = testing::MakeTestTransportPair();
    auto second = testing::MakeTestTransportPair();
    EXPECT_EQ(nimb.Connect(0, nullptr, std::move(first.a)), Result::Ok);
    EXPECT_EQ(nimb.Connect(0, nullptr, std::move(second.a)), Result::AlreadyConnected);
    EXPECT_EQ(nimb.Connect(0, nullptr, 6, nullptr), Result::AlreadyConnected);
    EXPECT_EQ(nimb.Disconnect(), Result::Ok);
    EXPECT_EQ(nimb.Disconnect(), Result::Ok); // always safe
    nimb.Shutdown();
    auto third = testing::MakeTestTransportPair();
    EXPECT_EQ(nimb.Connect(0, nullptr, std::move(third.a)), Result::NoSessionThread);
}

TEST(NimbSendReceive, ResultCodesInTheirCheckOrder)
{
    ManualClock clock;
    RecordingNimb nimb(250, clock);
    const Bytes message = Pattern(251, 1);
    uint8_t buffer[300];
    int length = 99;

    // Not connected comes before every argument check.
    EXPECT_EQ(nimb.Send(nullptr, 0), Result::NotConnected);
    EXPECT_EQ(nimb.Send(message.data(), 251), Result::NotConnected);
    EXPECT_EQ(nimb.Receive(nullptr, 0, &length), Result::NotConnected);
    EXPECT_EQ(length, 0);

    auto wire = testing::MakeTestTransportPair();
    ASSERT_EQ(nimb.Connect(0, nullptr, std::move(wire.a)), Result::Ok);
    EXPECT_EQ(nimb.Send(message.data(), 0), Result::Nothing);
    EXPECT_EQ(nimb.Send(message.data(), -5), Result::Nothing);
    EXPECT_EQ(nimb.Send(nullptr, 10), Result::Nothing);
    EXPECT_EQ(nimb.Send(message.data(), 251), Result::TooLong);
    int sendDepth = -1;
    int receiveDepth = -1;
    EXPECT_EQ(nimb.GetQueueDepths(&sendDepth, &receiveDepth), 1);
    EXPECT_EQ(sendDepth, 0); // refused messages were not stored
    EXPECT_EQ(receiveDepth, 0);

    length = 99;
    EXPECT_EQ(nimb.Receive(nullptr, 10, &length), Result::BadBuffer);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(nimb.Receive(buffer, 0, &length), Result::BadBuffer);
    EXPECT_EQ(nimb.Receive(buffer, sizeof buffer, &length), Result::Nothing);
    EXPECT_EQ(nimb.Send(message.data(), 250), Result::Ok);

    LinkStatus status;
    EXPECT_EQ(nimb.GetLinkStatus(&status), 1);
    EXPECT_EQ(status[kStatusUnused], 0);
}

TEST(NimbLink, OpensAndCarriesMessagesBothWaysInOrder)
{
    NimbPair pair;
    pair.Connect();
    pair.BringUp();
    LinkStatus status;
    pair.a.GetLinkStatus(&status);
    EXPECT_EQ(status[kStatusLinkState], kLinkUp);

    for (int i = 1; i <= 40; ++i) {
        ASSERT_EQ(pair.a.Send(Pattern(i, i).data(), i), Result::Ok);
        ASSERT_EQ(pair.b.Send(Pattern(250 - i, i).data(), 250 - i), Result::Ok);
    }
    ASSERT_TRUE(pair.b.WaitUntil([&] { return pair.b.received.size() == 40; }));
    ASSERT_TRUE(pair.a.WaitUntil([&] { return pair.a.received.size() == 40; }));
    ASSERT_TRUE(pair.a.WaitUntil([&] { return pair.a.sent.size() == 40; }));
    for (int i = 1; i <= 40; ++i) {
        EXPECT_EQ(pair.b.received[static_cast<size_t>(i - 1)], Pattern(i, i));
        EXPECT_EQ(pair.a.received[static_cast<size_t>(i - 1)], Pattern(250 - i, i));
        EXPECT_EQ(pair.a.sent[static_cast<size_t>(i - 1)], i);
        EXPECT_EQ(pair.b.announced[static_cast<size_t>(i - 1)], i);
    }
    pair.b.GetLinkStatus(&status);
    EXPECT_GE(status[kStatusFramesReceived], 40);
    EXPECT_EQ(status[kStatusRetransmissions], 0);
    EXPECT_EQ(pair.a.Read([&] { return pair.a.disconnects; }), 0);
}

TEST(NimbLink, ShortBufferLeavesTheMessageWaiting)
{
    NimbPair pair(250, false);
    pair.Connect();
    pair.BringUp();
    ASSERT_EQ(pair.a.Send(Pattern(5, 3).data(), 5), Result::Ok);
    ASSERT_TRUE(pair.b.WaitUntil([&] { return pair.b.announced.size() == 1; }));
    int sendDepth = 0;
    int receiveDepth = 0;
    EXPECT_EQ(pair.b.GetQueueDepths(&sendDepth, &receiveDepth), 1);
    EXPECT_EQ(receiveDepth, 1);
    uint8_t buffer[5];
    int length = 0;
    EXPECT_EQ(pair.b.Receive(buffer, 4, &length), Result::TooLong);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(pair.b.Receive(buffer, 5, &length), Result::Ok);
    EXPECT_EQ(length, 5);
    EXPECT_EQ(Bytes(buffer, buffer + 5), Pattern(5, 3));
    EXPECT_EQ(pair.b.Receive(buffer, 5, &length), Result::Nothing);
}

TEST(NimbLink, MessagesLongerThanTheFragmentSizeArriveWhole)
{
    NimbPair pair(1000);
    pair.Connect();
    pair.BringUp();
    const std::vector<int> lengths = {1000, 251, 250, 600, 1, 501};
    for (size_t i = 0; i < lengths.size(); ++i)
        ASSERT_EQ(pair.a.Send(Pattern(lengths[i], int(i)).data(), lengths[i]), Result::Ok);
    ASSERT_TRUE(pair.b.WaitUntil([&] { return pair.b.received.size() == lengths.size(); }));
    for (size_t i = 0; i < lengths.size(); ++i)
        EXPECT_EQ(pair.b.received[i], Pattern(lengths[i], int(i))) << i;
    ASSERT_TRUE(pair.a.WaitUntil([&] { return pair.a.sent.size() == lengths.size(); }));
    EXPECT_EQ(pair.a.Read([&] { return pair.a.sent; }), lengths);
    // 4 + 2 + 1 + 3 + 1 + 3 data frames.
    LinkStatus status;
    pair.b.GetLinkStatus(&status);
    EXPECT_GE(status[kStatusFramesReceived], 14);
}

TEST(NimbLink, SilentPeerEndsTheLinkWithOneDisconnectAndConnectWorksAgain)
{
    NimbPair pair;
    pair.Connect();
    pair.BringUp();
    pair.wire.faultsB->SetSilent(true); // b's acknowledgements never arrive
    ASSERT_EQ(pair.a.Send(Pattern(20, 1).data(), 20), Result::Ok);
    ASSERT_TRUE(pair.b.WaitUntil([&] { return pair.b.received.size() == 1; }));
    LinkStatus status;
    for (int retry = 1; retry <= 4; ++retry) {
        pair.AdvanceBoth(1800);
        ASSERT_TRUE(pair.a.WaitUntil([&] {
            pair.a.GetLinkStatus(&status);
            return status[kStatusRetransmissions] == retry;
        })) << retry;
        EXPECT_EQ(pair.a.Read([&] { return pair.a.disconnects; }), 0);
    }
    // b got every retransmission as a repeat and delivered the message once.
    pair.AdvanceBoth(1800);
    ASSERT_TRUE(pair.a.WaitUntil([&] { return pair.a.disconnects == 1; }));
    pair.a.GetLinkStatus(&status);
    EXPECT_EQ(status[kStatusLinkState], kLinkDown);
    EXPECT_EQ(status[kStatusLinkLosses], 1);
    EXPECT_EQ(pair.a.Send(Pattern(3, 1).data(), 3), Result::NotConnected);

    // b, silent too, loses its link on its own heartbeats.
    for (int i = 0; i < 8 && pair.b.Read([&] { return pair.b.disconnects; }) == 0; ++i) {
        pair.AdvanceBoth(1800);
        pair.b.WaitUntil([&] { return pair.b.disconnects == 1; }, std::chrono::milliseconds(200));
    }
    ASSERT_EQ(pair.b.Read([&] { return pair.b.disconnects; }), 1);
    EXPECT_EQ(pair.b.Read([&] { return pair.b.received.size(); }), 1u);

    pair.Connect();
    pair.BringUp();
    ASSERT_EQ(pair.a.Send(Pattern(7, 7).data(), 7), Result::Ok);
    ASSERT_TRUE(pair.b.WaitUntil([&] { return pair.b.received.size() == 2; }));
    EXPECT_EQ(pair.a.Read([&] { return pair.a.disconnects; }), 1);
    EXPECT_EQ(pair.a.Read([&] { return pair.a.connects; }), 2);
}

TEST(NimbLink, BrokenTransportEndsTheLinkOnce)
{
    NimbPair pair;
    pair.Connect();
    pair.BringUp();
    EXPECT_EQ(pair.b.Disconnect(), Result::Ok); // closes b's end of the socket pair
    ASSERT_TRUE(pair.a.WaitUntil([&] { return pair.a.disconnects == 1; }));
    EXPECT_EQ(pair.b.Read([&] { return pair.b.disconnects; }), 0); // a caller's Disconnect is not announced
    EXPECT_EQ(pair.a.Send(Pattern(3, 1).data(), 3), Result::NotConnected);
}

TEST(NimbLink, LinkBrokenBeforeItCameUpIsReportedOnce)
{
    NimbPair pair;
    pair.Connect();
    EXPECT_EQ(pair.b.Disconnect(), Result::Ok);
    ASSERT_TRUE(pair.a.WaitUntil([&] { return pair.a.disconnects == 1; }));
    EXPECT_EQ(pair.a.Read([&] { return pair.a.connects; }), 0);
}

TEST(NimbLink, CorruptFramesReachOnLinkNotify)
{
    NimbPair pair;
    pair.Connect();
    pair.BringUp();
    pair.wire.faultsA->Set({0.0, 0.0, 1.0, 5}); // every frame a writes is damaged
    ASSERT_EQ(pair.a.Send(Pattern(30, 1).data(), 30), Result::Ok);
    ASSERT_TRUE(pair.b.WaitUntil([&] { return !pair.b.notifications.empty(); }));
    EXPECT_TRUE(pair.b.Read([&] { return pair.b.received.empty(); }));
    pair.wire.faultsA->Set({});
    pair.AdvanceBoth(1800); // the retransmission gets through
    ASSERT_TRUE(pair.b.WaitUntil([&] { return pair.b.received.size() == 1; }));
    EXPECT_EQ(pair.b.received[0], Pattern(30, 1));
}

TEST(NimbLink, DestroyingConnectedEndsWhileTrafficFlowsIsClean)
{
    auto pair = std::make_unique<NimbPair>();
    pair->Connect();
    pair->BringUp();
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(pair->a.Send(Pattern(200, i).data(), 200), Result::Ok);
    pair.reset();
    SUCCEED();
}

TEST(NimbLink, MemoryTransportWithoutDescriptorWorksToo)
{
    // A transport with no descriptor makes the comm-link thread wake every 10 ms.
    ManualClock clock;
    RecordingNimb nimb(250, clock);
    auto transport = std::make_unique<testing::MemoryLayer1>();
    testing::MemoryLayer1* wire = transport.get();
    ASSERT_EQ(nimb.Connect(0, nullptr, std::move(transport)), Result::Ok);
    uint8_t confirm[kMaxFrameSize];
    const int length = BuildFrame(confirm, kFrameConnectConfirm, 4, nullptr, 0, false);
    wire->Feed(Bytes(confirm, confirm + length));
    ASSERT_TRUE(nimb.WaitUntil([&] { return nimb.connects == 1; }));
    uint8_t data[kMaxFrameSize];
    const uint8_t payload[3] = {7, 8, 9};
    const int dataLength = BuildFrame(data, kFrameDataWhole, 5, payload, 3, false);
    wire->Feed(Bytes(data, data + dataLength));
    ASSERT_TRUE(nimb.WaitUntil([&] { return nimb.received.size() == 1; }));
    EXPECT_EQ(nimb.received[0], (Bytes{7, 8, 9}));
}

} // namespace
} // namespace comms::test
