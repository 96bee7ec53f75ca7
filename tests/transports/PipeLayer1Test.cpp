#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>

#include <cstdlib>
#include <memory>

#include "comms/PipeLayer1.h"
#include "comms/ResultCodes.h"
#include "comms/TransportCodes.h"
#include "comms/TransportTexts.h"
#include "tests/transports/TransportTestSupport.h"

namespace comms::test {
namespace {

std::string PipeName()
{
    return "\\\\.\\pipe\\" + UniqueName("trvtest");
}

TEST(PipeName, MapsToAnEscapedLowerCaseSocketPathInThePipeFolder)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string folder = runtime != nullptr && *runtime != '\0'
                                   ? std::string(runtime) + "/trv-pipes"
                                   : "/tmp/trv-pipes-" + std::to_string(::getuid());
    EXPECT_EQ(PipeLayer1::SocketPathFor("\\\\.\\pipe\\Deskset"), folder + "/.%5Cpipe%5Cdeskset");
    EXPECT_EQ(PipeLayer1::SocketPathFor("\\\\host\\pipe\\a b/c"), folder + "/host%5Cpipe%5Ca%20b%2Fc");
}

TEST(PipeName, WithoutTwoLeadingBackslashesHasNoPath)
{
    EXPECT_EQ(PipeLayer1::SocketPathFor("pipe"), "");
    EXPECT_EQ(PipeLayer1::SocketPathFor("\\.\\pipe\\x"), "");
    EXPECT_EQ(PipeLayer1::SocketPathFor("\\\\"), "");
    EXPECT_EQ(PipeLayer1::SocketPathFor("\\\\" + std::string(200, 'x')), ""); // too long for a socket
}

TEST(PipeOpen, FailsForANameWithoutTheTwoBackslashes)
{
    for (const char* text : {"SERVER .\\pipe\\x", "CLIENT \\.\\pipe\\x", "SERVER pipe"}) {
        PipeLayer1 pipe(text);
        EXPECT_EQ(pipe.Open(), -1) << text;
        EXPECT_EQ(pipe.IsAttached(), 0);
    }
    RecordingNimb nimb(250, SystemClock());
    EXPECT_EQ(nimb.Connect(0, nullptr, kLayer1Pipe, "SERVER pipe"), Result::Layer1OpenFailed);
}

TEST(PipeOpen, AnUnknownRoleWordReportsEvent10AndFails)
{
    Queues queues;
    PipeLayer1 pipe(("LISTEN " + PipeName()).c_str());
    pipe.AttachQueues(&queues.events, &queues.notifications);
    EXPECT_EQ(queues.TakeEventCodes(), std::vector<int>{kEventMalformedParams});
    EXPECT_EQ(pipe.Open(), -1);
}

TEST(PipeOpen, ASecondServerForALiveNameFails)
{
    const std::string name = PipeName();
    PipeLayer1 first(("SERVER " + name).c_str());
    PipeLayer1 second(("SERVER " + name).c_str());
    ASSERT_EQ(first.Open(), 0);
    EXPECT_EQ(second.Open(), -1);
}

TEST(PipeOpen, AFolderOthersCanWriteToIsRefused)
{
    char runtime[] = "/tmp/trv-pipe-test-XXXXXX";
    ASSERT_NE(::mkdtemp(runtime), nullptr);
    const std::string folder = std::string(runtime) + "/trv-pipes";
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0777), 0);
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = old != nullptr ? old : "";
    ::setenv("XDG_RUNTIME_DIR", runtime, 1);
    PipeLayer1 server(("SERVER " + PipeName()).c_str());
    if (old != nullptr)
        ::setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    else
        ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(server.Path().rfind(folder, 0), 0u);
    EXPECT_EQ(server.Open(), -1);
    ::rmdir(folder.c_str());
    ::rmdir(runtime);
}

