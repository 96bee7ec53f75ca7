// SerialLayer1: Layer1 type 0, raw bytes over a serial port through POSIX termios.
//
// The parameter text holds five numbers, "port databits parity stopbits baud"; the port
// number n names "COMn", whose device the caller's link settings give (LinkSettings.h; by
// default /dev/ttyS(n-1)). The port is opened exclusively (a second open, by this or
// another program, fails), set to raw 8-bit mode with the line settings, and both queues are
// discarded. The transport has no thread: the comm-link thread polls its descriptor.
#pragma once

#include "comms/Layer1.h"
#include "comms/LinkSettings.h"

#include <atomic>
#include <string>

struct termios;

namespace comms {

enum SerialParity : int {
    kParityNone = 0,
    kParityOdd = 1,
    kParityEven = 2,
    kParityMark = 3,
    kParitySpace = 4
};
enum SerialStopBits : int { kStopOne = 0, kStopOneAndHalf = 1, kStopTwo = 2 };

// Bits of the flow-control option byte. None is set by any parameter: the deskset line runs
// without flow control, with DTR and RTS held on.
inline constexpr int kFlowDsrDtr = 0x01;  // output waits for DSR, DTR follows handshaking
inline constexpr int kFlowCtsRts = 0x02;  // output waits for CTS, RTS follows handshaking
inline constexpr int kFlowXonXoff = 0x04; // XON/XOFF in both directions

// Line settings, in the order of the parameter text.
struct SerialSettings {
    int port = 1;
    int dataBits = 8;
    int parity = kParityNone;
    int stopBits = kStopOne;
    int baudRate = 9600;

    friend bool operator==(const SerialSettings&, const SerialSettings&) = default;
};

// Reads "%d %d %d %d %d" from text (null counts as empty). With fewer than five numbers the
// result is all defaults and `complete` is false.
struct ParsedSerialSettings {
    SerialSettings settings;
    bool complete = false;
};
ParsedSerialSettings ParseSerialSettings(const char* text);

// Changes `tio` to a raw 8-bit line with these settings and flow-control options; false when
// the termios interface cannot express them (unknown baud rate, data bits, parity, stop bits
// or a DSR handshake, which termios lacks).
bool ApplyLineSettings(termios& tio, const SerialSettings& settings, int flowOptions);

// Opens `path` for reading and writing, exclusively and without becoming its controlling
// terminal, applies the line settings, discards both queues and raises DTR and RTS. Returns
// the non-blocking descriptor, or -1 with errno set (EBUSY when the port is in use).
int OpenSerialDevice(const std::string& path, const SerialSettings& settings, int flowOptions);

// Releases what OpenSerialDevice took (the exclusive claims) and closes the descriptor.
void CloseSerialDevice(int fd);

class SerialLayer1 final : public Layer1 {
public:
    // Parses the parameter text; malformed text posts event 10 and takes the defaults. The port
    // number's device comes from the settings.
    SerialLayer1(const char* params, const LinkSettings& settings);
    // A port named by its device path rather than a COM number (the simulator's --device).
    SerialLayer1(std::string devicePath, const SerialSettings& settings);
    ~SerialLayer1() override;

    int IsAttached() override { return 1; }
    int BaudRate() override { return settings_.baudRate; }
    int FreeRoom() override;
    int BytesWaiting() override;
    int Open() override;
    void Close() override;
    int Write(const uint8_t* data, int length) override;
    int Read(uint8_t* buffer, int max) override;
    // -1 once the line has hung up (the far end of a pseudo-terminal closed, an adapter was
    // unplugged): such a descriptor is readable for ever, so polling it would spin the
    // comm-link thread; the link notices the silence through its own time-outs instead.
    int PollFd() const override { return hungUp_ ? -1 : fd_; }

    std::optional<OpenFailure> LastOpenFailure() const override { return openFailure_; }

    const SerialSettings& Settings() const { return settings_; }
    const std::string& DevicePath() const { return devicePath_; }

private:
    SerialSettings settings_;
    std::string devicePath_;
    int flowOptions_ = 0;
    int fd_ = -1;
    std::atomic<bool> hungUp_{false};
    std::optional<OpenFailure> openFailure_;
};

} // namespace comms
