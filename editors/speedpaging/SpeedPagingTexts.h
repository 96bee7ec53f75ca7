// Texts of the speed paging window and its editor dialog. The digit sequence messages keep their
// spacing and line breaks exactly.
#pragma once

namespace trv::editors::speedpaging::text {

// List window title and tree label (string 152).
inline constexpr const char* kTitle = "Speed Paging";
inline constexpr const char* kPrompt = "Choose an entry to edit or add a new one.";
inline constexpr const char* kLabelColumn = "Label";
inline constexpr const char* kBaseFormatColumn = "Base Format";
inline constexpr const char* kPlaceholder = "<No paging format defined>";

inline constexpr const char* kOnButton =
    "Warning : This speed page is associated with a button.\n\nYou can't delete it while it is associated "
    "with a button.\nYou will have to remove the button association in order\nto be able to delete this "
    "format.";

// Editor dialog (string 160).
inline constexpr const char* kEditTitle = "Edit Speed Page";
inline constexpr const char* kLabelLabel = "&Label";
inline constexpr const char* kFormatLabel = "&Paging format";
inline constexpr const char* kDigitsLabel = "&Digit sequence / Custom page label";

// Digit sequence refusals, by format type.
inline constexpr const char* kMotorola1Plus1Digits =
    "The Motorola 1+1 format digit sequence requires 3 numerical characters.";
inline constexpr const char* kMotorola2Plus2Digits =
    "The Motorola 2+2 format digit sequence requires 4 numerical characters or \"A\"  and  \"B\".";
inline constexpr const char* kGeType99Digits =
    "The GE 99 format digit sequence requires 3 numerical characters.";
inline constexpr const char* kMotorola5ToneDigits =
    "The Motorola 5 format digit sequence requires 5 numerical characters.";
inline constexpr const char* kMotorola6ToneDigits =
    "The Motorola 6 format digit sequence requires 5 numerical characters.";
inline constexpr const char* kNec5ToneDigits =
    "The NEC 5 format digit sequence requires 5 numerical characters.";
inline constexpr const char* kNec6ToneDigits =
    "The NEC 6 format digit sequence requires 5 numerical characters.";
inline constexpr const char* kReachToneDigits =
    "The Reach format digit sequence requires 3 numerical characters.";
inline constexpr const char* kDtmfDigits = "This DTMF format digit sequence requires from 1 to 16 numerical "
                                           "characters or \"A\" to \"D\", \"*\" or \"#\".\n\n";
inline constexpr const char* kPulseDigits =
    "The Pulse Tone format Digit Sequence requires from 1 to 16 numerical characters.";
inline constexpr const char* kCustomToneDigits =
    "You must enter 1 or 2 numerical characters for the custom format digit sequence.";
inline constexpr const char* kHexDigits =
    "This tone format digit sequence requires 4 hexadecimal characters.";

} // namespace trv::editors::speedpaging::text
