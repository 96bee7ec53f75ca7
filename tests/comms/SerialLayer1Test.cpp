// The serial transport over real pseudo-terminals: parameter text, device resolution, line
// settings, exclusive open and why an open failed, queue queries, reads and writes.
#include <gtest/gtest.h>

#include "comms/EventQueue.h"
#include "comms/Nimb.h"
#include "comms/ResultCodes.h"
#include "comms/SerialLayer1.h"
#include "tests/support/ComDevice.h"
#include "tests/support/PseudoTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

namespace comms {
namespace {

// A pseudo-terminal whose slave side stands in for a serial port; the test speaks on the master.
class SerialPty : public trv::testsupport::PseudoTerminal {
public:
    void Send(const std::vector<uint8_t>& bytes) const
    {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(Master(), bytes.data() + done, bytes.size() - done);
            ASSERT_GT(n, 0);
            done += static_cast<size_t>(n);
        }
    }

    // Reads what the transport wrote, waiting for it on the descriptor (at most 2 s).
    std::vector<uint8_t> Receive(size_t count) const
    {
        std::vector<uint8_t> bytes;
        uint8_t buffer[512];
        while (bytes.size() < count) {
            pollfd in{Master(), POLLIN, 0};
            if (::poll(&in, 1, 2000) <= 0)
                break;
            const ssize_t n = ::read(Master(), buffer, sizeof buffer);
            if (n <= 0)
                break;
            bytes.insert(bytes.end(), buffer, buffer + n);
        }
        return bytes;
    }
};

using trv::testsupport::ComSettings;

std::vector<std::pair<int, int>> DrainEvents(EventQueue& queue)
{
    std::vector<std::pair<int, int>> events;
    int code = 0;
    int value = 0;
    while (queue.Take(&code, &value))
        events.emplace_back(code, value);
    return events;
}

termios SettingsOf(const SerialLayer1& layer)
{
    termios tio{};
    EXPECT_EQ(::tcgetattr(layer.PollFd(), &tio), 0);
    return tio;
}

// Waits on the descriptor until the driver holds `count` input bytes (at most 2 s).
bool WaitForInput(SerialLayer1& layer, int count)
{
    for (int round = 0; round < 200 && layer.BytesWaiting() < count; ++round) {
        pollfd in{layer.PollFd(), POLLIN, 0};
        ::poll(&in, 1, 10);
    }
    return layer.BytesWaiting() >= count;
}

TEST(SerialSettings, ParsesFiveNumbersOrTakesAllDefaults)
{
    const ParsedSerialSettings full = ParseSerialSettings("3 8 0 0 19200");
    EXPECT_TRUE(full.complete);
    EXPECT_EQ(full.settings, (SerialSettings{3, 8, kParityNone, kStopOne, 19200}));

    const ParsedSerialSettings odd = ParseSerialSettings("2 7 1 2 4800");
    EXPECT_TRUE(odd.complete);
    EXPECT_EQ(odd.settings, (SerialSettings{2, 7, kParityOdd, kStopTwo, 4800}));

    // Without the port digit only four numbers are read, so none of them is taken.
    // A number too large for an int is not taken as some other number.
    for (const char* text : {" 8 0 0 19200", "3 8 0 0", "", "COM3 8 0 0 19200", "3 8 x 0 19200",
                             "3 8 0 0 4294986496", "3 8 0 0 -99999999999999999999"}) {
        const ParsedSerialSettings parsed = ParseSerialSettings(text);
        EXPECT_FALSE(parsed.complete) << text;
        EXPECT_EQ(parsed.settings, SerialSettings{}) << text;
    }
    EXPECT_FALSE(ParseSerialSettings(nullptr).complete);
    EXPECT_EQ(SerialSettings{}.port, 1);
    EXPECT_EQ(SerialSettings{}.baudRate, 9600);
}

TEST(SerialSettings, LineSettingsMapToTermios)
{
    termios tio{};
    ASSERT_TRUE(ApplyLineSettings(tio, {1, 8, kParityNone, kStopOne, 19200}, 0));
    EXPECT_EQ(cfgetospeed(&tio), B19200);
    EXPECT_EQ(cfgetispeed(&tio), B19200);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP | INPCK), 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_cc[VMIN], 0);
    EXPECT_EQ(tio.c_cc[VTIME], 0);

    struct ParityCase {
        int parity;
        tcflag_t flags;
    };
    for (const ParityCase& c :
         {ParityCase{kParityOdd, PARENB | PARODD}, ParityCase{kParityEven, PARENB},
          ParityCase{kParityMark, PARENB | PARODD | CMSPAR}, ParityCase{kParitySpace, PARENB | CMSPAR}}) {
        termios t{};
        ASSERT_TRUE(ApplyLineSettings(t, {1, 7, c.parity, kStopTwo, 4800}, 0));
        EXPECT_EQ(t.c_cflag & (PARENB | PARODD | CMSPAR), c.flags) << c.parity;
        EXPECT_NE(t.c_iflag & INPCK, 0u);
        EXPECT_NE(t.c_cflag & CSTOPB, 0u);
        EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
        EXPECT_EQ(cfgetospeed(&t), B4800);
    }

    termios flow{};
    ASSERT_TRUE(ApplyLineSettings(flow, {}, kFlowCtsRts | kFlowXonXoff));
    EXPECT_NE(flow.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(flow.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
    EXPECT_EQ(flow.c_cc[VSTART], 0x11);
    EXPECT_EQ(flow.c_cc[VSTOP], 0x13);

    termios bad{};
    EXPECT_FALSE(ApplyLineSettings(bad, {1, 8, 0, 0, 12345}, 0));
    EXPECT_FALSE(ApplyLineSettings(bad, {1, 9, 0, 0, 9600}, 0));
    EXPECT_FALSE(ApplyLineSettings(bad, {1, 8, 5, 0, 9600}, 0));
    EXPECT_FALSE(ApplyLineSettings(bad, {1, 8, 0, 3, 9600}, 0));
    EXPECT_FALSE(ApplyLineSettings(bad, {}, kFlowDsrDtr));
}

TEST(LinkSettings, ComPortIsItsMappingElseTtyS)
{
    const LinkSettings settings = ComSettings(2, "/dev/ttyUSB7");
    EXPECT_EQ(settings.ComDevice(2), "/dev/ttyUSB7");
    EXPECT_EQ(settings.ComDevice(3), "/dev/ttyS2");
    EXPECT_EQ(LinkSettings{}.ComDevice(1), "/dev/ttyS0");
    EXPECT_EQ(ComSettings(1, "").ComDevice(1), "/dev/ttyS0") << "an empty mapping is none";
    EXPECT_EQ(settings.ComDevice(0), "");
    EXPECT_EQ(settings.ComDevice(-3), "");
}

TEST(SerialLayer1, PortDigitThreeOpensCom3At19200WithoutFlowControl)
{
    SerialPty pty;
    ASSERT_TRUE(pty.Valid());
    EventQueue events;
    SerialLayer1 layer("3 8 0 0 19200", ComSettings(3, pty.Path()));
    layer.AttachQueues(&events, nullptr);

    EXPECT_EQ(layer.DevicePath(), pty.Path());
    EXPECT_EQ(layer.BaudRate(), 19200);
    EXPECT_EQ(layer.IsAttached(), 1);
    ASSERT_EQ(layer.Open(), 0);
    EXPECT_TRUE(DrainEvents(events).empty());

    const termios tio = SettingsOf(layer);
    EXPECT_EQ(cfgetospeed(&tio), B19200);
    EXPECT_EQ(cfgetispeed(&tio), B19200);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & PARENB, 0u) << "no parity";
    EXPECT_EQ(tio.c_cflag & CSTOPB, 0u) << "one stop bit";
    EXPECT_EQ(tio.c_cflag & CRTSCTS, 0u) << "no hardware flow control";
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY), 0u) << "no software flow control";
    EXPECT_NE(tio.c_cflag & CREAD, 0u);
    EXPECT_NE(tio.c_cflag & CLOCAL, 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u) << "raw";
    EXPECT_EQ(tio.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP), 0u) << "8-bit clean";
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_cc[VMIN], 0);
    EXPECT_EQ(tio.c_cc[VTIME], 0);
    EXPECT_NE(::fcntl(layer.PollFd(), F_GETFL) & O_NONBLOCK, 0) << "reads never block";
}

