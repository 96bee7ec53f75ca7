#include "transfer/OpenFailureText.h"

#include "transfer/PortTarget.h"
#include "transfer/TransferSession.h"
#include "transfer/TransferTexts.h"

#include <cstring>

namespace trv::transfer {

using comms::OpenReason;

QString connectingText(const QString& portName, const QString& device, int attempt)
{
    return text::kConnectingAttempt.arg(portName, device)
        .arg(attempt)
        .arg(TransferSession::kAttemptsPerSeries);
}

QString openFailureReason(const comms::OpenFailure& failure)
{
    const QString device = QString::fromStdString(failure.device);
    switch (failure.reason) {
    case OpenReason::NoSuchDevice:
        return QString(text::kPortMissing).arg(device);
    case OpenReason::NoPermission:
        return failure.group.empty()
                   ? QString(text::kPortNoPermission).arg(device)
                   : QString(text::kPortNoPermissionGroup).arg(device, QString::fromStdString(failure.group));
    case OpenReason::InUse:
        if (failure.holderPid <= 0)
            return QString(text::kPortBusy).arg(device);
        return QString(text::kPortBusyBy)
            .arg(device,
                 QString(text::kPortHolder)
                     .arg(QString::fromStdString(failure.holderName), QString::number(failure.holderPid)));
    case OpenReason::Other:
        break;
    }
    return QString(text::kPortOtherError).arg(device, QString::fromLocal8Bit(std::strerror(failure.error)));
}

QString connectFailureDetails(const QString& portName, const QString& device,
                              const std::optional<comms::OpenFailure>& failure)
{
    QString details = QString(text::kPortIsDevice).arg(portName, device);
    if (failure)
        return details + QLatin1Char('\n') + openFailureReason(*failure);
    // Nothing was opened: a mapping that names no device (a malformed device server address).
    if (const PortTargetParse mapping = PortTarget::parseMapping(device.toStdString()); !mapping.target)
        details += QLatin1Char('\n') + mapping.error;
    return details;
}

} // namespace trv::transfer
