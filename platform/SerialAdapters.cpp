#include "platform/SerialAdapters.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>
#include <map>

namespace trv::platform {
namespace {

constexpr const char* kByIdFolder = "/dev/serial/by-id";

QString canonical(const QString& path)
{
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? path : resolved;
}

// Device -> its by-id name.
std::map<QString, QString> byIdNames()
{
    std::map<QString, QString> names;
    const QDir folder(QString::fromLatin1(kByIdFolder));
    for (const QFileInfo& link : folder.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        names[canonical(link.absoluteFilePath())] = link.absoluteFilePath();
    return names;
}

} // namespace

std::vector<SerialAdapter> detectSerialAdapters()
{
    const std::map<QString, QString> byId = byIdNames();
    std::vector<SerialAdapter> adapters;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialAdapter adapter{
            info.systemLocation(), info.manufacturer(), info.description(), info.serialNumber(), {}};
        if (const auto it = byId.find(canonical(adapter.device)); it != byId.end())
            adapter.byIdPath = it->second;
        adapters.push_back(adapter);
    }
    std::sort(adapters.begin(), adapters.end(),
              [](const SerialAdapter& a, const SerialAdapter& b) { return a.device < b.device; });
    return adapters;
}

const SerialAdapter* findAdapter(const std::vector<SerialAdapter>& adapters, const QString& path)
{
    if (path.isEmpty())
        return nullptr;
    const QString target = canonical(path);
    for (const SerialAdapter& adapter : adapters) {
        if (adapter.device == path || adapter.byIdPath == path || canonical(adapter.device) == target)
            return &adapter;
    }
    return nullptr;
}

} // namespace trv::platform
