// Texts that several editor windows share.
#pragma once

#include <QLatin1StringView>

namespace trv::editors::text {

using namespace Qt::StringLiterals;

inline constexpr QLatin1StringView kOk = "OK"_L1;
inline constexpr QLatin1StringView kCancel = "Cancel"_L1;
inline constexpr QLatin1StringView kClose = "Close"_L1;
inline constexpr QLatin1StringView kAdd = "&Add"_L1;
inline constexpr QLatin1StringView kEdit = "&Edit"_L1;
inline constexpr QLatin1StringView kDelete = "&Delete"_L1;

// The standard refusal of a number edit that does not hold an unsigned number.
inline constexpr QLatin1StringView kEnterPositiveInteger = "Please enter a positive integer."_L1;
// Range refusals of number fields; %1 and %2 are the limits.
inline constexpr QLatin1StringView kEnterNumberBetween = "Please enter a number between %1 and %2."_L1;
inline constexpr QLatin1StringView kEnterIntegerBetween = "Please enter an integer between %1 and %2."_L1;
// The refusal of an empty or non-numeric duration.
inline constexpr QLatin1StringView kEnterNumber = "Please enter a number."_L1;
// The list windows' delete question, and the dialogs' refusal of an empty required field.
inline constexpr QLatin1StringView kDeleteQuestion = "Are you sure you want to delete the selected item?"_L1;
inline constexpr QLatin1StringView kFillAllFields =
    "All the fields must be filled out before you can continue."_L1;
// The refusal of a label that another record of the table already has.
inline constexpr QLatin1StringView kLabelExists = "This label already exists."_L1;
} // namespace trv::editors::text
