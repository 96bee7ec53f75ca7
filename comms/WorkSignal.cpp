#include "comms/WorkSignal.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <system_error>

namespace comms {

WakeFd::WakeFd() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (fd_ < 0)
        throw std::system_error(errno, std::generic_category(), "eventfd");
}

WakeFd::~WakeFd()
{
    ::close(fd_);
}

void WakeFd::Wake()
{
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(fd_, &one, sizeof one); // a full counter is awake anyway
}

void WakeFd::Drain()
{
    uint64_t count = 0;
    [[maybe_unused]] const ssize_t n = ::read(fd_, &count, sizeof count);
}

void WaitForInput(int transportFd, WakeFd& wake, int timeoutMs)
{
    pollfd fds[2] = {{wake.Fd(), POLLIN, 0}, {transportFd, POLLIN, 0}};
    const nfds_t count = transportFd >= 0 ? 2 : 1;
    if (::poll(fds, count, timeoutMs) > 0 && (fds[0].revents & POLLIN) != 0)
        wake.Drain();
}

void WaitForWake(WakeFd& wake, std::chrono::microseconds timeout)
{
    pollfd fd{wake.Fd(), POLLIN, 0};
    const auto us = std::max<int64_t>(0, timeout.count());
    const timespec wait{static_cast<time_t>(us / 1'000'000), static_cast<long>(us % 1'000'000) * 1000};
    if (::ppoll(&fd, 1, &wait, nullptr) > 0 && (fd.revents & POLLIN) != 0)
        wake.Drain();
}

std::chrono::microseconds LineTimeOfMissingBytes(int stillToCome, int waiting, int baudRate,
                                                 std::chrono::microseconds maxWait)
{
    constexpr int64_t kBitsPerByte = 10;
    const int missingButLast = stillToCome - std::max(0, waiting) - 1;
    if (missingButLast <= 0 || baudRate <= 0)
        return std::chrono::microseconds(0);
    const std::chrono::microseconds lineTime(missingButLast * kBitsPerByte * 1'000'000 / baudRate);
    return std::min(lineTime, maxWait);
}

} // namespace comms
