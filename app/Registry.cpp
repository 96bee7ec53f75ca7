#include "app/Registry.h"

#include "platform/SettingsStore.h"

namespace trv::app {

using platform::Hive;
using platform::SettingsStore;

Registry::Registry()
{
    if (!SettingsStore::keyExists(Hive::LocalMachine, QString::fromLatin1(key::kSettings)))
        SettingsStore::write(Hive::LocalMachine, QString::fromLatin1(key::kSettings),
                             QString::fromLatin1(key::kComPortValue), QString());
}

QString Registry::comPortDigit()
{
    const QString value = SettingsStore::read(Hive::LocalMachine, QString::fromLatin1(key::kSettings),
                                              QString::fromLatin1(key::kComPortValue))
                              .toString();
    return value.isEmpty() ? QString() : value.right(1);
}

int Registry::comPortNumber()
{
    bool ok = false;
    const int number = comPortDigit().toInt(&ok);
    return ok ? number : 0;
}

bool Registry::setComPort(int number)
{
    return SettingsStore::write(Hive::LocalMachine, QString::fromLatin1(key::kSettings),
                                QString::fromLatin1(key::kComPortValue), QStringLiteral("COM%1").arg(number));
}

} // namespace trv::app
