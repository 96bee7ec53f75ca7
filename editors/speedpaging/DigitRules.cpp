#include "editors/speedpaging/DigitRules.h"

#include "editors/speedpaging/SpeedPagingTexts.h"

#include <algorithm>

namespace trv::editors::speedpaging {

namespace {

constexpr const char* kDecimal = "0123456789";

struct TypeRule {
    int formatType;
    DigitRule rule;
};

const TypeRule kRules[] = {
    {10, {kDecimal, 3, 3, text::kMotorola1Plus1Digits}},
    {11, {"0123456789AB", 4, 4, text::kMotorola2Plus2Digits}},
    {12, {kDecimal, 3, 3, text::kGeType99Digits}},
    {13, {kDecimal, 5, 5, text::kMotorola5ToneDigits}},
    {14, {kDecimal, 5, 5, text::kMotorola6ToneDigits}}, // both 6-tone formats take 5 digits
    {15, {kDecimal, 5, 5, text::kNec5ToneDigits}},
    {16, {kDecimal, 5, 5, text::kNec6ToneDigits}},
    {17, {kDecimal, 3, 3, text::kReachToneDigits}},
    {18, {"0123456789ABCD*#", 1, 16, text::kDtmfDigits}},
    {19, {kDecimal, 1, 16, text::kPulseDigits}},
    {20, {kDecimal, 1, 2, text::kCustomToneDigits}}, // a custom paging tone number
};

const DigitRule kHexRule{"0123456789ABCDEF", 4, 4, text::kHexDigits};

} // namespace

bool DigitRule::accepts(const QString& digits) const
{
    const QString chars = QString::fromLatin1(allowed);
    return digits.size() >= minLength && digits.size() <= maxLength &&
           std::all_of(digits.begin(), digits.end(), [&](QChar c) { return chars.contains(c); });
}

const DigitRule& digitRuleFor(int formatType)
{
    for (const TypeRule& r : kRules)
        if (r.formatType == formatType)
            return r.rule;
    return kHexRule;
}

} // namespace trv::editors::speedpaging
