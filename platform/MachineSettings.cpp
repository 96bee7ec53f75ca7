#include "platform/MachineSettings.h"

#include "comms/LinkSettings.h"
#include "platform/SettingsStore.h"

#include <QFileInfo>

namespace trv::platform {
namespace {

constexpr const char* kTcpScheme = "tcp://";

} // namespace

QString MachineSettings::portName(int port)
{
    return QStringLiteral("COM%1").arg(port);
}

QString MachineSettings::environmentVariable(int port)
{
    return QStringLiteral("TRV_") + portName(port);
}

ComPortDevice MachineSettings::comPort(int port)
{
    return resolveComPort(port, storedDevice(port));
}

ComPortDevice MachineSettings::resolveComPort(int port, const QString& stored)
{
    ComPortDevice result;
    result.port = port;
    if (const QString fromEnvironment = qEnvironmentVariable(qPrintable(environmentVariable(port)));
        !fromEnvironment.isEmpty()) {
        result.device = fromEnvironment;
        result.source = DeviceSource::Environment;
    } else if (!stored.isEmpty()) {
        result.device = stored;
        result.source = DeviceSource::Settings;
    } else {
        result.device = QString::fromStdString(comms::DefaultComDevice(port));
        result.source = DeviceSource::Default;
    }
    result.remote = result.device.startsWith(QLatin1String(kTcpScheme));
    result.present = !result.remote && !result.device.isEmpty() && QFileInfo::exists(result.device);
    return result;
}

QString MachineSettings::storedDevice(int port)
{
    return SettingsStore::read(Hive::LocalMachine, kPortsKey, portName(port)).toString();
}

bool MachineSettings::storeDevice(int port, const QString& device)
{
    const QString key = kPortsKey;
    if (device.isEmpty())
        return SettingsStore::remove(Hive::LocalMachine, key, portName(port));
    return SettingsStore::write(Hive::LocalMachine, key, portName(port), device);
}

std::optional<int> MachineSettings::threadPriority(const char* name)
{
    const QVariant value =
        SettingsStore::read(Hive::LocalMachine, QString::fromLatin1(kNimbKey), QString::fromLatin1(name));
    bool ok = false;
    const int priority = value.toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(priority) : std::nullopt;
}

} // namespace trv::platform
