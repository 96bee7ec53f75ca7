// What several channel wizard pages share: the frequency and current lists, the rules of their
// millisecond and level edits, and the claim of the channel's shared signalling area.
#pragma once

#include "editors/common/Bindings.h"

class QGroupBox;
class QLabel;
class QWidget;

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

// A number edit refused with `message` when it is empty, no number, or outside the field's range.
NumberBinding::Rules rangeRule(const db::Field& field, const char* message);
// A signed level edit: an optional leading "-" and digits; the edit keeps only those characters.
NumberBinding& bindLevel(FieldBindings& bindings, QLineEdit* edit, const db::Field& field,
                         const char* message);

// A group box titled with one of the page texts.
QGroupBox* group(const char* title, QWidget* parent);
// The note under a column of talk permit tone detection check boxes.
QLabel* tptDetectNote(QWidget* parent);

// The record a claiming page shows: the image as it is, or, when the channel's shared area holds
// the other layout or was not claimed since New, with this layout's defaults (and `also`, a field
// outside the area that the layout's defaults cover) written into a copy.
db::Image claimedView(const db::Image& image, int channel, const db::AreaLayout& layout, bool areaIsOurs,
                      const db::Field* also = nullptr);

} // namespace trv::editors::channel
