// The paging format editors as data: one row per format type 0 to 20 with its title, base format,
// help context, its entry in the protocol choice of Add, and its parameter controls in form order.
// Each control names a field of the type's parameter layout in the field catalogue
// (db::fields::formatParameters), which gives its offset, kind, range, choices and default.
#pragma once

#include "database/Field.h"

#include <QLatin1StringView>
#include <QString>

#include <span>
#include <string_view>

namespace trv::editors::paging {

struct ParameterControl {
    QLatin1StringView label; // the control's label, with its access key
    std::string_view field;  // a field of the type's catalogue layout
};

struct FormatEditor {
    int type;
    QLatin1StringView addEntry;   // the entry of the protocol choice that creates the type
    QLatin1StringView title;      // empty: the type's name
    QLatin1StringView baseFormat; // empty: the type's name
    int helpContext;
    std::span<const ParameterControl> controls; // empty: an editor of the label only
};

// The editors of format types 0 to 20, in type order.
std::span<const FormatEditor> formatEditors();
// The editor of a format type; nullptr for types without one (21 to 255).
const FormatEditor* formatEditor(int type);

// The name the lists show for a format type; empty for an unnamed type (22 to 255).
QString formatTypeName(int type);
QString editorTitle(const FormatEditor& editor);
QString baseFormatText(const FormatEditor& editor);

// The catalogue field a control names, or nullptr when the type's layout has no such field.
const db::Field* parameterField(const FormatEditor& editor, const ParameterControl& control);

} // namespace trv::editors::paging
