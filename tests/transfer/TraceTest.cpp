// The communication trace: what each frame means, and the device server addresses.
#include "comms/AckFrame.h"
#include "comms/EventQueue.h"
#include "comms/testing/MemoryLayer1.h"
#include "transfer/DesksetMessage.h"
#include "transfer/LinkTrace.h"
#include "transfer/PortAddress.h"
#include "transfer/TracingLayer1.h"

#include <gtest/gtest.h>

using namespace trv::transfer;

namespace {

std::vector<std::uint8_t> frameOf(std::uint8_t type, std::uint8_t number,
                                  std::vector<std::uint8_t> payload = {})
{
    std::vector<std::uint8_t> frame(comms::kMaxFrameSize);
    frame.resize(comms::BuildFrame(frame.data(), type, number, payload.data(),
                                   static_cast<int>(payload.size()), false));
    return frame;
}

std::vector<std::uint8_t> messageFrame(std::uint8_t number, MessageType type,
                                       std::vector<std::uint8_t> data = {})
{
    return frameOf(comms::kFrameDataWhole, number, DesksetMessage(type, std::move(data)).encode());
}

} // namespace

TEST(LinkTrace, EachFrameIsDescribedByItsMeaning)
{
    std::vector<std::uint8_t> block{0x64, 0x00};
    block.resize(102, 0xAA);
    std::vector<std::uint8_t> version(16);
    std::copy_n("VXR DESKSET V001", 16, version.begin());
    const struct {
        TraceDirection direction;
        std::vector<std::uint8_t> frame;
        std::string meaning;
    } cases[] = {
        {TraceDirection::Sent, frameOf(comms::kFrameConnectRequest, 0), "connect request"},
        {TraceDirection::Received, frameOf(comms::kFrameConnectConfirm, 0), "connect confirm"},
        {TraceDirection::Received, frameOf(comms::kFrameAck, 7), "acknowledgement #7"},
        {TraceDirection::Sent, frameOf(comms::kFrameHeartbeat, 0), "heartbeat"},
        {TraceDirection::Sent, messageFrame(1, MessageType::Version), "data #1: version request"},
        {TraceDirection::Received, messageFrame(2, MessageType::Version, version),
         "data #2: version \"VXR DESKSET V001\""},
        {TraceDirection::Received, messageFrame(3, MessageType::Hardware, {1}),
         "data #3: hardware result 1 (no match)"},
        {TraceDirection::Sent, messageFrame(4, MessageType::DownloadBlock, {0}), "data #4: download request"},
        {TraceDirection::Received, messageFrame(5, MessageType::DownloadBlock, block),
         "data #5: download block, offset 0x0064, 100 bytes"},
        {TraceDirection::Sent, messageFrame(6, MessageType::UploadBlock, block),
         "data #6: upload block, offset 0x0064, 100 bytes"},
        {TraceDirection::Received, messageFrame(7, MessageType::UploadFailed), "data #7: upload incomplete"},
        {TraceDirection::Received, messageFrame(8, MessageType::DownloadDone), "data #8: download complete"},
        {TraceDirection::Received, frameOf(comms::kFrameDataWhole, 9, {1, 42}),
         "data #9: message type 42, 0 bytes"},
        {TraceDirection::Sent, frameOf(comms::kFrameDataFirst, 10, {1, 2, 3}),
         "data #10: first fragment, 3 bytes"},
        {TraceDirection::Sent, frameOf(12, 0), "unknown frame type 12"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(describeFrame(c.direction, c.frame), c.meaning);
}

TEST(LinkTrace, FramesSplitAcrossReadsAreTracedOnceWholeAndDamagedOnesSaySo)
{
    std::vector<std::string> lines;
    LinkTrace trace([&](const std::string& line) { lines.push_back(line); });
    trace.beginSession("Download Database");
    const auto heartbeat = frameOf(comms::kFrameHeartbeat, 0);
    auto damaged = frameOf(comms::kFrameAck, 3);
    damaged.back() ^= 0x01;
    std::vector<std::uint8_t> stream = heartbeat;
    stream.insert(stream.end(), damaged.begin(), damaged.end());
    trace.bytes(TraceDirection::Received, stream.data(), 4);
    trace.bytes(TraceDirection::Received, stream.data() + 4, static_cast<int>(stream.size()) - 4);

    ASSERT_EQ(lines.size(), 4u); // title, legend, two frames
    EXPECT_NE(lines[0].find("Download Database"), std::string::npos);
    EXPECT_NE(lines[2].find("RX  heartbeat"), std::string::npos) << lines[2];
    EXPECT_NE(lines[2].find("03 00 00"), std::string::npos) << lines[2];
    EXPECT_NE(lines[3].find("RX  damaged frame (CRC error)"), std::string::npos) << lines[3];
    EXPECT_EQ(trace.text().count('\n'), 4);

    trace.beginSession("Upload Database"); // the last session only
    EXPECT_FALSE(trace.text().contains("Download"));
}

namespace {

// A transport that complains about its parameters while it is built, as the real ones do.
class ComplainingLayer1 final : public comms::Layer1 {
public:
    ComplainingLayer1() { PostEvent(10, 7); }
    int IsAttached() override { return 1; }
    int BaudRate() override { return 19200; }
    int FreeRoom() override { return 100; }
    int BytesWaiting() override { return 0; }
    int Open() override { return 0; }
    void Close() override {}
    int Write(const std::uint8_t*, int length) override
    {
        broken = true;
        return length;
    }
    int Read(std::uint8_t*, int) override { return 0; }
};

} // namespace

TEST(TracingLayer1, PassesBytesEventsAndFailuresThrough)
{
    auto memory = std::make_unique<comms::testing::MemoryLayer1>();
    comms::testing::MemoryLayer1& inner = *memory;
    LinkTrace trace;
    TracingLayer1 traced(std::move(memory), trace);
    const auto heartbeat = frameOf(comms::kFrameHeartbeat, 0);
    EXPECT_EQ(traced.Write(heartbeat.data(), static_cast<int>(heartbeat.size())),
              static_cast<int>(heartbeat.size()));
    EXPECT_EQ(inner.TakeWritten(), heartbeat);
    inner.Feed(frameOf(comms::kFrameAck, 0));
    std::uint8_t buffer[16];
    EXPECT_EQ(traced.Read(buffer, sizeof buffer), 5);
    EXPECT_TRUE(trace.text().contains("TX  heartbeat"));
    EXPECT_TRUE(trace.text().contains("RX  acknowledgement #0"));
    inner.Break();
    traced.Read(buffer, sizeof buffer);
    EXPECT_TRUE(traced.broken.load());

    TracingLayer1 complaining(std::make_unique<ComplainingLayer1>(), trace);
    comms::EventQueue events;
    comms::NotifyQueue notifications;
    complaining.AttachQueues(&events, &notifications);
    int code = 0;
    int value = 0;
    ASSERT_TRUE(events.Take(&code, &value));
    EXPECT_EQ(code, 10);
    EXPECT_EQ(value, 7);
    complaining.Write(heartbeat.data(), 1);
    EXPECT_TRUE(complaining.broken.load());
}

TEST(PortAddress, DeviceServerAddresses)
{
    const struct {
        const char* text;
        bool valid;
        const char* params;
    } cases[] = {
        {"tcp://10.0.0.5:4001", true, "CLIENT SN 10.0.0.5 4001"},
        {"tcp://server.local:23", true, "CLIENT SN server.local 23"},
        {"tcp://host:0", false, ""},
        {"tcp://host:65536", false, ""},
        {"tcp://host:12x", false, ""},
        {"tcp://:4001", false, ""},
        {"tcp://[::1]:4001", false, ""},
        {"tcp://a b:4001", false, ""},
        {"/dev/ttyUSB0", false, ""},
    };
    for (const auto& c : cases) {
        const auto address = parseTcpAddress(c.text);
        EXPECT_EQ(address.has_value(), c.valid) << c.text;
        if (address)
            EXPECT_EQ(socketClientParams(*address), c.params);
    }
    EXPECT_TRUE(isTcpAddress("tcp://nonsense"));
    EXPECT_FALSE(isTcpAddress("/dev/ttyS0"));
}
