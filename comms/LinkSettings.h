// The machine settings the library works with, handed to it by its caller (Nimb::SetLinkSettings):
// the device each "COMn" stands for and the priorities of its threads. The library reads no
// settings file and no environment of its own; a caller that has none passes the defaults.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace comms {

// The device "COMn" stands for when nothing names another: /dev/ttyS(n-1); empty below 1.
inline std::string DefaultComDevice(int port)
{
    return port < 1 ? std::string() : "/dev/ttyS" + std::to_string(port - 1);
}

// Thread priorities as the settings store them: -2 lowest .. 2 highest, 15 time critical,
// -15 idle (ThreadPriority.h).
inline constexpr int kPriorityNormal = 0;
inline constexpr int kDefaultSessionThreadPriority = 1;

struct LinkSettings {
    // COMn -> device path, or "tcp://HOST:PORT" for a serial device server (the caller picks the
    // transport for that). A port that is not listed opens DefaultComDevice.
    std::map<int, std::string> comDevices;
    int sessionThreadPriority = kDefaultSessionThreadPriority;
    // Nothing: the comm-link thread keeps the priority it starts with.
    std::optional<int> commLinkThreadPriority;

    // The device of COMn under these settings; empty for port numbers below 1.
    std::string ComDevice(int port) const
    {
        if (port < 1)
            return {};
        const auto it = comDevices.find(port);
        return it != comDevices.end() && !it->second.empty() ? it->second : DefaultComDevice(port);
    }

    friend bool operator==(const LinkSettings&, const LinkSettings&) = default;
};

} // namespace comms
