#include "database/NewDatabase.h"

#include <algorithm>
#include <cstdint>

namespace trv::db {
namespace {

// One default value: a byte or a little-endian 16-bit number at an offset.
struct Default {
    int offset;
    int width;
    int value;
};

constexpr Default kDesksetDefaults[] = {
    {deskset::kClockMode, 1, 1},          {deskset::kPrinterBaudRate, 1, 3},
    {deskset::kUseUnselectSpeaker, 1, 0}, {deskset::kMuteLevel, 1, 1},
    {deskset::kMuteTimer, 1, 30},         {deskset::kVoiceAnnotation, 1, 2},
    {deskset::kTransmitDelay, 2, 0},      {deskset::kDesksetType, 1, deskset::kSingleChannel},
    {deskset::kHandsetPresent, 1, 1},     {deskset::kExternalMicPresent, 1, 0},
    {deskset::kMicAgc, 1, 1},             {deskset::kPagingFeedback, 1, 0},
};

// Channel record defaults, offsets relative to the record.
constexpr Default kChannelDefaults[] = {
    {channel::kInterfaceType, 1, 1},
    {channel::kTermination, 1, 0},
    {channel::kRxAgcLevel, 1, -24},
    {channel::kTxLevel, 1, 0},
    {channel::kHangoverDelay, 2, 2000},
    {channel::kParallelStatus, 1, 2},
    {channel::kCrossMute, 1, 1},
    {channel::kGuardToneFrequency, 2, 21750},
    {channel::kHlgtDuration, 2, 125},
    {channel::kFunctionToneDuration, 2, 40},
    {channel::kHlgtLevel, 1, 10},
    {channel::kFunctionToneLevel, 1, 0},
    {channel::kLlgtLevel, 1, -20},
    {channel::kMonitorToneFrequency, 2, 20500},
    {channel::kDcCurrent + 0, 1, 11},
    {channel::kDcCurrent + 1, 1, 25},
    {channel::kDcCurrent + 2, 1, -11},
    {channel::kDcCurrent + 3, 1, -25},
    {channel::kDcMonitorCurrent, 1, -5},
    {channel::kSignalingType, 1, channel::kSignalingNone},
    {channel::kDesksetId, 1, 0},
    {channel::kTptTimeout, 2, 3500},
    {channel::kTptFrequency, 2, 9000},
    {channel::kTptBeepDuration, 2, 20},
    {channel::kTptPauseDuration, 2, 20},
    {channel::kTptBeepCount, 1, 3},
    {channel::kTptPostTime, 2, 20},
    {channel::kEchoCancellationDelay, 2, 0},
    {channel::kMdcRxPreEmphasis, 1, 1},
};

constexpr int kLabelledFrequencies = 4;
constexpr int kFirstFunctionTone = 19500; // 0.1 Hz; each following label 100 Hz lower
constexpr int kFunctionToneStep = 1000;

void apply(Image& image, int base, const Default& d)
{
    if (d.width == 2)
        writeU16(image, base + d.offset, static_cast<std::uint16_t>(d.value));
    else
        image[base + d.offset] = static_cast<std::uint8_t>(d.value);
}

// Marks every record of a label-keyed table free by zeroing its first byte only.
void freeRecords(Image& image, const Region& table)
{
    for (int k = 0; k < table.count; ++k)
        image[table.record(k)] = 0;
}

} // namespace

void resetChannelRecord(int channelIndex, Image& image)
{
    const int base = kChannels.record(channelIndex);
    for (int i = 0; i < channel::kFrequencyCount; ++i) {
        const bool labelled = i < kLabelledFrequencies;
        const int labelOffset = base + channel::kFrequencyLabel + i * channel::kFrequencyLabelSize;
        writeText(image, labelOffset, channel::kFrequencyLabelSize,
                  labelled ? "Freq " + std::to_string(i + 1) : std::string());
        writeU16(image, base + channel::kFunctionToneFrequency + 2 * i,
                 static_cast<std::uint16_t>(labelled ? kFirstFunctionTone - kFunctionToneStep * i : 0));
    }
    std::fill_n(image.begin() + base + channel::kKeying, channel::kKeyingAndIoEnd - channel::kKeying, 0);
    for (int i = 0; i < channel::kToneFrequencyPairCount; ++i)
        writeU16(image, base + channel::kRepeaterEnableFrequency + 2 * i, 0);
    for (const Default& d : kChannelDefaults)
        apply(image, base, d);
}

void newDatabase(Image& image)
{
    std::copy(kMagic.begin(), kMagic.end(), image.begin() + kHeader.base);
    for (const Default& d : kDesksetDefaults)
        apply(image, 0, d);
    for (int c = 0; c < kChannels.count; ++c)
        resetChannelRecord(c, image);
    for (int b = 0; b < kButtonTable.count; ++b) {
        image[kButtonTable.record(b) + button::kKind] = 0;
        image[kButtonTable.record(b) + button::kParameter] = button::kNoParameter;
    }
    for (const Region* table : {&kSpeedPages, &kPttAliases, &kCustomTones, &kPagingFormats})
        freeRecords(image, *table);
}

void closeDatabase(Image& image)
{
    image.fill(0);
}

} // namespace trv::db
