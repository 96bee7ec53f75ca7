#include "comms/SerialLayer1.h"

#include "comms/ResultCodes.h"
#include "comms/Trace.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace comms {

namespace {

// The driver queues the transport asks for; free room is counted against this size.
constexpr int kQueueSize = 1024;

// Bits per character on the wire besides the data bits (start, stop, parity), used only to
// bound how long a synchronous write may wait for the driver.
constexpr int kMaxFrameBits = 12;
// Extra time a write may wait beyond the frame's own line time before giving up.
constexpr int kWriteSlackMs = 1000;

constexpr const char* kOpenFailedTrace = "(SerialLayer1)  error: cannot open ";

// XON/XOFF characters of the software handshake.
constexpr cc_t kXon = 0x11;
constexpr cc_t kXoff = 0x13;

struct BaudEntry {
    int rate;
    speed_t code;
};

constexpr BaudEntry kBaudRates[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

bool BaudCode(int rate, speed_t* code)
{
    const auto* entry = std::find_if(std::begin(kBaudRates), std::end(kBaudRates),
                                     [rate](const BaudEntry& e) { return e.rate == rate; });
    if (entry == std::end(kBaudRates))
        return false;
    *code = entry->code;
    return true;
}

bool DataBitsFlag(int bits, tcflag_t* flag)
{
    switch (bits) {
    case 5:
        *flag = CS5;
        return true;
    case 6:
        *flag = CS6;
        return true;
    case 7:
        *flag = CS7;
        return true;
    case 8:
        *flag = CS8;
        return true;
    default:
        return false;
    }
}

bool ParityFlags(int parity, tcflag_t* flags)
{
    switch (parity) {
    case kParityNone:
        *flags = 0;
        return true;
    case kParityOdd:
        *flags = PARENB | PARODD;
        return true;
    case kParityEven:
        *flags = PARENB;
        return true;
    case kParityMark:
        *flags = PARENB | PARODD | CMSPAR;
        return true;
    case kParitySpace:
        *flags = PARENB | CMSPAR;
        return true;
    default:
        return false;
    }
}

bool StopBitsFlag(int stopBits, tcflag_t* flag)
{
    switch (stopBits) {
    case kStopOne:
        *flag = 0;
        return true;
    // termios has no one and a half stop bits; two is the nearest line that a receiver set
    // to one and a half still reads.
    case kStopOneAndHalf:
        *flag = CSTOPB;
        return true;
    case kStopTwo:
        *flag = CSTOPB;
        return true;
    default:
        return false;
    }
}

} // namespace

ParsedSerialSettings ParseSerialSettings(const char* text)
{
    ParsedSerialSettings result;
    SerialSettings read;
    // Five decimal numbers as "%d %d %d %d %d" reads them, except that a number too large for an
    // int is refused rather than left to the library (which scanf does not define).
    const char* at = text;
    for (int* field : {&read.port, &read.dataBits, &read.parity, &read.stopBits, &read.baudRate}) {
        if (at == nullptr)
            return result;
        char* end = nullptr;
        errno = 0;
        const long value = std::strtol(at, &end, 10);
        if (end == at || errno == ERANGE || value < INT_MIN || value > INT_MAX)
            return result;
        *field = static_cast<int>(value);
        at = end;
    }
    result.settings = read;
    result.complete = true;
    return result;
}

bool ApplyLineSettings(termios& tio, const SerialSettings& settings, int flowOptions)
{
    speed_t speed;
    tcflag_t size, parity, stop;
    if (!BaudCode(settings.baudRate, &speed) || !DataBitsFlag(settings.dataBits, &size) ||
        !ParityFlags(settings.parity, &parity) || !StopBitsFlag(settings.stopBits, &stop))
        return false;
    // termios offers no output handshake on DSR; such a line cannot be set up here.
    if (flowOptions & kFlowDsrDtr)
        return false;

    // Binary mode: no input or output translation, no line editing, no signals, no echo.
    // Received bytes are passed on unchanged (no break or error marking, no stripping).
    tio.c_iflag &=
        ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | IGNPAR);
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHOE | ECHOK | ECHONL | ICANON | ISIG | IEXTEN);
    // Modem status lines do not gate the port (no DSR or carrier sensitivity).
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    tio.c_cflag |= size | parity | stop | CREAD | CLOCAL;
    if (parity != 0)
        tio.c_iflag |= INPCK;
    else
        tio.c_iflag &= ~INPCK;

    if (flowOptions & kFlowCtsRts)
        tio.c_cflag |= CRTSCTS;
    if (flowOptions & kFlowXonXoff)
        tio.c_iflag |= IXON | IXOFF;
    tio.c_cc[VSTART] = kXon;
    tio.c_cc[VSTOP] = kXoff;

    // Reads only ever ask for bytes already waiting: return at once with what is there.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;

    return cfsetispeed(&tio, speed) == 0 && cfsetospeed(&tio, speed) == 0;
}

