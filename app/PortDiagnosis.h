// Why a serial device cannot be opened. The communications library only reports that the open
// failed; the shell then tries the device itself, the way the transport opens it, to tell the
// user what stands in the way.
#pragma once

#include <QString>

namespace trv::app {

struct PortProbe {
    enum class Problem { None, Missing, NoPermission, Busy, Other };
    Problem problem = Problem::None;
    int error = 0;  // errno of a failed open, for Other
    QString holder; // "name (process 1234)" for Busy, when it can be known
};

// Opens the device as the serial transport does (read-write, exclusive lock) and closes it again.
PortProbe probePort(const QString& device);

// The process that has the device open, as "name (process pid)", or empty when no readable
// process holds it (other users' processes cannot be seen).
QString portHolder(const QString& device);

// The details text of the "unable to establish connection" message for COMn mapped to device.
QString openFailureDetails(int comPort, const QString& device, const PortProbe& probe);

} // namespace trv::app
