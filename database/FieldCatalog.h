// The field catalogue: every stored field of the database image, by its name, with its encoding,
// range, unit, list choices and new-database default. Offsets come from Layout.h; the catalogue adds
// what each field means. New databases, the editors' bindings and the interchange tools (dump,
// diff, export, import) read their fields from here and nowhere else.
#pragma once

#include "database/Field.h"

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
    {0, "Not Defined"}, {1, "Scroll Up"},  {2, "Scroll Down"}, {3, "Clear"},        {4, "Manual Page"},
    {5, "Speed Page"},  {6, "Alias Page"}, {7, "Frequency"},   {8, "All Mute"},     {9, "Mute"},
    {10, "Alert Tone"}, {11, "Repeat"},    {12, "Wildcard"},   {13, "Patch"},       {14, "Multi Select"},
    {15, "Coded Clear"}, {16, "Volume Adjust"}, {17, "Enter RAC"}, {18, "Auxiliary"}};

inline constexpr Choice kInterfaceTypes[] = {
    {0, "2 Wires"}, {1, "4 Wires"}, {2, "4 Wires (duplex)"}, {3, "4 Wires Full Duplex"}};
inline constexpr Choice kTerminations[] = {{0, "600"}, {1, "10 000"}};
inline constexpr Choice kParallelStatuses[] = {{0, "Parallel Off"}, {1, "Parallel Lobl"}, {2, "Parallel Status"}};
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
    {0, "Voice Alert"},      {1, "Call Alert"},       {2, "Radio Check"},      {3, "Remote Monitor"},
    {4, "Radio Enable"},     {5, "Radio Disable"},    {6, "Manual RAC"},       {7, "Status Request"},
    {8, "Repeater Enable"},  {9, "Repeater Disable"}, {10, "Motorola 1+1"},    {11, "Motorola 2+2"},
    {12, "GE Type 99"},      {13, "Motorola 5 Tone"}, {14, "Motorola 6 Tone"}, {15, "NEC 5 Tone"},
    {16, "NEC 6 Tone"},      {17, "Reach Tone"},      {18, "DTMF Page Format"}, {19, "Pulse Page Format"},
    {20, "Custom Page Tone"}, {21, "Plectron Two Tone"}};

// ---- Deskset settings (one record: the region) -------------------------------------------------

namespace detail {
constexpr Field deskList(std::string_view name, int imageOffset, std::span<const Choice> choices, int def)
{
    return {.name = name, .region = &kDesksetSettings, .offset = desk(imageOffset), .kind = FieldKind::List,
            .maximum = static_cast<int>(choices.size()) - 1, .choices = choices, .init = FieldInit::Value,
            .defaultValue = def};
}
// A field without a default (std::nullopt) is left as it is by a new database: zero.
constexpr Field deskFlag(std::string_view name, int imageOffset, std::optional<int> def, int count = 1)
{
    return {.name = name, .region = &kDesksetSettings, .offset = desk(imageOffset), .kind = FieldKind::Flag,
            .maximum = 1, .choices = kOffOn, .count = count, .init = def ? FieldInit::Value : FieldInit::None,
            .defaultValue = def.value_or(0)};
}
constexpr Field deskNumber(std::string_view name, int imageOffset, int width, int maximum,
                           std::string_view unit, std::optional<int> def)
{
    return {.name = name, .region = &kDesksetSettings, .offset = desk(imageOffset), .width = width,
            .maximum = maximum, .unit = unit, .init = def ? FieldInit::Value : FieldInit::None,
            .defaultValue = def.value_or(0)};
}
} // namespace detail