TEST(SerialLayer1, FourNumbersGiveCom1At9600AndEventTen)
{
    SerialPty pty;
    ASSERT_TRUE(pty.Valid());
    EventQueue events;
    SerialLayer1 layer(" 8 0 0 19200", ComSettings(1, pty.Path()));
    layer.AttachQueues(&events, nullptr); // the event was held since construction

    EXPECT_EQ(DrainEvents(events), (std::vector<std::pair<int, int>>{{kEventSerialDefaultsTaken, 0}}));
    EXPECT_EQ(layer.Settings(), SerialSettings{});
    EXPECT_EQ(layer.BaudRate(), 9600);
    EXPECT_EQ(layer.DevicePath(), pty.Path());
    ASSERT_EQ(layer.Open(), 0);
    const termios tio = SettingsOf(layer);
    EXPECT_EQ(cfgetospeed(&tio), B9600);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
}

TEST(SerialLayer1, PortInUseFailsAtOnceWithEventOne)
{
    SerialPty pty;
    ASSERT_TRUE(pty.Valid());
    const LinkSettings com2 = ComSettings(2, pty.Path());
    SerialLayer1 first("2 8 0 0 19200", com2);
    ASSERT_EQ(first.Open(), 0);
    EXPECT_EQ(first.Open(), -1) << "already open";

    EventQueue events;
    SerialLayer1 second("2 8 0 0 19200", com2);
    second.AttachQueues(&events, nullptr);
    EXPECT_EQ(second.Open(), -1);
    EXPECT_EQ(DrainEvents(events), (std::vector<std::pair<int, int>>{{kEventPortOpenFailed, 0}}));
    EXPECT_EQ(second.FreeRoom(), 0);
    EXPECT_EQ(second.BytesWaiting(), 0);

    // Once the first user closes the port it can be opened again.
    first.Close();
    EXPECT_EQ(second.Open(), 0);
}

