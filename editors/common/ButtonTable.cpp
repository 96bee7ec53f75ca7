#include "editors/common/ButtonTable.h"

#include <algorithm>

namespace trv::editors {

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

ButtonEntries imageButtonTable(const db::Image& image)
{
    static_assert(sizeof(ButtonEntries) == db::kButtonTable.size());
    ButtonEntries entries{};
    std::copy_n(image.begin() + db::kButtonTable.base, entries.size(), entries.begin());
    return entries;
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

std::span<std::uint8_t, 36> buttonBytes(db::Image& image)
{
    static_assert(db::kButtonTable.size() == 36);
    return std::span<std::uint8_t, 36>(image.data() + db::kButtonTable.base, 36);
}

void followRecordMoves(std::span<std::uint8_t, 36> buttons, ButtonKind kind, const db::RecordMoves& moves)
{
    for (int k = 0; k < db::kButtonTable.count; ++k) {
        std::uint8_t& entryKind = buttons[static_cast<std::size_t>(2 * k + db::button::kKind)];
        std::uint8_t& parameter = buttons[static_cast<std::size_t>(2 * k + db::button::kParameter)];
        const int record = parameter - 1;
        if (entryKind != static_cast<std::uint8_t>(kind) || record < 0 ||
            record >= static_cast<int>(moves.size()))
            continue;
        const int moved = moves[static_cast<std::size_t>(record)];
        if (moved < 0) {
            entryKind = static_cast<std::uint8_t>(ButtonKind::NotDefined);
            parameter = db::button::kNoParameter;
        } else {
            parameter = static_cast<std::uint8_t>(moved + 1);
        }
    }
}

} // namespace trv::editors
