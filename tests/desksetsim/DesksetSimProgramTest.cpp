// desksetsim as a program on a real pseudo-terminal, with the tool's side of the link (a
// Nimb over the serial transport) at the other end.
#include "SimHarness.h"

#include "comms/ResultCodes.h"
#include "comms/SerialLayer1.h"
#include "tests/support/PseudoTerminal.h"
#include "tools/desksetsim/SimulatedDeskset.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <regex>
#include <sstream>

namespace desksetsim::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kLinkTimeoutMs = 10000;
constexpr int kReplyTimeoutMs = 10000;
const std::string kVersionText = "VXR DESKSET V001";

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

Bytes ReadBytes(const fs::path& path)
{
    const std::string text = ReadText(path);
    return Bytes(text.begin(), text.end());
}

class DesksetSimProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ =
            fs::temp_directory_path() / ("trv-desksetsim-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path File(const std::string& name) const { return folder_ / name; }

    // Starts the simulator, connects COM1 standing for its pseudo-terminal and brings the link up.
    void StartLinked(const std::vector<std::string>& options)
    {
        sim_ = std::make_unique<SimProcess>(options);
        ASSERT_FALSE(sim_->PtyPath().empty()) << "the simulator did not print its PTY line";
        tool_ = std::make_unique<ToolNimb>();
        ASSERT_EQ(tool_->ConnectSerial("1 8 0 0 19200", sim_->PtyPath()), comms::Result::Ok);
        ASSERT_TRUE(tool_->WaitForLink(kLinkTimeoutMs)) << "the link did not open";
    }

    // Asks for the version and the hardware identity, as the tool does before a transfer.
    void ExchangeVersion()
    {
        ASSERT_EQ(tool_->SendMessage(kTypeVersion), comms::Result::Ok);
        Bytes expected{17, kTypeVersion};
        expected.insert(expected.end(), kVersionText.begin(), kVersionText.end());
        ASSERT_EQ(tool_->NextMessage(kReplyTimeoutMs), expected);
        ASSERT_EQ(tool_->SendMessage(kTypeHardware), comms::Result::Ok);
        ASSERT_EQ(tool_->NextMessage(kReplyTimeoutMs), (Bytes{2, kTypeHardware, 0}));
    }

    // Runs a download and returns the image put together from the blocks; checks that the
    // blocks come in offset order, 100 bytes each (84 in the last), followed by type 7.
    Bytes Download()
    {
        Bytes image(trv::db::kImageSize, 0xEE);
        EXPECT_EQ(tool_->SendMessage(kTypeDownloadBlock, {0}), comms::Result::Ok);
        for (int block = 0; block < kBlockCount; ++block) {
            const Bytes message = tool_->NextMessage(kReplyTimeoutMs);
            if (message.size() < 4 || message[1] != kTypeDownloadBlock) {
                ADD_FAILURE() << "block " << block << " missing";
                return {};
            }
            const int offset = message[2] | message[3] << 8;
            EXPECT_EQ(offset, block * kBlockBytes);
            EXPECT_EQ(message.size(), block < kBlockCount - 1 ? 104u : 88u);
            EXPECT_EQ(message[0], message.size() - 1);
            std::copy(message.begin() + 4, message.end(), image.begin() + offset);
        }
        EXPECT_EQ(tool_->NextMessage(kReplyTimeoutMs), (Bytes{1, kTypeDownloadComplete}));
        return image;
    }

    void Upload(const Bytes& image)
    {
        for (int offset = 0; offset < trv::db::kImageSize; offset += kBlockBytes) {
            const int count = std::min(kBlockBytes, trv::db::kImageSize - offset);
            Bytes data(2 + static_cast<size_t>(count));
            data[0] = static_cast<uint8_t>(offset & 0xFF);
            data[1] = static_cast<uint8_t>(offset >> 8);
            std::copy_n(image.begin() + offset, count, data.begin() + 2);
            ASSERT_EQ(tool_->SendMessage(kTypeUploadBlock, data), comms::Result::Ok);
        }
    }

    fs::path folder_;
    std::unique_ptr<SimProcess> sim_;
    std::unique_ptr<ToolNimb> tool_;
};

