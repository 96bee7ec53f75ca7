// trvctl port / ports: the stored serial port and the device each COM port stands for, and the
// serial devices present with the adapters behind them and the COM ports that map to them.
#include "tools/trvctl/Command.h"

#include "comms/OpenFailure.h"

#include "platform/MachineSettings.h"
#include "platform/SerialAdapters.h"
#include "tools/trvctl/CtlTexts.h"
#include "transfer/ComPortSetting.h"
#include "transfer/PortTarget.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <unistd.h>

#include <cerrno>

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

// "yes", or "no" with the group whose members may open the device (dialout on Debian, but a
// device's own rules may name another).
QString accessText(const QString& device)
{
    if (userMayOpen(device))
        return QString::fromUtf8(text::kMayOpen);
    const std::string group = comms::DescribeOpenFailure(device.toStdString(), EACCES).group;
    return group.empty() ? QString::fromUtf8(text::kMayNotOpen)
                         : QString::fromUtf8(text::kMayNotOpenGroup).arg(QString::fromStdString(group));
}

struct PortOptions {
    std::string port;   // COMn; empty: show the stored port
    std::string device; // what COMn stands for from now on; empty: keep it
    bool clear = false; // remove COMn's mapping
};

void printWithArg(const char* message, const QString& value)
{
    std::cerr << qPrintable(QString::fromUtf8(message).arg(value)) << '\n';
}

// Ports/COMn = device, checked as --port checks a device; the selected port stays.
int storeMapping(int number, const PortOptions& options)
{
    QString device;
    if (!options.clear) {
        const transfer::PortTargetParse parsed = transfer::PortTarget::parseMapping(options.device);
        const QString problem = parsed.target ? parsed.target->deviceProblem() : parsed.error;
        if (!problem.isEmpty()) {
            std::cerr << qPrintable(problem) << '\n';
            return kExitUsage;
        }
        device = QString::fromStdString(parsed.target->text());
    }
    if (!platform::MachineSettings::storeDevice(number, device)) {
        printWithArg(text::kSettingNotWritten, platform::MachineSettings::kPortsKey);
        return kExitFailed;
    }
    // The stored mapping is kept, but the environment wins while it is set.
    const QString variable = platform::MachineSettings::environmentVariable(number);
    if (qEnvironmentVariableIsSet(qPrintable(variable)))
        std::cerr << qPrintable(QString::fromUtf8(text::kEnvironmentWins)
                                    .arg(variable, qEnvironmentVariable(qPrintable(variable)),
                                         platform::MachineSettings::portName(number)))
                  << '\n';
    return kExitOk;
}

int runPort(const PortOptions& options)
{
    if (options.port.empty()) {
        if (options.clear) {
            std::cerr << text::kClearNeedsPort << '\n';
            return kExitUsage;
        }
        const QString stored = ComPortSetting::value();
        std::cout << (stored.isEmpty() ? std::string(text::kPortNotSet) : stored.toStdString()) << '\n';
        return kExitOk;
    }
    const int number = ComPortSetting::parsePortName(QString::fromStdString(options.port));
    if (number == 0) {
        printWithArg(text::kUnknownStoredPort, QString::fromStdString(options.port));
        return kExitUsage;
    }
    if (options.clear || !options.device.empty())
        return storeMapping(number, options);
    if (!ComPortSetting::store(number)) {
        printWithArg(text::kSettingNotWritten, ComPortSetting::kKeyPath);
        return kExitFailed;
    }
    return kExitOk;
}

const char* sourceName(platform::DeviceSource source)
{
    switch (source) {
    case platform::DeviceSource::Environment:
        return "environment";
    case platform::DeviceSource::Settings:
        return "settings";
    case platform::DeviceSource::Default:
        return "default";
    }
    return "";
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

int runPortsText()
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
                  << text::kAccessLabel << qPrintable(accessText(adapter.device)) << '\n';
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

// The same as JSON for scripts:
// {"devices":[{"path","byId","adapter":{"manufacturer","product","serial"},"access"}],
//  "com":[{"port","device","source","present","selected"}]}; byId is null when the device has none.
int runPortsJson()
{
    QJsonArray devices;
    for (const SerialAdapter& adapter : platform::detectSerialAdapters()) {
        devices.append(QJsonObject{{"path", adapter.device},
                                   {"byId", adapter.byIdPath.isEmpty() ? QJsonValue(QJsonValue::Null)
                                                                       : QJsonValue(adapter.byIdPath)},
                                   {"adapter", QJsonObject{{"manufacturer", adapter.manufacturer},
                                                           {"product", adapter.product},
                                                           {"serial", adapter.serialNumber}}},
                                   {"access", userMayOpen(adapter.device)}});
    }
    QJsonArray com;
    const int stored = ComPortSetting::portNumber();
    for (int port = ComPortSetting::kFirstPort; port <= ComPortSetting::kLastPort; ++port) {
        const platform::ComPortDevice resolved = platform::MachineSettings::comPort(port);
        com.append(QJsonObject{{"port", platform::MachineSettings::portName(port)},
                               {"device", resolved.device},
                               {"source", QString::fromLatin1(sourceName(resolved.source))},
                               {"present", resolved.present},
                               {"selected", port == stored}});
    }
    std::cout << QJsonDocument(QJsonObject{{"devices", devices}, {"com", com}}).toJson().toStdString();
    return kExitOk;
}

} // namespace

void addPortCommands(CLI::App& app, int& status)
{
    auto options = std::make_shared<PortOptions>();
    CLI::App* portCommand = app.add_subcommand(
        "port", "Show the stored serial port, store COM1..COM4, or set the device a COM port stands for.");
    portCommand->add_option("COMn", options->port, "the port to store, or whose device to set or clear");
    CLI::Option* device = portCommand->add_option(
        "DEVICE", options->device,
        "store Ports/COMn = DEVICE (a device path or tcp://HOST:PORT); the stored port stays");
    portCommand->add_flag("--clear", options->clear, "remove the device stored for COMn")->excludes(device);
    portCommand->callback([options, &status] { status = runPort(*options); });

    auto json = std::make_shared<bool>(false);
    CLI::App* ports = app.add_subcommand(
        "ports",
        "List the serial devices present (adapter, by-id name, COM mapping, access) and the COM ports.");
    ports->add_flag("--json", *json, "print the list as JSON");
    ports->callback([json, &status] { status = *json ? runPortsJson() : runPortsText(); });
}

} // namespace trv::ctl
