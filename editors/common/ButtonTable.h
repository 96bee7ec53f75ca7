// The button table of the image: 18 entries of one byte function kind and one byte parameter.
#pragma once

#include "database/Image.h"
#include "database/SortedTable.h"

#include <array>
#include <cstdint>
#include <span>

namespace trv::editors {

// The 18 kind/parameter pairs of the button table, in table order (entry k at 2k and 2k + 1).
using ButtonEntries = std::array<std::uint8_t, 36>;

// The button table as the image holds it.
ButtonEntries imageButtonTable(const db::Image& image);

// Function kinds of a programmable button, as stored in the table.
enum class ButtonKind : std::uint8_t {
    NotDefined = 0,
    ScrollUp = 1,
    ScrollDown = 2,
    Clear = 3,
    ManualPage = 4,
    SpeedPage = 5,
    AliasPage = 6,
    Frequency = 7,
    AllMute = 8,
    Mute = 9,
    AlertTone = 10,
    Repeat = 11,
    Wildcard = 12,
    Patch = 13,
    MultiSelect = 14,
    CodedClear = 15,
    VolumeAdjust = 16,
    EnterRac = 17,
    Auxiliary = 18,
};

// True for a button that addresses channels 2 to 4, which a single-channel deskset does not have:
// All Mute, Patch, Multi Select, Volume Adjust, and Mute of any channel other than channel 1.
bool addressesOtherChannels(std::uint8_t kind, std::uint8_t parameter);

// Turns every button that addresses channels 2 to 4 into an undefined button (kind 0, no
// parameter); all other entries stay as they are. Applied when the deskset becomes single channel.
void removeOtherChannelButtons(db::Image& image);

// The 36 bytes of the table (kind, parameter, kind, parameter, ...) inside the image.
std::span<std::uint8_t, 36> buttonBytes(db::Image& image);

// Keeps the buttons of one kind pointing at the same records after records of their table moved
// (parameter = record index + 1). A button whose record was deleted becomes undefined; a parameter
// outside the table is left as it is.
void followRecordMoves(std::span<std::uint8_t, 36> buttons, ButtonKind kind, const db::RecordMoves& moves);

} // namespace trv::editors