inline constexpr Field clockMode = detail::deskList("clockMode", deskset::kClockMode, kClockModes, 1);
inline constexpr Field displayTime = detail::deskFlag("displayTime", deskset::kDisplayTime, std::nullopt);
inline constexpr Field printerBaudRate = detail::deskList("printerBaudRate", deskset::kPrinterBaudRate, kBaudRates, 3);
inline constexpr Field useUnselectSpeaker = detail::deskFlag("useUnselectSpeaker", deskset::kUseUnselectSpeaker, 0);
inline constexpr Field muteLevel = detail::deskList("muteLevel", deskset::kMuteLevel, kMuteLevels, 1);
inline constexpr Field muteTimer = detail::deskNumber("muteTimer", deskset::kMuteTimer, 1, 60, "s", 30);
inline constexpr Field pageKeyUpDelay = detail::deskNumber("pageKeyUpDelay", deskset::kPageKeyUpDelay, 1, 60, "s", std::nullopt);
inline constexpr Field voiceAnnotation = detail::deskNumber("voiceAnnotation", deskset::kVoiceAnnotation, 1, 60, "s", 2);
inline constexpr Field transmitDelay = detail::deskNumber("transmitDelay", deskset::kTransmitDelay, 2, 500, "ms", 0);
inline constexpr Field relayLatching =
    detail::deskFlag("relayLatching", deskset::kRelayLatching1, std::nullopt, deskset::kRelayCount);
inline constexpr Field desksetType{.name = "desksetType", .region = &kDesksetSettings,
                                   .offset = detail::desk(deskset::kDesksetType), .kind = FieldKind::List,
                                   .minimum = deskset::kSingleChannel, .maximum = deskset::kMultiChannel,
                                   .choices = kDesksetTypes, .init = FieldInit::Value,
                                   .defaultValue = deskset::kSingleChannel};
inline constexpr Field handsetPresent = detail::deskFlag("handsetPresent", deskset::kHandsetPresent, 1);
inline constexpr Field externalMicPresent = detail::deskFlag("externalMicPresent", deskset::kExternalMicPresent, 0);
inline constexpr Field micAgc = detail::deskFlag("micAgc", deskset::kMicAgc, 1);
inline constexpr Field pagingFeedback = detail::deskList("pagingFeedback", deskset::kPagingFeedback, kPagingFeedbacks, 0);

// ---- Button table (18 records of kind and parameter) -------------------------------------------

inline constexpr Field buttonKind{.name = "kind", .region = &kButtonTable, .offset = button::kKind,
                                  .kind = FieldKind::List, .maximum = 18, .choices = kButtonKinds,
                                  .init = FieldInit::Value, .defaultValue = 0};
// The meaning of the parameter follows the kind: a record number, a channel, a pair, or 255 (none).
inline constexpr Field buttonParameter{.name = "parameter", .region = &kButtonTable,
                                       .offset = button::kParameter, .maximum = 255, .init = FieldInit::Value,
                                       .defaultValue = button::kNoParameter};

// ---- Channel records ---------------------------------------------------------------------------

