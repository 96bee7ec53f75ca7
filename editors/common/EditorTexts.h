// Texts that every editor window shares.
#pragma once

namespace trv::editors::text {
inline constexpr const char* kOk = "OK";
inline constexpr const char* kCancel = "Cancel";
// The standard refusal of a number edit that does not hold an unsigned number.
inline constexpr const char* kEnterPositiveInteger = "Please enter a positive integer.";
} // namespace trv::editors::text