TEST(SerialLayer1, MissingDeviceOrRejectedSettingsFailTheOpen)
{
    EventQueue events;
    SerialLayer1 absent("4 8 0 0 19200", ComSettings(4, "/dev/trv-no-such-port"));
    absent.AttachQueues(&events, nullptr);
    EXPECT_EQ(absent.Open(), -1);
    EXPECT_EQ(DrainEvents(events), (std::vector<std::pair<int, int>>{{kEventPortOpenFailed, 0}}));

    // A baud rate the line cannot run at is refused, and the port is left free.
    SerialPty pty;
    ASSERT_TRUE(pty.Valid());
    SerialLayer1 odd(pty.Path(), {1, 8, 0, 0, 12345});
    EXPECT_EQ(odd.Open(), -1);
    SerialLayer1 good(pty.Path(), {1, 8, 0, 0, 19200});
    EXPECT_EQ(good.Open(), 0);
}

TEST(SerialLayer1, ReadTakesAtMostTheMaximumAndLeavesTheRest)
{
    SerialPty pty;
    ASSERT_TRUE(pty.Valid());
    SerialLayer1 layer(pty.Path(), {1, 8, 0, 0, 19200});
    ASSERT_EQ(layer.Open(), 0);
    uint8_t buffer[300];
    EXPECT_EQ(layer.Read(buffer, 255), 0) << "nothing waiting";

    std::vector<uint8_t> sent(300);
    std::iota(sent.begin(), sent.end(), uint8_t{0}); // every byte value, CR, LF and XON included
    pty.Send(sent);
    ASSERT_TRUE(WaitForInput(layer, 300));
    EXPECT_EQ(layer.BytesWaiting(), 300);

    ASSERT_EQ(layer.Read(buffer, 255), 255);
    EXPECT_TRUE(std::equal(buffer, buffer + 255, sent.begin()));
    EXPECT_EQ(layer.BytesWaiting(), 45);
    ASSERT_EQ(layer.Read(buffer, 255), 45);
    EXPECT_TRUE(std::equal(buffer, buffer + 45, sent.begin() + 255));
    EXPECT_EQ(layer.Read(buffer, 255), 0);
}

