// trvctl port / ports: the stored serial port, and the serial devices present with the adapters
// behind them and the COM ports that map to them.
#include "tools/trvctl/Command.h"

#include "comms/SerialLayer1.h"
#include "platform/SerialAdapters.h"
#include "tools/trvctl/CtlTexts.h"
#include "transfer/ComPortSetting.h"
#include "transfer/PortAddress.h"

#include <QFileInfo>

#include <iostream>
#include <memory>

namespace trv::ctl {
namespace {

using platform::SerialAdapter;
using platform::SerialAdapters;
using transfer::ComPortSetting;

int runPort(const std::string& port)
{
    if (port.empty()) {
        const QString stored = ComPortSetting::value();
        std::cout << (stored.isEmpty() ? std::string(text::kPortNotSet) : stored.toStdString()) << '\n';
        return kExitOk;
    }
    const int number = ComPortSetting::parsePortName(QString::fromStdString(port));
    if (number == 0) {
        std::cerr << qPrintable(QString::fromUtf8(text::kUnknownStoredPort).arg(QString::fromStdString(port)))
                  << '\n';
        return kExitUsage;
    }
    if (!ComPortSetting::store(number)) {
        std::cerr << qPrintable(QString::fromUtf8(text::kSettingNotWritten).arg(ComPortSetting::kKeyPath)) << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

QString comDevice(int port)
{
    return QString::fromStdString(comms::ComDevicePath(port));
}

// What stands behind a COM port's device: an adapter, a device server, a plain port or nothing.
QString comStatus(const QString& device, const QList<SerialAdapter>& adapters)
{
    if (transfer::isTcpAddress(device.toStdString()))
        return QString::fromUtf8(text::kDeviceServer);
    if (const SerialAdapter* adapter = SerialAdapters::find(adapters, device))
        return adapter->adapterText().isEmpty() ? QString::fromUtf8(text::kPlainPort) : adapter->adapterText();
    return QFileInfo::exists(device) ? QString::fromUtf8(text::kPlainPort) : QString::fromUtf8(text::kNotPresent);
}

int runPorts()
{
    const QList<SerialAdapter> adapters = SerialAdapters::list();
    std::cout << text::kSerialDevices << '\n';
    if (adapters.isEmpty())
        std::cout << text::kNoSerialDevices << '\n';
    for (const SerialAdapter& adapter : adapters) {
        QStringList mapped;
        for (int port = ComPortSetting::kFirstPort; port <= ComPortSetting::kLastPort; ++port)
            if (SerialAdapters::find({adapter}, comDevice(port)))
                mapped << ComPortSetting::kPrefix + QString::number(port);
        const QString what = adapter.adapterText().isEmpty() ? QString::fromUtf8(text::kPlainPort) : adapter.adapterText();
        std::cout << "  " << qPrintable(adapter.device) << "  " << qPrintable(what) << '\n'
                  << text::kByIdLabel << qPrintable(adapter.byIdPath.isEmpty() ? text::kNone : adapter.byIdPath)
                  << '\n'
                  << text::kComLabel << qPrintable(mapped.isEmpty() ? text::kNone : mapped.join(", ")) << '\n'
                  << text::kAccessLabel << (adapter.userMayOpen ? text::kMayOpen : text::kMayNotOpen) << '\n';
    }
    std::cout << text::kComPorts << '\n';
    const int stored = ComPortSetting::portNumber();
    for (int port = ComPortSetting::kFirstPort; port <= ComPortSetting::kLastPort; ++port) {
        const QString device = comDevice(port);
        std::cout << "  " << ComPortSetting::kPrefix << port << "  " << qPrintable(device) << "  "
                  << qPrintable(comStatus(device, adapters)) << (port == stored ? text::kStoredMark : "") << '\n';
    }
    return kExitOk;
}

} // namespace

void addPortCommands(CLI::App& app, int& status)
{
    auto port = std::make_shared<std::string>();
    CLI::App* portCommand = app.add_subcommand("port", "Show the stored serial port, or store COM1..COM4.");
    portCommand->add_option("COMn", *port, "the port to store");
    portCommand->callback([port, &status] { status = runPort(*port); });

    CLI::App* ports = app.add_subcommand(
        "ports", "List the serial devices present (adapter, by-id name, COM mapping, access) and the COM ports.");
    ports->callback([&status] { status = runPorts(); });
}

} // namespace trv::ctl
