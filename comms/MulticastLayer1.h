// MulticastLayer1 (Layer1 type 5): a member of an IP multicast group. Parameter text:
// "MULTICAST_MEMBER <group address> <port>".
//
// Open joins the group on a receiving socket (address reuse, bound to the port on all
// interfaces) and makes a second socket for sending with time-to-live 1 and multicast
// loop-back off. With loop-back on (when it cannot be switched off, or when the caller keeps
// it on so that other members on this host hear us) the transport notes its own sender address
// and port and drops its own datagrams. Every datagram is queued (at most 1472 bytes); Read
// hands the queued bytes out in order, keeping what did not fit for the next Read.
#pragma once

#include <netinet/in.h>

#include <atomic>
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "comms/Layer1.h"
#include "comms/ResultCodes.h"
#include "comms/UniqueFd.h"

namespace comms {

class MulticastLayer1 final : public Layer1 {
public:
    static constexpr int kMaxDatagram = 1472;
    static constexpr size_t kMaxQueued = 512; // datagrams; more are dropped until Read catches up

    // ctorResult gets Ok or one of NoParamText, InvalidAddress, FieldCount, UnknownMode. acceptedSocket, when
    // given, is a heap-held descriptor of a datagram socket already bound and joined: the transport takes it
    // (and frees the holder) and uses it for receiving and sending.
    MulticastLayer1(const char* params, Result* ctorResult, int* acceptedSocket = nullptr);
    ~MulticastLayer1() override;

    // Keeps multicast loop-back on (call before Open): other members on this host then hear
    // this one, and its own datagrams are recognised and dropped.
    void KeepLoopback(bool keep) { keepLoopback_ = keep; }

    int IsAttached() override { return joined_ ? 1 : 0; }
    int BaudRate() override { return 19200; }
    int FreeRoom() override { return 1000; }
    int BytesWaiting() override;
    int Open() override;
    void Close() override;
    int Write(const uint8_t* data, int length) override;
    int Read(uint8_t* buffer, int max) override;
    int PollFd() const override { return joined_ ? receiveFd_.load() : -1; }

    const std::string& Group() const { return group_; }
    int Port() const { return port_; }
    bool FiltersOwnDatagrams() const { return ownNoted_; }

private:
    Result Parse(const char* params);
    void LeaveGroup();
    void NoteOwnAddress();
    void Drain(); // moves every datagram that has arrived into the queue

    std::string group_;
    int port_ = 0;
    sockaddr_in groupAddress_{};
    bool keepLoopback_ = false;
    bool adopted_ = false;
    UniqueFd receive_;
    UniqueFd send_;
    std::atomic<int> receiveFd_{-1};
    std::atomic<bool> joined_{false};
    bool member_ = false; // this object joined the group itself (and must leave it)
    bool ownNoted_ = false;
    sockaddr_in own_{};
    std::deque<std::vector<uint8_t>> queue_;
    size_t headOffset_ = 0; // bytes of the oldest datagram already handed out
};

} // namespace comms
