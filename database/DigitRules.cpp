#include "database/DigitRules.h"

#include <algorithm>

namespace trv::db {

namespace {

constexpr std::string_view kDecimal = "0123456789";

constexpr DigitRule kRules[] = {
    {10, kDecimal, 3, 3},            // Motorola 1+1
    {11, "0123456789AB", 4, 4},      // Motorola 2+2
    {12, kDecimal, 3, 3},            // GE Type 99
    {13, kDecimal, 5, 5},            // Motorola 5 Tone
    {14, kDecimal, 5, 5},            // Motorola 6 Tone: both 6-tone formats take 5 digits
    {15, kDecimal, 5, 5},            // NEC 5 Tone
    {16, kDecimal, 5, 5},            // NEC 6 Tone
    {17, kDecimal, 3, 3},            // Reach Tone
    {18, "0123456789ABCD*#", 1, 16}, // DTMF
    {19, kDecimal, 1, 16},           // Pulse
    {20, kDecimal, 1, 2},            // Custom Page Tone: a custom paging tone number
};

constexpr DigitRule kHexRule{-1, "0123456789ABCDEF", 4, 4};

} // namespace

bool DigitRule::accepts(std::string_view digits) const
{
    return static_cast<int>(digits.size()) >= minLength && static_cast<int>(digits.size()) <= maxLength &&
           std::all_of(digits.begin(), digits.end(), [&](char c) { return allowed.find(c) != allowed.npos; });
}

const DigitRule& digitRuleFor(int formatType)
{
    for (const DigitRule& r : kRules)
        if (r.formatType == formatType)
            return r;
    return kHexRule;
}

} // namespace trv::db
