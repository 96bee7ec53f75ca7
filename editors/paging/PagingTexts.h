// Texts of the paging formats list, the protocol choice and the paging format editors. "&" marks a
// label's access key. The format type names themselves are the catalogue's (kFormatTypes).
#pragma once

#include <QLatin1StringView>

namespace trv::editors::paging::text {

using namespace Qt::StringLiterals;

// The list window: its title is also its tree label.
inline constexpr QLatin1StringView kTitle = "Paging Formats"_L1;
inline constexpr QLatin1StringView kPrompt = "Choose a format to edit or add a new one."_L1;
inline constexpr QLatin1StringView kLabelColumn = "Label"_L1;
inline constexpr QLatin1StringView kBaseFormatColumn = "Base Format"_L1;
inline constexpr QLatin1StringView kNoFormat = "<No paging format defined>"_L1;

inline constexpr QLatin1StringView kUsedBySpeedPage =
    "Warning : This format is used by at least one speed page.\n\nYou can't delete it while it is used by a "
    "speed page.\nYou will have to delete all speed pages using this format\nin order to be able to delete "
    "it."_L1;
inline constexpr QLatin1StringView kUsedByButton =
    "Warning : This manual page is associated with a button.\n\nYou can't delete it while it is associated "
    "with "
    "a button.\nYou will have to remove the button association in order\nto be able to delete this format."_L1;

// The protocol choice of Add.
inline constexpr QLatin1StringView kProtocolTitle = "Paging Format Protocols"_L1;
inline constexpr QLatin1StringView kProtocolPrompt = "&Add manual paging format based on :"_L1;

// Every paging format editor.
inline constexpr QLatin1StringView kLabel = "&Label"_L1;
inline constexpr QLatin1StringView kBaseFormat = "Base format"_L1;
inline constexpr QLatin1StringView kFormatConfig = "Format Config"_L1;
inline constexpr QLatin1StringView kEmptyLabel = "You must enter a label name."_L1;
inline constexpr QLatin1StringView kLabelExists = "This label already exists."_L1;
inline constexpr QLatin1StringView kEnterNumber = "Please enter a number."_L1;

// Titles of the editors with parameters; the label-only editors are titled with the type's name.
inline constexpr QLatin1StringView kCallAlertTitle = "Call Alert Paging Format"_L1;
inline constexpr QLatin1StringView kRemoteMonitorTitle = "Remote Monitor Paging Format"_L1;
inline constexpr QLatin1StringView kMotorola1Title = "Motorola 1 + 1 Paging Format"_L1;
inline constexpr QLatin1StringView kMotorola2Title = "Motorola 2 + 2 Paging Format"_L1;
inline constexpr QLatin1StringView kGeType99Title = "GE Type 99 Paging Format"_L1;
inline constexpr QLatin1StringView kMotorola5Title = "Motorola 5 Tone"_L1;
inline constexpr QLatin1StringView kMotorola6Title = "Motorola 6 Tone Paging Format"_L1;
inline constexpr QLatin1StringView kNec5Title = "NEC 5 Tone Paging Format"_L1;
inline constexpr QLatin1StringView kNec6Title = "NEC 6 Tone Paging Format"_L1;
inline constexpr QLatin1StringView kReachToneTitle = "Reach Tone Paging Format"_L1;
inline constexpr QLatin1StringView kDtmfTitle = "DTMF Paging Format"_L1;
inline constexpr QLatin1StringView kPulseTitle = "Pulse Paging Format"_L1;
// Title and base format of a custom page tone format (type 20).
inline constexpr QLatin1StringView kCustomPageTitle = "Custom Paging Tones"_L1;

// Entries of the protocol choice, one per format type that can be added.
inline constexpr QLatin1StringView kAddVoiceAlert = "Voice Alert"_L1;
inline constexpr QLatin1StringView kAddCallAlert = "Call Alert"_L1;
inline constexpr QLatin1StringView kAddRadioCheck = "Radio Check"_L1;
inline constexpr QLatin1StringView kAddRemoteMonitor = "Remote Monitor"_L1;
inline constexpr QLatin1StringView kAddRadioEnable = "Radio Enable"_L1;
inline constexpr QLatin1StringView kAddRadioDisable = "Radio Disable"_L1;
inline constexpr QLatin1StringView kAddManualRac = "Manual RAC"_L1;
inline constexpr QLatin1StringView kAddStatRequest = "Stat Request"_L1;
inline constexpr QLatin1StringView kAddRepeatEnable = "Repeat Enable"_L1;
inline constexpr QLatin1StringView kAddRepeatDisable = "Repeat Disable"_L1;
inline constexpr QLatin1StringView kAddMotorola1 = "Motorola 1 + 1"_L1;
inline constexpr QLatin1StringView kAddMotorola2 = "Motorola 2 + 2"_L1;
inline constexpr QLatin1StringView kAddGeType99 = "GE Type 99"_L1;
inline constexpr QLatin1StringView kAddMotorola5 = "Motorola 5 Tone"_L1;
inline constexpr QLatin1StringView kAddMotorola6 = "Motorola 6 Tone"_L1;
inline constexpr QLatin1StringView kAddNec5 = "NEC 5 Tone"_L1;
inline constexpr QLatin1StringView kAddNec6 = "NEC 6 Tone"_L1;
inline constexpr QLatin1StringView kAddReachTone = "Reach Tone"_L1;
inline constexpr QLatin1StringView kAddDtmf = "DTMF Paging"_L1;
inline constexpr QLatin1StringView kAddPulse = "Pulse Page"_L1;
inline constexpr QLatin1StringView kAddCustomPage = "Custom Page"_L1;

// Parameter labels, in the forms' order.
inline constexpr QLatin1StringView kShortCallAlert = "Use &short call alert"_L1;
inline constexpr QLatin1StringView kSilentMonitor = "&Silent monitor"_L1;
inline constexpr QLatin1StringView kTransmitTimeMultiplier = "&Transmit time multiplier"_L1;
inline constexpr QLatin1StringView kCodePlan = "&Code plan"_L1;
inline constexpr QLatin1StringView kGroupCallDelay = "&Group call delay (ms)"_L1;
inline constexpr QLatin1StringView kInhibitDelay = "&Inhibit delay (ms)"_L1;
inline constexpr QLatin1StringView kTone1Duration = "Tone &1 duration (ms)"_L1;
inline constexpr QLatin1StringView kIntertoneDelay = "Intertone &delay (ms)"_L1;
inline constexpr QLatin1StringView kTone2Duration = "Tone &2 duration (ms)"_L1;
inline constexpr QLatin1StringView kM5Preamble = "&M5 preamble"_L1;
inline constexpr QLatin1StringView kM6Preamble = "&M6 preamble"_L1;
inline constexpr QLatin1StringView kPreambleDuration = "&Preamble duration (ms)"_L1;
inline constexpr QLatin1StringView kGapDuration = "&Gap duration (ms)"_L1;
inline constexpr QLatin1StringView kGap1Duration = "&Gap 1 duration (ms)"_L1;
inline constexpr QLatin1StringView kToneDuration = "&Tone duration (ms)"_L1;
inline constexpr QLatin1StringView kXToneOrGapDuration = "&XTone or gap duration (ms)"_L1;
inline constexpr QLatin1StringView kStandardTone = "&Standard tone (Hz)"_L1;
inline constexpr QLatin1StringView kHeaderTiming = "H&eader timing (ms)"_L1;
inline constexpr QLatin1StringView kPulseOnTiming = "&Pulse on timing (ms)"_L1;
inline constexpr QLatin1StringView kPulseOffTiming = "P&ulse off timing (ms)"_L1;
inline constexpr QLatin1StringView kPulseIntertoneDelay = "Pulse intertone &delay (ms)"_L1;
inline constexpr QLatin1StringView kTrailer = "&Trailer (ms)"_L1;

} // namespace trv::editors::paging::text
