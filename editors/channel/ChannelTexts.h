// Every text of the channel window and its wizard pages.
#pragma once

#include <QLatin1StringView>

namespace trv::editors::channel::text {

using namespace Qt::StringLiterals;

// ---- The window and the wizard ---------------------------------------------------------------
// %i is the channel number 1 to 4, %s the page's title suffix.
inline constexpr QLatin1StringView kCaption = "Channel %1 Configuration"_L1;
inline constexpr QLatin1StringView kCaptionWithPage = "Channel %1 Configuration - %2"_L1;
// The configuration tree's items, by channel index.
inline constexpr QLatin1StringView kTreeItems[] = {"Channel 1"_L1, "Channel 2"_L1, "Channel 3"_L1,
                                                   "Channel 4"_L1};
inline constexpr QLatin1StringView kInvalidChannel =
    "ERROR calling ChanCfgFV::OnDestroy() with invalid channel number."_L1;
inline constexpr QLatin1StringView kBack = "< &Back"_L1;
inline constexpr QLatin1StringView kNext = "&Next >"_L1;
inline constexpr QLatin1StringView kFinish = "Finish"_L1;
inline constexpr QLatin1StringView kCancel = "Cancel"_L1;
inline constexpr QLatin1StringView kTptDetectNote = "* Talk permit tone detection on"_L1;
inline constexpr QLatin1StringView kTptDetectMark = "*"_L1;

// ---- Channel Configuration page ---------------------------------------------------------------
inline constexpr QLatin1StringView kConfigTitle = "Channel Configuration Page"_L1;
inline constexpr QLatin1StringView kKeyingGroup = "Channel Keying"_L1;
inline constexpr QLatin1StringView kKeyings[] = {"&Tone"_L1, "D&C"_L1, "N&one"_L1};
inline constexpr QLatin1StringView kLevelsGroup = "Tx / Rx Levels"_L1;
inline constexpr QLatin1StringView kTxLevel = "T&x (dBm)"_L1;
inline constexpr QLatin1StringView kRxAgcLevel = "Rx A&GC (dBm)"_L1;
inline constexpr QLatin1StringView kSignalingGroup = "Signaling"_L1;
inline constexpr QLatin1StringView kSignalings[] = {"Non&e"_L1, "Stat &Alert"_L1, "&DTMF decode"_L1,
                                                    "DTMF &selective call"_L1};
inline constexpr QLatin1StringView kDesksetId = "Des&kset ID"_L1;
inline constexpr QLatin1StringView kRelay = "&Relay"_L1;
inline constexpr QLatin1StringView kParallelGroup = "Parallel Desksets"_L1;
inline constexpr QLatin1StringView kCrossMute = "Cross m&ute"_L1;
inline constexpr QLatin1StringView kParallelStatus = "&Parallel status"_L1;
inline constexpr QLatin1StringView kPortGroup = "Port Configuration"_L1;
inline constexpr QLatin1StringView kTermination = "Ter&mination (Ohms)"_L1;
inline constexpr QLatin1StringView kInterface = "&Interface"_L1;
inline constexpr QLatin1StringView kIoGroup = "I/O"_L1;
inline constexpr QLatin1StringView kPttRelay = "&1 PTT relay"_L1;
inline constexpr QLatin1StringView kPttSense = "&2 PTT sense"_L1;
inline constexpr QLatin1StringView kEncryptRelay = "&3 Encrypt relay"_L1;
inline constexpr QLatin1StringView kEncryptSense = "&4 Encrypt sense"_L1;
inline constexpr QLatin1StringView kMonitorRelay = "&5 Monitor relay"_L1;
inline constexpr QLatin1StringView kMonitorLatching = "&6 Monitor latching"_L1;
inline constexpr QLatin1StringView kELead = "&7 E lead"_L1;
inline constexpr QLatin1StringView kHangoverDelay = "&8 Hangover delay (ms)"_L1;
inline constexpr QLatin1StringView kUnmuteGroup = "Console Unmute Delay"_L1;
inline constexpr QLatin1StringView kEchoDelay = "Echo Cancellation Delay (ms)"_L1;
inline constexpr QLatin1StringView kChannelLabel = "Channel / Fre&quency label"_L1;
inline constexpr QLatin1StringView kChannelTptDetect = "Ta&lk permit tone detection on"_L1;

inline constexpr QLatin1StringView kDesksetIdEmpty = "Deskset ID field cannot be empty."_L1;
inline constexpr QLatin1StringView kChannelLabelEmpty = "Channel/Frequency field cannot be empty."_L1;
inline constexpr QLatin1StringView kHangoverRange = "Hangover delay must be between 0 and 60000 ms."_L1;
inline constexpr QLatin1StringView kEchoRange = "Echo Cancellation Delay must be between 0 and 1500 ms."_L1;

// Characters a deskset ID may hold, by signalling type.
inline constexpr QLatin1StringView kStatAlertIdCharacters = "0123456789ABCDEF"_L1;
inline constexpr QLatin1StringView kDtmfIdCharacters = "0123456789ABCD*#"_L1;

// ---- Signalling plan pages ----------------------------------------------------------------------
inline constexpr QLatin1StringView kNoTone = "None"_L1;
inline constexpr QLatin1StringView kFunctionLabels[] = {
    "F &1"_L1, "F &2"_L1, "F &3"_L1, "F &4"_L1, "F &5"_L1, "F &6"_L1, "F &7"_L1, "F &8"_L1,
    "F 9"_L1,  "F 10"_L1, "F 11"_L1, "F 12"_L1, "F 13"_L1, "F 14"_L1, "F 15"_L1, "F 16"_L1};
inline constexpr QLatin1StringView kLabelColumn = "Label"_L1;
inline constexpr QLatin1StringView kFrequencyColumn = "Freq (Hz)"_L1;
inline constexpr QLatin1StringView kCurrentColumn = "Current (mA)"_L1;

inline constexpr QLatin1StringView kTone1Title = "Tone Signalling Plan - page 1 of 2"_L1;
inline constexpr QLatin1StringView kTone1Suffix = "Tone Signaling Plan (part 1)"_L1;
inline constexpr QLatin1StringView kGuardToneGroup = "Guard Tone"_L1;
inline constexpr QLatin1StringView kGuardFrequency = "Freq&uency (Hz)"_L1;
inline constexpr QLatin1StringView kHlgtDuration = "HL&GT duration (ms)"_L1;
inline constexpr QLatin1StringView kHlgtLevel = "HLG&T level (dB)"_L1;
inline constexpr QLatin1StringView kLlgtLevel = "&LLGT level (dB)"_L1;
inline constexpr QLatin1StringView kEncryptionGroup = "Encryption"_L1;
inline constexpr QLatin1StringView kCodedFrequency = "&Coded frequency (Hz)"_L1;
inline constexpr QLatin1StringView kClearFrequency = "Clea&r frequency (Hz)"_L1;
inline constexpr QLatin1StringView kMonitorToneGroup = "Monitor Tone"_L1;
inline constexpr QLatin1StringView kMonitorFrequency = "Fre&quency (Hz)"_L1;
inline constexpr QLatin1StringView kFunctionTonesGroup = "Function Tones"_L1;
inline constexpr QLatin1StringView kFunctionDuration = "Dur&ation (ms)"_L1;
inline constexpr QLatin1StringView kFunctionLevel = "L&evel (dB)"_L1;
inline constexpr QLatin1StringView kRepeaterTonesGroup = "Repeater Tones"_L1;
inline constexpr QLatin1StringView kRepeaterEnable = "Re&peater enable (Hz)"_L1;
inline constexpr QLatin1StringView kRepeaterDisable = "Repeater &disable (Hz)"_L1;
inline constexpr QLatin1StringView kHlgtDurationRange = "HLGT duration must be between 0 and 60000 ms."_L1;
inline constexpr QLatin1StringView kHlgtLevelRange = "HLGT level must be between 10 and -30 dB."_L1;
inline constexpr QLatin1StringView kLlgtLevelRange = "LLGT level must be between 10 and -30 dB."_L1;
inline constexpr QLatin1StringView kFunctionDurationRange =
    "Function tones duration must be between 0 and 60000 ms."_L1;
inline constexpr QLatin1StringView kFunctionLevelRange =
    "Function tones level must be between 10 and -30 dB."_L1;
inline constexpr QLatin1StringView kLevelCharacters = "0123456789-"_L1;

inline constexpr QLatin1StringView kTone2Title = "Tone Signalling Plan - page 2 of 2"_L1;
inline constexpr QLatin1StringView kTone2Suffix = "Tone Signaling Plan (part 2)"_L1;
inline constexpr QLatin1StringView kWildcardsGroup = "Wildcards"_L1;
inline constexpr QLatin1StringView kWildcard1On = "Wil&dcard 1 on (Hz)"_L1;
inline constexpr QLatin1StringView kWildcard2On = "Wildc&ard 2 on (Hz)"_L1;
inline constexpr QLatin1StringView kWildcard1Off = "Wild&card 1 off (Hz)"_L1;
inline constexpr QLatin1StringView kWildcard2Off = "Wildca&rd 2 off (Hz)"_L1;

inline constexpr QLatin1StringView kDcTitle = "DC Signalling Plan"_L1;
inline constexpr QLatin1StringView kDcSuffix = "DC Signaling Plan"_L1;
inline constexpr QLatin1StringView kDcMonitor = "&Monitor (mA)"_L1;

// ---- Stat alert page ---------------------------------------------------------------------------
inline constexpr QLatin1StringView kStatAlertTitle = "Stat Alert"_L1;
inline constexpr QLatin1StringView kStatAlertSuffix = "Stat Alert Setup"_L1;
inline constexpr QLatin1StringView kModeGroup = "Stat Alert Mode"_L1;
inline constexpr QLatin1StringView kModes[] = {"&Leading"_L1, "&Trailing"_L1, "No PTT &ID"_L1};
inline constexpr QLatin1StringView kPretimeGroup = "Pretime"_L1;
inline constexpr QLatin1StringView kPretimeKinds[] = {"&Silent"_L1, "Bit s&ync"_L1};
inline constexpr QLatin1StringView kLeadingPretime = "L&eading pretime (ms)"_L1;
inline constexpr QLatin1StringView kTrailingPretime = "Trailin&g pretime (ms)"_L1;
inline constexpr QLatin1StringView kRacGroup = "RAC"_L1;
inline constexpr QLatin1StringView kRacModes[] = {"&None"_L1, "&Manual"_L1, "&Auto"_L1};
inline constexpr QLatin1StringView kDefaultRac = "&Default RAC"_L1;
inline constexpr QLatin1StringView kRacPretime = "&RAC pretime (ms)"_L1;
inline constexpr QLatin1StringView kRetryConstant = "Retry c&onstant"_L1;
inline constexpr QLatin1StringView kLimitedPatience = "Limited &patience (sec)"_L1;
inline constexpr QLatin1StringView kDosCoast = "DOS &coast (ms)"_L1;
inline constexpr QLatin1StringView kBusyTimer = "B&usy timer"_L1;
inline constexpr QLatin1StringView kEmergencyAcknowledge = "Emergency ac&knowledge"_L1;
inline constexpr QLatin1StringView kMdcRxPreEmphasis = "MDC Rx Pre-Emphasis"_L1;
inline constexpr QLatin1StringView kHexCharacters = "0123456789ABCDEF"_L1;
inline constexpr QLatin1StringView kLeadingPretimeRange =
    "Leading pretime must be between 0 and 60000 ms."_L1;
inline constexpr QLatin1StringView kTrailingPretimeRange =
    "Trailing pretime must be between 0 and 60000 ms."_L1;
inline constexpr QLatin1StringView kDefaultRacEmpty =
    "Default RAC field cannot be empty.\nValid characters are : 0 to 9 and A to F"_L1;
inline constexpr QLatin1StringView kRacPretimeRange = "RAC pretime must be between 0 and 60000 ms."_L1;
inline constexpr QLatin1StringView kLimitedPatienceRange =
    "Limited patience must be between 0 and 60 sec."_L1;
inline constexpr QLatin1StringView kEnterInteger = "Please enter an integer."_L1;
inline constexpr QLatin1StringView kDosCoastRange = "DOS coast must be between 0 and 60000 ms."_L1;

// ---- Talk permit tone page ---------------------------------------------------------------------
inline constexpr QLatin1StringView kTptTitle = "Talk Permit Tone"_L1;
inline constexpr QLatin1StringView kTptSuffix = "Talk Permit Tone Setup"_L1;
inline constexpr QLatin1StringView kTptTimeout = "&Time out (ms)"_L1;
inline constexpr QLatin1StringView kTptFrequency = "Fre&quency (Hz)"_L1;
inline constexpr QLatin1StringView kTptBeepCount = "N&umber of beeps"_L1;
inline constexpr QLatin1StringView kTptBeepDuration = "Beep &duration (ms)"_L1;
inline constexpr QLatin1StringView kTptPauseDuration = "&Pause duration (ms)"_L1;
inline constexpr QLatin1StringView kTptPostTime = "T&alk permit post time (ms)"_L1;
inline constexpr QLatin1StringView kTptHint = "Press F1 to see default radio type configurations."_L1;
inline constexpr QLatin1StringView kTptHintFont = "Times New Roman"_L1;
inline constexpr QLatin1StringView kTptTimeoutRange = "Time out must be between 0 and 60000 ms."_L1;
inline constexpr QLatin1StringView kTptFrequencyRange = "Frequency must be between 200 and 3400 Hz."_L1;
inline constexpr QLatin1StringView kTptBeepCountRange = "Number of beeps must be between 0 and 5."_L1;
inline constexpr QLatin1StringView kTptBeepDurationRange = "Beep duration must be between 0 and 60000 ms."_L1;
inline constexpr QLatin1StringView kTptPauseDurationRange =
    "Pause duration must be between 0 and 60000 ms."_L1;
inline constexpr QLatin1StringView kTptPostTimeRange =
    "Talk permit post time must be between 0 and 60000 ms."_L1;

// ---- DTMF pages --------------------------------------------------------------------------------
inline constexpr QLatin1StringView kDtmfTitle = "DTMF Decode"_L1;
inline constexpr QLatin1StringView kDtmfDecodeSuffix = "DTMF Decode Setup"_L1;
inline constexpr QLatin1StringView kDtmfSelectiveCallSuffix = "DTMF Selective Call Setup"_L1;
inline constexpr QLatin1StringView kMinDigits = "Mi&n digits"_L1;
inline constexpr QLatin1StringView kMaxDigits = "Ma&x digits"_L1;
inline constexpr QLatin1StringView kDigitDuration = "&Digit duration (ms)"_L1;
inline constexpr QLatin1StringView kInterdigitTime = "&Interdigit timing (ms)"_L1;
inline constexpr QLatin1StringView kDigitDurationRange = "Digit duration must be between 0 and 60000 ms."_L1;
inline constexpr QLatin1StringView kInterdigitTimeRange =
    "Interdigit timing must be between 0 and 60000 ms."_L1;

} // namespace trv::editors::channel::text
