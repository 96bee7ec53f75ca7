// The simulated deskset's serial port as its link sees it: the link end of the line relay,
// with the wire tap (faults, silence, log) on every frame written and every byte read.
#pragma once

#include "comms/Layer1.h"

namespace desksetsim {

class WireTap;

class DesksetLayer1 final : public comms::Layer1 {
public:
    // Takes ownership of fd. baudRate is what the link chooses its timers from.
    DesksetLayer1(int fd, int baudRate, WireTap& tap);
    ~DesksetLayer1() override;

    int IsAttached() override { return 1; }
    int BaudRate() override { return baudRate_; }
    int FreeRoom() override;
    int BytesWaiting() override;
    int Open() override { return fd_ >= 0 ? 0 : -1; }
    void Close() override;
    int Write(const uint8_t* data, int length) override;
    int Read(uint8_t* buffer, int max) override;
    int PollFd() const override { return fd_; }

private:
    int fd_;
    int baudRate_;
    WireTap& tap_;
};

} // namespace desksetsim
