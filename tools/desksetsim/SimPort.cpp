#include "tools/desksetsim/SimPort.h"

#include "comms/SerialLayer1.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace desksetsim {

SimPort::~SimPort()
{
    ReleasePeerEnd();
    if (isPty_)
        ::close(fd_);
    else
        comms::CloseSerialDevice(fd_);
}

std::unique_ptr<SimPort> SimPort::CreatePty(std::string* error)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        *error = std::strerror(errno);
        if (master >= 0)
            ::close(master);
        return nullptr;
    }
    char name[128];
    if (::ptsname_r(master, name, sizeof name) != 0) {
        *error = std::strerror(errno);
        ::close(master);
        return nullptr;
    }
    int packetMode = 1;
    if (::ioctl(master, TIOCPKT, &packetMode) != 0) {
        *error = std::strerror(errno);
        ::close(master);
        return nullptr;
    }
    std::unique_ptr<SimPort> port(new SimPort(master, name, true));
    if (!port->HoldPeerEnd()) {
        *error = std::strerror(errno);
        return nullptr;
    }
    return port;
}

std::unique_ptr<SimPort> SimPort::OpenDevice(const std::string& path, int baudRate, std::string* error)
{
    const comms::SerialSettings settings{1, 8, comms::kParityNone, comms::kStopOne, baudRate};
    const int fd = comms::OpenSerialDevice(path, settings, 0);
    if (fd < 0) {
        *error = std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<SimPort>(new SimPort(fd, path, false));
}

bool SimPort::HoldPeerEnd()
{
    if (!isPty_)
        return false;
    if (heldPeer_ >= 0)
        return true;
    const int peer = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (peer < 0)
        return false;
    termios tio{};
    if (::tcgetattr(peer, &tio) == 0) {
        ::cfmakeraw(&tio);
        tio.c_cc[VMIN] = 0;
        tio.c_cc[VTIME] = 0;
        ::tcsetattr(peer, TCSANOW, &tio);
    }
    // No flush here: the master would take it for a tool opening the port.
    heldPeer_ = peer;
    return true;
}

void SimPort::ReleasePeerEnd()
{
    if (heldPeer_ >= 0) {
        ::close(heldPeer_);
        heldPeer_ = -1;
    }
}

} // namespace desksetsim
