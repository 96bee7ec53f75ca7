#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <poll.h>

#include <memory>

#include "comms/ResultCodes.h"
#include "comms/SocketLayer1.h"
#include "comms/TransportCodes.h"
#include "tests/transports/TransportTestSupport.h"

namespace comms::test {
namespace {

std::string Text(const char* format, int port)
{
    char text[128];
    std::snprintf(text, sizeof text, format, port);
    return text;
}

// A plain client socket connected to 127.0.0.1:port, or -1.
int ConnectLoopback(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
            return fd;
        ::poll(nullptr, 0, 10); // the server's thread is still setting up its socket
    }
    ::close(fd);
    return -1;
}

TEST(SocketAddress, LeadingZerosAreRemovedFromEachPart)
{
    EXPECT_EQ(SocketLayer1::RemoveLeadingZeros("010.001.002.003"), "10.1.2.3");
    EXPECT_EQ(SocketLayer1::RemoveLeadingZeros("000.00.0.100"), "0.0.0.100");
    EXPECT_EQ(SocketLayer1::RemoveLeadingZeros("127.0.0.1"), "127.0.0.1");
}

TEST(SocketParams, ClientIpTextIsNormalised)
{
    Result result = Result::Ok;
    SocketLayer1 socket("CLIENT IP 192.168.001.010 5000", &result);
    EXPECT_EQ(result, Result::Ok);
    EXPECT_EQ(socket.GetMode(), SocketLayer1::Mode::Client);
    EXPECT_EQ(socket.Host(), "192.168.1.10");
    EXPECT_EQ(socket.Port(), 5000);
}

TEST(SocketParams, ConstructorCodes)
{
    struct Case {
        const char* text;
        Result code;
    };
    const Case cases[] = {
        {nullptr, Result::NoParamText},
        {"   ", Result::NoParamText},
        {"LISTEN 5000", Result::UnknownMode},
        {"client IP 1.2.3.4 5000", Result::UnknownMode},
        {"SERVER", Result::FieldCount},
        {"SERVER 5000 extra", Result::FieldCount},
        {"CLIENT IP 1.2.3.4", Result::FieldCount},
        {"CLIENT XX host 5000", Result::ClientKind},
        {"CLIENT ip 1.2.3.4 5000", Result::ClientKind},
        {"CLIENT IP 300.1.1.1 5000", Result::InvalidAddress},
        {"CLIENT IP deskset 5000", Result::InvalidAddress},
        {"CLIENT SN deskset 0", Result::InvalidAddress},
        {"SERVER 70000", Result::InvalidAddress},
        {"CONCURRENT_SERVER port", Result::InvalidAddress},
        {"SERVER 5000", Result::Ok},
        {"CONCURRENT_SERVER 5000", Result::Ok},
        {"CLIENT SN deskset.local 5000", Result::Ok},
        {"CLIENT SN ::1 5000", Result::Ok},             // an IPv6 address
        {"CLIENT IP ::1 5000", Result::InvalidAddress}, // "IP" is a dotted address
    };
    for (const auto& c : cases) {
        Result result = Result::Ok;
        SocketLayer1 socket(c.text, &result);
        EXPECT_EQ(result, c.code) << (c.text ? c.text : "(null)");
    }
}

TEST(SocketParams, ConnectReturnsTheConstructorCode)
{
    RecordingNimb nimb(250, SystemClock());
    EXPECT_EQ(nimb.Connect(0, nullptr, kLayer1Socket, "CLIENT XX 127.0.0.1 5000"), Result::ClientKind);
    EXPECT_EQ(nimb.Connect(0, nullptr, kLayer1Socket, "PEER 5000"), Result::UnknownMode);
    // Nothing stays behind: a valid text connects afterwards.
    EXPECT_EQ(nimb.Connect(0, nullptr, kLayer1Socket, Text("SERVER %d", FreePort()).c_str()), Result::Ok);
}

TEST(SocketServer, AcceptsOneClientWithNoDelayAndAnswersTheFixedQueries)
{
    const int port = FreePort();
    Result result = Result::Ok;
    SocketLayer1 server(Text("SERVER %d", port).c_str(), &result);
    ASSERT_EQ(result, Result::Ok);
    ASSERT_EQ(server.Open(), 0);
    EXPECT_EQ(server.IsAttached(), 0);
    const int client = ConnectLoopback(port);
    ASSERT_GE(client, 0);
    ASSERT_TRUE(WaitAttached(server));
    EXPECT_EQ(server.BaudRate(), 19200);
    EXPECT_EQ(server.FreeRoom(), 1000);
    EXPECT_EQ(server.BytesWaiting(), 0);

    ASSERT_EQ(::write(client, "abc", 3), 3);
    pollfd p{server.PollFd(), POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 2000), 1);
    EXPECT_EQ(server.BytesWaiting(), 1); // "something waiting", not a count
    EXPECT_EQ(ReadBytes(server, 3), ToBytes("abc"));

