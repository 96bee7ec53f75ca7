#include "editors/speedpaging/DigitRules.h"

#include "editors/speedpaging/SpeedPagingTexts.h"

namespace trv::editors::speedpaging {

bool DigitRule::accepts(const QString& digits) const
{
    // A character outside Latin-1 reads as '?', which no rule allows.
    const QByteArray latin1 = digits.toLatin1();
    return rule.accepts(std::string_view(latin1.constData(), static_cast<std::size_t>(latin1.size())));
}

const DigitRule& digitRuleFor(int formatType)
{
    static const DigitRule rules[] = {
        {db::digitRuleFor(10), text::kMotorola1Plus1Digits},
        {db::digitRuleFor(11), text::kMotorola2Plus2Digits},
        {db::digitRuleFor(12), text::kGeType99Digits},
        {db::digitRuleFor(13), text::kMotorola5ToneDigits},
        {db::digitRuleFor(14), text::kMotorola6ToneDigits},
        {db::digitRuleFor(15), text::kNec5ToneDigits},
        {db::digitRuleFor(16), text::kNec6ToneDigits},
        {db::digitRuleFor(17), text::kReachToneDigits},
        {db::digitRuleFor(18), text::kDtmfDigits},
        {db::digitRuleFor(19), text::kPulseDigits},
        {db::digitRuleFor(20), text::kCustomToneDigits},
    };
    static const DigitRule hex{db::digitRuleFor(-1), text::kHexDigits};
    for (const DigitRule& r : rules)
        if (r.rule.formatType == formatType)
            return r;
    return hex;
}

} // namespace trv::editors::speedpaging
