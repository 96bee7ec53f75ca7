// The field catalogue: every stored field of the database image, by its name, with its encoding,
// range, unit, list choices and new-database default. Offsets come from Layout.h; the catalogue adds
// what each field means. New databases, the editors' bindings and the interchange tools (dump,
// diff, export, import) read their fields from here and nowhere else.
#pragma once

#include "database/Field.h"

#include <array>
#include <span>
#include <string_view>

namespace trv::db::fields {

namespace detail {
// Deskset settings are named by image offset in Layout.h; their record is the whole region.
constexpr int desk(int imageOffset)
{
    return imageOffset - kDesksetSettings.base;
}
} // namespace detail

// ---- Choices of the list fields, in list order -------------------------------------------------

inline constexpr Choice kOffOn[] = {{0, "Off"}, {1, "On"}};

inline constexpr Choice kClockModes[] = {{0, "12 Hour"}, {1, "24 Hour"}};
inline constexpr Choice kBaudRates[] = {
    {0, "1200   bps"}, {1, "2400   bps"}, {2, "4800   bps"}, {3, "9600   bps"}, {4, "19200 bps"}};
inline constexpr Choice kMuteLevels[] = {{0, "Half Mute"}, {1, "Full Mute"}};
inline constexpr Choice kDesksetTypes[] = {{deskset::kSingleChannel, "Advanced Single Channel"},
                                           {deskset::kMultiChannel, "Advanced Multi-Channel"}};
inline constexpr Choice kPagingFeedbacks[] = {{0, "Loud"}, {1, "Soft"}, {2, "None"}};

// Button function kinds, by their stored value.
inline constexpr Choice kButtonKinds[] = {
    {0, "Not Defined"},  {1, "Scroll Up"},      {2, "Scroll Down"}, {3, "Clear"},     {4, "Manual Page"},
    {5, "Speed Page"},   {6, "Alias Page"},     {7, "Frequency"},   {8, "All Mute"},  {9, "Mute"},
    {10, "Alert Tone"},  {11, "Repeat"},        {12, "Wildcard"},   {13, "Patch"},    {14, "Multi Select"},
    {15, "Coded Clear"}, {16, "Volume Adjust"}, {17, "Enter RAC"},  {18, "Auxiliary"}};

inline constexpr Choice kInterfaceTypes[] = {
    {0, "2 Wires"}, {1, "4 Wires"}, {2, "4 Wires (duplex)"}, {3, "4 Wires Full Duplex"}};
inline constexpr Choice kTerminations[] = {{0, "600"}, {1, "10 000"}};
inline constexpr Choice kParallelStatuses[] = {
    {0, "Parallel Off"}, {1, "Parallel Lobl"}, {2, "Parallel Status"}};
inline constexpr Choice kCrossMutes[] = {{0, "RCU Off"}, {1, "RCU On"}, {2, "RCU Cross Mute"}};
inline constexpr Choice kKeyings[] = {{0, "Tone"}, {1, "DC"}, {2, "None"}};
// The I/O lists and the relay list: "None" or the I/O number.
inline constexpr Choice kIoNumbers[] = {{0, "None"}, {1, "1"}, {2, "2"}, {3, "3"}, {4, "4"}};
inline constexpr Choice kSignalingTypes[] = {{channel::kSignalingNone, "None"},
                                             {channel::kSignalingStatAlert, "Stat Alert"},
                                             {channel::kSignalingDtmfDecode, "DTMF decode"},
                                             {channel::kSignalingDtmfSelectiveCall, "DTMF selective call"}};
inline constexpr Choice kStatAlertModes[] = {{0, "Leading"}, {1, "Trailing"}, {2, "No PTT ID"}};
inline constexpr Choice kPretimeKinds[] = {{0, "Silent"}, {1, "Bit Sync"}};
inline constexpr Choice kRacModes[] = {{0, "None"}, {1, "Manual"}, {2, "Auto"}};

inline constexpr Choice kUnitTypes[] = {{alias::kMdc1200, "MDC1200"}, {alias::kDtmf, "DTMF"}};

// Paging format types by code; 21 has a name but no editor, 22 to 255 have neither.
inline constexpr Choice kFormatTypes[] = {
    {0, "Voice Alert"},       {1, "Call Alert"},        {2, "Radio Check"},       {3, "Remote Monitor"},
    {4, "Radio Enable"},      {5, "Radio Disable"},     {6, "Manual RAC"},        {7, "Status Request"},
    {8, "Repeater Enable"},   {9, "Repeater Disable"},  {10, "Motorola 1+1"},     {11, "Motorola 2+2"},
    {12, "GE Type 99"},       {13, "Motorola 5 Tone"},  {14, "Motorola 6 Tone"},  {15, "NEC 5 Tone"},
    {16, "NEC 6 Tone"},       {17, "Reach Tone"},       {18, "DTMF Page Format"}, {19, "Pulse Page Format"},
    {20, "Custom Page Tone"}, {21, "Plectron Two Tone"}};

// ---- Deskset settings (one record: the region) -------------------------------------------------

namespace detail {
constexpr Field deskList(std::string_view name, int imageOffset, std::span<const Choice> choices, int def)
{
    return {.name = name,
            .region = &kDesksetSettings,
            .offset = desk(imageOffset),
            .kind = FieldKind::List,
            .maximum = static_cast<int>(choices.size()) - 1,
            .choices = choices,
            .keptWhenUnlisted = true,
            .init = FieldInit::Value,
            .defaultValue = def};
}
// A field without a default (std::nullopt) is left as it is by a new database: zero.
constexpr Field deskFlag(std::string_view name, int imageOffset, std::optional<int> def, int count = 1)
{
    return {.name = name,
            .region = &kDesksetSettings,
            .offset = desk(imageOffset),
            .kind = FieldKind::Flag,
            .maximum = 1,
            .choices = kOffOn,
            .count = count,
            .init = def ? FieldInit::Value : FieldInit::None,
            .defaultValue = def.value_or(0)};
}
constexpr Field deskNumber(std::string_view name, int imageOffset, int width, int maximum,
                           std::string_view unit, std::optional<int> def)
{
    return {.name = name,
            .region = &kDesksetSettings,
            .offset = desk(imageOffset),
            .width = width,
            .maximum = maximum,
            .unit = unit,
            .init = def ? FieldInit::Value : FieldInit::None,
            .defaultValue = def.value_or(0)};
}
} // namespace detail

inline constexpr Field clockMode = detail::deskList("clockMode", deskset::kClockMode, kClockModes, 1);
inline constexpr Field displayTime = detail::deskFlag("displayTime", deskset::kDisplayTime, std::nullopt);
inline constexpr Field printerBaudRate =
    detail::deskList("printerBaudRate", deskset::kPrinterBaudRate, kBaudRates, 3);
inline constexpr Field useUnselectSpeaker =
    detail::deskFlag("useUnselectSpeaker", deskset::kUseUnselectSpeaker, 0);
inline constexpr Field muteLevel = detail::deskList("muteLevel", deskset::kMuteLevel, kMuteLevels, 1);
inline constexpr Field muteTimer = detail::deskNumber("muteTimer", deskset::kMuteTimer, 1, 60, "s", 30);
inline constexpr Field pageKeyUpDelay =
    detail::deskNumber("pageKeyUpDelay", deskset::kPageKeyUpDelay, 1, 60, "s", std::nullopt);
inline constexpr Field voiceAnnotation =
    detail::deskNumber("voiceAnnotation", deskset::kVoiceAnnotation, 1, 60, "s", 2);
inline constexpr Field transmitDelay =
    detail::deskNumber("transmitDelay", deskset::kTransmitDelay, 2, 500, "ms", 0);
inline constexpr Field relayLatching =
    detail::deskFlag("relayLatching", deskset::kRelayLatching1, std::nullopt, deskset::kRelayCount);
inline constexpr Field desksetType{.name = "desksetType",
                                   .region = &kDesksetSettings,
                                   .offset = detail::desk(deskset::kDesksetType),
                                   .kind = FieldKind::List,
                                   .minimum = deskset::kSingleChannel,
                                   .maximum = deskset::kMultiChannel,
                                   .choices = kDesksetTypes,
                                   .init = FieldInit::Value,
                                   .defaultValue = deskset::kSingleChannel};
inline constexpr Field handsetPresent = detail::deskFlag("handsetPresent", deskset::kHandsetPresent, 1);
inline constexpr Field externalMicPresent =
    detail::deskFlag("externalMicPresent", deskset::kExternalMicPresent, 0);
inline constexpr Field micAgc = detail::deskFlag("micAgc", deskset::kMicAgc, 1);
inline constexpr Field pagingFeedback =
    detail::deskList("pagingFeedback", deskset::kPagingFeedback, kPagingFeedbacks, 0);

// ---- Button table (18 records of kind and parameter) -------------------------------------------

inline constexpr Field buttonKind{.name = "kind",
                                  .region = &kButtonTable,
                                  .offset = button::kKind,
                                  .kind = FieldKind::List,
                                  .maximum = 18,
                                  .choices = kButtonKinds,
                                  .init = FieldInit::Value,
                                  .defaultValue = 0};
// The meaning of the parameter follows the kind: a record number, a channel, a pair, or 255 (none).
inline constexpr Field buttonParameter{.name = "parameter",
                                       .region = &kButtonTable,
                                       .offset = button::kParameter,
                                       .maximum = 255,
                                       .init = FieldInit::Value,
                                       .defaultValue = button::kNoParameter};

// ---- Channel records ---------------------------------------------------------------------------

// The tones a channel's frequency fields may hold (0 = no tone) and the guard tones, 0.1 Hz.
inline constexpr int kToneFrequencies[] = {0,     5500,  6500,  7500,  8500,  9500,  10500, 11500, 12500,
                                           13500, 14500, 15500, 16500, 17500, 18500, 19500, 20500};
inline constexpr int kGuardToneFrequencies[] = {21000, 21750, 23000, 23250};

namespace detail {
constexpr Field chan(std::string_view name, int offset, int width, FieldKind kind, int minimum, int maximum,
                     std::string_view unit, std::optional<int> def, bool isSigned = false)
{
    return {.name = name,
            .region = &kChannels,
            .offset = offset,
            .width = width,
            .kind = kind,
            .isSigned = isSigned,
            .minimum = minimum,
            .maximum = maximum,
            .unit = unit,
            .init = def ? FieldInit::Value : FieldInit::None,
            .defaultValue = def.value_or(0)};
}
constexpr Field chanList(std::string_view name, int offset, std::span<const Choice> choices,
                         std::optional<int> def)
{
    Field f = chan(name, offset, 1, FieldKind::List, 0, static_cast<int>(choices.size()) - 1, {}, def);
    f.choices = choices;
    return f;
}
constexpr Field ms(std::string_view name, int offset, std::optional<int> def, int maximum = 60000)
{
    return chan(name, offset, 2, FieldKind::Number, 0, maximum, "ms", def);
}
constexpr Field level(std::string_view name, int offset, int minimum, int maximum, std::string_view unit,
                      int def)
{
    return chan(name, offset, 1, FieldKind::Number, minimum, maximum, unit, def, true);
}
constexpr Field tone(std::string_view name, int offset, std::optional<int> def)
{
    Field f = chan(name, offset, 2, FieldKind::Frequency, 0, 20500, "Hz", def);
    f.values = kToneFrequencies;
    return f;
}
constexpr Field current(std::string_view name, int offset, int def)
{
    return chan(name, offset, 1, FieldKind::HalfMilliamps, -31, 31, "mA", def, true);
}

// Radio buttons of the stat alert page: a stored value without a button is written back unchanged.
constexpr Field radios(std::string_view name, int offset, std::span<const Choice> choices,
                       std::optional<int> def)
{
    Field f = chanList(name, offset, choices, def);
    f.keptWhenUnlisted = true;
    return f;
}

inline constexpr std::string_view kFrequencyLabelDefaults[] = {"Freq 1", "Freq 2", "Freq 3", "Freq 4"};
inline constexpr int kFunctionToneDefaults[] = {19500, 18500, 17500, 16500};
inline constexpr int kDcCurrentDefaults[] = {11, 25, -11, -25};

// The defaults a page writes when it claims the signalling area (not written by a new database,
// whose area is all zero).
inline constexpr Field kStatAlertFields[] = {
    radios("statAlertMode", channel::statalert::kStatAlertMode, kStatAlertModes, 0),
    ms("leadingPretime", channel::statalert::kLeadingPretime, 200),
    ms("trailingPretime", channel::statalert::kTrailingPretime, 0),
    radios("pretimeKind", channel::statalert::kPretimeKind, kPretimeKinds, 0),
    radios("racMode", channel::statalert::kRacMode, kRacModes, std::nullopt),
    chan("defaultRac", channel::statalert::kDefaultRac, 2, FieldKind::Hex, 0, 0xFFFF, {}, 1),
    ms("racPretime", channel::statalert::kRacPretime, 0),
    chan("retryConstant", channel::statalert::kRetryConstant, 1, FieldKind::Number, 2, 17, {}, 2),
    chan("limitedPatience", channel::statalert::kLimitedPatience, 1, FieldKind::Number, 0, 60, "s", 0),
    [] {
        Field f = chan("busyTimer", channel::statalert::kBusyTimer, 1, FieldKind::Flag, 0, 1, {}, 0);
        f.choices = kOffOn;
        return f;
    }(),
    ms("dosCoast", channel::statalert::kDosCoast, 0),
    [] {
        Field f = chan("emergencyAcknowledge", channel::statalert::kEmergencyAcknowledge, 1, FieldKind::Flag,
                       0, 1, {}, 1);
        f.choices = kOffOn;
        return f;
    }(),
};
inline constexpr Field kDtmfFields[] = {
    chan("minDigits", channel::dtmf::kMinDigits, 1, FieldKind::Number, 1, 8, {}, 3),
    chan("maxDigits", channel::dtmf::kMaxDigits, 1, FieldKind::Number, 1, 8, {}, 8),
    ms("digitDuration", channel::dtmf::kDigitDuration, 60),
    ms("interdigitTime", channel::dtmf::kInterdigitTime, 40),
};
inline constexpr int kStatAlertSelectors[] = {channel::kSignalingStatAlert};
inline constexpr int kDtmfSelectors[] = {channel::kSignalingDtmfDecode, channel::kSignalingDtmfSelectiveCall};
inline constexpr AreaLayout kSignalingLayouts[] = {
    {"StatAlertSettings", kStatAlertSelectors, kStatAlertFields},
    {"DtmfSettings", kDtmfSelectors, kDtmfFields},
};
} // namespace detail

inline constexpr Field frequencyLabel{.name = "frequencyLabel",
                                      .region = &kChannels,
                                      .offset = channel::kFrequencyLabel,
                                      .width = channel::kFrequencyLabelSize,
                                      .kind = FieldKind::Text,
                                      .count = channel::kFrequencyCount,
                                      .init = FieldInit::Value,
                                      .textDefaults = detail::kFrequencyLabelDefaults};
inline constexpr Field interfaceType =
    detail::chanList("interfaceType", channel::kInterfaceType, kInterfaceTypes, 1);
inline constexpr Field termination = detail::chanList("termination", channel::kTermination, kTerminations, 0);
inline constexpr Field rxAgcLevel = detail::level("rxAgcLevel", channel::kRxAgcLevel, -30, 11, "dBm", -24);
inline constexpr Field txLevel = detail::level("txLevel", channel::kTxLevel, -30, 11, "dBm", 0);
inline constexpr Field hangoverDelay = detail::ms("hangoverDelay", channel::kHangoverDelay, 2000);
inline constexpr Field parallelStatus =
    detail::chanList("parallelStatus", channel::kParallelStatus, kParallelStatuses, 2);
inline constexpr Field crossMute = detail::chanList("crossMute", channel::kCrossMute, kCrossMutes, 1);
inline constexpr Field keying = detail::chanList("keying", channel::kKeying, kKeyings, 0);
inline constexpr Field pttRelay = detail::chanList("pttRelay", channel::kPttRelay, kIoNumbers, 0);
inline constexpr Field monitorRelay = detail::chanList("monitorRelay", channel::kMonitorRelay, kIoNumbers, 0);
inline constexpr Field monitorLatching = [] {
    Field f = detail::chan("monitorLatching", channel::kMonitorLatching, 1, FieldKind::Flag, 0, 1, {}, 0);
    f.choices = kOffOn;
    return f;
}();
inline constexpr Field encryptRelay = detail::chanList("encryptRelay", channel::kEncryptRelay, kIoNumbers, 0);
inline constexpr Field eLead = detail::chanList("eLead", channel::kELead, kIoNumbers, 0);
inline constexpr Field pttSense = detail::chanList("pttSense", channel::kPttSense, kIoNumbers, 0);
inline constexpr Field encryptSense = detail::chanList("encryptSense", channel::kEncryptSense, kIoNumbers, 0);
// 2100, 2175, 2300 or 2325 Hz.
inline constexpr Field guardToneFrequency = [] {
    Field f = detail::chan("guardToneFrequency", channel::kGuardToneFrequency, 2, FieldKind::Frequency, 21000,
                           23250, "Hz", 21750);
    f.values = kGuardToneFrequencies;
    return f;
}();
inline constexpr Field hlgtDuration = detail::ms("hlgtDuration", channel::kHlgtDuration, 125);
inline constexpr Field functionToneDuration =
    detail::ms("functionToneDuration", channel::kFunctionToneDuration, 40);
inline constexpr Field hlgtLevel = detail::level("hlgtLevel", channel::kHlgtLevel, -30, 10, "dB", 10);
inline constexpr Field functionToneLevel =
    detail::level("functionToneLevel", channel::kFunctionToneLevel, -30, 10, "dB", 0);
inline constexpr Field llgtLevel = detail::level("llgtLevel", channel::kLlgtLevel, -30, 10, "dB", -20);
inline constexpr Field functionToneFrequency = [] {
    Field f = detail::tone("functionToneFrequency", channel::kFunctionToneFrequency, 0);
    f.count = channel::kFrequencyCount;
    f.elementDefaults = detail::kFunctionToneDefaults;
    return f;
}();
inline constexpr Field monitorToneFrequency =
    detail::tone("monitorToneFrequency", channel::kMonitorToneFrequency, 20500);
inline constexpr Field repeaterEnableFrequency =
    detail::tone("repeaterEnableFrequency", channel::kRepeaterEnableFrequency, 0);
inline constexpr Field repeaterDisableFrequency =
    detail::tone("repeaterDisableFrequency", channel::kRepeaterDisableFrequency, 0);
inline constexpr Field codedFrequency = detail::tone("codedFrequency", channel::kCodedFrequency, 0);
inline constexpr Field clearFrequency = detail::tone("clearFrequency", channel::kClearFrequency, 0);
inline constexpr Field wildcard1OnFrequency =
    detail::tone("wildcard1OnFrequency", channel::kWildcard1OnFrequency, 0);
inline constexpr Field wildcard2OnFrequency =
    detail::tone("wildcard2OnFrequency", channel::kWildcard2OnFrequency, 0);
inline constexpr Field wildcard1OffFrequency =
    detail::tone("wildcard1OffFrequency", channel::kWildcard1OffFrequency, 0);
inline constexpr Field wildcard2OffFrequency =
    detail::tone("wildcard2OffFrequency", channel::kWildcard2OffFrequency, 0);
inline constexpr Field dcCurrent = [] {
    Field f = detail::current("dcCurrent", channel::kDcCurrent, 0);
    f.count = channel::kDcCurrentCount;
    f.elementDefaults = detail::kDcCurrentDefaults;
    return f;
}();
inline constexpr Field dcMonitorCurrent = detail::current("dcMonitorCurrent", channel::kDcMonitorCurrent, -5);
inline constexpr Field signalingType =
    detail::chanList("signalingType", channel::kSignalingType, kSignalingTypes, 0);
// A new database and the channel reset empty the ID by its first byte only.
inline constexpr Field desksetId{.name = "desksetId",
                                 .region = &kChannels,
                                 .offset = channel::kDesksetId,
                                 .width = channel::kDesksetIdSize,
                                 .kind = FieldKind::Text,
                                 .init = FieldInit::FirstByteZero};
inline constexpr Field signalingArea{.name = "signalingArea",
                                     .region = &kChannels,
                                     .offset = channel::kSignalingArea,
                                     .width = channel::kSignalingAreaSize,
                                     .kind = FieldKind::Area,
                                     .selector = "signalingType",
                                     .layouts = detail::kSignalingLayouts};
inline constexpr Field relay = detail::chanList("relay", channel::kRelay, kIoNumbers, std::nullopt);
// The fields of the signalling area's two layouts, by name (entries of the layouts above).
inline constexpr const Field& statAlertMode = detail::kStatAlertFields[0];
inline constexpr const Field& leadingPretime = detail::kStatAlertFields[1];
inline constexpr const Field& trailingPretime = detail::kStatAlertFields[2];
inline constexpr const Field& pretimeKind = detail::kStatAlertFields[3];
inline constexpr const Field& racMode = detail::kStatAlertFields[4];
inline constexpr const Field& defaultRac = detail::kStatAlertFields[5];
inline constexpr const Field& racPretime = detail::kStatAlertFields[6];
inline constexpr const Field& retryConstant = detail::kStatAlertFields[7];
inline constexpr const Field& limitedPatience = detail::kStatAlertFields[8];
inline constexpr const Field& busyTimer = detail::kStatAlertFields[9];
inline constexpr const Field& dosCoast = detail::kStatAlertFields[10];
inline constexpr const Field& emergencyAcknowledge = detail::kStatAlertFields[11];
inline constexpr const Field& minDigits = detail::kDtmfFields[0];
inline constexpr const Field& maxDigits = detail::kDtmfFields[1];
inline constexpr const Field& digitDuration = detail::kDtmfFields[2];
inline constexpr const Field& interdigitTime = detail::kDtmfFields[3];
// The layouts themselves: the fields a page writes when it claims the area.
inline constexpr const AreaLayout& statAlertLayout = detail::kSignalingLayouts[0];
inline constexpr const AreaLayout& dtmfLayout = detail::kSignalingLayouts[1];

inline constexpr Field tptTimeout = detail::ms("tptTimeout", channel::kTptTimeout, 3500);
inline constexpr Field tptFrequency =
    detail::chan("tptFrequency", channel::kTptFrequency, 2, FieldKind::Frequency, 2000, 34000, "Hz", 9000);
inline constexpr Field tptBeepDuration = detail::ms("tptBeepDuration", channel::kTptBeepDuration, 20);
inline constexpr Field tptPauseDuration = detail::ms("tptPauseDuration", channel::kTptPauseDuration, 20);
inline constexpr Field tptBeepCount =
    detail::chan("tptBeepCount", channel::kTptBeepCount, 1, FieldKind::Number, 0, 5, {}, 3);
inline constexpr Field tptPostTime = detail::ms("tptPostTime", channel::kTptPostTime, 20);
inline constexpr Field tptDetect = [] {
    Field f = detail::chan("tptDetect", channel::kTptDetect, 1, FieldKind::Flag, 0, 1, {}, std::nullopt);
    f.choices = kOffOn;
    f.count = channel::kFrequencyCount;
    return f;
}();
inline constexpr Field echoCancellationDelay =
    detail::ms("echoCancellationDelay", channel::kEchoCancellationDelay, 0, 1500);
inline constexpr Field mdcRxPreEmphasis = [] {
    Field f = detail::chan("mdcRxPreEmphasis", channel::kMdcRxPreEmphasis, 1, FieldKind::Flag, 0, 1, {}, 1);
    f.choices = kOffOn;
    return f;
}();

// ---- Paging formats (16 records of 24 bytes) ---------------------------------------------------

inline constexpr Field pagingLabel{.name = "label",
                                   .region = &kPagingFormats,
                                   .offset = paging::kLabel,
                                   .width = paging::kLabelSize,
                                   .kind = FieldKind::Text,
                                   .init = FieldInit::FirstByteZero};
inline constexpr Field formatType{.name = "formatType",
                                  .region = &kPagingFormats,
                                  .offset = paging::kFormatType,
                                  .kind = FieldKind::List,
                                  .maximum = 21,
                                  .choices = kFormatTypes};

// The parameters of each format type, with the values a new format of that type starts with. The
// label-only types (0, 2, 4 to 9, 20) and type 21 have no layout: their parameter bytes are left
// as they are.
namespace detail {
constexpr Field pageMs(std::string_view name, int offset, int def)
{
    return {.name = name,
            .region = &kPagingFormats,
            .offset = offset,
            .width = 2,
            .maximum = 60000,
            .unit = "ms",
            .init = FieldInit::Value,
            .defaultValue = def};
}
// A list stored as its entry's value: the 0-based position, or a coded value (the pulse tone).
constexpr Field pageList(std::string_view name, int offset, std::span<const Choice> choices, int width = 1)
{
    return {.name = name,
            .region = &kPagingFormats,
            .offset = offset,
            .width = width,
            .kind = FieldKind::List,
            .minimum = choices.front().value,
            .maximum = choices.back().value,
            .choices = choices,
            .keptWhenUnlisted = true,
            .init = FieldInit::Value,
            .defaultValue = choices.front().value};
}
constexpr Field pageFlag(std::string_view name, int offset)
{
    return {.name = name,
            .region = &kPagingFormats,
            .offset = offset,
            .kind = FieldKind::Flag,
            .maximum = 1,
            .choices = kOffOn,
            .init = FieldInit::Value,
            .defaultValue = 0};
}

inline constexpr Choice kTransmitTimeMultipliers[] = {{0, " 0"}, {1, " 1"}, {2, " 2"}, {3, " 3"},
                                                      {4, " 4"}, {5, " 5"}, {6, " 6"}};
inline constexpr Choice kMotorola1CodePlans[] = {{0, "B"},  {1, "C"},  {2, "D"},  {3, "E"},  {4, "F"},
                                                 {5, "G"},  {6, "H"},  {7, "J"},  {8, "K"},  {9, "L"},
                                                 {10, "M"}, {11, "N"}, {12, "P"}, {13, "Q"}, {14, "R"},
                                                 {15, "S"}, {16, "T"}, {17, "U"}, {18, "V"}, {19, "W"}};
inline constexpr Choice kMotorola2CodePlans[] = {{0, "A"}, {1, "B"}, {2, "Z"}};
inline constexpr Choice kGeType99CodePlans[] = {{0, "X"}, {1, "Y"}, {2, "Z100"}, {3, "Z400"}};
inline constexpr Choice kPreambleDigits[] = {{0, "0"}, {1, "1"}, {2, "2"}, {3, "3"}, {4, "4"},
                                             {5, "5"}, {6, "6"}, {7, "7"}, {8, "8"}, {9, "9"}};
// Tenths of a hertz.
inline constexpr Choice kStandardTones[] = {{15000, "1500"}, {28050, "2805"}};

namespace tt = paging::twotone;
namespace ft = paging::fivetone;
inline constexpr Field kCallAlertFields[] = {pageFlag("shortCallAlert", paging::kShortCallAlert)};
inline constexpr Field kRemoteMonitorFields[] = {
    pageFlag("silentMonitor", paging::kSilentMonitor),
    pageList("transmitTimeMultiplier", paging::kTransmitTimeMultiplier, kTransmitTimeMultipliers)};
// Motorola 1+1, 2+2 and GE Type 99 share their offsets; code plans and defaults differ.
constexpr std::array<Field, 6> twoTone(std::span<const Choice> codePlans, int tone1, int tone2, int intertone)
{
    return {pageList("codePlan", tt::kCodePlan, codePlans),
            pageMs("tone1Duration", tt::kTone1Duration, tone1),
            pageMs("tone2Duration", tt::kTone2Duration, tone2),
            pageMs("intertoneDelay", tt::kIntertoneDelay, intertone),
            pageMs("inhibitDelay", tt::kInhibitDelay, 3000),
            pageMs("groupCallDelay", tt::kGroupCallDelay, 8000)};
}
inline constexpr std::array<Field, 6> kMotorola1Fields = twoTone(kMotorola1CodePlans, 1000, 3000, 0);
inline constexpr std::array<Field, 6> kMotorola2Fields = twoTone(kMotorola2CodePlans, 1250, 1000, 0);
// GE Type 99 has no group call delay.
inline constexpr std::array<Field, 6> kGeType99AllFields = twoTone(kGeType99CodePlans, 1000, 1000, 200);
inline constexpr std::span<const Field> kGeType99Fields{kGeType99AllFields.data(), 5};
inline constexpr Field kMotorola6Fields[] = {
    pageList("preamble", ft::kPreamble, kPreambleDigits),
    pageMs("preambleDuration", ft::kPreambleDuration, 673), pageMs("gapDuration", ft::kGapDuration, 65),
    pageMs("toneDuration", ft::kToneDuration, 33), pageMs("xToneOrGapDuration", ft::kXToneDuration, 65)};
inline constexpr std::span<const Field> kMotorola5Fields{kMotorola6Fields, 4}; // no extra tone
inline constexpr Field kNec6Fields[] = {pageMs("preambleDuration", paging::nec::kPreambleDuration, 673),
                                        pageMs("gapDuration", paging::nec::kGapDuration, 65),
                                        pageMs("toneDuration", paging::nec::kToneDuration, 33),
                                        pageMs("xToneOrGapDuration", paging::nec::kXToneDuration, 65)};
inline constexpr std::span<const Field> kNec5Fields{kNec6Fields, 3}; // no extra tone
inline constexpr Field kReachToneFields[] = {pageMs("tone1Duration", paging::reach::kTone1Duration, 2000),
                                             pageMs("tone2Duration", paging::reach::kTone2Duration, 1000),
                                             pageMs("intertoneDelay", paging::reach::kIntertoneDelay, 0),
                                             pageMs("inhibitDelay", paging::reach::kInhibitDelay, 2000)};
inline constexpr Field kDtmfPageFields[] = {pageMs("toneDuration", paging::dtmf::kToneDuration, 60),
                                            pageMs("intertoneDelay", paging::dtmf::kIntertoneDelay, 40),
                                            pageMs("inhibitDelay", paging::dtmf::kInhibitDelay, 500)};
inline constexpr Field kPulsePageFields[] = {
    pageList("standardTone", paging::pulse::kStandardTone, kStandardTones, 2),
    pageMs("headerTiming", paging::pulse::kHeaderTiming, 800),
    pageMs("pulseOnTiming", paging::pulse::kPulseOnTiming, 39),
    pageMs("pulseOffTiming", paging::pulse::kPulseOffTiming, 61),
    pageMs("pulseIntertoneDelay", paging::pulse::kIntertoneDelay, 800),
    pageMs("trailer", paging::pulse::kTrailer, 5000)};

inline constexpr int kCallAlert[] = {paging::format::kCallAlert};
inline constexpr int kRemoteMonitor[] = {paging::format::kRemoteMonitor};
inline constexpr int kMotorola1[] = {paging::format::kMotorola1Plus1};
inline constexpr int kMotorola2[] = {paging::format::kMotorola2Plus2};
inline constexpr int kGeType99[] = {paging::format::kGeType99};
inline constexpr int kMotorola5[] = {paging::format::kMotorola5Tone};
inline constexpr int kMotorola6[] = {paging::format::kMotorola6Tone};
inline constexpr int kNec5[] = {paging::format::kNec5Tone};
inline constexpr int kNec6[] = {paging::format::kNec6Tone};
inline constexpr int kReachTone[] = {paging::format::kReachTone};
inline constexpr int kDtmfPage[] = {paging::format::kDtmfPage};
inline constexpr int kPulsePage[] = {paging::format::kPulsePage};
inline constexpr AreaLayout kFormatLayouts[] = {
    {"CallAlert", kCallAlert, kCallAlertFields},
    {"RemoteMonitor", kRemoteMonitor, kRemoteMonitorFields},
    {"Motorola1Plus1", kMotorola1, kMotorola1Fields},
    {"Motorola2Plus2", kMotorola2, kMotorola2Fields},
    {"GeType99", kGeType99, kGeType99Fields},
    {"Motorola5Tone", kMotorola5, kMotorola5Fields},
    {"Motorola6Tone", kMotorola6, kMotorola6Fields},
    {"Nec5Tone", kNec5, kNec5Fields},
    {"Nec6Tone", kNec6, kNec6Fields},
    {"ReachTone", kReachTone, kReachToneFields},
    {"DtmfPage", kDtmfPage, kDtmfPageFields},
    {"PulsePage", kPulsePage, kPulsePageFields},
};
} // namespace detail

inline constexpr Field formatParameters{.name = "parameters",
                                        .region = &kPagingFormats,
                                        .offset = paging::kParameters,
                                        .width = paging::kParametersSize,
                                        .kind = FieldKind::Area,
                                        .selector = "formatType",
                                        .layouts = detail::kFormatLayouts};

// ---- Custom paging tones (100 records of 14 bytes) ---------------------------------------------

namespace detail {
constexpr Field toneMs(std::string_view name, int offset, int newTone)
{
    return {.name = name,
            .region = &kCustomTones,
            .offset = offset,
            .width = 2,
            .maximum = 60000,
            .unit = "ms",
            .newRecordValue = newTone};
}
// 200.0 to 3400.0 Hz; a new tone starts at 200.0 Hz.
constexpr Field toneHz(std::string_view name, int offset)
{
    return {.name = name,
            .region = &kCustomTones,
            .offset = offset,
            .width = 2,
            .kind = FieldKind::Frequency,
            .minimum = 2000,
            .maximum = 34000,
            .unit = "Hz",
            .newRecordValue = 2000};
}
} // namespace detail

inline constexpr Field toneNumber{.name = "number",
                                  .region = &kCustomTones,
                                  .offset = customtone::kNumber,
                                  .width = customtone::kNumberSize,
                                  .kind = FieldKind::Text,
                                  .init = FieldInit::FirstByteZero};
inline constexpr Field firstToneFrequency =
    detail::toneHz("firstToneFrequency", customtone::kFirstToneFrequency);
inline constexpr Field firstToneDuration =
    detail::toneMs("firstToneDuration", customtone::kFirstToneDuration, 1000);
inline constexpr Field intertoneDelay = detail::toneMs("intertoneDelay", customtone::kIntertoneDelay, 0);
inline constexpr Field secondToneFrequency =
    detail::toneHz("secondToneFrequency", customtone::kSecondToneFrequency);
inline constexpr Field secondToneDuration =
    detail::toneMs("secondToneDuration", customtone::kSecondToneDuration, 3000);
inline constexpr Field inhibitDelay = detail::toneMs("inhibitDelay", customtone::kInhibitDelay, 3000);

// ---- Speed pages (250 records of 25 bytes) -----------------------------------------------------

inline constexpr Field speedPageLabel{.name = "label",
                                      .region = &kSpeedPages,
                                      .offset = speedpage::kLabel,
                                      .width = speedpage::kLabelSize,
                                      .kind = FieldKind::Text,
                                      .init = FieldInit::FirstByteZero};
inline constexpr Field speedPageFormat{.name = "formatIndex",
                                       .region = &kSpeedPages,
                                       .offset = speedpage::kFormatIndex,
                                       .maximum = kPagingFormats.count - 1};
inline constexpr Field speedPageDigits{.name = "digits",
                                       .region = &kSpeedPages,
                                       .offset = speedpage::kDigits,
                                       .width = speedpage::kDigitsSize,
                                       .kind = FieldKind::Text};

// ---- PTT ID aliases (250 records of 21 bytes) --------------------------------------------------

inline constexpr Field aliasLabel{.name = "label",
                                  .region = &kPttAliases,
                                  .offset = alias::kLabel,
                                  .width = alias::kLabelSize,
                                  .kind = FieldKind::Text,
                                  .init = FieldInit::FirstByteZero};
inline constexpr Field aliasPttId{.name = "pttId",
                                  .region = &kPttAliases,
                                  .offset = alias::kPttId,
                                  .width = alias::kPttIdSize,
                                  .kind = FieldKind::Text};
inline constexpr Field aliasUnitType{.name = "unitType",
                                     .region = &kPttAliases,
                                     .offset = alias::kUnitType,
                                     .kind = FieldKind::List,
                                     .maximum = alias::kDtmf,
                                     .choices = kUnitTypes};

} // namespace trv::db::fields

namespace trv::db {

// One area of the image with its fields: a table's records or a single record.
struct CatalogueArea {
    std::string_view name; // "deskset", "buttons", "channels", "pagingFormats", ...
    const Region* region;
    std::span<const Field* const> fields; // in record order
    // Tables whose records are free while their first text is empty.
    bool hasFreeRecords;
};

// Every area of the image that holds fields, in image order.
std::span<const CatalogueArea> catalogue();

// The catalogue entry named `name` in an area ("channels", "txLevel"), or nullptr.
const Field* findField(std::string_view area, std::string_view name);

} // namespace trv::db
