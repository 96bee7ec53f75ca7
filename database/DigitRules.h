// What a speed page's digit sequence must hold, by the format type of the paging format it uses:
// the characters allowed and the length range. The speed page dialog refuses anything else with
// the type's message; the database rules report it.
#pragma once

#include <string_view>

namespace trv::db {

struct DigitRule {
    int formatType; // -1: the rule of every type without one of its own
    std::string_view allowed;
    int minLength;
    int maxLength;

    bool accepts(std::string_view digits) const;
};

// The rule of a format type; types without a rule of their own take four hexadecimal characters.
const DigitRule& digitRuleFor(int formatType);

} // namespace trv::db