namespace detail {
constexpr Field chan(std::string_view name, int offset, int width, FieldKind kind, int minimum, int maximum,
                     std::string_view unit, std::optional<int> def, bool isSigned = false)
{
    return {.name = name, .region = &kChannels, .offset = offset, .width = width, .kind = kind,
            .isSigned = isSigned, .minimum = minimum, .maximum = maximum, .unit = unit,
            .init = def ? FieldInit::Value : FieldInit::None, .defaultValue = def.value_or(0)};
}
constexpr Field chanList(std::string_view name, int offset, std::span<const Choice> choices, std::optional<int> def)
{
    Field f = chan(name, offset, 1, FieldKind::List, 0, static_cast<int>(choices.size()) - 1, {}, def);
    f.choices = choices;
    return f;
}
constexpr Field ms(std::string_view name, int offset, std::optional<int> def, int maximum = 60000)
{
    return chan(name, offset, 2, FieldKind::Number, 0, maximum, "ms", def);
}
constexpr Field level(std::string_view name, int offset, int minimum, int maximum, std::string_view unit, int def)
{
    return chan(name, offset, 1, FieldKind::Number, minimum, maximum, unit, def, true);
}
constexpr Field tone(std::string_view name, int offset, std::optional<int> def)
{
    return chan(name, offset, 2, FieldKind::Frequency, 0, 20500, "Hz", def);
}
constexpr Field current(std::string_view name, int offset, int def)
{
    return chan(name, offset, 1, FieldKind::HalfMilliamps, -31, 31, "mA", def, true);
}

inline constexpr std::string_view kFrequencyLabelDefaults[] = {"Freq 1", "Freq 2", "Freq 3", "Freq 4"};
inline constexpr int kFunctionToneDefaults[] = {19500, 18500, 17500, 16500};
inline constexpr int kDcCurrentDefaults[] = {11, 25, -11, -25};

// The defaults a page writes when it claims the signalling area (not written by a new database,
// whose area is all zero).
inline constexpr Field kStatAlertFields[] = {
    chanList("statAlertMode", channel::statalert::kStatAlertMode, kStatAlertModes, 0),
    ms("leadingPretime", channel::statalert::kLeadingPretime, 200),
    ms("trailingPretime", channel::statalert::kTrailingPretime, 0),
    chanList("pretimeKind", channel::statalert::kPretimeKind, kPretimeKinds, 0),
    chanList("racMode", channel::statalert::kRacMode, kRacModes, std::nullopt),
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
        Field f = chan("emergencyAcknowledge", channel::statalert::kEmergencyAcknowledge, 1, FieldKind::Flag, 0, 1, {}, 1);
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

inline constexpr Field frequencyLabel{.name = "frequencyLabel", .region = &kChannels,
                                      .offset = channel::kFrequencyLabel, .width = channel::kFrequencyLabelSize,
                                      .kind = FieldKind::Text, .count = channel::kFrequencyCount,
                                      .init = FieldInit::Value, .textDefaults = detail::kFrequencyLabelDefaults};
inline constexpr Field interfaceType = detail::chanList("interfaceType", channel::kInterfaceType, kInterfaceTypes, 1);
inline constexpr Field termination = detail::chanList("termination", channel::kTermination, kTerminations, 0);
inline constexpr Field rxAgcLevel = detail::level("rxAgcLevel", channel::kRxAgcLevel, -30, 11, "dBm", -24);
inline constexpr Field txLevel = detail::level("txLevel", channel::kTxLevel, -30, 11, "dBm", 0);
inline constexpr Field hangoverDelay = detail::ms("hangoverDelay", channel::kHangoverDelay, 2000);
inline constexpr Field parallelStatus = detail::chanList("parallelStatus", channel::kParallelStatus, kParallelStatuses, 2);
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
inline constexpr Field guardToneFrequency =
    detail::chan("guardToneFrequency", channel::kGuardToneFrequency, 2, FieldKind::Frequency, 21000, 23250, "Hz", 21750);
inline constexpr Field hlgtDuration = detail::ms("hlgtDuration", channel::kHlgtDuration, 125);
inline constexpr Field functionToneDuration = detail::ms("functionToneDuration", channel::kFunctionToneDuration, 40);
inline constexpr Field hlgtLevel = detail::level("hlgtLevel", channel::kHlgtLevel, -30, 10, "dB", 10);
inline constexpr Field functionToneLevel = detail::level("functionToneLevel", channel::kFunctionToneLevel, -30, 10, "dB", 0);
inline constexpr Field llgtLevel = detail::level("llgtLevel", channel::kLlgtLevel, -30, 10, "dB", -20);
inline constexpr Field functionToneFrequency = [] {
    Field f = detail::tone("functionToneFrequency", channel::kFunctionToneFrequency, 0);
    f.count = channel::kFrequencyCount;
    f.elementDefaults = detail::kFunctionToneDefaults;
    return f;
}();
inline constexpr Field monitorToneFrequency = detail::tone("monitorToneFrequency", channel::kMonitorToneFrequency, 20500);
inline constexpr Field repeaterEnableFrequency = detail::tone("repeaterEnableFrequency", channel::kRepeaterEnableFrequency, 0);
inline constexpr Field repeaterDisableFrequency = detail::tone("repeaterDisableFrequency", channel::kRepeaterDisableFrequency, 0);
inline constexpr Field codedFrequency = detail::tone("codedFrequency", channel::kCodedFrequency, 0);
inline constexpr Field clearFrequency = detail::tone("clearFrequency", channel::kClearFrequency, 0);
inline constexpr Field wildcard1OnFrequency = detail::tone("wildcard1OnFrequency", channel::kWildcard1OnFrequency, 0);
inline constexpr Field wildcard2OnFrequency = detail::tone("wildcard2OnFrequency", channel::kWildcard2OnFrequency, 0);
inline constexpr Field wildcard1OffFrequency = detail::tone("wildcard1OffFrequency", channel::kWildcard1OffFrequency, 0);
inline constexpr Field wildcard2OffFrequency = detail::tone("wildcard2OffFrequency", channel::kWildcard2OffFrequency, 0);
inline constexpr Field dcCurrent = [] {
    Field f = detail::current("dcCurrent", channel::kDcCurrent, 0);
    f.count = channel::kDcCurrentCount;
    f.elementDefaults = detail::kDcCurrentDefaults;
    return f;
}();
inline constexpr Field dcMonitorCurrent = detail::current("dcMonitorCurrent", channel::kDcMonitorCurrent, -5);
inline constexpr Field signalingType = detail::chanList("signalingType", channel::kSignalingType, kSignalingTypes, 0);
// A new database and the channel reset empty the ID by its first byte only.
inline constexpr Field desksetId{.name = "desksetId", .region = &kChannels, .offset = channel::kDesksetId,
                                 .width = channel::kDesksetIdSize, .kind = FieldKind::Text,
                                 .init = FieldInit::FirstByteZero};
inline constexpr Field signalingArea{.name = "signalingArea", .region = &kChannels,
                                     .offset = channel::kSignalingArea, .width = channel::kSignalingAreaSize,
                                     .kind = FieldKind::Area, .selector = "signalingType",
                                     .layouts = detail::kSignalingLayouts};
inline constexpr Field relay = detail::chanList("relay", channel::kRelay, kIoNumbers, std::nullopt);
inline constexpr Field tptTimeout = detail::ms("tptTimeout", channel::kTptTimeout, 3500);
inline constexpr Field tptFrequency =
    detail::chan("tptFrequency", channel::kTptFrequency, 2, FieldKind::Frequency, 2000, 34000, "Hz", 9000);
inline constexpr Field tptBeepDuration = detail::ms("tptBeepDuration", channel::kTptBeepDuration, 20);
inline constexpr Field tptPauseDuration = detail::ms("tptPauseDuration", channel::kTptPauseDuration, 20);
inline constexpr Field tptBeepCount = detail::chan("tptBeepCount", channel::kTptBeepCount, 1, FieldKind::Number, 0, 5, {}, 3);
inline constexpr Field tptPostTime = detail::ms("tptPostTime", channel::kTptPostTime, 20);
inline constexpr Field tptDetect = [] {
    Field f = detail::chan("tptDetect", channel::kTptDetect, 1, FieldKind::Flag, 0, 1, {}, std::nullopt);
    f.choices = kOffOn;
    f.count = channel::kFrequencyCount;
    return f;
}();
inline constexpr Field echoCancellationDelay = detail::ms("echoCancellationDelay", channel::kEchoCancellationDelay, 0, 1500);
inline constexpr Field mdcRxPreEmphasis = [] {
    Field f = detail::chan("mdcRxPreEmphasis", channel::kMdcRxPreEmphasis, 1, FieldKind::Flag, 0, 1, {}, 1);
    f.choices = kOffOn;
    return f;
}();

// ---- Paging formats (16 records of 24 bytes) ---------------------------------------------------

inline constexpr Field pagingLabel{.name = "label", .region = &kPagingFormats, .offset = paging::kLabel,
                                   .width = paging::kLabelSize, .kind = FieldKind::Text,
                                   .init = FieldInit::FirstByteZero};
inline constexpr Field formatType{.name = "formatType", .region = &kPagingFormats, .offset = paging::kFormatType,
                                  .kind = FieldKind::List, .maximum = 21, .choices = kFormatTypes};
// Laid out per format type; the layouts are added with the paging format editors.
inline constexpr Field formatParameters{.name = "parameters", .region = &kPagingFormats,
                                        .offset = paging::kParameters, .width = paging::kParametersSize,
                                        .kind = FieldKind::Area, .selector = "formatType"};

// ---- Custom paging tones (100 records of 14 bytes) ---------------------------------------------

namespace detail {
constexpr Field toneMs(std::string_view name, int offset, int newTone)
{
    return {.name = name, .region = &kCustomTones, .offset = offset, .width = 2, .maximum = 60000, .unit = "ms",
            .newRecordValue = newTone};
}
// 200.0 to 3400.0 Hz; a new tone starts at 200.0 Hz.
constexpr Field toneHz(std::string_view name, int offset)
{
    return {.name = name, .region = &kCustomTones, .offset = offset, .width = 2, .kind = FieldKind::Frequency,
            .minimum = 2000, .maximum = 34000, .unit = "Hz", .newRecordValue = 2000};
}
} // namespace detail

inline constexpr Field toneNumber{.name = "number", .region = &kCustomTones, .offset = customtone::kNumber,
                                  .width = customtone::kNumberSize, .kind = FieldKind::Text,
                                  .init = FieldInit::FirstByteZero};
inline constexpr Field firstToneFrequency = detail::toneHz("firstToneFrequency", customtone::kFirstToneFrequency);
inline constexpr Field firstToneDuration = detail::toneMs("firstToneDuration", customtone::kFirstToneDuration, 1000);
inline constexpr Field intertoneDelay = detail::toneMs("intertoneDelay", customtone::kIntertoneDelay, 0);
inline constexpr Field secondToneFrequency = detail::toneHz("secondToneFrequency", customtone::kSecondToneFrequency);
inline constexpr Field secondToneDuration = detail::toneMs("secondToneDuration", customtone::kSecondToneDuration, 3000);
inline constexpr Field inhibitDelay = detail::toneMs("inhibitDelay", customtone::kInhibitDelay, 3000);

// ---- Speed pages (250 records of 25 bytes) -----------------------------------------------------

inline constexpr Field speedPageLabel{.name = "label", .region = &kSpeedPages, .offset = speedpage::kLabel,
                                      .width = speedpage::kLabelSize, .kind = FieldKind::Text,
                                      .init = FieldInit::FirstByteZero};
inline constexpr Field speedPageFormat{.name = "formatIndex", .region = &kSpeedPages,
                                       .offset = speedpage::kFormatIndex, .maximum = kPagingFormats.count - 1};
inline constexpr Field speedPageDigits{.name = "digits", .region = &kSpeedPages, .offset = speedpage::kDigits,
                                       .width = speedpage::kDigitsSize, .kind = FieldKind::Text};

// ---- PTT ID aliases (250 records of 21 bytes) --------------------------------------------------

inline constexpr Field aliasLabel{.name = "label", .region = &kPttAliases, .offset = alias::kLabel,
                                  .width = alias::kLabelSize, .kind = FieldKind::Text,
                                  .init = FieldInit::FirstByteZero};
inline constexpr Field aliasPttId{.name = "pttId", .region = &kPttAliases, .offset = alias::kPttId,
                                  .width = alias::kPttIdSize, .kind = FieldKind::Text};
inline constexpr Field aliasUnitType{.name = "unitType", .region = &kPttAliases, .offset = alias::kUnitType,
                                     .kind = FieldKind::List, .maximum = alias::kDtmf, .choices = kUnitTypes};

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
