#include "editors/channel/ToneLists.h"

#include "database/FieldCatalog.h"
#include "editors/channel/ChannelTexts.h"
#include <iterator>

namespace trv::editors::channel {

namespace f = db::fields;

using db::kTenthsPerHertz;

ListEntries frequencyEntries()
{
    return scaledChoices({std::begin(f::kToneFrequencies), std::end(f::kToneFrequencies)}, kTenthsPerHertz,
                         text::kNoTone);
}

ListEntries guardToneEntries()
{
    return scaledChoices({std::begin(f::kGuardToneFrequencies), std::end(f::kGuardToneFrequencies)},
                         kTenthsPerHertz);
}

ListEntries currentEntries()
{
    ListEntries entries;
    for (int halfMilliamps = f::dcCurrent.minimum; halfMilliamps <= f::dcCurrent.maximum; ++halfMilliamps)
        entries.push_back(
            {halfMilliamps, QString::asprintf("%0.1f", double(halfMilliamps) / f::dcCurrent.scale())});
    return entries;
}

ListBinding& bindFrequencyList(FieldBindings& bindings, QComboBox* box, const db::Field& field,
                               ListEntries entries, int element)
{
    return bindings.add<ListBinding>(box, field, std::move(entries), NoSelection::write(0), element)
        .setMatcher(ListBinding::matchScaled(kTenthsPerHertz));
}

} // namespace trv::editors::channel
