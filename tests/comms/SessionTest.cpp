// Session and MessageStore on their own, over a scripted Layer2.
#include <gtest/gtest.h>

#include <deque>

#include "comms/EventQueue.h"
#include "comms/Layer2.h"
#include "comms/MessageStore.h"
#include "comms/ResultCodes.h"
#include "comms/Session.h"
#include "comms/testing/MemoryLayer1.h"

namespace comms {
namespace {

using Bytes = std::vector<uint8_t>;

// A Layer2 that records queued payloads and hands out scripted received ones.
class ScriptedLayer2 final : public Layer2 {
public:
    struct Payload {
        Bytes bytes;
        int kind;
    };

    int LinkState() const override { return state; }
    void Step(bool*, bool*) override {}
    int TakeReceived(uint8_t* buffer, int* length, int* kind) override
    {
        if (incoming.empty())
            return 0;
        const Payload& next = incoming.front();
        std::copy(next.bytes.begin(), next.bytes.end(), buffer);
        *length = static_cast<int>(next.bytes.size());
        *kind = next.kind;
        incoming.pop_front();
        return 1;
    }
    int HasRoom() const override { return static_cast<int>(queued.size()) < room ? 1 : 0; }
    int QueuePayload(const uint8_t* data, int length, int kind) override
    {
        if (refuseNext > 0) {
            --refuseNext;
            return 0;
        }
        queued.push_back({Bytes(data, data + length), kind});
        return 1;
    }
    int LargestPayload() const override { return largest; }

    int state = 1;
    int room = 1000;
    int refuseNext = 0;
    int largest = 4;
    std::vector<Payload> queued;
    std::deque<Payload> incoming;
};

class SessionTest : public ::testing::Test {
protected:
    SessionTest() : session(10, events) {}
    void SetUp() override
    {
        session.Attach(&layer2, &layer1, 1);
        session.SetFragmentSize(layer2.LargestPayload());
    }
    Session::StepReport Step()
    {
        Session::StepReport report;
        session.Step(&report);
        return report;
    }