int OpenSerialDevice(const std::string& path, const SerialSettings& settings, int flowOptions)
{
    if (path.empty()) {
        errno = ENOENT;
        return -1;
    }
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    // Not shared: the advisory lock makes a second open fail even for a privileged user, and
    // TIOCEXCL keeps unprivileged programs that do not lock from opening the line at all.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
        const int error = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    // Input is waited for by polling the descriptor (no event mask is needed), the driver's
    // queues have the size they have (free room is counted against 1024 bytes), and reads
    // return at once with what is waiting (VMIN and VTIME 0): the time-outs are zero.
    termios tio{};
    bool accepted = ::tcgetattr(fd, &tio) == 0;
    if (accepted && !ApplyLineSettings(tio, settings, flowOptions)) {
        errno = EINVAL;
        accepted = false;
    }
    accepted = accepted && ::tcflush(fd, TCIOFLUSH) == 0 && ::tcsetattr(fd, TCSANOW, &tio) == 0;
    // tcsetattr succeeds when any change took effect: read back what the driver kept.
    termios kept{};
    if (accepted && (::tcgetattr(fd, &kept) != 0 || cfgetospeed(&kept) != cfgetospeed(&tio) ||
                     (kept.c_cflag & (CSIZE | PARENB | PARODD | CMSPAR | CSTOPB)) !=
                         (tio.c_cflag & (CSIZE | PARENB | PARODD | CMSPAR | CSTOPB)))) {
        errno = EINVAL;
        accepted = false;
    }
    if (!accepted) {
        const int error = errno;
        CloseSerialDevice(fd);
        errno = error;
        return -1;
    }
    // Without hardware handshaking DTR and RTS are held on. Ports without modem lines (a
    // pseudo-terminal) refuse the request, which does not matter to them.
    int lines = 0;
    if (!(flowOptions & kFlowCtsRts))
        lines |= TIOCM_RTS;
    if (!(flowOptions & kFlowDsrDtr))
        lines |= TIOCM_DTR;
    if (lines != 0)
        (void)::ioctl(fd, TIOCMBIS, &lines);
    // Whatever arrived while the settings changed is discarded as well.
    ::tcflush(fd, TCIOFLUSH);
    return fd;
}

void CloseSerialDevice(int fd)
{
    if (fd < 0)
        return;
    (void)::ioctl(fd, TIOCNXCL);
    ::flock(fd, LOCK_UN);
    ::close(fd);
}

SerialLayer1::SerialLayer1(const char* params, const LinkSettings& link)
{
    const ParsedSerialSettings parsed = ParseSerialSettings(params);
    settings_ = parsed.settings;
    if (!parsed.complete)
        PostEvent(kEventSerialDefaultsTaken);
    devicePath_ = link.ComDevice(settings_.port);
}

SerialLayer1::SerialLayer1(std::string devicePath, const SerialSettings& settings)
    : settings_(settings), devicePath_(std::move(devicePath))
{
}

SerialLayer1::~SerialLayer1()
{
    Close();
}

int SerialLayer1::FreeRoom()
{
    int queued = 0;
    if (fd_ < 0 || ::ioctl(fd_, TIOCOUTQ, &queued) != 0)
        return 0;
    return std::max(0, kQueueSize - queued);
}

int SerialLayer1::BytesWaiting()
{
    int waiting = 0;
    if (fd_ < 0 || ::ioctl(fd_, FIONREAD, &waiting) != 0)
        return 0;
    return waiting;
}

int SerialLayer1::Open()
{
    if (fd_ >= 0)
        return -1;
    fd_ = OpenSerialDevice(devicePath_, settings_, flowOptions_);
    if (fd_ < 0) {
        const int error = errno;
        Trace(std::string(kOpenFailedTrace) + devicePath_ + ": " + std::strerror(error) + "\n");
        // Kept for the caller, who tells the user why: the error of this open, nothing guessed.
        openFailure_ = DescribeOpenFailure(devicePath_, error);
        PostEvent(kEventPortOpenFailed);
        return -1;
    }
    openFailure_.reset();
    return 0;
}

void SerialLayer1::Close()
{
    CloseSerialDevice(fd_);
    fd_ = -1;
    hungUp_ = false;
}

int SerialLayer1::Write(const uint8_t* data, int length)
{
    if (fd_ < 0 || data == nullptr || length <= 0)
        return 0;
    // Synchronous: the whole frame goes to the driver before returning. The descriptor is
    // non-blocking, so a full output queue is waited out here, bounded by the frame's line
    // time so that a stalled line cannot hold the comm-link thread for ever.
    const int budgetMs = length * kMaxFrameBits * 1000 / std::max(1, settings_.baudRate) + kWriteSlackMs;
    int done = 0;
    int waitedMs = 0;
    while (done < length) {
        const ssize_t n = ::write(fd_, data + done, static_cast<size_t>(length - done));
        if (n > 0) {
            done += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            break;
        if (waitedMs >= budgetMs)
            break;
        pollfd out{fd_, POLLOUT, 0};
        constexpr int kWaitStepMs = 50;
        if (::poll(&out, 1, kWaitStepMs) < 0 && errno != EINTR)
            break;
        waitedMs += kWaitStepMs;
    }
    return done;
}

int SerialLayer1::Read(uint8_t* buffer, int max)
{
    if (fd_ < 0 || buffer == nullptr || max <= 0)
        return 0;
    const int wanted = std::min(BytesWaiting(), max);
    if (wanted <= 0) {
        if (!hungUp_) {
            pollfd line{fd_, 0, 0};
            if (::poll(&line, 1, 0) > 0 && (line.revents & (POLLHUP | POLLERR | POLLNVAL)))
                hungUp_ = true;
        }
        return 0;
    }
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, static_cast<size_t>(wanted));
        if (n >= 0)
            return static_cast<int>(n);
        if (errno != EINTR)
            return 0;
    }
}

} // namespace comms
