// Multicast members are tested in two network namespaces joined by a veth pair when the
// machine allows it (root with iproute2); otherwise both members share this host's network
// with loop-back on and their own datagrams filtered. The exchange test says which one ran.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <thread>

#include "comms/MulticastLayer1.h"
#include "comms/ResultCodes.h"
#include "comms/TransportCodes.h"
#include "tests/transports/TransportTestSupport.h"

namespace comms::test {
namespace {

constexpr const char* kGroup = "239.77.0.1";

// Two network namespaces A and B joined by a veth pair, with a multicast route on each side,
// and an empty namespace C (no interface up) where joining a group fails.
class Namespaces {
public:
    static Namespaces& Get()
    {
        static Namespaces namespaces;
        return namespaces;
    }
    bool Available() const { return available_; }
    // Runs fn on a thread that has entered namespace "A", "B" or "C"; sockets made there stay there.
    void RunIn(const std::string& which, const std::function<void()>& fn) const
    {
        std::thread([&] {
            const int fd = ::open(("/run/netns/" + Name(which)).c_str(), O_RDONLY | O_CLOEXEC);
            const bool entered = fd >= 0 && ::setns(fd, CLONE_NEWNET) == 0;
            if (fd >= 0)
                ::close(fd);
            ASSERT_TRUE(entered) << "cannot enter namespace " << which;
            fn();
        }).join();
    }
    ~Namespaces()
    {
        if (!created_)
            return;
        for (const char* which : {"A", "B", "C"})
            Run("ip netns del " + Name(which));
    }

private:
    Namespaces()
    {
        // TRV_TEST_NO_NETNS=1 forces the single-network variant.
        if (const char* off = std::getenv("TRV_TEST_NO_NETNS"); off != nullptr && std::string(off) == "1")
            return;
        if (::geteuid() != 0 || std::system("ip -V > /dev/null 2>&1") != 0)
            return;
        created_ = true;
        const std::string a = Name("A");
        const std::string b = Name("B");
        const std::string va = "tva" + std::to_string(::getpid() % 100000);
        const std::string vb = "tvb" + std::to_string(::getpid() % 100000);
        available_ =
            Run("ip netns add " + a) && Run("ip netns add " + b) && Run("ip netns add " + Name("C")) &&
            Run("ip link add " + va + " type veth peer name " + vb) &&
            Run("ip link set " + va + " netns " + a) && Run("ip link set " + vb + " netns " + b) &&
            Run("ip -n " + a + " addr add 10.77.0.1/24 dev " + va) &&
            Run("ip -n " + b + " addr add 10.77.0.2/24 dev " + vb) &&
            Run("ip -n " + a + " link set " + va + " up") && Run("ip -n " + b + " link set " + vb + " up") &&
            Run("ip -n " + a + " link set lo up") && Run("ip -n " + b + " link set lo up") &&
            Run("ip -n " + a + " route add 224.0.0.0/4 dev " + va) &&
            Run("ip -n " + b + " route add 224.0.0.0/4 dev " + vb);
    }
    static std::string Name(const std::string& which) { return "trvmc" + which + std::to_string(::getpid()); }
    static bool Run(const std::string& command)
    {
        return std::system((command + " > /dev/null 2>&1").c_str()) == 0;
    }

