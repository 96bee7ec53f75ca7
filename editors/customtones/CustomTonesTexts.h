// Texts of the custom paging tones window and its editor dialog.
#pragma once

#include <QLatin1StringView>

namespace trv::editors::customtones::text {

using namespace Qt::StringLiterals;

// List window title and tree label.
inline constexpr QLatin1StringView kTitle = "Custom Paging Tones"_L1;
inline constexpr QLatin1StringView kPrompt = "Choose a custom tone to edit or add a new one."_L1;
inline constexpr QLatin1StringView kPlaceholder = "<No custom pages defined>"_L1;

// The Edit Custom Page dialog and its fields, in form order.
inline constexpr QLatin1StringView kEditTitle = "Edit Custom Page"_L1;
inline constexpr QLatin1StringView kNumberLabel = "&Custom paging tone"_L1;
inline constexpr QLatin1StringView kInhibitDelayLabel = "&Inhibit delay (ms)"_L1;
inline constexpr QLatin1StringView kFirstToneLabel = "Fi&rst tone (Hz)"_L1;
inline constexpr QLatin1StringView kFirstToneDurationLabel = "First &tone duration (ms)"_L1;
inline constexpr QLatin1StringView kIntertoneDelayLabel = "Intertone &delay (ms)"_L1;
inline constexpr QLatin1StringView kSecondToneLabel = "&Second tone (Hz)"_L1;
inline constexpr QLatin1StringView kSecondToneDurationLabel = "S&econd tone duration (ms)"_L1;

inline constexpr QLatin1StringView kFrequencyRange = "Enter a numeric value between 200.0 and 3400.0."_L1;
inline constexpr QLatin1StringView kNumberExists = "This custom paging format number already exists."_L1;

} // namespace trv::editors::customtones::text
