#include "tools/desksetsim/WireModel.h"

#include "comms/AckFrame.h"

#include <algorithm>

namespace desksetsim {

ByteTimeline::ByteTimeline(int baudRate)
{
    if (baudRate > 0) {
        // Rounded up, so that the modelled line is never faster than the real one.
        constexpr int64_t kNanosPerSecond = 1'000'000'000;
        byteTime_ = Nanoseconds((kBitsPerByte * kNanosPerSecond + baudRate - 1) / baudRate);
    }
}

SteadyTime ByteTimeline::Schedule(SteadyTime handedOver)
{
    const SteadyTime start = std::max(handedOver, lineFreeAt_);
    lineFreeAt_ = start + byteTime_;
    return lineFreeAt_;
}

bool IsDataFrame(const uint8_t* frame, int length)
{
    return length >= comms::kFrameHeaderSize && frame[0] >= comms::kFrameDataWhole &&
           frame[0] <= comms::kFrameDataLast;
}

FrameFaults::FrameFaults(const Settings& settings) : settings_(settings), random_(settings.seed)
{
}

void FrameFaults::flipBit(Outcome& outcome, int index)
{
    const int bit = std::uniform_int_distribution<int>(0, 7)(random_);
    outcome.bytes[static_cast<size_t>(index)] ^= static_cast<uint8_t>(1u << bit);
    if (!outcome.note.empty())
        outcome.note += ", ";
    outcome.note += "bit " + std::to_string(bit) + " of byte " + std::to_string(index) + " flipped";
}

FrameFaults::Outcome FrameFaults::Apply(const uint8_t* frame, int length)
{
    Outcome outcome{std::vector<uint8_t>(frame, frame + length), {}};
    if (length <= 0)
        return outcome;
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    if (settings_.byteFlipProbability > 0)
        for (int index = 0; index < length; ++index)
            if (chance(random_) < settings_.byteFlipProbability)
                flipBit(outcome, index);
    if (settings_.frameCorruptProbability > 0 && chance(random_) < settings_.frameCorruptProbability)
        flipBit(outcome, std::uniform_int_distribution<int>(0, length - 1)(random_));
    if (settings_.dropProbability > 0 && chance(random_) < settings_.dropProbability) {
        const int index =
            std::uniform_int_distribution<int>(0, static_cast<int>(outcome.bytes.size()) - 1)(random_);
        outcome.bytes.erase(outcome.bytes.begin() + index);
        if (!outcome.note.empty())
            outcome.note += ", ";
        outcome.note += "byte " + std::to_string(index) + " dropped";
    }
    return outcome;
}

} // namespace desksetsim