TEST(PipeConnection, ServerAndClientConnectLogAndMoveBytesBothWays)
{
    TraceCapture trace;
    const std::string name = PipeName();
    PipeLayer1 server(("SERVER " + name).c_str());
    PipeLayer1 client(("CLIENT " + name).c_str());
    ASSERT_EQ(server.Open(), 0);
    ASSERT_TRUE(server.IsServer());
    EXPECT_EQ(server.IsAttached(), 0);
    EXPECT_EQ(server.Write(ToBytes("lost").data(), 4), 0); // nothing to write to yet
    ASSERT_TRUE(trace.WaitFor(texts::kPipeIoPending));
    ASSERT_EQ(client.Open(), 0);
    ASSERT_TRUE(WaitAttached(server));
    ASSERT_TRUE(WaitAttached(client));
    EXPECT_EQ(trace.Count(texts::kPipeIoPending), 1);
    EXPECT_EQ(trace.Count(texts::kPipeConnected), 2);
    EXPECT_EQ(server.BaudRate(), 19200);
    EXPECT_EQ(server.FreeRoom(), 5000);

    const Bytes hello = ToBytes("hello, server");
    ASSERT_EQ(client.Write(hello.data(), static_cast<int>(hello.size())), static_cast<int>(hello.size()));
    pollfd p{server.PollFd(), POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 2000), 1);
    EXPECT_EQ(server.BytesWaiting(), static_cast<int>(hello.size()));
    uint8_t part[5];
    ASSERT_EQ(server.Read(part, 5), 5); // at most the caller's maximum
    EXPECT_EQ(Bytes(part, part + 5), ToBytes("hello"));
    EXPECT_EQ(ReadBytes(server, hello.size() - 5), ToBytes(", server"));

    const Bytes answer = ToBytes("hello, client");
    ASSERT_EQ(server.Write(answer.data(), static_cast<int>(answer.size())), static_cast<int>(answer.size()));
    EXPECT_EQ(ReadBytes(client, answer.size()), answer);
}

TEST(PipeConnection, ThePeerClosingMakesReadFailWithEvent0AndBroken)
{
    const std::string name = PipeName();
    Queues queues;
    PipeLayer1 server(("SERVER " + name).c_str());
    server.AttachQueues(&queues.events, &queues.notifications);
    auto client = std::make_unique<PipeLayer1>(("CLIENT " + name).c_str());
    ASSERT_EQ(server.Open(), 0);
    ASSERT_EQ(client->Open(), 0);
    ASSERT_TRUE(WaitAttached(server));
    client.reset();

    uint8_t buffer[16];
    pollfd p{server.PollFd(), POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 2000), 1);
    EXPECT_EQ(server.Read(buffer, sizeof buffer), -1);
    EXPECT_TRUE(server.broken);
    EXPECT_EQ(server.IsAttached(), 0);
    const auto events = queues.TakeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].first, kEventPipeFailed);
    EXPECT_NE(events[0].second, 0); // the error number
    EXPECT_EQ(server.Write(buffer, 4), 0);
}

TEST(PipeConnection, CloseEndsAServerStillWaitingForItsClient)
{
    const std::string name = PipeName();
    PipeLayer1 server(("SERVER " + name).c_str());
    ASSERT_EQ(server.Open(), 0);
    server.Close();
    EXPECT_EQ(::access(server.Path().c_str(), F_OK), -1); // the name is free again
    PipeLayer1 again(("SERVER " + name).c_str());
    EXPECT_EQ(again.Open(), 0);
}

TEST(PipeExchange, FiveHundredMessagesEachWayThroughTheFrameLink)
{
    ScaledClock serverClock(4);
    ScaledClock clientClock(5); // two machines: their heartbeats do not fall together
    RecordingNimb server(250, serverClock);
    RecordingNimb client(250, clientClock);
    const std::string name = PipeName();
    // The client looks for the server before it exists.
    ASSERT_EQ(client.Connect(0, nullptr, kLayer1Pipe, ("CLIENT " + name).c_str()), Result::Ok);
    ASSERT_EQ(server.Connect(0, nullptr, kLayer1Pipe, ("SERVER " + name).c_str()), Result::Ok);
    ExpectExchange(server, client);
}

} // namespace
} // namespace comms::test