    bool created_ = false;
    bool available_ = false;
};

std::string Params(int port)
{
    return "MULTICAST_MEMBER " + std::string(kGroup) + " " + std::to_string(port);
}

std::unique_ptr<MulticastLayer1> Member(int port, bool keepLoopback)
{
    Result result = Result::Ok;
    auto member = std::make_unique<MulticastLayer1>(Params(port).c_str(), &result);
    EXPECT_EQ(result, Result::Ok);
    member->KeepLoopback(keepLoopback);
    return member;
}

// Runs fn in namespace A when there is one, else here.
void RunInOneNetwork(const std::function<void()>& fn)
{
    if (Namespaces::Get().Available())
        Namespaces::Get().RunIn("A", fn);
    else
        fn();
}

TEST(MulticastParams, ConstructorCodes)
{
    struct Case {
        const char* text;
        Result code;
    };
    const Case cases[] = {
        {nullptr, Result::NoParamText},
        {"", Result::NoParamText},
        {"MEMBER 239.1.2.3 5000", Result::UnknownMode},
        {"MULTICAST_MEMBER 239.1.2.3", Result::FieldCount},
        {"MULTICAST_MEMBER 239.1.2.3 5000 x", Result::FieldCount},
        {"MULTICAST_MEMBER 10.0.0.1 5000", Result::InvalidAddress}, // not a group address
        {"MULTICAST_MEMBER 239.1.2 5000", Result::InvalidAddress},
        {"MULTICAST_MEMBER 239.1.2.3 0", Result::InvalidAddress},
        {"MULTICAST_MEMBER 239.1.2.3 5000", Result::Ok},
    };
    for (const auto& c : cases) {
        Result result = Result::Ok;
        MulticastLayer1 member(c.text, &result);
        EXPECT_EQ(result, c.code) << (c.text ? c.text : "(null)");
    }
    RecordingNimb nimb(250, SystemClock());
    EXPECT_EQ(nimb.Connect(0, nullptr, kLayer1Multicast, "MULTICAST_MEMBER 239.1.2.3"), Result::FieldCount);
}

TEST(MulticastMember, AnswersTheFixedQueriesAndIsAttachedOnlyAfterJoining)
{
    RunInOneNetwork([] {
        auto member = Member(FreePort(SOCK_DGRAM), false);
        EXPECT_EQ(member->IsAttached(), 0);
        ASSERT_EQ(member->Open(), 0);
        EXPECT_EQ(member->IsAttached(), 1);
        EXPECT_EQ(member->BaudRate(), 19200);
        EXPECT_EQ(member->FreeRoom(), 1000);
        EXPECT_EQ(member->BytesWaiting(), 0);
        EXPECT_FALSE(member->FiltersOwnDatagrams()); // loop-back is off, nothing to filter
        member->Close();
        EXPECT_EQ(member->IsAttached(), 0);
    });
}

TEST(MulticastMember, WithLoopBackOnItDropsItsOwnDatagramsButNotOthers)
{
    RunInOneNetwork([] {
        const int port = FreePort(SOCK_DGRAM);
        auto self = Member(port, true);
        auto other = Member(port, true);
        ASSERT_EQ(self->Open(), 0);
        ASSERT_EQ(other->Open(), 0);
        EXPECT_TRUE(self->FiltersOwnDatagrams());
        const Bytes hello = ToBytes("hello group");
        ASSERT_EQ(self->Write(hello.data(), static_cast<int>(hello.size())), static_cast<int>(hello.size()));
        EXPECT_EQ(ReadBytes(*other, hello.size()), hello);
        EXPECT_EQ(ReadBytes(*self, 1, std::chrono::milliseconds(200)), Bytes{});
    });
}

TEST(MulticastMember, ReadKeepsWhatDidNotFitForTheNextRead)
{
    RunInOneNetwork([] {
        const int port = FreePort(SOCK_DGRAM);
        auto member = Member(port, true);
        ASSERT_EQ(member->Open(), 0);
        // A plain sender (loop-back on by default) puts one 300-byte datagram into the group.
        const int sender = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in group{};
        group.sin_family = AF_INET;
        group.sin_port = htons(static_cast<uint16_t>(port));
        ::inet_pton(AF_INET, kGroup, &group.sin_addr);
        const auto datagram = RandomMessages(1, 300, 3)[0];
        Bytes full(300, 0x5A);
        std::copy(datagram.begin(), datagram.end(), full.begin());
        ASSERT_EQ(
            ::sendto(sender, full.data(), full.size(), 0, reinterpret_cast<sockaddr*>(&group), sizeof group),
            300);
        ::close(sender);
        pollfd p{member->PollFd(), POLLIN, 0};
        ASSERT_EQ(::poll(&p, 1, 2000), 1);
        EXPECT_EQ(member->BytesWaiting(), 1);
        uint8_t first[100];
        ASSERT_EQ(member->Read(first, sizeof first), 100);
        EXPECT_EQ(Bytes(first, first + 100), Bytes(full.begin(), full.begin() + 100));
        EXPECT_EQ(ReadBytes(*member, 200), Bytes(full.begin() + 100, full.end()));
        EXPECT_EQ(member->BytesWaiting(), 0);
    });
}

TEST(MulticastMember, JoiningWithoutAnyInterfaceReportsEvent16AndOpenFails)
{
    if (!Namespaces::Get().Available())
        GTEST_SKIP() << "needs a network namespace without interfaces";
    Namespaces::Get().RunIn("C", [] {
        Queues queues;
        auto member = Member(5000, false);
        member->AttachQueues(&queues.events, &queues.notifications);
        EXPECT_EQ(member->Open(), -1);
        EXPECT_EQ(member->IsAttached(), 0);
        const auto events = queues.TakeEvents();
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].first, kEventJoinFailed);
        EXPECT_NE(events[0].second, 0);
    });
}

TEST(MulticastExchange, FiveHundredMessagesEachWayThroughTheFrameLink)
{
    const int port = 47001;
    ScaledClock clockA(4);
    ScaledClock clockB(5);
    RecordingNimb a(250, clockA);
    RecordingNimb b(250, clockB);
    if (Namespaces::Get().Available()) {
        std::cout << "[ NOTE     ] two network namespaces joined by a veth pair, loop-back off\n";
        Namespaces::Get().RunIn("A", [&] {
            ASSERT_EQ(a.Connect(0, nullptr, kLayer1Multicast, Params(port).c_str()), Result::Ok);
        });
        Namespaces::Get().RunIn("B", [&] {
            ASSERT_EQ(b.Connect(0, nullptr, kLayer1Multicast, Params(port).c_str()), Result::Ok);
        });
    } else {
        std::cout << "[ NOTE     ] one network, loop-back on, own datagrams filtered\n";
        ASSERT_EQ(a.Connect(0, nullptr, Member(port, true)), Result::Ok);
        ASSERT_EQ(b.Connect(0, nullptr, Member(port, true)), Result::Ok);
    }
    ExpectExchange(a, b);
}

} // namespace
} // namespace comms::test
