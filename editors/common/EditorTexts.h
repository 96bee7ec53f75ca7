// Texts that several editor windows share.
#pragma once

namespace trv::editors::text {
inline constexpr const char* kOk = "OK";
inline constexpr const char* kCancel = "Cancel";
inline constexpr const char* kClose = "Close";
inline constexpr const char* kAdd = "&Add";
inline constexpr const char* kEdit = "&Edit";
inline constexpr const char* kDelete = "&Delete";

// The standard refusal of a number edit that does not hold an unsigned number.
inline constexpr const char* kEnterPositiveInteger = "Please enter a positive integer.";
// Range refusals of number fields; %1 and %2 are the limits.
inline constexpr const char* kEnterNumberBetween = "Please enter a number between %1 and %2.";
inline constexpr const char* kEnterIntegerBetween = "Please enter an integer between %1 and %2.";
// The refusal of an empty or non-numeric duration.
inline constexpr const char* kEnterNumber = "Please enter a number.";
// The list windows' delete question, and the dialogs' refusal of an empty required field.
inline constexpr const char* kDeleteQuestion = "Are you sure you want to delete the selected item?";
inline constexpr const char* kFillAllFields = "All the fields must be filled out before you can continue.";
// The refusal of a label that another record of the table already has.
inline constexpr const char* kLabelExists = "This label already exists.";
} // namespace trv::editors::text
