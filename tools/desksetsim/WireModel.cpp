#include "tools/desksetsim/WireModel.h"

#include "comms/AckFrame.h"
#include "comms/Crc.h"

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

FrameSplitter::FrameSplitter(uint32_t completionTimeoutMs, Sink sink)
    : completionTimeoutMs_(completionTimeoutMs), sink_(std::move(sink))
{
}

void FrameSplitter::Expire(uint32_t nowMs)
{
    if (!frame_.empty() && nowMs - startedMs_ > completionTimeoutMs_)
        Emit(WireFrame::Kind::kIncomplete);
}

void FrameSplitter::Feed(const uint8_t* data, int length, uint32_t nowMs)
{
    constexpr size_t kCrcBytes = 2;
    for (int i = 0; i < length; ++i) {
        Expire(nowMs);
        if (frame_.empty())
            startedMs_ = nowMs;
        frame_.push_back(data[i]);
        if (frame_.size() < comms::kFrameHeaderSize)
            continue;
        const int payload = frame_[2];
        if (payload > comms::kMaxFramePayload) {
            Emit(WireFrame::Kind::kBadLength);
            continue;
        }
        if (frame_.size() == comms::kFrameHeaderSize + payload + kCrcBytes) {
            const size_t covered = frame_.size() - kCrcBytes;
            const uint16_t sent = static_cast<uint16_t>(frame_[covered] << 8 | frame_[covered + 1]);
            Emit(sent == comms::Crc16(frame_.data(), covered) ? WireFrame::Kind::kValid
                                                              : WireFrame::Kind::kCrcError);
        }
    }
}

void FrameSplitter::Emit(WireFrame::Kind kind)
{
    WireFrame frame{std::move(frame_), kind};
    frame_.clear();
    sink_(frame);
}

bool IsDataFrame(const uint8_t* frame, int length)
{
    return length >= comms::kFrameHeaderSize && frame[0] >= comms::kFrameDataWhole &&
           frame[0] <= comms::kFrameDataLast;
}

FrameFaults::FrameFaults(const Settings& settings) : settings_(settings), random_(settings.seed)
{
}

FrameFaults::Outcome FrameFaults::Apply(const uint8_t* frame, int length)
{
    Outcome outcome{std::vector<uint8_t>(frame, frame + length), {}};
    if (length <= 0)
        return outcome;
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    std::uniform_int_distribution<int> position(0, length - 1);
    if (settings_.corruptProbability > 0 && chance(random_) < settings_.corruptProbability) {
        const int index = position(random_);
        const int bit = std::uniform_int_distribution<int>(0, 7)(random_);
        outcome.bytes[index] ^= static_cast<uint8_t>(1u << bit);
        outcome.note = "bit " + std::to_string(bit) + " of byte " + std::to_string(index) + " flipped";
    }
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

std::string HexBytes(const uint8_t* data, size_t length)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(length * 3);
    for (size_t i = 0; i < length; ++i) {
        if (i != 0)
            text += ' ';
        text += kDigits[data[i] >> 4];
        text += kDigits[data[i] & 0x0F];
    }
    return text;
}

} // namespace desksetsim
