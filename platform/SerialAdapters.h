// The serial adapters the system knows, as Qt's serial port information lists them, with the
// stable name each has under /dev/serial/by-id. The transport itself stays on termios.
#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace trv::platform {

struct SerialAdapter {
    QString device;       // "/dev/ttyUSB0"
    QString manufacturer; // "FTDI"
    QString product;      // "FT232R USB UART"
    QString serialNumber; // "A10K3XYZ"
    QString byIdPath;     // "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3XYZ-if00-port0", or empty

    // Whether a physical adapter stands behind the device (built-in ports have no maker).
    bool isAdapter() const
    {
        return !manufacturer.isEmpty() || !product.isEmpty() || !serialNumber.isEmpty();
    }
    // The name to store for it: the by-id name when it has one, else the device.
    QString stableName() const { return byIdPath.isEmpty() ? device : byIdPath; }
};

using AdapterSource = std::function<std::vector<SerialAdapter>()>;

// Every serial port of the system, sorted by device name.
std::vector<SerialAdapter> detectSerialAdapters();

// The adapter whose device is path, followed through symbolic links (a by-id name or a device
// name both match), or nullptr.
const SerialAdapter* findAdapter(const std::vector<SerialAdapter>& adapters, const QString& path);

} // namespace trv::platform
