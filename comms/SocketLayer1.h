// SocketLayer1 (Layer1 type 2): a TCP connection. Parameter texts:
//   "SERVER <port>"             accepts one client on all interfaces and keeps it;
//   "CONCURRENT_SERVER <port>"  hands every accepted client to the owning Nimb's OnAccept and
//                               never attaches itself (Connect starts no comm-link thread);
//   "CLIENT SN <host> <port>"   connects to a host name (looked up on the connection thread)
//                               or to a dotted address given as the host;
//   "CLIENT IP <a.b.c.d> <port>" connects to a dotted address; leading zeros of each part are
//                               removed first (192.168.001.010 is 192.168.1.10).
// The connection thread only makes the connection; reads and writes happen on the comm-link
// thread. A socket handed over through acceptedSocket is taken over as already connected.
#pragma once

#include <netinet/in.h>

#include <atomic>
#include <string>

#include "comms/ConnectionThread.h"
#include "comms/Layer1.h"
#include "comms/ResultCodes.h"

namespace comms {

class SocketLayer1 final : public Layer1 {
public:
    enum class Mode { Server, ConcurrentServer, Client };

    // ctorResult gets Ok or one of NoParamText, InvalidAddress, FieldCount, ClientKind, UnknownMode,
    // WakeSignal. A client's host is an IPv4 or IPv6 address or a name. acceptedSocket, when given,
    // is a heap-held descriptor of a connected socket: the transport takes it and frees the holder.
    SocketLayer1(const char* params, Result* ctorResult, int* acceptedSocket = nullptr);
    ~SocketLayer1() override;

    int IsAttached() override { return attached_ ? 1 : 0; }
    int BaudRate() override { return 19200; }
    int FreeRoom() override { return 1000; }
    int BytesWaiting() override;
    int Open() override;
    void Close() override;
    int Write(const uint8_t* data, int length) override;
    int Read(uint8_t* buffer, int max) override;
    int PollFd() const override { return attached_ ? dataFd_.load() : -1; }
    bool RunsWithoutCommLink() const override { return mode_ == Mode::ConcurrentServer && !adopted_; }
    void SetOwner(Nimb* owner) override { owner_ = owner; }

    Mode GetMode() const { return mode_; }
    const std::string& Host() const { return host_; } // normalised when given as "IP"
    int Port() const { return port_; }

    // 010.001.002.003 -> 10.1.2.3; other texts are returned unchanged.
    static std::string RemoveLeadingZeros(const std::string& dotted);

private:
    Result Parse(const char* params);
    void RunServer(ConnectionThread& thread);
    void RunClient(ConnectionThread& thread);
    bool LookUpHost();
    void AttachConnected(int fd);
    int Fail(int eventCode, int error); // reports, marks broken; returns -1
    void CloseData();

    Mode mode_ = Mode::Client;
    std::string host_;
    int port_ = 0;
    sockaddr_storage peer_{};
    socklen_t peerLength_ = 0;
    bool peerKnown_ = false; // an address, not a name waiting for its look-up
    bool adopted_ = false;
    Nimb* owner_ = nullptr;
    std::atomic<int> dataFd_{-1};
    std::atomic<bool> attached_{false};
    ConnectionThread thread_;
};

} // namespace comms