// A test process that dies (a crash, a sanitizer's abort, a time-out's SIGKILL) takes its
// simulator with it: an orphan would keep the test's output open and hang ctest.
TEST(SimProcessLifetime, TheSimulatorDiesWithTheTestProcess)
{
    int report[2];
    ASSERT_EQ(::pipe2(report, O_CLOEXEC), 0);
    const pid_t test = ::fork();
    ASSERT_GE(test, 0);
    if (test == 0) {
        SimProcess sim({});
        const pid_t started = sim.Pid();
        [[maybe_unused]] const ssize_t n = ::write(report[1], &started, sizeof started);
        ::pause();
        ::_exit(0);
    }
    ::close(report[1]);
    pid_t sim = -1;
    const ssize_t got = ::read(report[0], &sim, sizeof sim);
    ::close(report[0]);
    const int simFd = got == sizeof sim && sim > 0 ? static_cast<int>(::syscall(SYS_pidfd_open, sim, 0)) : -1;
    ::kill(test, SIGKILL);
    ::waitpid(test, nullptr, 0);
    ASSERT_GE(simFd, 0) << "the simulator did not start";
    pollfd gone{simFd, POLLIN, 0};
    const bool died = ::poll(&gone, 1, 10000) == 1;
    if (!died)
        ::kill(sim, SIGKILL);
    ::close(simFd);
    EXPECT_TRUE(died) << "the simulator outlived the process that started it";
}

