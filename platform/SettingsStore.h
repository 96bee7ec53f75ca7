// The settings store: two INI files standing in for the registry's local-machine and current-user
// hives. Key paths are written as in the registry ("Software\\Orvane\\TRV\\Settings"); inside the
// INI file each backslash becomes a QSettings group separator.
#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

#include <memory>

namespace trv::platform {

enum class Hive { LocalMachine, CurrentUser };

class SettingsStore {
public:
    // $TRV_CONFIG_DIR, else $XDG_CONFIG_HOME/trv, else ~/.config/trv.
    static QString configDir();
    static QString iniPath(Hive hive); // machine.ini or user.ini in configDir()

    // A QSettings over the hive, already inside the group of keyPath (created on first write).
    static std::unique_ptr<QSettings> open(Hive hive, const QString& keyPath = {});

    static bool keyExists(Hive hive, const QString& keyPath);
    static bool hasValue(Hive hive, const QString& keyPath, const QString& name);
    // An absent value reads as the given fallback.
    static QVariant read(Hive hive, const QString& keyPath, const QString& name,
                         const QVariant& fallback = {});
    // Returns false when the file cannot be written.
    static bool write(Hive hive, const QString& keyPath, const QString& name, const QVariant& value);
    // Removes the value (nothing to remove is no failure); false when the file cannot be written.
    static bool remove(Hive hive, const QString& keyPath, const QString& name);

    static QString groupOf(const QString& keyPath); // "A\\B\\C" -> "A/B/C"
};

} // namespace trv::platform
