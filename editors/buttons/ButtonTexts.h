// Every user-visible text of the buttons editor and its Button Configuration dialog. The function
// names of the type list are the catalogue's choices of the button kind (db::fields::kButtonKinds).
#pragma once

namespace trv::editors::buttons::text {

inline constexpr const char* kTitle = "Buttons Configuration";
inline constexpr const char* kClearAll = "&Clear All";
inline constexpr const char* kUndoLastChange = "&Undo Last Change";
inline constexpr const char* kClearAllQuestion =
    "Are you sure you want to reset all the buttons to their default value?";

inline constexpr const char* kDialogTitle = "Button Configuration";
inline constexpr const char* kTypeLabel = "Button &type :";
inline constexpr const char* kParameterLabel = "Function &label :";
inline constexpr const char* kNoFunctionLabel = "No function label available.";

// The short label beside a button, by function kind (0 to 18).
inline constexpr const char* kShortLabels[] = {"ND",   "Up",    "Down", "Clr",   "MPg", "SPg",  "APg",
                                               "Fq",   "AlMut", "Mute", "AlrtT", "Rep", "WldC", "Ptch",
                                               "MSel", "CClr",  "Vol",  "RAC",   "Aux"};

// The frequency pairs a Frequency button selects, by parameter 1 to 8.
inline constexpr const char* kFrequencyPairs[] = {"1/2",  "3/4",   "5/6",   "7/8",
                                                  "9/10", "11/12", "13/14", "15/16"};

// The channel keys of a multi-channel deskset, in picture order; they are not configurable.
inline constexpr const char* kChannelKeys[] = {"Tx 4", "Sel 4", "Tx 3", "Sel 3",
                                               "Tx 2", "Sel 2", "Tx 1", "Sel 1"};

// What assistive technology reads for programmable button n (1 to 18).
inline constexpr const char* kButtonName = "Button %1";

} // namespace trv::editors::buttons::text
