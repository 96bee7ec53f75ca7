// The communication trace: what each frame means, and the device server addresses.
#include "comms/AckFrame.h"
#include "comms/EventQueue.h"
#include "comms/SerialLayer1.h"
#include "comms/testing/MemoryLayer1.h"
#include "transfer/DesksetMessage.h"
#include "transfer/LinkTrace.h"
#include "transfer/PortTarget.h"
#include "transfer/TracingLayer1.h"
#include "transfer/TransferTexts.h"

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

    // Why the wrapped port could not be opened is the traced transport's answer too.
    TracingLayer1 absent(
        std::make_unique<comms::SerialLayer1>("/dev/trv-no-such-port", comms::SerialSettings{}), trace);
    EXPECT_EQ(absent.Open(), -1);
    ASSERT_TRUE(absent.LastOpenFailure().has_value());
    EXPECT_EQ(absent.LastOpenFailure()->reason, comms::OpenReason::NoSuchDevice);
    EXPECT_EQ(absent.LastOpenFailure()->device, "/dev/trv-no-such-port");
}

// What --port and a COM port's mapping accept: each text, the target it names (read back as the
// same text) or the message that refuses it.
TEST(PortTarget, ParsesComPortsDevicesAndDeviceServers)
{
    using Kind = PortTarget::Kind;
    const struct {
        const char* text;
        std::optional<Kind> kind; // nothing: refused
        QString detail;           // COM number, device, socket parameters; or the refusal
    } cases[] = {
        {"COM1", Kind::ComPort, "1"},
        {"com4", Kind::ComPort, "4"},
        {"COM5", std::nullopt, text::kUnknownPort},
        {"COM", std::nullopt, text::kUnknownPort},
        {"/dev/ttyUSB0", Kind::Device, "/dev/ttyUSB0"},
        {"/dev/serial/by-id/usb-FTDI_x-if00-port0", Kind::Device, "/dev/serial/by-id/usb-FTDI_x-if00-port0"},
        {"ttyUSB0", std::nullopt, text::kUnknownPort},
        {"", std::nullopt, text::kUnknownPort},
        {"tcp://10.0.0.5:4001", Kind::Tcp, "CLIENT SN 10.0.0.5 4001"},
        {"tcp://server.local:23", Kind::Tcp, "CLIENT SN server.local 23"},
        {"tcp://[::1]:4001", Kind::Tcp, "CLIENT SN ::1 4001"},
        {"tcp://[fe80::1:2]:65535", Kind::Tcp, "CLIENT SN fe80::1:2 65535"},
        {"tcp://host:0", std::nullopt, text::kBadTcpAddress},
        {"tcp://host:65536", std::nullopt, text::kBadTcpAddress},
        {"tcp://host:12x", std::nullopt, text::kBadTcpAddress},
        {"tcp://host:", std::nullopt, text::kBadTcpAddress},
        {"tcp://:4001", std::nullopt, text::kBadTcpAddress},
        {"tcp://::1:4001", std::nullopt, text::kBadTcpAddress},
        {"tcp://[::1]4001", std::nullopt, text::kBadTcpAddress},
        {"tcp://[]:4001", std::nullopt, text::kBadTcpAddress},
        {"tcp://[host name]:4001", std::nullopt, text::kBadTcpAddress},
        {"tcp://a b:4001", std::nullopt, text::kBadTcpAddress},
        {"tcp://nonsense", std::nullopt, text::kBadTcpAddress},
    };
    for (const auto& c : cases) {
        const PortTargetParse parsed = PortTarget::parse(c.text);
        ASSERT_EQ(parsed.target.has_value(), c.kind.has_value()) << c.text;
        if (!parsed.target) {
            EXPECT_EQ(parsed.error, c.detail.arg(QString::fromUtf8(c.text))) << c.text;
            continue;
        }
        const PortTarget& target = *parsed.target;
        EXPECT_TRUE(parsed.error.isEmpty());
        EXPECT_EQ(target.kind, *c.kind) << c.text;
        const std::string detail = target.kind == Kind::ComPort  ? std::to_string(target.comPort)
                                   : target.kind == Kind::Device ? target.device
                                                                 : target.socketClientParams();
        EXPECT_EQ(QString::fromStdString(detail), c.detail) << c.text;
        EXPECT_EQ(PortTarget::parse(target.text()).target, target) << "read back: " << target.text();
        // A COM port's mapping is a device or a device server, never another COM port.
        EXPECT_EQ(PortTarget::parseMapping(c.text).target.has_value(), target.kind != Kind::ComPort)
            << c.text;
    }
    EXPECT_EQ(PortTarget::parseMapping("COM2").error, QString(text::kUnknownMapping).arg("COM2"));
}
