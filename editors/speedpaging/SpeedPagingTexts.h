// Texts of the speed paging window and its editor dialog. The digit sequence messages keep their
// spacing and line breaks exactly.
#pragma once

#include <QLatin1StringView>

namespace trv::editors::speedpaging::text {

using namespace Qt::StringLiterals;

// List window title and tree label.
inline constexpr QLatin1StringView kTitle = "Speed Paging"_L1;
inline constexpr QLatin1StringView kPrompt = "Choose an entry to edit or add a new one."_L1;
inline constexpr QLatin1StringView kLabelColumn = "Label"_L1;
inline constexpr QLatin1StringView kBaseFormatColumn = "Base Format"_L1;
inline constexpr QLatin1StringView kPlaceholder = "<No paging format defined>"_L1;

inline constexpr QLatin1StringView kOnButton =
    "Warning : This speed page is associated with a button.\n\nYou can't delete it while it is associated "
    "with a button.\nYou will have to remove the button association in order\nto be able to delete this "
    "format."_L1;

// The Edit Speed Page dialog.
inline constexpr QLatin1StringView kEditTitle = "Edit Speed Page"_L1;
inline constexpr QLatin1StringView kLabelLabel = "&Label"_L1;
inline constexpr QLatin1StringView kFormatLabel = "&Paging format"_L1;
inline constexpr QLatin1StringView kDigitsLabel = "&Digit sequence / Custom page label"_L1;

// Digit sequence refusals, by format type.
inline constexpr QLatin1StringView kMotorola1Plus1Digits =
    "The Motorola 1+1 format digit sequence requires 3 numerical characters."_L1;
inline constexpr QLatin1StringView kMotorola2Plus2Digits =
    "The Motorola 2+2 format digit sequence requires 4 numerical characters or \"A\"  and  \"B\"."_L1;
inline constexpr QLatin1StringView kGeType99Digits =
    "The GE 99 format digit sequence requires 3 numerical characters."_L1;
inline constexpr QLatin1StringView kMotorola5ToneDigits =
    "The Motorola 5 format digit sequence requires 5 numerical characters."_L1;
inline constexpr QLatin1StringView kMotorola6ToneDigits =
    "The Motorola 6 format digit sequence requires 5 numerical characters."_L1;
inline constexpr QLatin1StringView kNec5ToneDigits =
    "The NEC 5 format digit sequence requires 5 numerical characters."_L1;
inline constexpr QLatin1StringView kNec6ToneDigits =
    "The NEC 6 format digit sequence requires 5 numerical characters."_L1;
inline constexpr QLatin1StringView kReachToneDigits =
    "The Reach format digit sequence requires 3 numerical characters."_L1;
inline constexpr QLatin1StringView kDtmfDigits =
    "This DTMF format digit sequence requires from 1 to 16 numerical "
    "characters or \"A\" to \"D\", \"*\" or \"#\".\n\n"_L1;
inline constexpr QLatin1StringView kPulseDigits =
    "The Pulse Tone format Digit Sequence requires from 1 to 16 numerical characters."_L1;
inline constexpr QLatin1StringView kCustomToneDigits =
    "You must enter 1 or 2 numerical characters for the custom format digit sequence."_L1;
inline constexpr QLatin1StringView kHexDigits =
    "This tone format digit sequence requires 4 hexadecimal characters."_L1;

} // namespace trv::editors::speedpaging::text
