#include "comms/SocketLayer1.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "comms/FdIo.h"
#include "comms/Nimb.h"
#include "comms/ResultCodes.h"
#include "comms/Trace.h"
#include "comms/TransportCodes.h"
#include "comms/TransportTexts.h"
#include "comms/UniqueFd.h"

namespace comms {
namespace {

constexpr int kClientPollMs = 500;  // the client state machine's period
constexpr int kAcceptWaitMs = 1000; // a listening wait; Stop ends it at once
constexpr int kWriteTimeoutMs = 1000;

void SetNoDelay(int fd)
{
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

void SetPort(sockaddr_storage* address, int port)
{
    const uint16_t network = htons(static_cast<uint16_t>(port));
    if (address->ss_family == AF_INET6)
        reinterpret_cast<sockaddr_in6*>(address)->sin6_port = network;
    else
        reinterpret_cast<sockaddr_in*>(address)->sin_port = network;
}

// The address when host is one (IPv4, or also IPv6 for family AF_UNSPEC); false for a name.
bool SetPeer(const std::string& host, int port, int family, sockaddr_storage* address, socklen_t* length)
{
    *address = {};
    auto* v4 = reinterpret_cast<sockaddr_in*>(address);
    auto* v6 = reinterpret_cast<sockaddr_in6*>(address);
    if (::inet_pton(AF_INET, host.c_str(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        *length = sizeof(sockaddr_in);
    } else if (family == AF_UNSPEC && ::inet_pton(AF_INET6, host.c_str(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        *length = sizeof(sockaddr_in6);
    } else {
        *address = {};
        *length = 0;
        return false;
    }
    SetPort(address, port);
    return true;
}

} // namespace

std::string SocketLayer1::RemoveLeadingZeros(const std::string& dotted)
{
    std::string out;
    size_t start = 0;
    while (true) {
        const size_t end = dotted.find('.', start);
        std::string part = dotted.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const size_t firstNonZero = part.find_first_not_of('0');
        part = firstNonZero == std::string::npos ? (part.empty() ? part : "0") : part.substr(firstNonZero);
        out += part;
        if (end == std::string::npos)
            break;
        out += '.';
        start = end + 1;
    }
    return out;
}

SocketLayer1::SocketLayer1(const char* params, Result* ctorResult, int* acceptedSocket)
{
    if (acceptedSocket != nullptr) {
        // Taken over first, so that the socket is closed even when the text is refused.
        std::unique_ptr<int> holder(acceptedSocket);
        adopted_ = true;
        AttachConnected(*holder);
    }
    Result result = Parse(params);
    if (result == Result::Ok && !thread_.Usable())
        result = Result::WakeSignal;
    if (result != Result::Ok && result != Result::NoParamText)
        PostEvent(kEventMalformedParams);
    *ctorResult = result;
}

SocketLayer1::~SocketLayer1()
{
    Close();
}

Result SocketLayer1::Parse(const char* params)
{
    const auto words = SplitWords(params);
    if (words.empty())
        return Result::NoParamText;
    const std::string& mode = words[0];
    if (mode == "SERVER" || mode == "CONCURRENT_SERVER") {
        if (words.size() != 2)
            return Result::FieldCount;
        mode_ = mode == "SERVER" ? Mode::Server : Mode::ConcurrentServer;
        port_ = ParsePort(words[1]);
        return port_ < 0 ? Result::InvalidAddress : Result::Ok;
    }
    if (mode != "CLIENT")
        return Result::UnknownMode;
    if (words.size() != 4)
        return Result::FieldCount;
    if (words[1] != "SN" && words[1] != "IP")
        return Result::ClientKind;
    mode_ = Mode::Client;
    host_ = words[1] == "IP" ? RemoveLeadingZeros(words[2]) : words[2];
    port_ = ParsePort(words[3]);
    if (port_ < 0)
        return Result::InvalidAddress;
    peerKnown_ = SetPeer(host_, port_, words[1] == "IP" ? AF_INET : AF_UNSPEC, &peer_, &peerLength_);
    // A name is looked up later; an "IP" text must be a dotted address itself.
    if (words[1] == "IP" && !peerKnown_)
        return Result::InvalidAddress;
    return Result::Ok;
}

int SocketLayer1::Open()
{
    if (adopted_)
        return 0;
    if (mode_ == Mode::ConcurrentServer && owner_ == nullptr) {
        PostEvent(kEventNoOwner);
        return -1;
    }
    Close();
    const bool started = thread_.Start([this](ConnectionThread& thread) {
        if (mode_ == Mode::Client)
            RunClient(thread);
        else
            RunServer(thread);
    });
    if (!started) {
        PostEvent(kEventThreadFailed);
        return -1;
    }
    return 0;
}

void SocketLayer1::RunServer(ConnectionThread& thread)
{
    UniqueFd listener(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!listener.Valid()) {
        Fail(kEventSocketCallFailed, errno);
        return;
    }
    const linger noLinger{1, 0};
    const int on = 1;
    ::setsockopt(listener.Get(), SOL_SOCKET, SO_LINGER, &noLinger, sizeof noLinger);
    ::setsockopt(listener.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    any.sin_port = htons(static_cast<uint16_t>(port_));
    if (::bind(listener.Get(), reinterpret_cast<sockaddr*>(&any), sizeof any) != 0 ||
        ::listen(listener.Get(), 1) != 0) {
        Trace(texts::kSocketServerFailed);
        Fail(kEventSocketCallFailed, errno);
        return;
    }
    while (true) {
        const auto wait = thread.WaitFor(listener.Get(), POLLIN, kAcceptWaitMs);
        if (wait == ConnectionThread::Wait::Stopped)
            return;
        if (wait == ConnectionThread::Wait::Failed) {
            Fail(kEventAcceptFailed, errno);
            return;
        }
        if (wait == ConnectionThread::Wait::TimedOut)
            continue;
        const int fd = ::accept4(listener.Get(), nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR || errno == ECONNABORTED)
                continue;
            Fail(kEventAcceptFailed, errno);
            return;
        }
        if (mode_ == Mode::Server) {
            listener.Reset();
            AttachConnected(fd);
            return;
        }
        Trace(texts::kSocketClientAccepted);
        auto holder = std::make_unique<int>(fd);
        if (owner_->OnAccept(holder.get()) != 0)
            holder.release(); // the application took the socket and its holder
        else
            ::close(fd);
    }
}

bool SocketLayer1::LookUpHost()
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int error = ::getaddrinfo(host_.c_str(), nullptr, &hints, &found);
    if (error != 0 || found == nullptr || found->ai_addrlen > sizeof peer_) {
        if (found != nullptr)
            ::freeaddrinfo(found);
        PostEvent(kEventLookupFailed, error);
        return false;
    }
    peer_ = {};
    std::memcpy(&peer_, found->ai_addr, found->ai_addrlen);
    peerLength_ = found->ai_addrlen;
    SetPort(&peer_, port_);
    ::freeaddrinfo(found);
    return true;
}

void SocketLayer1::RunClient(ConnectionThread& thread)
{
    enum class State { LookUp, Connect, WaitConnected };
    State state = peerKnown_ ? State::Connect : State::LookUp;
    UniqueFd fd;
    while (!thread.StopRequested()) {
        switch (state) {
        case State::LookUp:
            if (LookUpHost()) {
                state = State::Connect;
                continue;
            }
            break;
        case State::Connect: {
            fd.Reset(::socket(peer_.ss_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
            if (!fd.Valid()) {
                PostEvent(kEventSocketCallFailed, errno);
                break;
            }
            if (::connect(fd.Get(), reinterpret_cast<sockaddr*>(&peer_), peerLength_) == 0) {
                AttachConnected(fd.Release());
                return;
            }
            if (errno == EINPROGRESS) {
                state = State::WaitConnected;
                continue;
            }
            PostEvent(kEventConnectFailed, errno);
            fd.Reset();
            break;
        }
        case State::WaitConnected: {
            const auto wait = thread.WaitFor(fd.Get(), POLLOUT, kClientPollMs);
            if (wait == ConnectionThread::Wait::Stopped)
                return;
            if (wait == ConnectionThread::Wait::TimedOut)
                continue;
            int error = errno;
            socklen_t size = sizeof error;
            if (wait == ConnectionThread::Wait::Ready)
                ::getsockopt(fd.Get(), SOL_SOCKET, SO_ERROR, &error, &size);
            if (wait == ConnectionThread::Wait::Ready && error == 0) {
                AttachConnected(fd.Release());
                return;
            }
            PostEvent(wait == ConnectionThread::Wait::Failed ? kEventPollFailed : kEventConnectFailed, error);
            fd.Reset();
            state = State::Connect;
            break;
        }
        }
        if (!thread.Pause(kClientPollMs))
            return;
    }
}

void SocketLayer1::AttachConnected(int fd)
{
    SetNonBlocking(fd);
    SetNoDelay(fd);
    dataFd_ = fd;
    attached_ = true;
    Trace(texts::kSocketConnected);
}

int SocketLayer1::BytesWaiting()
{
    if (!attached_)
        return 0;
    pollfd p{dataFd_.load(), POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN) != 0 ? 1 : 0;
}

int SocketLayer1::Read(uint8_t* buffer, int max)
{
    if (!attached_ || max <= 0)
        return 0;
    const ssize_t n = ::recv(dataFd_, buffer, max, MSG_DONTWAIT);
    if (n > 0)
        return static_cast<int>(n);
    if (n == 0) {
        Trace(texts::kSocketPeerClosed);
        broken = true;
        return -1;
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
        return 0;
    return Fail(kEventSocketCallFailed, errno);
}

int SocketLayer1::Write(const uint8_t* data, int length)
{
    if (!attached_ || length <= 0)
        return 0;
    const int written = WriteAll(dataFd_, data, length, kWriteTimeoutMs);
    return written < 0 ? Fail(kEventSocketCallFailed, -written) : written;
}

int SocketLayer1::Fail(int eventCode, int error)
{
    PostEvent(eventCode, error);
    broken = true;
    return -1;
}

void SocketLayer1::Close()
{
    thread_.Stop();
    CloseData();
}

void SocketLayer1::CloseData()
{
    attached_ = false;
    const int fd = dataFd_.exchange(-1);
    if (fd >= 0)
        ::close(fd);
}

} // namespace comms
