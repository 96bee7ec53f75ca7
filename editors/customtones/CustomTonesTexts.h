// Texts of the custom paging tones window and its editor dialog.
#pragma once

namespace trv::editors::customtones::text {

// List window title and tree label (string 153).
inline constexpr const char* kTitle = "Custom Paging Tones";
inline constexpr const char* kPrompt = "Choose a custom tone to edit or add a new one.";
inline constexpr const char* kPlaceholder = "<No custom pages defined>";

// Editor dialog (string 159) and its fields, in form order.
inline constexpr const char* kEditTitle = "Edit Custom Page";
inline constexpr const char* kNumberLabel = "&Custom paging tone";
inline constexpr const char* kInhibitDelayLabel = "&Inhibit delay (ms)";
inline constexpr const char* kFirstToneLabel = "Fi&rst tone (Hz)";
inline constexpr const char* kFirstToneDurationLabel = "First &tone duration (ms)";
inline constexpr const char* kIntertoneDelayLabel = "Intertone &delay (ms)";
inline constexpr const char* kSecondToneLabel = "&Second tone (Hz)";
inline constexpr const char* kSecondToneDurationLabel = "S&econd tone duration (ms)";

inline constexpr const char* kFrequencyRange = "Enter a numeric value between 200.0 and 3400.0.";
inline constexpr const char* kNumberExists = "This custom paging format number already exists.";

} // namespace trv::editors::customtones::text
