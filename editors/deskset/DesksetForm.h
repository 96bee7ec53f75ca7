// The controls of the deskset settings window as data, in form order: each with its label, its
// catalogue field and the kind of control that shows it. The window builds its form from this
// table and the configuration sheet prints its rows from it. No widgets.
#pragma once

#include "database/FieldCatalog.h"
#include "editors/deskset/DesksetTexts.h"

#include <span>

namespace trv::editors::deskset {

enum class Control {
    TypeList,      // the deskset type: single or multi-channel, by its own entries
    MuteTimerList, // 0 to 60 s, a value without an entry is written as 0
    Number,        // digits, refused outside the field's range with `rangeMessage`
    List,          // the field's choices, a value without an entry kept as stored
    Check,         // a check box of the "Settings" group
};

struct FormControl {
    QLatin1StringView label;
    const db::Field& field;
    Control control;
    QLatin1StringView rangeMessage = {}; // Number
};

// The "Settings" group, in form order (the drop-down lists and edits, then the check boxes).
inline const FormControl kSettingsControls[] = {
    {text::kDesksetTypeLabel, db::fields::desksetType, Control::TypeList},
    {text::kMuteTimerLabel, db::fields::muteTimer, Control::MuteTimerList},
    {text::kVoiceAnnotationLabel, db::fields::voiceAnnotation, Control::Number, text::kVoiceAnnotationRange},
    {text::kMuteLevelLabel, db::fields::muteLevel, Control::List},
    {text::kTransmitDelayLabel, db::fields::transmitDelay, Control::Number, text::kTransmitDelayRange},
    {text::kBaudRateLabel, db::fields::printerBaudRate, Control::List},
    {text::kClockModeLabel, db::fields::clockMode, Control::List},
    {text::kPageKeyUpDelayLabel, db::fields::pageKeyUpDelay, Control::Number, text::kPageKeyUpDelayRange},
    {text::kPagingFeedbackLabel, db::fields::pagingFeedback, Control::List},
    {text::kUseUnselectSpeaker, db::fields::useUnselectSpeaker, Control::Check},
    {text::kExternalMicPresent, db::fields::externalMicPresent, Control::Check},
    {text::kDisplayTime, db::fields::displayTime, Control::Check},
    {text::kMicAgc, db::fields::micAgc, Control::Check},
    {text::kHandsetPresent, db::fields::handsetPresent, Control::Check},
};
// The "Relay" group: one check box per element of relayLatching, labelled text::kRelayLatching.

} // namespace trv::editors::deskset
