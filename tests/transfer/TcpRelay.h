// A serial device server in raw TCP mode, for tests: listens on a local port and, for each client
// in turn, opens a serial device and relays bytes both ways until either side closes.
#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace trv::transfer::testing {

class TcpRelay {
public:
    // Listens on the loopback address, IPv4 (127.0.0.1) or IPv6 (::1).
    explicit TcpRelay(std::string devicePath, bool ipv6 = false);
    ~TcpRelay();
    TcpRelay(const TcpRelay&) = delete;
    TcpRelay& operator=(const TcpRelay&) = delete;

    bool ok() const { return port_ > 0; }
    int port() const { return port_; }
    int clientsServed() const { return served_.load(); }

private:
    void run();
    void relay(int client);

    std::string devicePath_;
    int listener_ = -1;
    int stopPipe_[2] = {-1, -1};
    int port_ = 0;
    std::atomic<int> served_{0};
    std::thread thread_;
};

} // namespace trv::transfer::testing
