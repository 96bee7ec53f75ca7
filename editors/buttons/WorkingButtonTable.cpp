#include "editors/buttons/WorkingButtonTable.h"

#include <algorithm>
#include <utility>

namespace trv::editors {

void WorkingButtonTable::load(const db::Image& image)
{
    working_ = imageButtonTable(image);
    backup_ = working_;
    lastEdited_.reset();
    clearAllFlag_ = false;
}

void WorkingButtonTable::store(db::Image& image) const
{
    writeImageButtonTable(image, working_);
}

void WorkingButtonTable::assign(int button, ButtonEntry entry)
{
    setButtonEntry(backup_, button, buttonEntry(working_, button));
    setButtonEntry(working_, button, entry);
    lastEdited_ = button;
    clearAllFlag_ = false;
}

void WorkingButtonTable::clearAll()
{
    backup_ = working_;
    for (int k = 0; k < kButtonCount; ++k)
        setButtonEntry(working_, k, ButtonEntry{});
    clearAllFlag_ = true;
}

void WorkingButtonTable::undo()
{
    if (clearAllFlag_) {
        working_ = backup_;
        return;
    }
    if (!lastEdited_)
        return;
    const ButtonEntry current = buttonEntry(working_, *lastEdited_);
    setButtonEntry(working_, *lastEdited_, buttonEntry(backup_, *lastEdited_));
    setButtonEntry(backup_, *lastEdited_, current);
}

// The backup too: a record freed now may be filled by another one later, which Undo would then
// silently hand to the button.
void WorkingButtonTable::dropMissingReferences(const ButtonRules& rules)
{
    for (ButtonEntries* table : {&working_, &backup_}) {
        for (int k = 0; k < kButtonCount; ++k) {
            if (rules.refersToMissingRecord(buttonEntry(*table, k)))
                setButtonEntry(*table, k, ButtonEntry{});
        }
    }
}

void WorkingButtonTable::followSpeedPageMoves(const std::vector<int>& recordMap)
{
    editors::followSpeedPageMoves(working_, recordMap);
    editors::followSpeedPageMoves(backup_, recordMap);
}

} // namespace trv::editors
