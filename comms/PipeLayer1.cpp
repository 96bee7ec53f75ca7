#include "comms/PipeLayer1.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "comms/FdIo.h"
#include "comms/Trace.h"
#include "comms/TransportCodes.h"
#include "comms/TransportTexts.h"

namespace comms {
namespace {

constexpr int kClientRetryMs = 100;
constexpr int kServerWaitStepMs = 100;
constexpr int kWriteTimeoutMs = 1000; // the pipe's default time-out

std::string PipeFolder()
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != '\0')
        return std::string(runtime) + "/trv-pipes";
    return "/tmp/trv-pipes-" + std::to_string(::getuid());
}

bool FillAddress(const std::string& path, sockaddr_un* address)
{
    std::memset(address, 0, sizeof *address);
    address->sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address->sun_path)
        return false;
    std::memcpy(address->sun_path, path.c_str(), path.size() + 1);
    return true;
}

// The pipe folder must be a directory of this user that nobody else can write to, or another
// user could stand in for a server.
bool FolderIsOurs(const std::string& folder)
{
    struct stat info;
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
           (info.st_mode & 077) == 0;
}

// A new stream socket connected to path, or -1 with errno set.
int ConnectTo(const std::string& path)
{
    sockaddr_un address;
    if (!FillAddress(path, &address))
        return -1;
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!fd.Valid())
        return -1;
    if (::connect(fd.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        return -1;
    return fd.Release();
}

} // namespace

std::string PipeLayer1::SocketPathFor(const std::string& pipeName)
{
    if (pipeName.size() < 3 || pipeName[0] != '\\' || pipeName[1] != '\\')
        return {};
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string file;
    for (char c : pipeName.substr(2)) {
        const auto byte = static_cast<unsigned char>(c);
        const char lower = static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte);
        const bool plain = (lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9') || lower == '.' ||
                           lower == '_' || lower == '-';
        if (plain) {
            file += lower;
        } else {
            file += '%';
            file += kHex[byte >> 4];
            file += kHex[byte & 0x0F];
        }
    }
    std::string path = PipeFolder() + "/" + file;
    if (path.size() >= sizeof(sockaddr_un{}.sun_path))
        return {};
    return path;
}

PipeLayer1::PipeLayer1(const char* params)
{
    const auto words = SplitWords(params);
    if (words.size() != 2 || (words[0] != "SERVER" && words[0] != "CLIENT")) {
        PostEvent(kEventMalformedParams);
        return;
    }
    path_ = SocketPathFor(words[1]);
    if (path_.empty()) {
        Trace(words[1].size() > 2 && words[1].starts_with("\\\\") ? texts::kPipeNameTooLong
                                                                  : texts::kPipeBadName);
        return;
    }
    role_ = words[0] == "SERVER" ? Role::Server : Role::Client;
}

PipeLayer1::~PipeLayer1()
{
    Close();
}

int PipeLayer1::Open()
{
    if (path_.empty() || thread_.Running() || dataFd_ >= 0)
        return -1;
    if (role_ == Role::Server) {
        const std::string folder = path_.substr(0, path_.rfind('/'));
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            return -1;
        if (!FolderIsOurs(folder)) {
            Trace(texts::kPipeFolderUnsafe);
            return -1;
        }
        // A path left by a server that ended without closing is removed; a live one is not.
        if (UniqueFd probe(ConnectTo(path_)); probe.Valid()) {
            Trace(texts::kPipeInUse);
            return -1;
        }
        ::unlink(path_.c_str());
        sockaddr_un address;
        FillAddress(path_, &address);
        UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
        if (!fd.Valid() || ::bind(fd.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(fd.Get(), SOMAXCONN) != 0)
            return -1;
        listen_ = std::move(fd);
    }
    const bool started = thread_.Start([this](ConnectionThread& thread) {
        if (role_ == Role::Server)
            ServeOneClient(thread);
        else
            LookForServer(thread);
    });
    if (!started) {
        StopListening();
        return -1;
    }
    return 0;
}

void PipeLayer1::ServeOneClient(ConnectionThread& thread)
{
    bool logged = false;
    while (!thread.StopRequested()) {
        const int fd = ::accept4(listen_.Get(), nullptr, nullptr, SOCK_CLOEXEC);
        if (fd >= 0) {
            // One client per server end: the name is released at once, as a busy pipe would be.
            StopListening();
            Attach(fd);
            return;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR && errno != ECONNABORTED) {
            Fail(errno);
            return;
        }
        if (!logged) {
            Trace(texts::kPipeIoPending);
            logged = true;
        }
        if (thread.WaitFor(listen_.Get(), POLLIN, kServerWaitStepMs) == ConnectionThread::Wait::Stopped)
            return;
    }
}

void PipeLayer1::LookForServer(ConnectionThread& thread)
{
    const std::string folder = path_.substr(0, path_.rfind('/'));
    do {
        const int fd = FolderIsOurs(folder) ? ConnectTo(path_) : -1;
        if (fd >= 0) {
            Attach(fd);
            return;
        }
    } while (thread.Pause(kClientRetryMs));
}

void PipeLayer1::Attach(int fd)
{
    SetNonBlocking(fd);
    dataFd_ = fd;
    attached_ = true;
    Trace(texts::kPipeConnected);
}

int PipeLayer1::BytesWaiting()
{
    if (!attached_)
        return 0;
    return std::max(PendingBytes(dataFd_), 0);
}

int PipeLayer1::Read(uint8_t* buffer, int max)
{
    if (!attached_ || max <= 0)
        return 0;
    const int fd = dataFd_;
    const int pending = PendingBytes(fd);
    if (pending < 0)
        return Fail(-pending);
    // With nothing pending the receive still tells an empty pipe (EAGAIN) from a closed one (0);
    // bytes that arrived since the query are taken as well.
    const ssize_t n = ::recv(fd, buffer, pending > 0 ? std::min(pending, max) : max, MSG_DONTWAIT);
    if (n > 0)
        return static_cast<int>(n);
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
        return 0;
    return Fail(n == 0 ? EPIPE : errno);
}

int PipeLayer1::Write(const uint8_t* data, int length)
{
    if (!attached_ || length <= 0)
        return 0;
    const int written = WriteAll(dataFd_, data, length, kWriteTimeoutMs);
    return written < 0 ? Fail(-written) : written;
}

int PipeLayer1::Fail(int error)
{
    Trace(texts::kPipeFailed);
    CloseData();
    PostEvent(kEventPipeFailed, error);
    broken = true;
    return -1;
}

void PipeLayer1::Close()
{
    thread_.Stop();
    StopListening();
    CloseData();
}

void PipeLayer1::CloseData()
{
    attached_ = false;
    const int fd = dataFd_.exchange(-1);
    if (fd >= 0) {
        ::shutdown(fd, SHUT_RDWR);
        ::close(fd);
    }
}

void PipeLayer1::StopListening()
{
    if (!listen_.Valid())
        return;
    listen_.Reset();
    ::unlink(path_.c_str());
}

} // namespace comms
