#include "comms/FrameSplitter.h"

#include "comms/AckFrame.h"
#include "comms/Crc.h"

namespace comms {

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
        if (frame_.size() < kFrameHeaderSize)
            continue;
        const int payload = frame_[2];
        if (payload > kMaxFramePayload) {
            Emit(WireFrame::Kind::kBadLength);
            continue;
        }
        if (frame_.size() == kFrameHeaderSize + payload + kCrcBytes) {
            const size_t covered = frame_.size() - kCrcBytes;
            const uint16_t sent = static_cast<uint16_t>(frame_[covered] << 8 | frame_[covered + 1]);
            Emit(sent == Crc16(frame_.data(), covered) ? WireFrame::Kind::kValid
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

} // namespace comms
