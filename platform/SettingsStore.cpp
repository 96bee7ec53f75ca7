#include "platform/SettingsStore.h"

#include <QDir>
#include <QStandardPaths>

namespace trv::platform {

QString SettingsStore::configDir()
{
    if (const QString dir = qEnvironmentVariable("TRV_CONFIG_DIR"); !dir.isEmpty())
        return dir;
    if (const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME"); !xdg.isEmpty())
        return xdg + QStringLiteral("/trv");
    return QDir::homePath() + QStringLiteral("/.config/trv");
}

QString SettingsStore::iniPath(Hive hive)
{
    return configDir() +
           (hive == Hive::LocalMachine ? QStringLiteral("/machine.ini") : QStringLiteral("/user.ini"));
}

QString SettingsStore::groupOf(const QString& keyPath)
{
    QString group = keyPath;
    return group.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

std::unique_ptr<QSettings> SettingsStore::open(Hive hive, const QString& keyPath)
{
    auto settings = std::make_unique<QSettings>(iniPath(hive), QSettings::IniFormat);
    if (!keyPath.isEmpty())
        settings->beginGroup(groupOf(keyPath));
    return settings;
}

bool SettingsStore::keyExists(Hive hive, const QString& keyPath)
{
    QSettings settings(iniPath(hive), QSettings::IniFormat);
    const QString group = groupOf(keyPath);
    for (const QString& key : settings.allKeys()) {
        if (key.startsWith(group + QLatin1Char('/')))
            return true;
    }
    return false;
}

bool SettingsStore::hasValue(Hive hive, const QString& keyPath, const QString& name)
{
    return open(hive, keyPath)->contains(name);
}

QVariant SettingsStore::read(Hive hive, const QString& keyPath, const QString& name, const QVariant& fallback)
{
    return open(hive, keyPath)->value(name, fallback);
}

bool SettingsStore::write(Hive hive, const QString& keyPath, const QString& name, const QVariant& value)
{
    QDir().mkpath(configDir());
    auto settings = open(hive, keyPath);
    settings->setValue(name, value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

bool SettingsStore::remove(Hive hive, const QString& keyPath, const QString& name)
{
    auto settings = open(hive, keyPath);
    if (!settings->contains(name))
        return true;
    settings->remove(name);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

} // namespace trv::platform
