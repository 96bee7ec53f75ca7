// The buttons editor's copy of the button table while its window is open: the working table the
// user edits, the backup table that Undo Last Change restores from, the last edited button and
// whether the last change was a Clear All. Only the editor's OK writes it into the image.
#pragma once

#include "editors/buttons/ButtonRules.h"
#include "editors/common/ButtonTable.h"

#include <optional>

namespace trv::editors {

class WorkingButtonTable {
public:
    void load(const db::Image& image);
    void store(db::Image& image) const;

    const ButtonEntries& entries() const { return working_; }
    const ButtonEntries& backup() const { return backup_; }
    ButtonEntry entry(int button) const { return buttonEntry(working_, button); }

    // One button's new assignment; its old one goes into its backup entry.
    void assign(int button, ButtonEntry entry);
    // Every button undefined; the whole table goes into the backup.
    void clearAll();
    // After a Clear All the whole backup comes back; otherwise the last edited button's working and
    // backup entries change places, so a second Undo redoes the change. Nothing before any change.
    void undo();

    // Manual Page and Speed Page buttons whose record is gone become undefined, in both tables.
    void dropMissingReferences(const ButtonRules& rules);
    // The speed page table moved its records (see followSpeedPageMoves); both tables follow.
    void followSpeedPageMoves(const std::vector<int>& recordMap);

private:
    ButtonEntries working_{};
    ButtonEntries backup_{};
    std::optional<int> lastEdited_;
    bool clearAllFlag_ = false;
};

} // namespace trv::editors