    // The listening socket is gone once the client is accepted.
    const int second = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_NE(::connect(second, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(second);

    ::close(client);
    ASSERT_EQ(::poll(&p, 1, 2000), 1);
    uint8_t buffer[8];
    EXPECT_EQ(server.Read(buffer, sizeof buffer), -1); // the peer closed
    EXPECT_TRUE(server.broken);
}

TEST(SocketClient, LooksUpAHostNameAndConnects)
{
    const int port = FreePort();
    Result result = Result::Ok;
    SocketLayer1 server(Text("SERVER %d", port).c_str(), &result);
    SocketLayer1 client(Text("CLIENT SN localhost %d", port).c_str(), &result);
    ASSERT_EQ(result, Result::Ok);
    ASSERT_EQ(server.Open(), 0);
    ASSERT_EQ(client.Open(), 0);
    ASSERT_TRUE(WaitAttached(client));
    ASSERT_TRUE(WaitAttached(server));
    ASSERT_EQ(client.Write(ToBytes("ping").data(), 4), 4);
    EXPECT_EQ(ReadBytes(server, 4), ToBytes("ping"));
}

TEST(SocketClient, ReportsEvent4WhileNobodyListensAndConnectsOnceAServerAppears)
{
    const int port = FreePort();
    Queues queues;
    Result result = Result::Ok;
    SocketLayer1 client(Text("CLIENT IP 127.000.000.001 %d", port).c_str(), &result);
    client.AttachQueues(&queues.events, &queues.notifications);
    ASSERT_EQ(client.Open(), 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    std::vector<int> codes;
    while (codes.empty() && std::chrono::steady_clock::now() < deadline) {
        ::poll(nullptr, 0, 10);
        codes = queues.TakeEventCodes();
    }
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes[0], kEventConnectFailed);
    SocketLayer1 server(Text("SERVER %d", port).c_str(), &result);
    ASSERT_EQ(server.Open(), 0);
    EXPECT_TRUE(WaitAttached(client));
}

TEST(SocketClient, ServerPortInUseMarksTheServerBroken)
{
    const int port = FreePort();
    const int holder = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    ASSERT_EQ(::bind(holder, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(holder, 1), 0);
    Queues queues;
    Result result = Result::Ok;
    SocketLayer1 server(Text("SERVER %d", port).c_str(), &result);
    server.AttachQueues(&queues.events, &queues.notifications);
    ASSERT_EQ(server.Open(), 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!server.broken && std::chrono::steady_clock::now() < deadline)
        ::poll(nullptr, 0, 5);
    EXPECT_TRUE(server.broken);
    EXPECT_EQ(queues.TakeEventCodes(), std::vector<int>{kEventSocketCallFailed});
    ::close(holder);
}

// Closes the sockets a test's OnAccept took, with their holders.
struct TakenSockets {
    ~TakenSockets()
    {
        for (int* holder : holders) {
            ::close(*holder);
            delete holder;
        }
    }
    std::vector<int*> holders;
};

TEST(SocketConcurrentServer, HandsEveryClientToOnAccept)
{
    const int port = FreePort();
    TakenSockets taken;
    RecordingNimb owner(250, SystemClock());
    owner.onAccept = [&](int* holder) {
        taken.holders.push_back(holder);
        return 1;
    };
    ASSERT_EQ(owner.Connect(0, nullptr, kLayer1Socket, Text("CONCURRENT_SERVER %d", port).c_str()),
              Result::Ok);
    const int first = ConnectLoopback(port);
    const int second = ConnectLoopback(port);
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);
    ASSERT_TRUE(owner.WaitUntil([&] { return taken.holders.size() == 2; }, std::chrono::seconds(10)));
    // The handed-over descriptors are the server ends of the two clients.
    ASSERT_EQ(::write(first, "1", 1), 1);
    ASSERT_EQ(::write(second, "2", 1), 1);
    char got[2] = {};
    ASSERT_EQ(::read(*taken.holders[0], &got[0], 1), 1);
    ASSERT_EQ(::read(*taken.holders[1], &got[1], 1), 1);
    EXPECT_EQ(std::string(got, 2), "12");
    EXPECT_EQ(owner.Read([&] { return owner.connects; }), 0); // the listener itself never attaches
    ::close(first);
    ::close(second);
}

TEST(SocketConcurrentServer, ClosesAClientThatOnAcceptRefuses)
{
    const int port = FreePort();
    RecordingNimb owner(250, SystemClock()); // its OnAccept answers 0
    ASSERT_EQ(owner.Connect(0, nullptr, kLayer1Socket, Text("CONCURRENT_SERVER %d", port).c_str()),
              Result::Ok);
    const int client = ConnectLoopback(port);
    ASSERT_GE(client, 0);
    pollfd p{client, POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 5000), 1);
    char byte;
    EXPECT_LE(::read(client, &byte, 1), 0); // closed (or reset) by the server
    EXPECT_EQ(owner.Read([&] { return owner.offered; }), 1);
    ::close(client);
}

TEST(SocketConcurrentServer, RefusesToOpenWithoutAnOwner)
{
    Queues queues;
    Result result = Result::Ok;
    SocketLayer1 server(Text("CONCURRENT_SERVER %d", FreePort()).c_str(), &result);
    server.AttachQueues(&queues.events, &queues.notifications);
    EXPECT_TRUE(server.RunsWithoutCommLink());
    EXPECT_EQ(server.Open(), -1);
    EXPECT_EQ(queues.TakeEventCodes(), std::vector<int>{kEventNoOwner});
}

TEST(SocketExchange, FiveHundredMessagesEachWayThroughTheFrameLink)
{
    const int port = FreePort();
    ScaledClock serverClock(4);
    ScaledClock clientClock(5); // two machines: their heartbeats do not fall together
    RecordingNimb server(250, serverClock);
    RecordingNimb client(250, clientClock);
    ASSERT_EQ(server.Connect(0, nullptr, kLayer1Socket, Text("SERVER %d", port).c_str()), Result::Ok);
    ASSERT_EQ(client.Connect(0, nullptr, kLayer1Socket, Text("CLIENT IP 127.000.000.001 %d", port).c_str()),
              Result::Ok);
    ExpectExchange(server, client);
}

// A client served through a socket that a concurrent server accepted and the application
// handed to a second Connect.
TEST(SocketExchange, AnAcceptedSocketCarriesAConnectionOfItsOwn)
{
    const int port = FreePort();
    RecordingNimb listener(250, SystemClock());
    int* handed = nullptr;
    listener.onAccept = [&](int* holder) {
        if (handed != nullptr)
            return 0;
        handed = holder;
        return 1;
    };
    ASSERT_EQ(listener.Connect(0, nullptr, kLayer1Socket, Text("CONCURRENT_SERVER %d", port).c_str()),
              Result::Ok);
    ScaledClock clientClock(4);
    ScaledClock servedClock(5);
    RecordingNimb client(250, clientClock);
    RecordingNimb served(250, servedClock);
    ASSERT_EQ(client.Connect(0, nullptr, kLayer1Socket, Text("CLIENT IP 127.0.0.1 %d", port).c_str()),
              Result::Ok);
    ASSERT_TRUE(listener.WaitUntil([&] { return handed != nullptr; }, std::chrono::seconds(10)));
    ASSERT_EQ(served.Connect(0, nullptr, kLayer1Socket, Text("CONCURRENT_SERVER %d", port).c_str(), handed),
              Result::Ok);
    ExpectExchange(served, client, 50);
}

} // namespace
} // namespace comms::test
