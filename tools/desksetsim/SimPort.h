// The deskset's end of the cable: the master side of a new pseudo-terminal, whose slave side
// the tool opens as its serial port, or a real serial port.
#pragma once

#include <memory>
#include <string>

namespace desksetsim {

class SimPort {
public:
    ~SimPort();
    SimPort(const SimPort&) = delete;
    SimPort& operator=(const SimPort&) = delete;

    // A new pseudo-terminal in raw mode; null with the reason in error.
    static std::unique_ptr<SimPort> CreatePty(std::string* error);
    // A serial port at baudRate, 8N1, opened exclusively; null with the reason in error.
    static std::unique_ptr<SimPort> OpenDevice(const std::string& path, int baudRate, std::string* error);

    int Fd() const { return fd_; }
    bool IsPty() const { return isPty_; }
    // A pseudo-terminal's master runs in packet mode: each read starts with a status byte,
    // TIOCPKT_DATA before data, or flags such as TIOCPKT_FLUSHREAD when the tool discarded
    // its queues, which it does whenever it opens the port.
    bool PacketMode() const { return isPty_; }
    // The path the tool opens (the slave of a pseudo-terminal) or the device's path.
    const std::string& Path() const { return path_; }

    // Pseudo-terminal only. While no tool has the slave side open the master reports a
    // hang-up, which a poll cannot wait on; the simulator keeps the slave open itself until a
    // tool is there, and sets it raw so nothing is echoed back.
    bool HoldPeerEnd();
    void ReleasePeerEnd();
    bool HoldingPeerEnd() const { return heldPeer_ >= 0; }

private:
    SimPort(int fd, std::string path, bool isPty) : fd_(fd), path_(std::move(path)), isPty_(isPty) {}

    int fd_;
    std::string path_;
    bool isPty_;
    int heldPeer_ = -1;
};

} // namespace desksetsim
