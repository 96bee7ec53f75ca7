#include "editors/channel/EditRules.h"

#include "editors/channel/ChannelTexts.h"
#include "editors/common/CharacterFilter.h"
#include <QLineEdit>

namespace trv::editors::channel {

NumberBinding::Rules rangeRule(const db::Field& field, QLatin1StringView message)
{
    return {.minimum = field.minimum, .maximum = field.maximum, .outOfRange = message};
}

NumberBinding& bindLevel(FieldBindings& bindings, QLineEdit* edit, const db::Field& field,
                         QLatin1StringView message)
{
    new CharacterFilter(edit, text::kLevelCharacters);
    NumberBinding::Rules rules = rangeRule(field, message);
    rules.allowMinus = true;
    return bindings.add<NumberBinding>(edit, field, rules);
}

} // namespace trv::editors::channel
