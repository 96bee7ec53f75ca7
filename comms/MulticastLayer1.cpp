#include "comms/MulticastLayer1.h"

#include <arpa/inet.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "comms/FdIo.h"
#include "comms/ResultCodes.h"
#include "comms/Trace.h"
#include "comms/TransportCodes.h"
#include "comms/TransportTexts.h"

namespace comms {

MulticastLayer1::MulticastLayer1(const char* params, Result* ctorResult, int* acceptedSocket)
{
    if (acceptedSocket != nullptr) {
        std::unique_ptr<int> holder(acceptedSocket);
        adopted_ = true;
        receive_.Reset(*holder);
        SetNonBlocking(receive_.Get());
        receiveFd_ = receive_.Get();
        joined_ = true;
    }
    const Result result = Parse(params);
    if (result != Result::Ok && result != Result::NoParamText)
        PostEvent(kEventMalformedParams);
    *ctorResult = result;
}

MulticastLayer1::~MulticastLayer1()
{
    Close();
}

Result MulticastLayer1::Parse(const char* params)
{
    const auto words = SplitWords(params);
    if (words.empty())
        return Result::NoParamText;
    if (words[0] != "MULTICAST_MEMBER")
        return Result::UnknownMode;
    if (words.size() != 3)
        return Result::FieldCount;
    group_ = words[1];
    port_ = ParsePort(words[2]);
    groupAddress_.sin_family = AF_INET;
    if (port_ < 0 || ::inet_pton(AF_INET, group_.c_str(), &groupAddress_.sin_addr) != 1 ||
        !IN_MULTICAST(ntohl(groupAddress_.sin_addr.s_addr)))
        return Result::InvalidAddress;
    groupAddress_.sin_port = htons(static_cast<uint16_t>(port_));
    return Result::Ok;
}

int MulticastLayer1::Open()
{
    if (adopted_)
        return 0;
    Close();

    UniqueFd receive(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!receive.Valid()) {
        PostEvent(kEventSocketCallFailed, errno);
        return -1;
    }
    const int on = 1;
    ::setsockopt(receive.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    any.sin_port = groupAddress_.sin_port;
    if (::bind(receive.Get(), reinterpret_cast<sockaddr*>(&any), sizeof any) != 0) {
        PostEvent(kEventSocketCallFailed, errno);
        return -1;
    }
    const ip_mreq membership{groupAddress_.sin_addr, {htonl(INADDR_ANY)}};
    if (::setsockopt(receive.Get(), IPPROTO_IP, IP_ADD_MEMBERSHIP, &membership, sizeof membership) != 0) {
        PostEvent(kEventJoinFailed, errno);
        return -1;
    }

    UniqueFd send(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!send.Valid()) {
        PostEvent(kEventSocketCallFailed, errno);
        return -1;
    }
    const unsigned char ttl = 1;
    if (::setsockopt(send.Get(), IPPROTO_IP, IP_MULTICAST_TTL, &ttl, sizeof ttl) != 0)
        PostEvent(kEventTtlFailed, errno);
    const unsigned char loop = keepLoopback_ ? 1 : 0;
    const bool loopOff =
        ::setsockopt(send.Get(), IPPROTO_IP, IP_MULTICAST_LOOP, &loop, sizeof loop) == 0 && loop == 0;

    receive_ = std::move(receive);
    send_ = std::move(send);
    member_ = true;
    if (!loopOff)
        NoteOwnAddress();
    receiveFd_ = receive_.Get();
    joined_ = true;
    return 0;
}

void MulticastLayer1::NoteOwnAddress()
{
    // Connecting a datagram socket fixes the source address and port the kernel will use;
    // those are what the other members (and our own receiving socket) see as the sender.
    socklen_t size = sizeof own_;
    ownNoted_ = ::connect(send_.Get(), reinterpret_cast<const sockaddr*>(&groupAddress_),
                          sizeof groupAddress_) == 0 &&
                ::getsockname(send_.Get(), reinterpret_cast<sockaddr*>(&own_), &size) == 0;
}

void MulticastLayer1::Drain()
{
    uint8_t datagram[kMaxDatagram];
    while (receive_.Valid()) {
        sockaddr_in from{};
        socklen_t size = sizeof from;
        const ssize_t n = ::recvfrom(receive_.Get(), datagram, sizeof datagram, MSG_DONTWAIT | MSG_TRUNC,
                                     reinterpret_cast<sockaddr*>(&from), &size);
        if (n < 0) {
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
                PostEvent(kEventSocketCallFailed, errno);
            return;
        }
        if (ownNoted_ && from.sin_addr.s_addr == own_.sin_addr.s_addr && from.sin_port == own_.sin_port)
            continue;
        if (n > kMaxDatagram)
            Trace(texts::kMulticastOversized);
        if (queue_.size() >= kMaxQueued) {
            Trace(texts::kMulticastQueueFull);
            continue;
        }
        queue_.emplace_back(datagram, datagram + std::min<ssize_t>(n, kMaxDatagram));
    }
}

int MulticastLayer1::BytesWaiting()
{
    if (!joined_)
        return 0;
    Drain();
    return queue_.empty() ? 0 : 1;
}

int MulticastLayer1::Read(uint8_t* buffer, int max)
{
    if (!joined_ || max <= 0)
        return 0;
    Drain();
    if (queue_.empty())
        return 0;
    const std::vector<uint8_t>& oldest = queue_.front();
    const size_t count = std::min(static_cast<size_t>(max), oldest.size() - headOffset_);
    std::memcpy(buffer, oldest.data() + headOffset_, count);
    headOffset_ += count;
    if (headOffset_ == oldest.size()) {
        queue_.pop_front();
        headOffset_ = 0;
    }
    return static_cast<int>(count);
}

int MulticastLayer1::Write(const uint8_t* data, int length)
{
    if (!joined_ || length <= 0)
        return 0;
    const int fd = send_.Valid() ? send_.Get() : receive_.Get();
    const ssize_t n = ::sendto(fd, data, std::min(length, kMaxDatagram), MSG_DONTWAIT | MSG_NOSIGNAL,
                               reinterpret_cast<const sockaddr*>(&groupAddress_), sizeof groupAddress_);
    if (n < 0) {
        PostEvent(kEventSocketCallFailed, errno);
        return 0;
    }
    return static_cast<int>(n);
}

void MulticastLayer1::LeaveGroup()
{
    if (!member_)
        return;
    member_ = false;
    const ip_mreq membership{groupAddress_.sin_addr, {htonl(INADDR_ANY)}};
    if (::setsockopt(receive_.Get(), IPPROTO_IP, IP_DROP_MEMBERSHIP, &membership, sizeof membership) != 0)
        PostEvent(kEventLeaveFailed, errno);
}

void MulticastLayer1::Close()
{
    joined_ = false;
    receiveFd_ = -1;
    LeaveGroup();
    receive_.Reset();
    send_.Reset();
    ownNoted_ = false;
    queue_.clear();
    headOffset_ = 0;
}

} // namespace comms
