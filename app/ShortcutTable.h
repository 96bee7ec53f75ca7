// The keyboard shortcut table: which key runs which command. The defaults come from the command
// table; a changed table is kept in the profile and replaces the defaults at start.
#pragma once

#include <QKeySequence>

#include <map>

namespace trv::app {

class ShortcutTable {
public:
    // Every command with its default key (an empty sequence for commands without one).
    static ShortcutTable defaults();

    // True when a table was stored; the table then holds exactly what was stored.
    bool load();
    void save() const;

    QKeySequence key(int command) const;
    void setKey(int command, const QKeySequence& key);
    // The command that the key runs, or 0.
    int commandOf(const QKeySequence& key) const;

    const std::map<int, QKeySequence>& keys() const { return keys_; }
    bool operator==(const ShortcutTable&) const = default;

private:
    std::map<int, QKeySequence> keys_;
};

} // namespace trv::app
