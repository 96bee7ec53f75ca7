// The machine settings the transfer needs, read in one place: which device each COM port stands
// for, and the communications library's thread priorities. "COMn" resolves to $TRV_COMn when set,
// else the setting Ports/COMn, else /dev/ttyS(n-1).
#pragma once

#include <QLatin1StringView>
#include <QString>

#include <optional>

namespace trv::platform {

enum class DeviceSource { Environment, Settings, Default };

struct ComPortDevice {
    int port = 0;
    QString device; // a device path, or "tcp://HOST:PORT" for a serial device server
    DeviceSource source = DeviceSource::Default;
    bool remote = false;  // a device server: nothing on this machine to look for
    bool present = false; // a device node of that name exists (always false when remote)

    friend bool operator==(const ComPortDevice&, const ComPortDevice&) = default;
};

class MachineSettings {
public:
    static constexpr int kFirstComPort = 1;
    static constexpr int kLastComPort = 4;
    static constexpr QLatin1StringView kPortsKey{"Ports"}; // Ports/COMn = the device COMn stands for
    static constexpr const char* kNimbKey = "Software\\VXR\\Nimb";
    static constexpr const char* kSessionThreadPriority = "SessionThreadPriority";
    static constexpr const char* kCommLinkThreadPriority = "CommLinkThreadPriority";

    // "COM3".
    static QString portName(int port);
    // "TRV_COM3".
    static QString environmentVariable(int port);

    // The device COMn stands for now, and where that came from.
    static ComPortDevice comPort(int port);
    // The same rule over a stored mapping given by the caller (a dialog's choice not stored yet;
    // empty: none).
    static ComPortDevice resolveComPort(int port, const QString& storedDevice);

    // Ports/COMn as stored; empty when none.
    static QString storedDevice(int port);
    // Stores Ports/COMn; an empty device removes the mapping. False when it cannot be written.
    static bool storeDevice(int port, const QString& device);

    // A thread priority under Software\VXR\Nimb; nothing when missing or not a whole number.
    static std::optional<int> threadPriority(const char* name);
};

} // namespace trv::platform
