// The button table of the image: 18 entries of one byte function kind and one byte parameter.
#pragma once

#include "database/Image.h"
#include "database/Layout.h"

#include <array>
#include <cstdint>
#include <vector>

namespace trv::editors {

// The 18 kind/parameter pairs of the button table, in table order (entry k at 2k and 2k + 1).
using ButtonEntries = std::array<std::uint8_t, 36>;

// The button table as the image holds it, and its write back.
ButtonEntries imageButtonTable(const db::Image& image);
void writeImageButtonTable(db::Image& image, const ButtonEntries& entries);

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

// One entry of the table: the function kind and its parameter (0xFF when the kind takes none).
struct ButtonEntry {
    std::uint8_t kind = 0;
    std::uint8_t parameter = db::button::kNoParameter;

    bool is(ButtonKind k) const { return kind == static_cast<std::uint8_t>(k); }
    friend bool operator==(const ButtonEntry&, const ButtonEntry&) = default;
};

inline constexpr int kButtonCount = 18;

ButtonEntry buttonEntry(const ButtonEntries& entries, int button);
void setButtonEntry(ButtonEntries& entries, int button, ButtonEntry entry);

// Keeps the Speed Page buttons on the speed pages they call while the speed page table moves its
// records: recordMap gives each old record index its new index (-1: deleted). A map with a deleted
// record comes from a delete, which moves every later record down by one: every parameter above the
// deleted record's decreases by one, including those past the records in use (up to 255), as the
// deskset numbers them. A button whose speed page was deleted becomes undefined, so that it never
// silently calls the record moved into its place.
void followSpeedPageMoves(ButtonEntries& entries, const std::vector<int>& recordMap);

// Whether a button of `kind` refers to `record` (its parameter is record + 1) in any of `tables`.
bool anyButtonRefersTo(const std::vector<ButtonEntries>& tables, ButtonKind kind, int record);

// Implemented by the window that edits the button table: its working table, which holds
// assignments not yet written to the image. The shell hands it to the reference guards.
class ButtonTableEditor {
public:
    virtual ~ButtonTableEditor() = default;
    virtual ButtonEntries workingButtonTable() const = 0;
};

// True for a button that addresses channels 2 to 4, which a single-channel deskset does not have:
// All Mute, Patch, Multi Select, Volume Adjust, and Mute of any channel other than channel 1.
bool addressesOtherChannels(std::uint8_t kind, std::uint8_t parameter);

// Turns every button that addresses channels 2 to 4 into an undefined button (kind 0, no
// parameter); all other entries stay as they are. Applied when the deskset becomes single channel.
void removeOtherChannelButtons(db::Image& image);

} // namespace trv::editors
