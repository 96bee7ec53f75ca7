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
    kHeader,      kDesksetSettings, kReservedAfterSettings, kButtonTable,
    kReservedAfterButtons, kChannels, kPagingFormats,        kCustomTones,
    kSpeedPages,  kPttAliases,      kReservedTail,
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
inline constexpr int kDesksetType = 0x001E;        // 1 single channel, 4 multi-channel
inline constexpr int kHandsetPresent = 0x001F;
inline constexpr int kExternalMicPresent = 0x0020;
inline constexpr int kMicAgc = 0x0021;
inline constexpr int kPagingFeedback = 0x0022;     // 0 loud, 1 soft, 2 none

inline constexpr std::uint8_t kSingleChannel = 1;
inline constexpr std::uint8_t kMultiChannel = 4;
} // namespace deskset

// Button table entries: one byte function kind, one byte parameter.
namespace button {
inline constexpr int kKind = 0;
inline constexpr int kParameter = 1;
inline constexpr std::uint8_t kNoParameter = 0xFF;
} // namespace button

// Channel record fields (offsets inside one 448-byte record).
namespace channel {
inline constexpr int kFrequencyLabel = 0x000; // 16 text slots of 12 bytes
inline constexpr int kFrequencyLabelSize = 12;
inline constexpr int kFrequencyCount = 16;
inline constexpr int kInterfaceType = 0x0C0;
inline constexpr int kTermination = 0x0C1;
inline constexpr int kRxAgcLevel = 0x0C2; // signed
inline constexpr int kTxLevel = 0x0C3;    // signed
inline constexpr int kHangoverDelay = 0x0C4;
inline constexpr int kParallelStatus = 0x0C6;
inline constexpr int kCrossMute = 0x0C7;
inline constexpr int kKeying = 0x0C8; // keying and the I/O bytes pttRelay..encryptSense: 0x0C8-0x0CF
inline constexpr int kKeyingAndIoEnd = 0x0D0;
inline constexpr int kGuardToneFrequency = 0x0D0;
inline constexpr int kHlgtDuration = 0x0D2;
inline constexpr int kFunctionToneDuration = 0x0D4;
inline constexpr int kHlgtLevel = 0x0D6;         // signed
inline constexpr int kFunctionToneLevel = 0x0D7; // signed
inline constexpr int kLlgtLevel = 0x0D8;         // signed
inline constexpr int kFunctionToneFrequency = 0x0D9; // 16 two-byte values, 0.1 Hz
inline constexpr int kMonitorToneFrequency = 0x0F9;
inline constexpr int kRepeaterEnableFrequency = 0x0FB; // eight two-byte frequencies up to wildcard2Off
inline constexpr int kToneFrequencyPairCount = 8;
inline constexpr int kDcCurrent = 0x10B; // four signed bytes, F1..F4
inline constexpr int kDcMonitorCurrent = 0x10F; // signed
inline constexpr int kSignalingType = 0x110;
inline constexpr int kDesksetId = 0x111;
inline constexpr int kTptTimeout = 0x12B;
inline constexpr int kTptFrequency = 0x12D;
inline constexpr int kTptBeepDuration = 0x12F;
inline constexpr int kTptPauseDuration = 0x131;
inline constexpr int kTptBeepCount = 0x133;
inline constexpr int kTptPostTime = 0x134;
inline constexpr int kEchoCancellationDelay = 0x146;
inline constexpr int kMdcRxPreEmphasis = 0x148;

// signalingType values
inline constexpr std::uint8_t kSignalingNone = 0;
inline constexpr std::uint8_t kSignalingStatAlert = 1;
inline constexpr std::uint8_t kSignalingDtmfDecode = 2;
inline constexpr std::uint8_t kSignalingDtmfSelectiveCall = 3;
} // namespace channel

// Paging format records: the first 8 bytes hold the label; an empty label means unconfigured.
namespace paging {
inline constexpr int kLabel = 0;
inline constexpr int kLabelSize = 8;
} // namespace paging

} // namespace trv::db
