// Tone frequencies as the custom tone dialog shows them: hertz with one decimal, stored as whole
// tenths of a hertz. The text is read as a decimal number, digit by digit, so every one-decimal value
// gives its exact number of tenths (a detour through binary floating point can miss by one).
#pragma once

#include <QString>

#include <optional>

namespace trv::editors::customtones {

// The tenths of a hertz a frequency text holds: digits with at most one ".", decimals after the first
// dropped (truncated toward zero). Nothing when the text holds no digit or any other character.
// Values too large for the 16-bit field saturate at 999999.
std::optional<int> parseTenths(const QString& text);

// "1234.5" for 12345: the stored value divided by ten with one decimal.
QString formatTenths(int tenths);

// What typing leaves in a frequency field, before the range check: only digits and the first ".",
// and at most one digit after it.
QString filterFrequencyText(const QString& text);

} // namespace trv::editors::customtones
