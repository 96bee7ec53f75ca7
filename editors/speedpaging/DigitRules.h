// What a speed page's digit sequence must hold, by the format type of the paging format it uses:
// the characters allowed, the length range and the message that refuses anything else.
#pragma once

#include <QString>

namespace trv::editors::speedpaging {

struct DigitRule {
    const char* allowed;
    int minLength;
    int maxLength;
    const char* message;

    bool accepts(const QString& digits) const;
};

// The rule of a format type; types without a rule of their own take four hexadecimal characters.
const DigitRule& digitRuleFor(int formatType);

} // namespace trv::editors::speedpaging
