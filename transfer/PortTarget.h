// Where a transfer connects: a COM port (COM1..COM4, whose device the machine settings give), a
// device path, or a serial device server in raw TCP mode, "tcp://HOST:PORT" (an IPv6 address in
// brackets: "tcp://[::1]:4001"). Users give one with trvctl's --port; a COM port's mapping
// (Ports/COMn) is a device path or a device server.
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace trv::transfer {

struct PortTargetParse;

struct PortTarget {
    enum class Kind { ComPort, Device, Tcp };

    Kind kind = Kind::ComPort;
    int comPort = 0;    // ComPort: 1..4
    std::string device; // Device: an absolute path
    std::string host;   // Tcp: a name, an IPv4 address or an IPv6 address (without brackets)
    int tcpPort = 0;    // Tcp: 1..65535

    static PortTarget com(int port);

    // COMn (any letter case), an absolute device path or tcp://HOST:PORT.
    static PortTargetParse parse(std::string_view text);
    // What a COM port may stand for: a device path or tcp://HOST:PORT.
    static PortTargetParse parseMapping(std::string_view text);

    // Device: why the path can never be a serial port (an existing file that is not a character
    // device), else empty. A path that does not exist may still appear (an adapter plugged in).
    QString deviceProblem() const;

    // The text parse reads back as this target.
    std::string text() const;
    // Tcp: the socket transport's parameter text for a client of this address.
    std::string socketClientParams() const;

    friend bool operator==(const PortTarget&, const PortTarget&) = default;
};

// A target, or why the text names none.
struct PortTargetParse {
    std::optional<PortTarget> target;
    QString error;
};

inline constexpr std::string_view kTcpScheme = "tcp://";

} // namespace trv::transfer
