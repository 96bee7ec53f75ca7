// The lists of the channel pages: tone frequencies, guard tones and DC currents, and the binding
// of a frequency list to its field.
#pragma once

#include "editors/common/Bindings.h"

namespace trv::editors::channel {

// "None", "550" .. "2050": the tones a frequency field may hold, shown in hertz.
ListEntries frequencyEntries();
// "2100" .. "2325".
ListEntries guardToneEntries();
// "-15.5" .. "15.5": DC currents in milliamperes, one decimal.
ListEntries currentEntries();

// A frequency list: selects the entry the stored value shows as (its value / 10), stores 0 while
// nothing is selected.
ListBinding& bindFrequencyList(FieldBindings& bindings, QComboBox* box, const db::Field& field,
                               ListEntries entries, int element = 0);

} // namespace trv::editors::channel
