// A deskset behind a serial device server in raw TCP mode is reached as "tcp://HOST:PORT", given
// with --port or stored as a COM mapping (Ports/COMn in the machine settings). The connection
// then runs over the library's socket transport instead of the serial port.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace trv::transfer {

struct TcpAddress {
    std::string host; // a host name or a dotted IPv4 address
    int port = 0;     // 1..65535
};

inline constexpr std::string_view kTcpScheme = "tcp://";

// True for any text that starts with "tcp://", well formed or not.
bool isTcpAddress(std::string_view text);
// "tcp://HOST:PORT"; nothing when the host is missing or the port is not 1..65535.
std::optional<TcpAddress> parseTcpAddress(std::string_view text);
// The socket transport's parameter text for a client of that address.
std::string socketClientParams(const TcpAddress& address);

} // namespace trv::transfer
