// Every text of the channel window and its wizard pages.
#pragma once

namespace trv::editors::channel::text {

// ---- The window and the wizard ---------------------------------------------------------------
// %i is the channel number 1 to 4, %s the page's title suffix.
inline constexpr const char* kCaption = "Channel %i Configuration";
inline constexpr const char* kCaptionWithPage = "Channel %i Configuration - %s";
// The configuration tree's items, by channel index.
inline constexpr const char* kTreeItems[] = {"Channel 1", "Channel 2", "Channel 3", "Channel 4"};
inline constexpr const char* kInvalidChannel =
    "ERROR calling ChanCfgFV::OnDestroy() with invalid channel number.";
inline constexpr const char* kBack = "< &Back";
inline constexpr const char* kNext = "&Next >";
inline constexpr const char* kFinish = "Finish";
inline constexpr const char* kCancel = "Cancel";
inline constexpr const char* kTptDetectNote = "* Talk permit tone detection on";
inline constexpr const char* kTptDetectMark = "*";

// ---- Channel Configuration page ---------------------------------------------------------------
inline constexpr const char* kConfigTitle = "Channel Configuration Page";
inline constexpr const char* kKeyingGroup = "Channel Keying";
inline constexpr const char* kKeyings[] = {"&Tone", "D&C", "N&one"};
inline constexpr const char* kLevelsGroup = "Tx / Rx Levels";
inline constexpr const char* kTxLevel = "T&x (dBm)";
inline constexpr const char* kRxAgcLevel = "Rx A&GC (dBm)";
inline constexpr const char* kSignalingGroup = "Signaling";
inline constexpr const char* kSignalings[] = {"Non&e", "Stat &Alert", "&DTMF decode", "DTMF &selective call"};
inline constexpr const char* kDesksetId = "Des&kset ID";
inline constexpr const char* kRelay = "&Relay";
inline constexpr const char* kParallelGroup = "Parallel Desksets";
inline constexpr const char* kCrossMute = "Cross m&ute";
inline constexpr const char* kParallelStatus = "&Parallel status";
inline constexpr const char* kPortGroup = "Port Configuration";
inline constexpr const char* kTermination = "Ter&mination (Ohms)";
inline constexpr const char* kInterface = "&Interface";
inline constexpr const char* kIoGroup = "I/O";
inline constexpr const char* kPttRelay = "&1 PTT relay";
inline constexpr const char* kPttSense = "&2 PTT sense";
inline constexpr const char* kEncryptRelay = "&3 Encrypt relay";
inline constexpr const char* kEncryptSense = "&4 Encrypt sense";
inline constexpr const char* kMonitorRelay = "&5 Monitor relay";
inline constexpr const char* kMonitorLatching = "&6 Monitor latching";
inline constexpr const char* kELead = "&7 E lead";
inline constexpr const char* kHangoverDelay = "&8 Hangover delay (ms)";
inline constexpr const char* kUnmuteGroup = "Console Unmute Delay";
inline constexpr const char* kEchoDelay = "Echo Cancellation Delay (ms)";
inline constexpr const char* kChannelLabel = "Channel / Fre&quency label";
inline constexpr const char* kChannelTptDetect = "Ta&lk permit tone detection on";

inline constexpr const char* kDesksetIdEmpty = "Deskset ID field cannot be empty.";
inline constexpr const char* kChannelLabelEmpty = "Channel/Frequency field cannot be empty.";
inline constexpr const char* kHangoverRange = "Hangover delay must be between 0 and 60000 ms.";
inline constexpr const char* kEchoRange = "Echo Cancellation Delay must be between 0 and 1500 ms.";

// Characters a deskset ID may hold, by signalling type.
inline constexpr const char* kStatAlertIdCharacters = "0123456789ABCDEF";
inline constexpr const char* kDtmfIdCharacters = "0123456789ABCD*#";

// ---- Signalling plan pages ----------------------------------------------------------------------
inline constexpr const char* kNoTone = "None";
inline constexpr const char* kFunctionLabels[] = {"F &1", "F &2", "F &3", "F &4", "F &5", "F &6",
                                                  "F &7", "F &8", "F 9",  "F 10", "F 11", "F 12",
                                                  "F 13", "F 14", "F 15", "F 16"};
inline constexpr const char* kLabelColumn = "Label";
inline constexpr const char* kFrequencyColumn = "Freq (Hz)";
inline constexpr const char* kCurrentColumn = "Current (mA)";

inline constexpr const char* kTone1Title = "Tone Signalling Plan - page 1 of 2";
inline constexpr const char* kTone1Suffix = "Tone Signaling Plan (part 1)";
inline constexpr const char* kGuardToneGroup = "Guard Tone";
inline constexpr const char* kGuardFrequency = "Freq&uency (Hz)";
inline constexpr const char* kHlgtDuration = "HL&GT duration (ms)";
inline constexpr const char* kHlgtLevel = "HLG&T level (dB)";
inline constexpr const char* kLlgtLevel = "&LLGT level (dB)";
inline constexpr const char* kEncryptionGroup = "Encryption";
inline constexpr const char* kCodedFrequency = "&Coded frequency (Hz)";
inline constexpr const char* kClearFrequency = "Clea&r frequency (Hz)";
inline constexpr const char* kMonitorToneGroup = "Monitor Tone";
inline constexpr const char* kMonitorFrequency = "Fre&quency (Hz)";
inline constexpr const char* kFunctionTonesGroup = "Function Tones";
inline constexpr const char* kFunctionDuration = "Dur&ation (ms)";
inline constexpr const char* kFunctionLevel = "L&evel (dB)";
inline constexpr const char* kRepeaterTonesGroup = "Repeater Tones";
inline constexpr const char* kRepeaterEnable = "Re&peater enable (Hz)";
inline constexpr const char* kRepeaterDisable = "Repeater &disable (Hz)";
inline constexpr const char* kHlgtDurationRange = "HLGT duration must be between 0 and 60000 ms.";
inline constexpr const char* kHlgtLevelRange = "HLGT level must be between 10 and -30 dB.";
inline constexpr const char* kLlgtLevelRange = "LLGT level must be between 10 and -30 dB.";
inline constexpr const char* kFunctionDurationRange =
    "Function tones duration must be between 0 and 60000 ms.";
inline constexpr const char* kFunctionLevelRange = "Function tones level must be between 10 and -30 dB.";
inline constexpr const char* kLevelCharacters = "0123456789-";

inline constexpr const char* kTone2Title = "Tone Signalling Plan - page 2 of 2";
inline constexpr const char* kTone2Suffix = "Tone Signaling Plan (part 2)";
inline constexpr const char* kWildcardsGroup = "Wildcards";
inline constexpr const char* kWildcard1On = "Wil&dcard 1 on (Hz)";
inline constexpr const char* kWildcard2On = "Wildc&ard 2 on (Hz)";
inline constexpr const char* kWildcard1Off = "Wild&card 1 off (Hz)";
inline constexpr const char* kWildcard2Off = "Wildca&rd 2 off (Hz)";

inline constexpr const char* kDcTitle = "DC Signalling Plan";
inline constexpr const char* kDcSuffix = "DC Signaling Plan";
inline constexpr const char* kDcMonitor = "&Monitor (mA)";

// ---- Stat alert page ---------------------------------------------------------------------------
inline constexpr const char* kStatAlertTitle = "Stat Alert";
inline constexpr const char* kStatAlertSuffix = "Stat Alert Setup";
inline constexpr const char* kModeGroup = "Stat Alert Mode";
inline constexpr const char* kModes[] = {"&Leading", "&Trailing", "No PTT &ID"};
inline constexpr const char* kPretimeGroup = "Pretime";
inline constexpr const char* kPretimeKinds[] = {"&Silent", "Bit s&ync"};
inline constexpr const char* kLeadingPretime = "L&eading pretime (ms)";
inline constexpr const char* kTrailingPretime = "Trailin&g pretime (ms)";
inline constexpr const char* kRacGroup = "RAC";
inline constexpr const char* kRacModes[] = {"&None", "&Manual", "&Auto"};
inline constexpr const char* kDefaultRac = "&Default RAC";
inline constexpr const char* kRacPretime = "&RAC pretime (ms)";
inline constexpr const char* kRetryConstant = "Retry c&onstant";
inline constexpr const char* kLimitedPatience = "Limited &patience (sec)";
inline constexpr const char* kDosCoast = "DOS &coast (ms)";
inline constexpr const char* kBusyTimer = "B&usy timer";
inline constexpr const char* kEmergencyAcknowledge = "Emergency ac&knowledge";
inline constexpr const char* kMdcRxPreEmphasis = "MDC Rx Pre-Emphasis";
inline constexpr const char* kHexCharacters = "0123456789ABCDEF";
inline constexpr const char* kLeadingPretimeRange = "Leading pretime must be between 0 and 60000 ms.";
inline constexpr const char* kTrailingPretimeRange = "Trailing pretime must be between 0 and 60000 ms.";
inline constexpr const char* kDefaultRacEmpty =
    "Default RAC field cannot be empty.\nValid characters are : 0 to 9 and A to F";
inline constexpr const char* kRacPretimeRange = "RAC pretime must be between 0 and 60000 ms.";
inline constexpr const char* kLimitedPatienceRange = "Limited patience must be between 0 and 60 sec.";
inline constexpr const char* kEnterInteger = "Please enter an integer.";
inline constexpr const char* kDosCoastRange = "DOS coast must be between 0 and 60000 ms.";

// ---- Talk permit tone page ---------------------------------------------------------------------
inline constexpr const char* kTptTitle = "Talk Permit Tone";
inline constexpr const char* kTptSuffix = "Talk Permit Tone Setup";
inline constexpr const char* kTptTimeout = "&Time out (ms)";
inline constexpr const char* kTptFrequency = "Fre&quency (Hz)";
inline constexpr const char* kTptBeepCount = "N&umber of beeps";
inline constexpr const char* kTptBeepDuration = "Beep &duration (ms)";
inline constexpr const char* kTptPauseDuration = "&Pause duration (ms)";
inline constexpr const char* kTptPostTime = "T&alk permit post time (ms)";
inline constexpr const char* kTptHint = "Press F1 to see default radio type configurations.";
inline constexpr const char* kTptHintFont = "Times New Roman";
inline constexpr const char* kTptTimeoutRange = "Time out must be between 0 and 60000 ms.";
inline constexpr const char* kTptFrequencyRange = "Frequency must be between 200 and 3400 Hz.";
inline constexpr const char* kTptBeepCountRange = "Number of beeps must be between 0 and 5.";
inline constexpr const char* kTptBeepDurationRange = "Beep duration must be between 0 and 60000 ms.";
inline constexpr const char* kTptPauseDurationRange = "Pause duration must be between 0 and 60000 ms.";
inline constexpr const char* kTptPostTimeRange = "Talk permit post time must be between 0 and 60000 ms.";

// ---- DTMF pages --------------------------------------------------------------------------------
inline constexpr const char* kDtmfTitle = "DTMF Decode";
inline constexpr const char* kDtmfDecodeSuffix = "DTMF Decode Setup";
inline constexpr const char* kDtmfSelectiveCallSuffix = "DTMF Selective Call Setup";
inline constexpr const char* kMinDigits = "Mi&n digits";
inline constexpr const char* kMaxDigits = "Ma&x digits";
inline constexpr const char* kDigitDuration = "&Digit duration (ms)";
inline constexpr const char* kInterdigitTime = "&Interdigit timing (ms)";
inline constexpr const char* kDigitDurationRange = "Digit duration must be between 0 and 60000 ms.";
inline constexpr const char* kInterdigitTimeRange = "Interdigit timing must be between 0 and 60000 ms.";

} // namespace trv::editors::channel::text
