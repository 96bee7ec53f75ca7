#include "tools/desksetsim/LineRelay.h"

#include "tools/desksetsim/SimPort.h"
#include "tools/desksetsim/SimTexts.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

namespace desksetsim {

namespace {

constexpr size_t kChunk = 4096;
// Bytes the far end of the line does not take are lost beyond this many, as on a cable
// whose other end is not listening.
constexpr size_t kMaxQueued = 64 * 1024;

} // namespace

LineRelay::LineRelay(SimPort& port, int lineRate, Callbacks callbacks)
    : port_(port), callbacks_(std::move(callbacks)), toPort_{ByteTimeline(lineRate), {}, false},
      toLink_{ByteTimeline(lineRate), {}, false}
{
}

LineRelay::~LineRelay()
{
    Stop();
}

bool LineRelay::Start(std::string* error)
{
    wakeFd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeFd_ < 0) {
        *error = std::strerror(errno);
        return false;
    }
    thread_ = std::thread([this] { Run(); });
    return true;
}

void LineRelay::Stop()
{
    if (thread_.joinable()) {
        {
            std::lock_guard lock(mutex_);
            stopRequested_ = true;
        }
        Wake();
        thread_.join();
    }
    if (relayEnd_ >= 0)
        ::close(relayEnd_);
    relayEnd_ = -1;
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
    wakeFd_ = -1;
}

int LineRelay::OpenLink()
{
    if (!thread_.joinable())
        return -1;
    std::unique_lock lock(mutex_);
    linkRequested_ = true;
    Wake();
    served_.wait(lock, [this] { return !linkRequested_ || stopRequested_; });
    return linkRequested_ ? -1 : linkResult_;
}

void LineRelay::Wake()
{
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
}

void LineRelay::ServeRequests()
{
    std::lock_guard lock(mutex_);
    if (!linkRequested_)
        return;
    if (relayEnd_ >= 0)
        ::close(relayEnd_);
    relayEnd_ = -1;
    linkResult_ = -1;
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends) == 0) {
        relayEnd_ = ends[0];
        linkResult_ = ends[1];
    }
    // What the previous link left unsent is dropped. Bytes from the port wait for the new
    // link: a tool that reopened the port at once may already have sent its first frame.
    toPort_.bytes.clear();
    toPort_.timeline.Reset();
    toPort_.blocked = false;
    toLink_.blocked = false;
    linkStale_ = false;
    linkRequested_ = false;
    served_.notify_all();
}

void LineRelay::Accept(Direction& direction, const uint8_t* data, int length, SteadyTime now)
{
    for (int i = 0; i < length; ++i)
        direction.bytes.push_back({data[i], direction.timeline.Schedule(now)});
    while (direction.bytes.size() > kMaxQueued)
        direction.bytes.pop_front();
}

bool LineRelay::Deliver(Direction& direction, int fd, SteadyTime now)
{
    while (!direction.blocked && !direction.bytes.empty() && direction.bytes.front().due <= now) {
        uint8_t chunk[kChunk];
        size_t count = 0;
        while (count < kChunk && count < direction.bytes.size() && direction.bytes[count].due <= now) {
            chunk[count] = direction.bytes[count].value;
            ++count;
        }
        const ssize_t n = fd == relayEnd_ ? ::send(fd, chunk, count, MSG_NOSIGNAL | MSG_DONTWAIT)
                                          : ::write(fd, chunk, count);
        if (n > 0) {
            direction.bytes.erase(direction.bytes.begin(), direction.bytes.begin() + n);
            if (&direction == &toPort_)
                callPending_ = false;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            direction.blocked = true;
            break;
        }
        return false;
    }
    return true;
}

