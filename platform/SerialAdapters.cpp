#include "platform/SerialAdapters.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <unistd.h>

#include <algorithm>

namespace trv::platform {

namespace {

SerialAdapters::Source& source()
{
    static SerialAdapters::Source current;
    return current;
}

QString canonical(const QString& path)
{
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? path : resolved;
}

} // namespace

QString SerialAdapter::adapterText() const
{
    QStringList words;
    for (const QString& part : {manufacturer, product})
        if (!part.isEmpty() && !words.contains(part))
            words << part;
    QString text = words.join(QLatin1Char(' '));
    if (!serialNumber.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral(", ")) + QStringLiteral("serial ") + serialNumber;
    if (vendorId >= 0 && productId >= 0)
        text += QStringLiteral(" (%1:%2)")
                    .arg(vendorId, 4, 16, QLatin1Char('0'))
                    .arg(productId, 4, 16, QLatin1Char('0'));
    return text.trimmed();
}

QList<SerialAdapter> SerialAdapters::list()
{
    QList<SerialAdapter> adapters = source() ? source()() : systemList();
    std::sort(adapters.begin(), adapters.end(),
              [](const SerialAdapter& a, const SerialAdapter& b) { return a.device < b.device; });
    return adapters;
}

void SerialAdapters::setSource(Source newSource)
{
    source() = std::move(newSource);
}

QList<SerialAdapter> SerialAdapters::systemList()
{
    QList<SerialAdapter> adapters;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialAdapter adapter;
        adapter.device = info.systemLocation();
        adapter.byIdPath = byIdPathOf(adapter.device);
        adapter.manufacturer = info.manufacturer().trimmed();
        adapter.product = info.description().trimmed();
        adapter.serialNumber = info.serialNumber().trimmed();
        if (info.hasVendorIdentifier())
            adapter.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier())
            adapter.productId = info.productIdentifier();
        adapter.userMayOpen = ::access(QFile::encodeName(adapter.device).constData(), R_OK | W_OK) == 0;
        adapters << adapter;
    }
    return adapters;
}

QString SerialAdapters::byIdPathOf(const QString& device, const QString& folder)
{
    const QString target = canonical(device);
    const QDir dir(folder);
    for (const QFileInfo& link : dir.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name))
        if (link.isSymLink() && link.canonicalFilePath() == target)
            return link.absoluteFilePath();
    return {};
}

const SerialAdapter* SerialAdapters::find(const QList<SerialAdapter>& adapters, const QString& path)
{
    const QString target = canonical(path);
    for (const SerialAdapter& adapter : adapters)
        if (canonical(adapter.device) == target || (!adapter.byIdPath.isEmpty() && adapter.byIdPath == path))
            return &adapter;
    return nullptr;
}

} // namespace trv::platform