TEST(SerialLayer1, OpenDiscardsWhatWaitedAndWritesWholeFrames)
{
    SerialPty pty;
    ASSERT_TRUE(pty.Valid());
    // Bytes that reached the port before it was opened are stale: the open discards them.
    {
        SerialLayer1 earlier(pty.Path(), {1, 8, 0, 0, 19200});
        ASSERT_EQ(earlier.Open(), 0);
        pty.Send({1, 2, 3});
        ASSERT_TRUE(WaitForInput(earlier, 3));
    }
    SerialLayer1 layer(pty.Path(), {1, 8, 0, 0, 19200});
    ASSERT_EQ(layer.Open(), 0);
    EXPECT_EQ(layer.BytesWaiting(), 0);

    const int room = layer.FreeRoom();
    EXPECT_GT(room, 0);
    EXPECT_LE(room, 1024);
    const std::vector<uint8_t> frame = {0x04, 0x00, 0x02, 0x01, 0x01, 0xA0, 0x71};
    EXPECT_EQ(layer.Write(frame.data(), static_cast<int>(frame.size())), 7);
    EXPECT_EQ(pty.Receive(frame.size()), frame);

    layer.Close();
    uint8_t buffer[8];
    EXPECT_EQ(layer.Write(frame.data(), 7), 0);
    EXPECT_EQ(layer.Read(buffer, 8), 0);
    EXPECT_EQ(layer.FreeRoom(), 0);
    EXPECT_EQ(layer.BytesWaiting(), 0);
    EXPECT_EQ(layer.PollFd(), -1);
}

TEST(SerialLayer1, AHungUpLineIsNoLongerPolledAndReadsStayEmpty)
{
    auto pty = std::make_unique<SerialPty>();
    ASSERT_TRUE(pty->Valid());
    SerialLayer1 layer(pty->Path(), {1, 8, 0, 0, 19200});
    ASSERT_EQ(layer.Open(), 0);
    const int fd = layer.PollFd();
    ASSERT_GE(fd, 0);
    uint8_t buffer[16];
    EXPECT_EQ(layer.Read(buffer, 16), 0);
    EXPECT_EQ(layer.PollFd(), fd) << "an idle line is still polled";

    pty.reset(); // the far end goes away
    EXPECT_EQ(layer.Read(buffer, 16), 0) << "never negative: the link notices by its time-outs";
    EXPECT_EQ(layer.PollFd(), -1);
    EXPECT_GE(layer.Write(buffer, 4), 0);
    layer.Close();
    EXPECT_EQ(layer.PollFd(), -1);
}

// Records the events a Nimb hands to its subclass.
class EventRecordingNimb final : public Nimb {
public:
    EventRecordingNimb() : Nimb(250) {}
    ~EventRecordingNimb() override { Shutdown(); }

    bool WaitForEvent(int code)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(5), [&] {
            return std::find_if(events_.begin(), events_.end(),
                                [code](auto& e) { return e.first == code; }) != events_.end();
        });
    }

protected:
    void OnEvent(int code, int value) override
    {
        std::lock_guard lock(mutex_);
        events_.emplace_back(code, value);
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::pair<int, int>> events_;
};

TEST(SerialLayer1, ConnectToAPortInUseReturnsOpenFailure)
{
    SerialPty pty;
    ASSERT_TRUE(pty.Valid());
    SerialLayer1 otherProgram("3 8 0 0 19200", ComSettings(3, pty.Path()));
    ASSERT_EQ(otherProgram.Open(), 0);

    EventRecordingNimb nimb;
    nimb.SetLinkSettings(ComSettings(3, pty.Path()));
    EXPECT_EQ(nimb.Connect(kLayer2AckFrame, nullptr, kLayer1Serial, "3 8 0 0 19200"),
              Result::Layer1OpenFailed);
    EXPECT_TRUE(nimb.WaitForEvent(kEventPortOpenFailed));
    // The transport's reason is passed on: the lock table names this process as the holder.
    const std::optional<OpenFailure> failure = nimb.LastOpenFailure();
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->reason, OpenReason::InUse);
    EXPECT_EQ(failure->device, pty.Path());
    EXPECT_EQ(failure->holderPid, ::getpid());

    otherProgram.Close();
    EXPECT_EQ(nimb.Connect(kLayer2AckFrame, nullptr, kLayer1Serial, "3 8 0 0 19200"), Result::Ok);
    EXPECT_FALSE(nimb.LastOpenFailure().has_value());
    nimb.Disconnect();
}

} // namespace
} // namespace comms
