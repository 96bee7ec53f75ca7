// Texts of the paging formats list, the protocol choice and the paging format editors. "&" marks a
// label's access key. The format type names themselves are the catalogue's (kFormatTypes).
#pragma once

namespace trv::editors::paging::text {

// The list window (string 151 is its title and tree label).
inline constexpr const char* kTitle = "Paging Formats";
inline constexpr const char* kPrompt = "Choose a format to edit or add a new one.";
inline constexpr const char* kLabelColumn = "Label";
inline constexpr const char* kBaseFormatColumn = "Base Format";
inline constexpr const char* kNoFormat = "<No paging format defined>";

inline constexpr const char* kUsedBySpeedPage =
    "Warning : This format is used by at least one speed page.\n\nYou can't delete it while it is used by a "
    "speed page.\nYou will have to delete all speed pages using this format\nin order to be able to delete "
    "it.";
inline constexpr const char* kUsedByButton =
    "Warning : This manual page is associated with a button.\n\nYou can't delete it while it is associated "
    "with "
    "a button.\nYou will have to remove the button association in order\nto be able to delete this format.";

// The protocol choice of Add.
inline constexpr const char* kProtocolTitle = "Paging Format Protocols";
inline constexpr const char* kProtocolPrompt = "&Add manual paging format based on :";

// Every paging format editor.
inline constexpr const char* kLabel = "&Label";
inline constexpr const char* kBaseFormat = "Base format";
inline constexpr const char* kFormatConfig = "Format Config";
inline constexpr const char* kEmptyLabel = "You must enter a label name.";
inline constexpr const char* kLabelExists = "This label already exists.";
inline constexpr const char* kEnterNumber = "Please enter a number.";

// Titles of the editors with parameters; the label-only editors are titled with the type's name.
inline constexpr const char* kCallAlertTitle = "Call Alert Paging Format";
inline constexpr const char* kRemoteMonitorTitle = "Remote Monitor Paging Format";
inline constexpr const char* kMotorola1Title = "Motorola 1 + 1 Paging Format";
inline constexpr const char* kMotorola2Title = "Motorola 2 + 2 Paging Format";
inline constexpr const char* kGeType99Title = "GE Type 99 Paging Format";
inline constexpr const char* kMotorola5Title = "Motorola 5 Tone";
inline constexpr const char* kMotorola6Title = "Motorola 6 Tone Paging Format";
inline constexpr const char* kNec5Title = "NEC 5 Tone Paging Format";
inline constexpr const char* kNec6Title = "NEC 6 Tone Paging Format";
inline constexpr const char* kReachToneTitle = "Reach Tone Paging Format";
inline constexpr const char* kDtmfTitle = "DTMF Paging Format";
inline constexpr const char* kPulseTitle = "Pulse Paging Format";
// Title and base format of a custom page tone format (type 20).
inline constexpr const char* kCustomPageTitle = "Custom Paging Tones";

// Entries of the protocol choice, one per format type that can be added.
inline constexpr const char* kAddVoiceAlert = "Voice Alert";
inline constexpr const char* kAddCallAlert = "Call Alert";
inline constexpr const char* kAddRadioCheck = "Radio Check";
inline constexpr const char* kAddRemoteMonitor = "Remote Monitor";
inline constexpr const char* kAddRadioEnable = "Radio Enable";
inline constexpr const char* kAddRadioDisable = "Radio Disable";
inline constexpr const char* kAddManualRac = "Manual RAC";
inline constexpr const char* kAddStatRequest = "Stat Request";
inline constexpr const char* kAddRepeatEnable = "Repeat Enable";
inline constexpr const char* kAddRepeatDisable = "Repeat Disable";
inline constexpr const char* kAddMotorola1 = "Motorola 1 + 1";
inline constexpr const char* kAddMotorola2 = "Motorola 2 + 2";
inline constexpr const char* kAddGeType99 = "GE Type 99";
inline constexpr const char* kAddMotorola5 = "Motorola 5 Tone";
inline constexpr const char* kAddMotorola6 = "Motorola 6 Tone";
inline constexpr const char* kAddNec5 = "NEC 5 Tone";
inline constexpr const char* kAddNec6 = "NEC 6 Tone";
inline constexpr const char* kAddReachTone = "Reach Tone";
inline constexpr const char* kAddDtmf = "DTMF Paging";
inline constexpr const char* kAddPulse = "Pulse Page";
inline constexpr const char* kAddCustomPage = "Custom Page";

// Parameter labels, in the forms' order.
inline constexpr const char* kShortCallAlert = "Use &short call alert";
inline constexpr const char* kSilentMonitor = "&Silent monitor";
inline constexpr const char* kTransmitTimeMultiplier = "&Transmit time multiplier";
inline constexpr const char* kCodePlan = "&Code plan";
inline constexpr const char* kGroupCallDelay = "&Group call delay (ms)";
inline constexpr const char* kInhibitDelay = "&Inhibit delay (ms)";
inline constexpr const char* kTone1Duration = "Tone &1 duration (ms)";
inline constexpr const char* kIntertoneDelay = "Intertone &delay (ms)";
inline constexpr const char* kTone2Duration = "Tone &2 duration (ms)";
inline constexpr const char* kM5Preamble = "&M5 preamble";
inline constexpr const char* kM6Preamble = "&M6 preamble";
inline constexpr const char* kPreambleDuration = "&Preamble duration (ms)";
inline constexpr const char* kGapDuration = "&Gap duration (ms)";
inline constexpr const char* kGap1Duration = "&Gap 1 duration (ms)";
inline constexpr const char* kToneDuration = "&Tone duration (ms)";
inline constexpr const char* kXToneOrGapDuration = "&XTone or gap duration (ms)";
inline constexpr const char* kStandardTone = "&Standard tone (Hz)";
inline constexpr const char* kHeaderTiming = "H&eader timing (ms)";
inline constexpr const char* kPulseOnTiming = "&Pulse on timing (ms)";
inline constexpr const char* kPulseOffTiming = "P&ulse off timing (ms)";
inline constexpr const char* kPulseIntertoneDelay = "Pulse intertone &delay (ms)";
inline constexpr const char* kTrailer = "&Trailer (ms)";

} // namespace trv::editors::paging::text
