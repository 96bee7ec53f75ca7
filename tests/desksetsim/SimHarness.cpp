#include "SimHarness.h"

#include "comms/ResultCodes.h"
#include "database/NewDatabase.h"
#include "tests/support/ComDevice.h"
#include "tests/support/TiedChild.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

extern char** environ;

namespace desksetsim::testing {

namespace {

pid_t Spawn(const std::vector<std::string>& options, int outFd, int errFd)
{
    std::vector<std::string> args{DESKSETSIM_PATH};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid; // -1 when the fork failed
    trv::testsupport::DieWithParent(parent);
    if ((outFd >= 0 && ::dup2(outFd, STDOUT_FILENO) < 0) || (errFd >= 0 && ::dup2(errFd, STDERR_FILENO) < 0))
        ::_exit(127);
    ::execve(argv[0], argv.data(), environ);
    ::_exit(127);
}

// Reads from fd until end of file, waiting at most timeoutMs in all.
std::string ReadAll(int fd, int timeoutMs)
{
    std::string text;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[4096];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd in{fd, POLLIN, 0};
        if (left <= 0 || ::poll(&in, 1, static_cast<int>(left)) <= 0)
            break;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, static_cast<size_t>(n));
    }
    return text;
}

int WaitStatus(pid_t pid, int timeoutMs)
{
    // The child's end is awaited on its pidfd, so no time is spent polling.
    const int pidFd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (pidFd >= 0) {
        pollfd done{pidFd, POLLIN, 0};
        ::poll(&done, 1, timeoutMs);
        ::close(pidFd);
    }
    int status = 0;
    if (::waitpid(pid, &status, pidFd >= 0 ? WNOHANG : 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

SimProcess::SimProcess(const std::vector<std::string>& options)
{
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        return;
    std::vector<std::string> all;
    if (std::find(options.begin(), options.end(), "--device") == options.end())
        all.push_back("--pty");
    all.insert(all.end(), options.begin(), options.end());
    pid_ = Spawn(all, out[1], -1);
    ::close(out[1]);
    stdout_ = out[0];
    if (pid_ < 0)
        return;
    // The first line is "PTY <path>".
    std::string line;
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (line.find('\n') == std::string::npos && Clock::now() < deadline) {
        pollfd in{stdout_, POLLIN, 0};
        if (::poll(&in, 1, 100) <= 0)
            continue;
        char c[256];
        const ssize_t n = ::read(stdout_, c, sizeof c);
        if (n <= 0)
            break;
        line.append(c, static_cast<size_t>(n));
    }
    const size_t end = line.find('\n');
    const size_t blank = line.find(' ');
    if (end != std::string::npos && blank < end) {
        firstLine_ = line.substr(0, end);
        ptyPath_ = line.substr(blank + 1, end - blank - 1);
    }
}

SimProcess::~SimProcess()
{
    if (pid_ > 0 && exitStatus_ < 0) {
        ::kill(pid_, SIGTERM);
        if (WaitStatus(pid_, 10000) < 0) {
            ::kill(pid_, SIGKILL);
            WaitStatus(pid_, 10000);
        }
    }
    if (stdout_ >= 0)
        ::close(stdout_);
}

int SimProcess::WaitForExit(int timeoutMs)
{
    if (exitStatus_ < 0 && pid_ > 0)
        exitStatus_ = WaitStatus(pid_, timeoutMs);
    return exitStatus_;
}

CommandResult RunSimulator(const std::vector<std::string>& options)
{
    CommandResult result;
    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        return result;
    const pid_t pid = Spawn(options, out[1], err[1]);
    ::close(out[1]);
    ::close(err[1]);
    if (pid > 0) {
        result.out = ReadAll(out[0], 10000);
        result.err = ReadAll(err[0], 10000);
        result.status = WaitStatus(pid, 10000);
    }
    ::close(out[0]);
    ::close(err[0]);
    return result;
}

RecordingSerial::RecordingSerial(const std::string& devicePath)
    : serial_(devicePath, comms::SerialSettings{1, 8, comms::kParityNone, comms::kStopOne, 19200})
{
}

int RecordingSerial::Write(const uint8_t* data, int length)
{
    const int written = serial_.Write(data, length);
    std::lock_guard lock(mutex_);
    events_.push_back({Clock::now(), true, Bytes(data, data + std::max(0, written))});
    return written;
}

int RecordingSerial::Read(uint8_t* buffer, int max)
{
    const int count = serial_.Read(buffer, max);
    if (count > 0) {
        std::lock_guard lock(mutex_);
        events_.push_back({Clock::now(), false, Bytes(buffer, buffer + count)});
    }
    return count;
}

std::vector<WireEvent> RecordingSerial::Events() const
{
    std::lock_guard lock(mutex_);
    return events_;
}

ToolNimb::ToolNimb() : Nimb(250, clock_)
{
}

ToolNimb::~ToolNimb()
{
    Shutdown();
}

comms::Result ToolNimb::ConnectSerial(const std::string& params, const std::string& com1Device)
{
    SetLinkSettings(trv::testsupport::ComSettings(1, com1Device));
    return Connect(comms::kLayer2AckFrame, nullptr, comms::kLayer1Serial, params.c_str());
}

comms::Result ToolNimb::ConnectRecording(const std::string& devicePath, RecordingSerial** recorder)
{
    auto layer = std::make_unique<RecordingSerial>(devicePath);
    *recorder = layer.get();
    return Connect(comms::kLayer2AckFrame, nullptr, std::move(layer));
}

bool ToolNimb::WaitForLink(int timeoutMs)
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return up_; });
}

bool ToolNimb::WaitForDisconnect(int timeoutMs)
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return down_; });
}

Bytes ToolNimb::NextMessage(int timeoutMs)
{
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !received_.empty(); }))
        return {};
    Bytes message = std::move(received_.front());
    received_.pop_front();
    return message;
}

comms::Result ToolNimb::SendMessage(uint8_t type, const Bytes& data)
{
    Bytes message{static_cast<uint8_t>(1 + data.size()), type};
    message.insert(message.end(), data.begin(), data.end());
    return Send(message.data(), static_cast<int>(message.size()));
}

Clock::time_point ToolNimb::LastReceiveTime() const
{
    std::lock_guard lock(mutex_);
    return lastReceive_;
}

void ToolNimb::OnReceive(int length)
{
    Bytes message(static_cast<size_t>(std::max(length, 1)));
    int received = 0;
    if (Receive(message.data(), static_cast<int>(message.size()), &received) != comms::Result::Ok)
        return;
    message.resize(static_cast<size_t>(received));
    std::lock_guard lock(mutex_);
    lastReceive_ = Clock::now();
    received_.push_back(std::move(message));
    changed_.notify_all();
}

void ToolNimb::OnConnect()
{
    std::lock_guard lock(mutex_);
    up_ = true;
    changed_.notify_all();
}

void ToolNimb::OnDisconnect()
{
    std::lock_guard lock(mutex_);
    down_ = true;
    changed_.notify_all();
}

void ToolNimb::OnLinkNotify(int code)
{
    if (code == comms::kNotifyCrcFailed || code == comms::kNotifyFrameIncomplete)
        ++refusedFrames_;
}

Bytes NewDatabaseImage()
{
    trv::db::Image image{};
    trv::db::newDatabase(image);
    return Bytes(image.begin(), image.end());
}

} // namespace desksetsim::testing
