#include "comms/ConnectionThread.h"

#include <poll.h>
#include <sys/eventfd.h>

#include <cerrno>
#include <cstdint>

namespace comms {

ConnectionThread::ConnectionThread() : wake_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

ConnectionThread::~ConnectionThread()
{
    Stop();
}

bool ConnectionThread::Start(std::function<void(ConnectionThread&)> body)
{
    if (!Usable() || thread_.joinable())
        return false;
    stop_ = false;
    uint64_t drained = 0;
    while (::read(wake_.Get(), &drained, sizeof drained) > 0) {
    }
    try {
        thread_ = std::thread([this, body = std::move(body)] { body(*this); });
    } catch (...) {
        return false;
    }
    return true;
}

void ConnectionThread::Stop()
{
    stop_ = true;
    if (wake_.Valid()) {
        const uint64_t one = 1;
        (void)::write(wake_.Get(), &one, sizeof one);
    }
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
}

ConnectionThread::Wait ConnectionThread::WaitFor(int fd, short events, int timeoutMs)
{
    if (stop_)
        return Wait::Stopped;
    pollfd fds[2] = {{wake_.Get(), POLLIN, 0}, {fd, events, 0}};
    const nfds_t count = fd >= 0 ? 2 : 1;
    int ready;
    do {
        ready = ::poll(fds, count, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    if (stop_)
        return Wait::Stopped;
    if (ready < 0)
        return Wait::Failed;
    if (ready == 0)
        return Wait::TimedOut;
    return fds[1].revents != 0 ? Wait::Ready : Wait::TimedOut;
}

} // namespace comms
