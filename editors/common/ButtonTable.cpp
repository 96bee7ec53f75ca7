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

} // namespace trv::editors
