#include "comms/WorkSignal.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
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

} // namespace comms
