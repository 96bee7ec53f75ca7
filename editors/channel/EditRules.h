// The rules the channel pages' number edits keep: a field's range, and signed levels.
#pragma once

#include "editors/common/Bindings.h"

namespace trv::editors::channel {

// A number edit refused with `message` when it is empty, no number, or outside the field's range.
NumberBinding::Rules rangeRule(const db::Field& field, QLatin1StringView message);
// A signed level edit: an optional leading "-" and digits; the edit keeps only those characters.
NumberBinding& bindLevel(FieldBindings& bindings, QLineEdit* edit, const db::Field& field,
                         QLatin1StringView message);

} // namespace trv::editors::channel