    EventQueue events;
    testing::MemoryLayer1 layer1;
    ScriptedLayer2 layer2;
    Session session;
};

TEST_F(SessionTest, FragmentSizeIsTenUntilALayer2IsAttached)
{
    Session fresh(250, events);
    EXPECT_EQ(fresh.FragmentSize(), Session::kInitialFragmentSize);
    EXPECT_EQ(Session::kInitialFragmentSize, 10);
}

TEST_F(SessionTest, CutsLongMessagesIntoFirstMiddleAndLast)
{
    const Bytes message = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    ASSERT_TRUE(session.SendStore().Store(message.data(), 10));
    const Bytes small = {42};
    ASSERT_TRUE(session.SendStore().Store(small.data(), 1));
    const auto report = Step();
    ASSERT_EQ(layer2.queued.size(), 4u);
    EXPECT_EQ(layer2.queued[0].kind, kFirst);
    EXPECT_EQ(layer2.queued[0].bytes, (Bytes{0, 1, 2, 3}));
    EXPECT_EQ(layer2.queued[1].kind, kMiddle);
    EXPECT_EQ(layer2.queued[2].kind, kLast);
    EXPECT_EQ(layer2.queued[2].bytes, (Bytes{8, 9}));
    EXPECT_EQ(layer2.queued[3].kind, kWhole);
    EXPECT_EQ(report.sentLengths, (std::vector<int>{10, 1}));
    EXPECT_EQ(report.payloadsQueued, 4);
}

TEST_F(SessionTest, StopsWhenTheLayer2HasNoRoomAndGoesOnLater)
{
    layer2.room = 2;
    const Bytes message = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    ASSERT_TRUE(session.SendStore().Store(message.data(), 10));
    auto report = Step();
    EXPECT_EQ(layer2.queued.size(), 2u);
    EXPECT_TRUE(report.sentLengths.empty());
    EXPECT_FALSE(report.idle); // a fragmented send is in progress
    layer2.room = 10;
    report = Step();
    EXPECT_EQ(layer2.queued.size(), 3u);
    EXPECT_EQ(report.sentLengths, (std::vector<int>{10}));
    EXPECT_TRUE(report.idle);
}

TEST_F(SessionTest, RefusedPayloadIsReportedAndOfferedAgainNotLost)
{
    const Bytes message = {7, 7};
    ASSERT_TRUE(session.SendStore().Store(message.data(), 2));
    layer2.refuseNext = 1;
    auto report = Step();
    EXPECT_TRUE(layer2.queued.empty());
    int code = 0;
    int value = -1;
    ASSERT_TRUE(events.Take(&code, &value));
    EXPECT_EQ(code, kEventPayloadRefused);
    EXPECT_FALSE(report.idle);
    report = Step();
    ASSERT_EQ(layer2.queued.size(), 1u);
    EXPECT_EQ(layer2.queued[0].bytes, message);
    EXPECT_EQ(report.sentLengths, (std::vector<int>{2}));
}

TEST_F(SessionTest, ReassemblesFragmentsAndAnnouncesOneMessageAtATime)
{
    layer2.incoming = {{{1, 2, 3, 4}, kFirst}, {{5, 6, 7, 8}, kMiddle}, {{9}, kLast}, {{42}, kWhole}};
    EXPECT_TRUE(session.Pull());
    EXPECT_EQ(session.ReceiveStore().Count(), 2);
    auto report = Step();
    EXPECT_EQ(report.announcedLength, 9);
    EXPECT_FALSE(report.idle); // one more to announce
    report = Step();
    EXPECT_EQ(report.announcedLength, 1);
    EXPECT_TRUE(report.idle);
    uint8_t buffer[10];
    int length = 0;
    ASSERT_EQ(session.ReceiveStore().Take(buffer, 10, &length), MessageStore::TakeResult::kTaken);
    EXPECT_EQ(Bytes(buffer, buffer + length), (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(SessionTest, OversizedOrphanOrEmptyFragmentsAreDroppedWithoutOverrunningTheBuffer)
{
    layer2.incoming = {{{}, kFirst},
                       {{}, kLast},             // joins up to nothing: no message to announce
                       {{1, 2, 3, 4}, kMiddle}, // no first
                       {{1, 2, 3, 4}, kFirst},
                       {{1, 2, 3, 4}, kMiddle},
                       {{1, 2, 3, 4}, kLast}, // 12 > 10
                       {{5}, kLast},          // orphan again
                       {{6, 6}, kWhole}};
    session.Pull();
    EXPECT_EQ(session.ReceiveStore().Count(), 1);
    uint8_t buffer[10];
    int length = 0;
    ASSERT_EQ(session.ReceiveStore().Take(buffer, 10, &length), MessageStore::TakeResult::kTaken);
    EXPECT_EQ(Bytes(buffer, buffer + length), (Bytes{6, 6}));
}

TEST_F(SessionTest, LinkChangesAndTransportFailureAreReported)
{
    layer2.state = 0;
    EXPECT_EQ(Step().link, Session::StepReport::Link::kUnchanged);
    layer2.state = 1;
    EXPECT_EQ(Step().link, Session::StepReport::Link::kUp);
    EXPECT_EQ(Step().link, Session::StepReport::Link::kUnchanged);
    layer2.state = 0;
    const auto down = Step();
    EXPECT_EQ(down.link, Session::StepReport::Link::kDown);
    EXPECT_EQ(down.generation, 1u);

    session.Attach(&layer2, &layer1, 2);
    layer1.broken = true;
    EXPECT_EQ(Step().link, Session::StepReport::Link::kDown);
    EXPECT_TRUE(layer1.failureReported.load());
    EXPECT_NE(Step().link, Session::StepReport::Link::kDown); // reported once
}

TEST(MessageStore, TakeKeepsAMessageTooLongForTheBufferAndSkipsEmptyOnes)
{
    MessageStore store;
    const Bytes empty;
    const Bytes message = {1, 2, 3};
    ASSERT_TRUE(store.Store(empty.data(), 0));
    ASSERT_TRUE(store.Store(message.data(), 3));
    uint8_t buffer[3];
    int length = 0;
    EXPECT_EQ(store.Take(buffer, 2, &length), MessageStore::TakeResult::kBufferTooSmall);
    EXPECT_EQ(store.Count(), 1); // the empty entry was discarded on the way
    EXPECT_EQ(store.Take(buffer, 3, &length), MessageStore::TakeResult::kTaken);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(store.Take(buffer, 3, &length), MessageStore::TakeResult::kEmpty);
}

TEST(MessageStore, AnnouncesInOrderEvenWhenTakenBeforeAnnounced)
{
    MessageStore store;
    for (uint8_t n = 1; n <= 3; ++n) {
        const Bytes message(n, n);
        store.Store(message.data(), n);
    }
    int length = 0;
    ASSERT_TRUE(store.AnnounceNext(&length));
    EXPECT_EQ(length, 1);
    uint8_t buffer[3];
    store.Take(buffer, 3, &length); // the announced one
    store.Take(buffer, 3, &length); // one not yet announced
    EXPECT_EQ(store.Unannounced(), 1);
    ASSERT_TRUE(store.AnnounceNext(&length));
    EXPECT_EQ(length, 3);
    EXPECT_FALSE(store.AnnounceNext(&length));
}

} // namespace
} // namespace comms
