#include "TcpRelay.h"

#include "comms/SerialLayer1.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace trv::transfer::testing {

TcpRelay::TcpRelay(std::string devicePath, bool ipv6) : devicePath_(std::move(devicePath))
{
    listener_ = ::socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_storage address{};
    socklen_t size = 0;
    if (ipv6) {
        auto& v6 = reinterpret_cast<sockaddr_in6&>(address);
        v6.sin6_family = AF_INET6;
        v6.sin6_addr = in6addr_loopback;
        size = sizeof v6;
    } else {
        auto& v4 = reinterpret_cast<sockaddr_in&>(address);
        v4.sin_family = AF_INET;
        v4.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        size = sizeof v4;
    }
    if (listener_ < 0 || ::pipe2(stopPipe_, O_CLOEXEC) != 0 ||
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(listener_, 1) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return;
    port_ = ntohs(ipv6 ? reinterpret_cast<sockaddr_in6&>(address).sin6_port
                       : reinterpret_cast<sockaddr_in&>(address).sin_port);
    thread_ = std::thread([this] { run(); });
}

TcpRelay::~TcpRelay()
{
    if (stopPipe_[1] >= 0)
        (void)::write(stopPipe_[1], "x", 1);
    if (thread_.joinable())
        thread_.join();
    for (int fd : {listener_, stopPipe_[0], stopPipe_[1]})
        if (fd >= 0)
            ::close(fd);
}

void TcpRelay::run()
{
    for (;;) {
        pollfd fds[2] = {{listener_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 || fds[1].revents != 0)
            return;
        const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        relay(client);
        ::close(client);
        ++served_;
    }
}

void TcpRelay::relay(int client)
{
    comms::SerialSettings settings;
    settings.baudRate = 19200;
    const int device = comms::OpenSerialDevice(devicePath_, settings, 0);
    if (device < 0)
        return;
    char buffer[512];
    bool open = true;
    while (open) {
        pollfd fds[3] = {{client, POLLIN, 0}, {device, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        if (::poll(fds, 3, -1) < 0 || fds[2].revents != 0)
            break;
        for (int i = 0; i < 2 && open; ++i) {
            if (fds[i].revents == 0)
                continue;
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n < 0 && errno == EAGAIN)
                continue;
            open = n > 0 && ::write(fds[1 - i].fd, buffer, static_cast<size_t>(n)) == n;
        }
    }
    comms::CloseSerialDevice(device);
}

} // namespace trv::transfer::testing
