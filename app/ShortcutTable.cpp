#include "app/ShortcutTable.h"

#include "app/Commands.h"
#include "app/Registry.h"
#include "platform/SettingsStore.h"

namespace trv::app {

using platform::Hive;
using platform::SettingsStore;

ShortcutTable ShortcutTable::defaults()
{
    ShortcutTable table;
    for (const CommandInfo& info : commandTable())
        table.keys_[info.id] = info.defaultKey.toCombined() ? QKeySequence(info.defaultKey) : QKeySequence();
    return table;
}

bool ShortcutTable::load()
{
    auto settings = SettingsStore::open(Hive::CurrentUser, key::kShortcuts);
    const QStringList names = settings->childKeys();
    if (names.isEmpty())
        return false;
    *this = defaults();
    for (const QString& name : names) {
        bool ok = false;
        const int command = name.toInt(&ok);
        if (ok && findCommand(command))
            keys_[command] =
                QKeySequence::fromString(settings->value(name).toString(), QKeySequence::PortableText);
    }
    return true;
}

void ShortcutTable::save() const
{
    auto settings = SettingsStore::open(Hive::CurrentUser, key::kShortcuts);
    settings->remove(QString());
    for (const auto& [command, key] : keys_)
        settings->setValue(QString::number(command), key.toString(QKeySequence::PortableText));
}

QKeySequence ShortcutTable::key(int command) const
{
    const auto it = keys_.find(command);
    return it == keys_.end() ? QKeySequence() : it->second;
}

void ShortcutTable::setKey(int command, const QKeySequence& key)
{
    keys_[command] = key;
}

int ShortcutTable::commandOf(const QKeySequence& key) const
{
    if (key.isEmpty())
        return 0;
    for (const auto& [command, k] : keys_) {
        if (k == key)
            return command;
    }
    return 0;
}

} // namespace trv::app