TEST(DesksetSimCommandLine, HelpNamesEveryOptionAndBadInputIsRefused)
{
    const CommandResult help = RunSimulator({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option :
         {"--pty",    "--device",     "--baud",         "--once",        "--version-text",
          "--hw-id",  "--image",      "--save-upload",  "--fail-upload", "--silent",
          "--no-end", "--stop-after", "--unknown-type", "--corrupt",     "--corrupt-frames",
          "--drop",   "--seed",       "--line-rate",    "--log",         "--help"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;

    struct Refused {
        std::vector<std::string> args;
        std::string message;
    };
    for (const Refused& bad : {Refused{{"--bogus"}, "not expected: --bogus"},
                               Refused{{"--corrupt", "1.5"}, "--corrupt: not a decimal number from 0 to 1"},
                               Refused{{"--hw-id", "256"}, "--hw-id: Value 256 not in range 0 to 255"},
                               Refused{{"--stop-after"}, "--stop-after: 1 required N missing"},
                               Refused{{"--line-rate", "fast"}, "--line-rate: Value fast not in range"},
                               Refused{{"--pty", "--device", "/dev/ttyS0"}, "--pty excludes --device"}}) {
        const CommandResult result = RunSimulator(bad.args);
        EXPECT_EQ(result.status, 2) << bad.args[0];
        EXPECT_NE(result.err.find(bad.message), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty());
    }

    const CommandResult noImage = RunSimulator({"--image", "/nonexistent/trv.ddb"});
    EXPECT_EQ(noImage.status, 1);
    EXPECT_NE(noImage.err.find("cannot use the image /nonexistent/trv.ddb"), std::string::npos)
        << noImage.err;
    const CommandResult noDevice = RunSimulator({"--device", "/dev/trv-no-such-port"});
    EXPECT_EQ(noDevice.status, 1);
    EXPECT_NE(noDevice.err.find("cannot open the serial port /dev/trv-no-such-port"), std::string::npos);
}

TEST(DesksetSimDevice, ServesASerialPortExclusivelyAt8N1)
{
    // A pseudo-terminal stands in for the cable: the simulator opens its slave side as the
    // serial port, the test speaks raw frames on the master side.
    const trv::testsupport::PseudoTerminal terminal(trv::testsupport::PseudoTerminal::Reads::Blocking);
    ASSERT_TRUE(terminal.Valid());
    const int master = terminal.Master();
    const std::string& device = terminal.Path();
    {
        SimProcess sim({"--device", device, "--baud", "9600"});
        ASSERT_EQ(sim.FirstLine(), "DEVICE " + device);

        termios tio{};
        ASSERT_EQ(::tcgetattr(master, &tio), 0);
        EXPECT_EQ(cfgetospeed(&tio), B9600);
        EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
        EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
        EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u);
        comms::SerialLayer1 other(device, {1, 8, 0, 0, 9600});
        EXPECT_EQ(other.Open(), -1) << "the simulator holds the port exclusively";

        // A heartbeat numbered 0 from an unconnected peer: acknowledgement, then connect request.
        const Bytes heartbeat = {0x03, 0x00, 0x00, 0xD6, 0x57};
        ASSERT_EQ(::write(master, heartbeat.data(), heartbeat.size()), 5);
        Bytes answer;
        while (answer.size() < 10) {
            pollfd in{master, POLLIN, 0};
            if (::poll(&in, 1, 5000) <= 0)
                break;
            uint8_t buffer[64];
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            answer.insert(answer.end(), buffer, buffer + n);
        }
        EXPECT_EQ(answer, (Bytes{0x02, 0x00, 0x00, 0x8C, 0x8B, 0x01, 0x00, 0x00, 0x63, 0xEF}));
    }
}

TEST_F(DesksetSimProgram, LinkOpensAndAnswersVersionAndHardware)
{
    StartLinked({"--log", File("link.log").string()});
    ExchangeVersion();
    tool_.reset();

    // Every frame is logged with its time and bytes; the version request (sequence numbers
    // vary with the handshake) and its reply are among them.
    const std::string log = ReadText(File("link.log"));
    EXPECT_TRUE(std::regex_search(
        log, std::regex(R"(\n +\d+ ms  RX  04 [0-9A-F]{2} 02 01 01 [0-9A-F]{2} [0-9A-F]{2}\n)")))
        << log;
    EXPECT_TRUE(std::regex_search(log, std::regex(R"(\n +\d+ ms  TX  04 [0-9A-F]{2} 12 11 01 56 58 52 20)")))
        << log;
    EXPECT_TRUE(
        std::regex_search(log, std::regex(R"(\n +\d+ ms  TX  02 [0-9A-F]{2} 00 [0-9A-F]{2} [0-9A-F]{2}\n)")))
        << "acknowledgements are logged too";
}

TEST_F(DesksetSimProgram, VersionTextHardwareIdAndUnknownTypeComeFromTheOptions)
{
    StartLinked({"--version-text", "VXR DESKSET V002", "--hw-id", "7", "--unknown-type", "9"});
    ASSERT_EQ(tool_->SendMessage(kTypeVersion), comms::Result::Ok);
    const std::string other = "VXR DESKSET V002";
    Bytes expected{17, kTypeVersion};
    expected.insert(expected.end(), other.begin(), other.end());
    EXPECT_EQ(tool_->NextMessage(kReplyTimeoutMs), expected);
    EXPECT_EQ(tool_->NextMessage(kReplyTimeoutMs), (Bytes{1, 9})) << "the unknown type follows the version";
    ASSERT_EQ(tool_->SendMessage(kTypeHardware), comms::Result::Ok);
    EXPECT_EQ(tool_->NextMessage(kReplyTimeoutMs), (Bytes{2, kTypeHardware, 7}));
}

TEST_F(DesksetSimProgram, FullDownloadArrivesIntactThroughCorruptedFrames)
{
    StartLinked({"--corrupt-frames", "0.01", "--seed", "5", "--log", File("corrupt.log").string()});
    ExchangeVersion();
    EXPECT_EQ(Download(), NewDatabaseImage());
    // The faults did happen: frames went out damaged and the tool's link refused them.
    EXPECT_NE(ReadText(File("corrupt.log")).find("flipped"), std::string::npos);
    EXPECT_GE(tool_->RefusedFrames(), 1);
}

TEST_F(DesksetSimProgram, FullDownloadArrivesIntactThroughFramesMissingAByte)
{
    StartLinked({"--drop", "0.01", "--seed", "5", "--log", File("drop.log").string()});
    ExchangeVersion();
    EXPECT_EQ(Download(), NewDatabaseImage());
    EXPECT_NE(ReadText(File("drop.log")).find("dropped"), std::string::npos);
    EXPECT_GE(tool_->RefusedFrames(), 1);
}

TEST_F(DesksetSimProgram, ServesTheImageFileAndKeepsACompletedUpload)
{
    Bytes image = NewDatabaseImage();
    for (size_t i = 16; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>(i * 7 + 3);
    std::ofstream(File("served.ddb"), std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), image.size());

    StartLinked({"--image", File("served.ddb").string(), "--save-upload", File("upload.ddb").string()});
    ExchangeVersion();
    EXPECT_EQ(Download(), image);

    const Bytes uploaded = NewDatabaseImage();
    Upload(uploaded);
    EXPECT_EQ(tool_->NextMessage(kReplyTimeoutMs), (Bytes{1, kTypeUploadComplete}));
    EXPECT_EQ(ReadBytes(File("upload.ddb")), uploaded);
    // The deskset now holds the uploaded database.
    EXPECT_EQ(Download(), uploaded);
}

TEST_F(DesksetSimProgram, FailUploadAnswersSixButStillSavesTheBlocks)
{
    StartLinked({"--fail-upload", "--save-upload", File("upload.ddb").string()});
    ExchangeVersion();
    const Bytes uploaded = NewDatabaseImage();
    Upload(uploaded);
    EXPECT_EQ(tool_->NextMessage(kReplyTimeoutMs), (Bytes{1, kTypeUploadIncomplete}));
    EXPECT_EQ(ReadBytes(File("upload.ddb")), uploaded);
}

TEST_F(DesksetSimProgram, StopAfterSendsThatManyBlocksThenFallsSilent)
{
    StartLinked({"--stop-after", "10", "--log", File("stop.log").string()});
    ExchangeVersion();
    ASSERT_EQ(tool_->SendMessage(kTypeDownloadBlock, {0}), comms::Result::Ok);
    for (int block = 0; block < 10; ++block) {
        const Bytes message = tool_->NextMessage(kReplyTimeoutMs);
        ASSERT_GE(message.size(), 4u);
        EXPECT_EQ(message[1], kTypeDownloadBlock);
    }
    // The link stays quiet: the tool's next message is not even acknowledged.
    ASSERT_EQ(tool_->SendMessage(kTypeVersion), comms::Result::Ok);
    EXPECT_TRUE(tool_->NextMessage(2500).empty());
    const std::string log = ReadText(File("stop.log"));
    EXPECT_NE(log.find("ignored: silent"), std::string::npos) << log;
}

TEST_F(DesksetSimProgram, NoEndSendsEveryBlockButNoEndMessage)
{
    StartLinked({"--no-end"});
    ExchangeVersion();
    ASSERT_EQ(tool_->SendMessage(kTypeDownloadBlock, {0}), comms::Result::Ok);
    for (int block = 0; block < kBlockCount; ++block)
        ASSERT_FALSE(tool_->NextMessage(kReplyTimeoutMs).empty()) << block;
    EXPECT_TRUE(tool_->NextMessage(1000).empty());
    // The link itself is still up and answering.
    ASSERT_EQ(tool_->SendMessage(kTypeHardware), comms::Result::Ok);
    EXPECT_EQ(tool_->NextMessage(kReplyTimeoutMs), (Bytes{2, kTypeHardware, 0}));
}

TEST_F(DesksetSimProgram, SilentNeverAnswersTheLink)
{
    sim_ = std::make_unique<SimProcess>(
        std::vector<std::string>{"--silent", "--log", File("silent.log").string()});
    ASSERT_FALSE(sim_->PtyPath().empty());
    tool_ = std::make_unique<ToolNimb>();
    ASSERT_EQ(tool_->ConnectSerial("1 8 0 0 19200", sim_->PtyPath()), comms::Result::Ok);
    tool_->CallNow();
    EXPECT_FALSE(tool_->WaitForLink(2500));
    tool_.reset();
    // The tool's heartbeat reached the simulator, which ignored it.
    EXPECT_NE(ReadText(File("silent.log")).find("RX  03 00 00 D6 57  (ignored: silent)"), std::string::npos)
        << ReadText(File("silent.log"));
}

TEST_F(DesksetSimProgram, ANewSessionStartsWhenTheToolOpensThePortAgain)
{
    StartLinked({});
    ExchangeVersion();
    tool_->Disconnect();
    tool_ = std::make_unique<ToolNimb>();
    ASSERT_EQ(tool_->ConnectSerial("1 8 0 0 19200", sim_->PtyPath()), comms::Result::Ok);
    ASSERT_TRUE(tool_->WaitForLink(kLinkTimeoutMs)) << "the second session did not open";
    ExchangeVersion();
}

TEST_F(DesksetSimProgram, AToolThatReopensThePortAtOnceGetsAFreshLink)
{
    // Another holder of the port keeps it from hanging up between the tool's close and its
    // next open, as when the tool's connection attempt disconnects and connects at once; the
    // simulator sees the open itself and starts over, without waiting for its old link to
    // time out (the first heartbeat retransmission would come after 1800 ms).
    StartLinked({});
    const int keeper = ::open(sim_->PtyPath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(keeper, 0);
    ExchangeVersion();
    tool_->Disconnect();
    tool_ = std::make_unique<ToolNimb>();
    ASSERT_EQ(tool_->ConnectSerial("1 8 0 0 19200", sim_->PtyPath()), comms::Result::Ok);
    EXPECT_TRUE(tool_->WaitForLink(1500)) << "the old session's link answered instead";
    ExchangeVersion();
    ::close(keeper);
}

TEST_F(DesksetSimProgram, EveryOpeningOfTwentyInARowComesUpOnTheDesksetsCall)
{
    sim_ = std::make_unique<SimProcess>(std::vector<std::string>{"--log", File("openings.log").string()});
    ASSERT_FALSE(sim_->PtyPath().empty());
    constexpr int kOpenings = 20;
    for (int opening = 0; opening < kOpenings; ++opening) {
        tool_ = std::make_unique<ToolNimb>();
        RecordingSerial* recorder = nullptr;
        ASSERT_EQ(tool_->ConnectRecording(sim_->PtyPath(), &recorder), comms::Result::Ok);
        ASSERT_TRUE(tool_->WaitForLink(kLinkTimeoutMs)) << "opening " << opening;
        // The simulator called: the tool's first frame acknowledges the simulator's heartbeat
        // and the tool never sent one of its own.
        const std::vector<WireEvent> events = recorder->Events();
        const auto firstWrite =
            std::find_if(events.begin(), events.end(), [](const WireEvent& e) { return e.written; });
        ASSERT_NE(firstWrite, events.end());
        EXPECT_EQ(firstWrite->bytes.at(0), 0x02) << "opening " << opening;
        for (const WireEvent& e : events)
            EXPECT_FALSE(e.written && e.bytes.at(0) == 0x03) << "the tool called, opening " << opening;
        ExchangeVersion();
        tool_->Disconnect();
    }
    tool_.reset();
    sim_.reset();

    // The simulator's link came up once per opening and was never lost.
    const std::string log = ReadText(File("openings.log"));
    auto count = [&](const std::string& line) {
        int n = 0;
        for (size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("link up\n"), kOpenings) << log;
    EXPECT_EQ(count("link down\n"), 0) << log;
}

TEST_F(DesksetSimProgram, OnceEndsWhenTheToolClosesThePort)
{
    StartLinked({"--once"});
    ExchangeVersion();
    EXPECT_EQ(sim_->WaitForExit(200), -1) << "still serving while the port is open";
    tool_->Disconnect();
    EXPECT_EQ(sim_->WaitForExit(10000), 0);
}

} // namespace
} // namespace desksetsim::testing
