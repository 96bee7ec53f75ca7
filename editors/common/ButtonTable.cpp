#include "editors/common/ButtonTable.h"

#include <algorithm>

namespace trv::editors {

ButtonEntries imageButtonTable(const db::Image& image)
{
    static_assert(sizeof(ButtonEntries) == db::kButtonTable.size());
    ButtonEntries entries{};
    std::copy_n(image.begin() + db::kButtonTable.base, entries.size(), entries.begin());
    return entries;
}

void writeImageButtonTable(db::Image& image, const ButtonEntries& entries)
{
    std::copy(entries.begin(), entries.end(), image.begin() + db::kButtonTable.base);
}

ButtonEntry buttonEntry(const ButtonEntries& entries, int button)
{
    const int at = button * db::kButtonTable.recordSize;
    return {entries[at + db::button::kKind], entries[at + db::button::kParameter]};
}

void setButtonEntry(ButtonEntries& entries, int button, ButtonEntry entry)
{
    const int at = button * db::kButtonTable.recordSize;
    entries[at + db::button::kKind] = entry.kind;
    entries[at + db::button::kParameter] = entry.parameter;
}

void followSpeedPageMoves(ButtonEntries& entries, const std::vector<int>& recordMap)
{
    const auto deleted = std::find(recordMap.begin(), recordMap.end(), -1);
    const int deletedRecord = deleted == recordMap.end() ? -1 : static_cast<int>(deleted - recordMap.begin());
    for (int k = 0; k < kButtonCount; ++k) {
        const ButtonEntry entry = buttonEntry(entries, k);
        const int record = entry.parameter - 1; // the parameter is the record index + 1
        if (!entry.is(ButtonKind::SpeedPage) || record < 0)
            continue;
        int moved = record;
        if (record < static_cast<int>(recordMap.size()))
            moved = recordMap[static_cast<std::size_t>(record)];
        if (deletedRecord >= 0 && record > deletedRecord)
            moved = record - 1; // past the records in use too
        setButtonEntry(entries, k,
                       moved < 0 ? ButtonEntry{}
                                 : ButtonEntry{entry.kind, static_cast<std::uint8_t>(moved + 1)});
    }
}

bool anyButtonRefersTo(const std::vector<ButtonEntries>& tables, ButtonKind kind, int record)
{
    for (const ButtonEntries& table : tables) {
        for (int k = 0; k < kButtonCount; ++k) {
            const ButtonEntry entry = buttonEntry(table, k);
            if (entry.is(kind) && entry.parameter == record + 1)
                return true;
        }
    }
    return false;
}

bool addressesOtherChannels(std::uint8_t kind, std::uint8_t parameter)
{
    switch (static_cast<ButtonKind>(kind)) {
    case ButtonKind::AllMute:
    case ButtonKind::Patch:
    case ButtonKind::MultiSelect:
    case ButtonKind::VolumeAdjust:
        return true;
    case ButtonKind::Mute:
        return parameter != 1; // the parameter is the muted channel
    default:
        return false;
    }
}

void removeOtherChannelButtons(db::Image& image)
{
    const db::Region& table = db::kButtonTable;
    for (int k = 0; k < table.count; ++k) {
        const int entry = table.record(k);
        if (addressesOtherChannels(image[entry + db::button::kKind], image[entry + db::button::kParameter])) {
            image[entry + db::button::kKind] = static_cast<std::uint8_t>(ButtonKind::NotDefined);
            image[entry + db::button::kParameter] = db::button::kNoParameter;
        }
    }
}

} // namespace trv::editors
