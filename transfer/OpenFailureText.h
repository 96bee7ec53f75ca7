// The words for a port that could not be opened: the details of "TRV is unable to establish
// connection with the deskset." in trv's message box, and trvctl's message after it.
#pragma once

#include "comms/OpenFailure.h"

#include <QString>

#include <optional>

namespace trv::transfer {

// "Connecting to the deskset on COM1 (/dev/ttyUSB0), attempt 2 of 6.": the attempt of a series.
QString connectingText(const QString& portName, const QString& device, int attempt);

// Why the device could not be opened, in one sentence.
QString openFailureReason(const comms::OpenFailure& failure);

// "COM3 is the device /dev/ttyS2." and, when the transport knew, why it could not be opened; or
// why the device is none at all (a malformed device server address).
QString connectFailureDetails(const QString& portName, const QString& device,
                              const std::optional<comms::OpenFailure>& failure);

} // namespace trv::transfer
