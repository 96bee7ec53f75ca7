#include "tools/desksetsim/DesksetLayer1.h"

#include "comms/FdIo.h"
#include "tools/desksetsim/WireTap.h"

#include <linux/sockios.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace desksetsim {

namespace {

// The driver queue size a serial port reports its free room against.
constexpr int kQueueSize = 1024;
// A frame goes to the relay at once; this only bounds a wait for a relay that stopped reading.
constexpr int kWriteTimeoutMs = 1000;

} // namespace

DesksetLayer1::DesksetLayer1(int fd, int baudRate, WireTap& tap) : fd_(fd), baudRate_(baudRate), tap_(tap)
{
}

DesksetLayer1::~DesksetLayer1()
{
    Close();
}

void DesksetLayer1::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

int DesksetLayer1::FreeRoom()
{
    int queued = 0;
    if (fd_ < 0 || ::ioctl(fd_, SIOCOUTQ, &queued) != 0)
        return 0;
    return std::max(0, kQueueSize - queued);
}

int DesksetLayer1::BytesWaiting()
{
    if (fd_ < 0)
        return 0;
    return std::max(0, comms::PendingBytes(fd_));
}

int DesksetLayer1::Write(const uint8_t* data, int length)
{
    if (fd_ < 0 || data == nullptr || length <= 0)
        return 0;
    const std::vector<uint8_t> wire = tap_.Outgoing(data, length);
    if (!wire.empty() &&
        comms::WriteAll(fd_, wire.data(), static_cast<int>(wire.size()), kWriteTimeoutMs) < 0) {
        broken = true;
        return -1;
    }
    // Faults and silence are the line's doing: the link wrote the whole frame.
    return length;
}

int DesksetLayer1::Read(uint8_t* buffer, int max)
{
    if (fd_ < 0 || buffer == nullptr || max <= 0)
        return 0;
    for (;;) {
        const ssize_t n = ::recv(fd_, buffer, static_cast<size_t>(max), MSG_DONTWAIT);
        if (n > 0)
            return tap_.Incoming(buffer, static_cast<int>(n)) ? static_cast<int>(n) : 0;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return 0;
        broken = true; // the relay went away
        return -1;
    }
}

} // namespace desksetsim
