#include "transfer/ComPortSetting.h"

#include "platform/SettingsStore.h"

namespace trv::transfer {

using platform::Hive;
using platform::SettingsStore;

QString ComPortSetting::value()
{
    return SettingsStore::read(Hive::LocalMachine, kKeyPath, kValueName).toString();
}

QString ComPortSetting::portDigit()
{
    const QString stored = value();
    return stored.isEmpty() ? QString() : stored.right(1);
}

int ComPortSetting::portNumber()
{
    bool ok = false;
    const int port = portDigit().toInt(&ok);
    return ok ? port : 0;
}

bool ComPortSetting::store(int port)
{
    return SettingsStore::write(Hive::LocalMachine, kKeyPath, kValueName, kPrefix + QString::number(port));
}

void ComPortSetting::ensureKey()
{
    if (!SettingsStore::keyExists(Hive::LocalMachine, kKeyPath))
        SettingsStore::write(Hive::LocalMachine, kKeyPath, kValueName, QString());
}

int ComPortSetting::parsePortName(const QString& name)
{
    const QString prefix = QString::fromLatin1(kPrefix);
    if (name.size() != prefix.size() + 1 || !name.startsWith(prefix, Qt::CaseInsensitive))
        return 0;
    const int port = name.back().digitValue();
    return port >= kFirstPort && port <= kLastPort ? port : 0;
}

} // namespace trv::transfer
