// What each button function offers in the Button Configuration dialog: which kinds a button may
// take (some only once per table, some only on a multi-channel deskset), the choices of a kind's
// parameter (leaving out what other buttons of that kind use), and which stored references point
// at records that no longer exist. All of it is read from the image as it stands.
#pragma once

#include "database/ButtonFunctions.h"
#include "database/Image.h"
#include "editors/common/Bindings.h"
#include "editors/common/ButtonTable.h"

#include <QString>

#include <vector>

namespace trv::editors {

using db::ButtonFunction;
using db::ParameterSource;

class ButtonRules {
public:
    explicit ButtonRules(const db::Image& image) : image_(image) {}

    bool multiChannel() const;
    // The function of a stored kind on this deskset; nullptr for a kind above 18.
    const ButtonFunction* function(std::uint8_t kind) const;
    // The text of the type list and the short label beside the button (empty for a kind above
    // the last one).
    static QString kindName(ButtonKind kind);
    static QString shortLabel(std::uint8_t kind);

    // The kinds the dialog of this button lists, sorted by name.
    std::vector<ButtonKind> offeredKinds(const ButtonEntries& table, int button) const;
    // The parameter choices of a kind for this button, in table order; empty when nothing is left.
    ListEntries parameterChoices(const ButtonEntries& table, int button, ButtonKind kind) const;
    // A Manual Page or Speed Page entry whose record number is out of range or whose record is free.
    bool refersToMissingRecord(ButtonEntry entry) const;

private:
    bool usedByOtherButton(const ButtonEntries& table, int button, ButtonEntry entry) const;
    bool kindUsedElsewhere(const ButtonEntries& table, int button, ButtonKind kind) const;

    const db::Image& image_;
};

} // namespace trv::editors
