// The region map of the 16384-byte database image and the named offsets of its fields.
// Every editor addresses the image through these constants; no other file spells an offset.
#pragma once

#include <cstdint>
#include <string_view>

namespace trv::db {

inline constexpr int kImageSize = 0x4000;

inline constexpr std::string_view kMagic = "VXR DESKSET V001";
inline constexpr int kHeaderSize = 16;

// One region of the image: record k starts at base + k * recordSize.
struct Region {
    int base;
    int recordSize;
    int count;

    constexpr int record(int k) const { return base + k * recordSize; }
    constexpr int size() const { return recordSize * count; }
    constexpr int end() const { return base + size(); } // one past the last byte
};

inline constexpr Region kHeader{0x0000, 16, 1};
inline constexpr Region kDesksetSettings{0x0010, 19, 1};
inline constexpr Region kReservedAfterSettings{0x0023, 93, 1};
inline constexpr Region kButtonTable{0x0080, 2, 18};
inline constexpr Region kReservedAfterButtons{0x00A4, 92, 1};
inline constexpr Region kChannels{0x0100, 448, 4};
inline constexpr Region kPagingFormats{0x0800, 24, 16};
inline constexpr Region kCustomTones{0x0980, 14, 100};
inline constexpr Region kSpeedPages{0x0EF8, 25, 250};
inline constexpr Region kPttAliases{0x2762, 21, 250};
inline constexpr Region kReservedTail{0x3BE4, 1052, 1};

// The whole map in image order; the regions tile the image without gaps.
inline constexpr Region kRegionMap[] = {
    kHeader,       kDesksetSettings, kReservedAfterSettings, kButtonTable, kReservedAfterButtons,
    kChannels,     kPagingFormats,   kCustomTones,           kSpeedPages,  kPttAliases,
    kReservedTail,
};

// Deskset settings (image offsets).
namespace deskset {
inline constexpr int kClockMode = 0x0010;          // 0 "12 Hour", 1 "24 Hour"
inline constexpr int kDisplayTime = 0x0011;        // 0/1
inline constexpr int kPrinterBaudRate = 0x0012;    // list index 0..4
inline constexpr int kUseUnselectSpeaker = 0x0013; // 0/1
inline constexpr int kMuteLevel = 0x0014;          // 0 half, 1 full
inline constexpr int kMuteTimer = 0x0015;          // seconds 0..60
inline constexpr int kPageKeyUpDelay = 0x0016;     // seconds 0..60
inline constexpr int kVoiceAnnotation = 0x0017;    // seconds 0..60
inline constexpr int kTransmitDelay = 0x0018;      // 16-bit, milliseconds 0..500
inline constexpr int kRelayLatching1 = 0x001A;     // four bytes, relays 1..4
inline constexpr int kRelayCount = 4;
inline constexpr int kDesksetType = 0x001E; // 1 single channel, 4 multi-channel
inline constexpr int kHandsetPresent = 0x001F;
inline constexpr int kExternalMicPresent = 0x0020;
inline constexpr int kMicAgc = 0x0021;
inline constexpr int kPagingFeedback = 0x0022; // 0 loud, 1 soft, 2 none

inline constexpr std::uint8_t kSingleChannel = 1;
inline constexpr std::uint8_t kMultiChannel = 4;
} // namespace deskset

// Button table entries: one byte function kind, one byte parameter.
namespace button {
inline constexpr int kKind = 0;
inline constexpr int kParameter = 1;
inline constexpr std::uint8_t kNoParameter = 0xFF;
} // namespace button

// Channel record fields (offsets inside one 448-byte record). Every byte from 0x000 to 0x148 belongs
// to exactly one field; 0x149 to the end of the record is reserved.
namespace channel {
inline constexpr int kFrequencyLabel = 0x000; // 16 text slots of 12 bytes, F1..F16
inline constexpr int kFrequencyLabelSize = 12;
inline constexpr int kFrequencyCount = 16;
inline constexpr int kInterfaceType = 0x0C0;
inline constexpr int kTermination = 0x0C1;
inline constexpr int kRxAgcLevel = 0x0C2; // signed
inline constexpr int kTxLevel = 0x0C3;    // signed
inline constexpr int kHangoverDelay = 0x0C4;
inline constexpr int kParallelStatus = 0x0C6;
inline constexpr int kCrossMute = 0x0C7;
inline constexpr int kKeying = 0x0C8;
inline constexpr int kKeyingTone = 0;
inline constexpr int kKeyingDc = 1;
inline constexpr int kKeyingNone = 2;
inline constexpr int kPttRelay = 0x0C9; // the I/O lists
inline constexpr int kMonitorRelay = 0x0CA;
inline constexpr int kMonitorLatching = 0x0CB;
inline constexpr int kEncryptRelay = 0x0CC;
inline constexpr int kELead = 0x0CD;
inline constexpr int kPttSense = 0x0CE;
inline constexpr int kEncryptSense = 0x0CF;
inline constexpr int kGuardToneFrequency = 0x0D0;
inline constexpr int kHlgtDuration = 0x0D2;
inline constexpr int kFunctionToneDuration = 0x0D4;
inline constexpr int kHlgtLevel = 0x0D6;             // signed
inline constexpr int kFunctionToneLevel = 0x0D7;     // signed
inline constexpr int kLlgtLevel = 0x0D8;             // signed
inline constexpr int kFunctionToneFrequency = 0x0D9; // 16 two-byte values, 0.1 Hz
inline constexpr int kMonitorToneFrequency = 0x0F9;
inline constexpr int kRepeaterEnableFrequency = 0x0FB;
inline constexpr int kRepeaterDisableFrequency = 0x0FD;
inline constexpr int kCodedFrequency = 0x0FF;
inline constexpr int kClearFrequency = 0x101;
inline constexpr int kWildcard1OnFrequency = 0x103;
inline constexpr int kWildcard2OnFrequency = 0x105;
inline constexpr int kWildcard1OffFrequency = 0x107;
inline constexpr int kWildcard2OffFrequency = 0x109;
inline constexpr int kDcCurrent = 0x10B; // four signed bytes, F1..F4
inline constexpr int kDcCurrentCount = 4;
inline constexpr int kDcMonitorCurrent = 0x10F; // signed
inline constexpr int kSignalingType = 0x110;
inline constexpr int kDesksetId = 0x111;
inline constexpr int kDesksetIdSize = 8;
inline constexpr int kSignalingArea = 0x119; // StatAlertSettings or DtmfSettings
inline constexpr int kSignalingAreaSize = 17;
inline constexpr int kRelay = 0x12A;
inline constexpr int kTptTimeout = 0x12B;
inline constexpr int kTptFrequency = 0x12D;
inline constexpr int kTptBeepDuration = 0x12F;
inline constexpr int kTptPauseDuration = 0x131;
inline constexpr int kTptBeepCount = 0x133;
inline constexpr int kTptPostTime = 0x134;
inline constexpr int kTptDetect = 0x136; // 16 flags, F1..F16
inline constexpr int kEchoCancellationDelay = 0x146;
inline constexpr int kMdcRxPreEmphasis = 0x148;
inline constexpr int kReserved = 0x149; // to the end of the record

// signalingType values
inline constexpr std::uint8_t kSignalingNone = 0;
inline constexpr std::uint8_t kSignalingStatAlert = 1;
inline constexpr std::uint8_t kSignalingDtmfDecode = 2;
inline constexpr std::uint8_t kSignalingDtmfSelectiveCall = 3;

// StatAlertSettings: the signalling area while signalingType is stat alert.
namespace statalert {
inline constexpr int kStatAlertMode = 0x119;
inline constexpr int kLeadingPretime = 0x11A;
inline constexpr int kTrailingPretime = 0x11C;
inline constexpr int kPretimeKind = 0x11E;
inline constexpr int kRacMode = 0x11F;
inline constexpr int kDefaultRac = 0x120;
inline constexpr int kRacPretime = 0x122;
inline constexpr int kRetryConstant = 0x124;
inline constexpr int kLimitedPatience = 0x125;
inline constexpr int kBusyTimer = 0x126;
inline constexpr int kDosCoast = 0x127;
inline constexpr int kEmergencyAcknowledge = 0x129;
} // namespace statalert

// DtmfSettings: the signalling area while signalingType is DTMF decode or DTMF selective call.
// Bytes 0x11F-0x129 are not used by this layout.
namespace dtmf {
inline constexpr int kMinDigits = 0x119;
inline constexpr int kMaxDigits = 0x11A;
inline constexpr int kDigitDuration = 0x11B;
inline constexpr int kInterdigitTime = 0x11D;
} // namespace dtmf
} // namespace channel

// Paging format records: the label, the format type, then parameters laid out per format type.
// An empty label (first byte 0) marks a free record.
namespace paging {
inline constexpr int kLabel = 0x00;
inline constexpr int kLabelSize = 8;
inline constexpr int kFormatType = 0x08;
inline constexpr int kParameters = 0x09;
inline constexpr int kParametersSize = 15;

// Format type codes (the byte at kFormatType). 21 exists but has no editor; 22 to 255 are unnamed.
namespace format {
inline constexpr int kVoiceAlert = 0;
inline constexpr int kCallAlert = 1;
inline constexpr int kRadioCheck = 2;
inline constexpr int kRemoteMonitor = 3;
inline constexpr int kRadioEnable = 4;
inline constexpr int kRadioDisable = 5;
inline constexpr int kManualRac = 6;
inline constexpr int kStatusRequest = 7;
inline constexpr int kRepeaterEnable = 8;
inline constexpr int kRepeaterDisable = 9;
inline constexpr int kMotorola1Plus1 = 10;
inline constexpr int kMotorola2Plus2 = 11;
inline constexpr int kGeType99 = 12;
inline constexpr int kMotorola5Tone = 13;
inline constexpr int kMotorola6Tone = 14;
inline constexpr int kNec5Tone = 15;
inline constexpr int kNec6Tone = 16;
inline constexpr int kReachTone = 17;
inline constexpr int kDtmfPage = 18;
inline constexpr int kPulsePage = 19;
inline constexpr int kCustomPage = 20;
inline constexpr int kPlectronTwoTone = 21;
} // namespace format

// Parameter fields per format family (record offsets; durations are 2-byte milliseconds).
inline constexpr int kShortCallAlert = 0x09;         // Call Alert
inline constexpr int kSilentMonitor = 0x09;          // Remote Monitor
inline constexpr int kTransmitTimeMultiplier = 0x0A; // Remote Monitor
namespace twotone {                                  // Motorola 1+1, Motorola 2+2, GE Type 99
inline constexpr int kCodePlan = 0x09;
inline constexpr int kTone1Duration = 0x0A;
inline constexpr int kTone2Duration = 0x0C;
inline constexpr int kIntertoneDelay = 0x0E;
inline constexpr int kInhibitDelay = 0x10;
inline constexpr int kGroupCallDelay = 0x12; // not GE Type 99
} // namespace twotone
namespace fivetone { // Motorola 5 Tone and 6 Tone: a preamble digit, then the durations
inline constexpr int kPreamble = 0x09;
inline constexpr int kPreambleDuration = 0x0A;
inline constexpr int kGapDuration = 0x0C;
inline constexpr int kToneDuration = 0x0E;
inline constexpr int kXToneDuration = 0x10; // 6 Tone only
} // namespace fivetone
namespace nec { // NEC 5 Tone and 6 Tone: no preamble digit
inline constexpr int kPreambleDuration = 0x09;
inline constexpr int kGapDuration = 0x0B;
inline constexpr int kToneDuration = 0x0D;
inline constexpr int kXToneDuration = 0x0F; // 6 Tone only
} // namespace nec
namespace reach {
inline constexpr int kTone1Duration = 0x09;
inline constexpr int kTone2Duration = 0x0B;
inline constexpr int kIntertoneDelay = 0x0D;
inline constexpr int kInhibitDelay = 0x0F;
} // namespace reach
namespace dtmf {
inline constexpr int kToneDuration = 0x09;
inline constexpr int kIntertoneDelay = 0x0B;
inline constexpr int kInhibitDelay = 0x0D;
} // namespace dtmf
namespace pulse {
inline constexpr int kStandardTone = 0x09; // 0.1 Hz
inline constexpr int kHeaderTiming = 0x0B;
inline constexpr int kPulseOnTiming = 0x0D;
inline constexpr int kPulseOffTiming = 0x0F;
inline constexpr int kIntertoneDelay = 0x11;
inline constexpr int kTrailer = 0x13;
} // namespace pulse
} // namespace paging

// Custom paging tone records: record n is tone number n; an empty number text marks a free record.
namespace customtone {
inline constexpr int kNumber = 0x00; // decimal text "0".."99"
inline constexpr int kNumberSize = 2;
inline constexpr int kFirstToneFrequency = 0x02; // 0.1 Hz
inline constexpr int kFirstToneDuration = 0x04;
inline constexpr int kIntertoneDelay = 0x06;
inline constexpr int kSecondToneFrequency = 0x08; // 0.1 Hz
inline constexpr int kSecondToneDuration = 0x0A;
inline constexpr int kInhibitDelay = 0x0C;
} // namespace customtone

// Speed page records: label, the paging format record index it uses, and its digits.
namespace speedpage {
inline constexpr int kLabel = 0x00;
inline constexpr int kLabelSize = 8;
inline constexpr int kFormatIndex = 0x08;
inline constexpr int kDigits = 0x09;
inline constexpr int kDigitsSize = 16;
} // namespace speedpage

// PTT ID alias records.
namespace alias {
inline constexpr int kLabel = 0;
inline constexpr int kLabelSize = 12;
inline constexpr int kPttId = 12;
inline constexpr int kPttIdSize = 8;
inline constexpr int kUnitType = 20;
inline constexpr std::uint8_t kMdc1200 = 0;
inline constexpr std::uint8_t kDtmf = 3; // any other non-zero value is read as DTMF
// The PTT IDs each unit type sends: characters and length.
inline constexpr std::string_view kMdc1200IdCharacters = "0123456789ABCDEF";
inline constexpr int kMdc1200IdLength = 4;
inline constexpr std::string_view kDtmfIdCharacters = "0123456789ABCD*#";
} // namespace alias

} // namespace trv::db
