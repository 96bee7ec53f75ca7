// Every user-visible text of the buttons editor and its Button Configuration dialog. The function
// names of the type list are the catalogue's choices of the button kind (db::fields::kButtonKinds).
#pragma once

#include <QLatin1StringView>

namespace trv::editors::buttons::text {

using namespace Qt::StringLiterals;

inline constexpr QLatin1StringView kTitle = "Buttons Configuration"_L1;
inline constexpr QLatin1StringView kClearAll = "&Clear All"_L1;
inline constexpr QLatin1StringView kUndoLastChange = "&Undo Last Change"_L1;
inline constexpr QLatin1StringView kClearAllQuestion =
    "Are you sure you want to reset all the buttons to their default value?"_L1;

inline constexpr QLatin1StringView kDialogTitle = "Button Configuration"_L1;
inline constexpr QLatin1StringView kTypeLabel = "Button &type :"_L1;
inline constexpr QLatin1StringView kParameterLabel = "Function &label :"_L1;
inline constexpr QLatin1StringView kNoFunctionLabel = "No function label available."_L1;

// The short label beside a button, by function kind (0 to 18).
inline constexpr QLatin1StringView kShortLabels[] = {"ND"_L1,    "Up"_L1,  "Down"_L1, "Clr"_L1,   "MPg"_L1,
                                                     "SPg"_L1,   "APg"_L1, "Fq"_L1,   "AlMut"_L1, "Mute"_L1,
                                                     "AlrtT"_L1, "Rep"_L1, "WldC"_L1, "Ptch"_L1,  "MSel"_L1,
                                                     "CClr"_L1,  "Vol"_L1, "RAC"_L1,  "Aux"_L1};

// The frequency pairs a Frequency button selects, by parameter 1 to 8.
inline constexpr QLatin1StringView kFrequencyPairs[] = {"1/2"_L1,  "3/4"_L1,   "5/6"_L1,   "7/8"_L1,
                                                        "9/10"_L1, "11/12"_L1, "13/14"_L1, "15/16"_L1};

// The channel keys of a multi-channel deskset, in picture order; they are not configurable.
inline constexpr QLatin1StringView kChannelKeys[] = {"Tx 4"_L1, "Sel 4"_L1, "Tx 3"_L1, "Sel 3"_L1,
                                                     "Tx 2"_L1, "Sel 2"_L1, "Tx 1"_L1, "Sel 1"_L1};

// What assistive technology reads for programmable button n (1 to 18).
inline constexpr QLatin1StringView kButtonName = "Button %1"_L1;

} // namespace trv::editors::buttons::text
