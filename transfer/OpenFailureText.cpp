#include "transfer/OpenFailureText.h"

#include "transfer/PortTarget.h"
#include "transfer/TransferSession.h"
#include "transfer/TransferTexts.h"

#include <cstring>

namespace trv::transfer {

using comms::OpenReason;

QString connectingText(const QString& portName, const QString& device, int attempt)
{
    return QString::fromUtf8(text::kConnectingAttempt)
        .arg(portName, device)
        .arg(attempt)
        .arg(TransferSession::kAttemptsPerSeries);
}

QString openFailureReason(const comms::OpenFailure& failure)
{
    const QString device = QString::fromStdString(failure.device);
    const auto format = [](const char* text) { return QString::fromUtf8(text); };
    switch (failure.reason) {
    case OpenReason::NoSuchDevice:
        return format(text::kPortMissing).arg(device);
    case OpenReason::NoPermission:
        return failure.group.empty()
                   ? format(text::kPortNoPermission).arg(device)
                   : format(text::kPortNoPermissionGroup).arg(device, QString::fromStdString(failure.group));
    case OpenReason::InUse:
        if (failure.holderPid <= 0)
            return format(text::kPortBusy).arg(device);
        return format(text::kPortBusyBy)
            .arg(device,
                 format(text::kPortHolder)
                     .arg(QString::fromStdString(failure.holderName), QString::number(failure.holderPid)));
    case OpenReason::Other:
        break;
    }
    return format(text::kPortOtherError).arg(device, QString::fromLocal8Bit(std::strerror(failure.error)));
}

QString connectFailureDetails(const QString& portName, const QString& device,
                              const std::optional<comms::OpenFailure>& failure)
{
    QString details = QString::fromUtf8(text::kPortIsDevice).arg(portName, device);
    if (failure)
        return details + QLatin1Char('\n') + openFailureReason(*failure);
    // Nothing was opened: a mapping that names no device (a malformed device server address).
    if (const PortTargetParse mapping = PortTarget::parseMapping(device.toStdString()); !mapping.target)
        details += QLatin1Char('\n') + mapping.error;
    return details;
}

} // namespace trv::transfer
