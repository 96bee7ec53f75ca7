// CslNimb against a plain Nimb over the library's in-process test transport: each library
// notification must arrive at the owner as its posted event, with the received bytes.
#include "TestSupport.h"

#include "comms/Clock.h"
#include "comms/testing/TestTransport.h"
#include "transfer/CslNimb.h"
#include "transfer/TransferEvents.h"

#include <QObject>

#include <gtest/gtest.h>

using namespace trv::transfer;
using namespace trv::transfer::testing;
using Bytes = std::vector<std::uint8_t>;

namespace {

// Records the events posted to it.
class Owner : public QObject {
public:
    std::vector<int> types;
    std::vector<QByteArray> received;

protected:
    bool event(QEvent* e) override
    {
        const int type = static_cast<int>(e->type());
        if (type < MSG_LINK_RECEIVE || type > MSG_TRANSFER_START)
            return QObject::event(e);
        types.push_back(type);
        if (e->type() == MSG_LINK_RECEIVE)
            received.push_back(static_cast<LinkReceiveEvent*>(e)->bytes());
        return true;
    }
};

int count(const std::vector<int>& v, QEvent::Type t)
{
    return int(std::count(v.begin(), v.end(), static_cast<int>(t)));
}

class CslNimbTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto pair = comms::testing::MakeTestTransportPair();
        peerFaults = pair.faultsB;
        ASSERT_EQ(csl.Connect(comms::kLayer2AckFrame, nullptr, std::move(pair.a)), comms::Result::Ok);
        ASSERT_EQ(peer.Connect(comms::kLayer2AckFrame, nullptr, std::move(pair.b)), comms::Result::Ok);
        // CslNimb's first heartbeat opens the link, as when the tool meets a waiting deskset.
        clock.Advance(3000);
        ASSERT_TRUE(waitUntil([&] { return count(owner.types, MSG_LINK_CONNECTED) == 1; }));
    }

    Bytes takeFromPeer()
    {
        Bytes buffer(250);
        int length = 0;
        bool taken = false;
        waitUntil([&] {
            return taken ||
                   (taken = peer.Receive(buffer.data(), int(buffer.size()), &length) == comms::Result::Ok);
        });
        buffer.resize(taken ? length : 0);
        return buffer;
    }

    comms::ManualClock clock;     // CslNimb's link timers
    comms::ManualClock peerClock; // the peer's, never moved
    Owner owner;
    CslNimb csl{&owner, clock};
    comms::Nimb peer{250, peerClock};
    std::shared_ptr<comms::testing::FaultControl> peerFaults;
};

} // namespace

TEST_F(CslNimbTest, PostsEachReceivedMessageWithItsBytes)
{
    const Bytes version{0x11, 0x01, 'V', 'X', 'R', ' ', 'D', 'E', 'S',
                        'K',  'S',  'E', 'T', ' ', 'V', '0', '0', '1'};
    ASSERT_EQ(peer.Send(version.data(), int(version.size())), comms::Result::Ok);
    const Bytes block = DesksetMessage(MessageType::DownloadBlock, Bytes(248, 0xC3)).encode();
    ASSERT_EQ(peer.Send(block.data(), int(block.size())), comms::Result::Ok);
    ASSERT_TRUE(waitUntil([&] { return owner.received.size() == 2; }));
    EXPECT_EQ(owner.received[0],
              QByteArray(reinterpret_cast<const char*>(version.data()), int(version.size())));
    EXPECT_EQ(owner.received[1].size(), 250);
}

TEST_F(CslNimbTest, OneByteMessagesAreNotPosted)
{
    const Bytes lone{0x05};
    const Bytes next{0x01, 0x07};
    ASSERT_EQ(peer.Send(lone.data(), 1), comms::Result::Ok);
    ASSERT_EQ(peer.Send(next.data(), 2), comms::Result::Ok);
    ASSERT_TRUE(waitUntil([&] { return !owner.received.empty(); }));
    ASSERT_EQ(owner.received.size(), 1u);
    EXPECT_EQ(owner.received[0], QByteArray("\x01\x07", 2));
}

TEST_F(CslNimbTest, SendsLengthPrefixedMessagesAndCountsWhatIsStillQueued)
{
    ASSERT_EQ(csl.send(DesksetMessage(MessageType::DownloadBlock, {0})), comms::Result::Ok);
    EXPECT_EQ(takeFromPeer(), (Bytes{0x02, 0x03, 0x00}));
    EXPECT_TRUE(waitUntil([&] { return csl.messagesNotYetSent() == 0; }));

    csl.disconnect();
    EXPECT_EQ(csl.messagesNotYetSent(), std::nullopt);
}

TEST_F(CslNimbTest, SilentPeerMakesTheLinkFallAndPostsDisconnectedOnce)
{
    peerFaults->SetSilent(true);
    ASSERT_EQ(csl.send(DesksetMessage(MessageType::Version)), comms::Result::Ok);
    // Five transmissions of the frame, 1800 ms apart, then the link is lost.
    ASSERT_TRUE(waitUntil([&] {
        clock.Advance(200);
        return count(owner.types, MSG_LINK_DISCONNECTED) == 1;
    }));
    waitUntil([&] { return false; }, 100);
    EXPECT_EQ(count(owner.types, MSG_LINK_DISCONNECTED), 1);
    EXPECT_EQ(csl.messagesNotYetSent(), std::nullopt);
}
