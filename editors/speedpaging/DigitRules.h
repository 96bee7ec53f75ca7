// The digit sequence rule of a speed page's format type (characters and lengths, from the database
// rules) with the message the speed page dialog refuses a sequence with.
#pragma once

#include "database/DigitRules.h"

#include <QLatin1StringView>
#include <QString>

namespace trv::editors::speedpaging {

struct DigitRule {
    const db::DigitRule& rule;
    QLatin1StringView message;

    bool accepts(const QString& digits) const;
};

// The rule of a format type; types without a rule of their own take four hexadecimal characters.
const DigitRule& digitRuleFor(int formatType);

} // namespace trv::editors::speedpaging
