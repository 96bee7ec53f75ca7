// Test harness for the simulator as a program: a desksetsim process on a pseudo-terminal,
// and the tool's side of the link (a Nimb over the serial transport) with a record of what
// arrives and when.
#pragma once

#include "comms/Clock.h"
#include "comms/Layer1.h"
#include "comms/Nimb.h"
#include "comms/SerialLayer1.h"

#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace desksetsim::testing {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

// A desksetsim process started with the given options (and --pty unless they name a
// --device); stopped with SIGTERM, and killed when the process that started it dies.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& options);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The port the simulator announced on its first line ("PTY <path>" or "DEVICE <path>");
    // empty when it did not start.
    const std::string& PtyPath() const { return ptyPath_; }
    const std::string& FirstLine() const { return firstLine_; }
    pid_t Pid() const { return pid_; }
    // Waits for the process to end on its own (at most timeoutMs); returns its exit status
    // or -1 when it is still running.
    int WaitForExit(int timeoutMs);

private:
    pid_t pid_ = -1;
    int stdout_ = -1;
    std::string ptyPath_;
    std::string firstLine_;
    int exitStatus_ = -1;
};

// Runs a command line of desksetsim to its end; returns the exit status and the output.
struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};
CommandResult RunSimulator(const std::vector<std::string>& options);

// Steady time plus a jump: the tool's link timers read it, so a test can let the first
// heartbeat (due 3000 ms after the link is built) go at once without waiting for it.
class JumpClock final : public comms::Clock {
public:
    uint32_t NowMs() const override { return comms::SystemClock().NowMs() + offset_.load(); }
    void Jump(uint32_t ms) { offset_ += ms; }

private:
    std::atomic<uint32_t> offset_{0};
};

// One read or write of the tool's transport, with its time.
struct WireEvent {
    Clock::time_point time;
    bool written; // false: read
    Bytes bytes;
};

// The serial transport with a timed record of every read and write.
class RecordingSerial final : public comms::Layer1 {
public:
    explicit RecordingSerial(const std::string& devicePath);

    int IsAttached() override { return serial_.IsAttached(); }
    int BaudRate() override { return serial_.BaudRate(); }
    int FreeRoom() override { return serial_.FreeRoom(); }
    int BytesWaiting() override { return serial_.BytesWaiting(); }
    int Open() override { return serial_.Open(); }
    void Close() override { serial_.Close(); }
    int Write(const uint8_t* data, int length) override;
    int Read(uint8_t* buffer, int max) override;
    int PollFd() const override { return serial_.PollFd(); }

    std::vector<WireEvent> Events() const;

private:
    comms::SerialLayer1 serial_;
    mutable std::mutex mutex_;
    std::vector<WireEvent> events_;
};

// The tool's end: a Nimb that queues what it receives and counts link notifications.
class ToolNimb final : public comms::Nimb {
public:
    ToolNimb();
    ~ToolNimb() override;

    // Connects over the serial transport with the port text, e.g. "1 8 0 0 19200". The link
    // opens when the simulator calls, as it does as soon as it sees the port opened.
    // Serial transport, COM1 standing for com1Device.
    comms::Result ConnectSerial(const std::string& params, const std::string& com1Device);
    // Same over a recording transport on a device path.
    comms::Result ConnectRecording(const std::string& devicePath, RecordingSerial** recorder);
    // Lets the tool's first heartbeat go at once instead of 3000 ms after Connect.
    void CallNow() { clock_.Jump(3000); }

    bool WaitForLink(int timeoutMs);
    bool WaitForDisconnect(int timeoutMs);
    // The next received message, waiting at most timeoutMs; empty when none came.
    Bytes NextMessage(int timeoutMs);
    // Sends [1 + data][type][data].
    comms::Result SendMessage(uint8_t type, const Bytes& data = {});
    // Frames the link refused: failed check sums and frames that did not complete.
    int RefusedFrames() const { return refusedFrames_.load(); }
    Clock::time_point LastReceiveTime() const;

protected:
    void OnReceive(int length) override;
    void OnConnect() override;
    void OnDisconnect() override;
    void OnLinkNotify(int code) override;

private:
    JumpClock clock_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool up_ = false;
    bool down_ = false;
    std::deque<Bytes> received_;
    Clock::time_point lastReceive_{};
    std::atomic<int> refusedFrames_{0};
};

// The 16384-byte image of a new database.
Bytes NewDatabaseImage();

} // namespace desksetsim::testing