void LineRelay::ReadPort(short revents, SteadyTime now)
{
    bool hungUp = (revents & POLLHUP) != 0;
    if (revents & (POLLIN | POLLPRI | POLLHUP | POLLERR)) {
        uint8_t buffer[kChunk];
        for (;;) {
            const ssize_t n = ::read(port_.Fd(), buffer, sizeof buffer);
            if (n > 0) {
                const uint8_t* data = buffer;
                int count = static_cast<int>(n);
                if (port_.PacketMode()) {
                    if (buffer[0] != TIOCPKT_DATA) {
                        if (buffer[0] & (TIOCPKT_FLUSHREAD | TIOCPKT_FLUSHWRITE))
                            PortOpened();
                        continue;
                    }
                    ++data;
                    --count;
                }
                // The tool is there: from now on its closing the port shows as a hang-up.
                port_.ReleasePeerEnd();
                sessionActive_ = true;
                Accept(toLink_, data, count, now);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            // A serial port in raw mode with no minimum count reads 0 when empty; a hang-up
            // shows as POLLHUP or EIO.
            if (n < 0 && errno == EIO)
                hungUp = true;
            else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
                revents |= POLLERR;
            break;
        }
    }
    if (port_.IsPty() && hungUp) {
        // Nobody has the port open: keep it open ourselves so the hang-up clears.
        if (!port_.HoldPeerEnd()) {
            portUsable_ = false;
            callbacks_.failed(std::strerror(errno));
            return;
        }
        if (sessionActive_)
            EndSession(texts::kPeerClosed);
        return;
    }
    if (hungUp || (revents & (POLLERR | POLLNVAL))) {
        portUsable_ = false;
        callbacks_.failed(hungUp ? "hang-up" : std::strerror(errno != 0 ? errno : EIO));
    }
}

void LineRelay::PortOpened()
{
    port_.ReleasePeerEnd();
    // Opened again without a hang-up between (closed and reopened at once): the old session
    // is over all the same.
    const bool endedSession = sessionActive_;
    // A further flush of the same opening, before the link opened for it wrote anything,
    // takes nothing away from that link.
    if (!endedSession && callPending_)
        return;
    // Otherwise what the current link wrote may have been discarded by the tool: it is
    // replaced by a link that calls after this flush.
    RetireLink();
    sessionActive_ = false;
    callPending_ = true;
    callbacks_.portOpened(endedSession);
}

void LineRelay::EndSession(const char* reason)
{
    RetireLink();
    sessionActive_ = false;
    callPending_ = false;
    callbacks_.sessionEnded(reason);
}

void LineRelay::RetireLink()
{
    // The session's bytes in both directions are over, and nothing more goes between the port
    // and the current link: bytes from the port wait for the next one.
    toPort_.bytes.clear();
    toPort_.blocked = false;
    toLink_.bytes.clear();
    linkStale_ = true;
}

void LineRelay::ReadLink(SteadyTime now)
{
    uint8_t buffer[kChunk];
    for (;;) {
        const ssize_t n = ::recv(relayEnd_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n > 0) {
            // A retired link's frames belong to a session that is over.
            if (!linkStale_)
                Accept(toPort_, buffer, static_cast<int>(n), now);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        // The link's transport closed its end (the connection was torn down); bytes from
        // the port wait for the next link.
        ::close(relayEnd_);
        relayEnd_ = -1;
        toLink_.blocked = false;
        return;
    }
}

void LineRelay::Run()
{
    Relay();
    // However the loop ended, nobody may wait for it any more.
    std::lock_guard lock(mutex_);
    stopRequested_ = true;
    served_.notify_all();
}

void LineRelay::Relay()
{
    for (;;) {
        ServeRequests();
        {
            std::lock_guard lock(mutex_);
            if (stopRequested_)
                return;
        }
        SteadyTime now = std::chrono::steady_clock::now();
        if (portUsable_ && !Deliver(toPort_, port_.Fd(), now)) {
            portUsable_ = false;
            callbacks_.failed(std::strerror(errno));
        }
        const bool linkUsable = relayEnd_ >= 0 && !linkStale_;
        if (linkUsable && !Deliver(toLink_, relayEnd_, now))
            toLink_.bytes.clear(); // the link end is going away; ReadLink closes it

        // Sleep until a byte is due, the link or the port has something, or a request comes.
        std::optional<SteadyTime> next;
        auto consider = [&](const Direction& d, bool usable) {
            if (usable && !d.blocked && !d.bytes.empty())
                next = next ? std::min(*next, d.bytes.front().due) : d.bytes.front().due;
        };
        consider(toPort_, portUsable_);
        consider(toLink_, linkUsable);

        pollfd fds[3];
        nfds_t count = 0;
        fds[count++] = {wakeFd_, POLLIN, 0};
        const nfds_t portIndex = portUsable_ ? count++ : 0;
        if (portUsable_)
            fds[portIndex] = {port_.Fd(),
                              static_cast<short>(POLLIN | POLLPRI | (toPort_.blocked ? POLLOUT : 0)), 0};
        const nfds_t linkIndex = relayEnd_ >= 0 ? count++ : 0;
        if (relayEnd_ >= 0)
            fds[linkIndex] = {relayEnd_, static_cast<short>(POLLIN | (toLink_.blocked ? POLLOUT : 0)), 0};

        timespec timeout{};
        timespec* wait = nullptr;
        if (next) {
            const auto left = std::max(Nanoseconds(0), std::chrono::duration_cast<Nanoseconds>(*next - now));
            timeout.tv_sec = static_cast<time_t>(left.count() / 1'000'000'000);
            timeout.tv_nsec = static_cast<long>(left.count() % 1'000'000'000);
            wait = &timeout;
        }
        if (::ppoll(fds, count, wait, nullptr) < 0) {
            if (errno == EINTR)
                continue;
            callbacks_.failed(std::strerror(errno));
            return;
        }
        now = std::chrono::steady_clock::now();
        if (fds[0].revents & POLLIN) {
            uint64_t pulses = 0;
            [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &pulses, sizeof pulses);
        }
        if (portUsable_ && fds[portIndex].revents != 0) {
            if (fds[portIndex].revents & POLLOUT)
                toPort_.blocked = false;
            ReadPort(fds[portIndex].revents, now);
        }
        if (relayEnd_ >= 0 && linkIndex != 0 && fds[linkIndex].revents != 0) {
            if (fds[linkIndex].revents & POLLOUT)
                toLink_.blocked = false;
            ReadLink(now);
        }
    }
}

} // namespace desksetsim
