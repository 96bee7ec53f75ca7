// trvctl port / ports: the stored serial port, and the serial devices present with the adapters
// behind them and the COM ports that map to them.
#include "tools/trvctl/Command.h"

#include "platform/MachineSettings.h"
#include "platform/SerialAdapters.h"
#include "tools/trvctl/CtlTexts.h"
#include "transfer/ComPortSetting.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <unistd.h>

#include <iostream>
#include <memory>
#include <vector>

namespace trv::ctl {
namespace {

using platform::SerialAdapter;
using transfer::ComPortSetting;

// "FTDI FT232R USB UART, serial A10K"; empty for a built-in port.
QString adapterText(const SerialAdapter& adapter)
{
    QStringList words;
    for (const QString& part : {adapter.manufacturer, adapter.product})
        if (!part.isEmpty() && !words.contains(part))
            words << part;
    QString text = words.join(QLatin1Char(' '));
    if (!adapter.serialNumber.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral(", ")) + QStringLiteral("serial ") +
                adapter.serialNumber;
    return text;
}

bool userMayOpen(const QString& device)
{
    return ::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0;
}

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
        std::cerr << qPrintable(QString::fromUtf8(text::kSettingNotWritten).arg(ComPortSetting::kKeyPath))
                  << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

QString comDevice(int port)
{
    return platform::MachineSettings::comPort(port).device;
}

// What stands behind a COM port's device: an adapter, a device server, a plain port or nothing.
QString comStatus(const platform::ComPortDevice& port, const std::vector<SerialAdapter>& adapters)
{
    if (port.remote)
        return QString::fromUtf8(text::kDeviceServer);
    if (const SerialAdapter* adapter = platform::findAdapter(adapters, port.device))
        return adapter->isAdapter() ? adapterText(*adapter) : QString::fromUtf8(text::kPlainPort);
    return port.present ? QString::fromUtf8(text::kPlainPort) : QString::fromUtf8(text::kNotPresent);
}

int runPorts()
{
    const std::vector<SerialAdapter> adapters = platform::detectSerialAdapters();
    std::cout << text::kSerialDevices << '\n';
    if (adapters.empty())
        std::cout << text::kNoSerialDevices << '\n';
    for (const SerialAdapter& adapter : adapters) {
        QStringList mapped;
        for (int port = ComPortSetting::kFirstPort; port <= ComPortSetting::kLastPort; ++port)
            if (platform::findAdapter({adapter}, comDevice(port)))
                mapped << ComPortSetting::kPrefix + QString::number(port);
        const QString what = adapter.isAdapter() ? adapterText(adapter) : QString::fromUtf8(text::kPlainPort);
        std::cout << "  " << qPrintable(adapter.device) << "  " << qPrintable(what) << '\n'
                  << text::kByIdLabel
                  << qPrintable(adapter.byIdPath.isEmpty() ? text::kNone : adapter.byIdPath) << '\n'
                  << text::kComLabel << qPrintable(mapped.isEmpty() ? text::kNone : mapped.join(", ")) << '\n'
                  << text::kAccessLabel << (userMayOpen(adapter.device) ? text::kMayOpen : text::kMayNotOpen)
                  << '\n';
    }
    std::cout << text::kComPorts << '\n';
    const int stored = ComPortSetting::portNumber();
    for (int port = ComPortSetting::kFirstPort; port <= ComPortSetting::kLastPort; ++port) {
        const platform::ComPortDevice resolved = platform::MachineSettings::comPort(port);
        std::cout << "  " << ComPortSetting::kPrefix << port << "  " << qPrintable(resolved.device) << "  "
                  << qPrintable(comStatus(resolved, adapters)) << (port == stored ? text::kStoredMark : "")
                  << '\n';
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
        "ports",
        "List the serial devices present (adapter, by-id name, COM mapping, access) and the COM ports.");
    ports->callback([&status] { status = runPorts(); });
}

} // namespace trv::ctl
