// Drives the frame link with arbitrary bytes and time steps over a manual clock, in both CRC
// modes. Input: an options byte (bit 0 CRC-8, bit 1 slow media, bit 2 a 4800-baud line, bit 3
// waits to be called), then records [op][...]:
//   op % 4 == 0: [n][n bytes]                 raw bytes for the link to read
//   op % 4 == 1: [type][number][n][n bytes]   one frame sealed here, with a valid check sum
//   op % 4 == 2: [lo][hi]                     the clock moves on lo + 256 * hi milliseconds
//   op % 4 == 3: [n][n bytes]                 a payload of kind op / 4 % 4 queued for sending
// After each record the link steps once and every received payload is taken. Checked: no crash
// or hang, the rings stay within their capacity, every frame written is a sealed frame of this
// protocol, and every payload delivered was read as a whole data frame of its kind with a valid
// check sum.
#include "comms/AckFrame.h"
#include "comms/AckFrameLayer2.h"
#include "comms/Clock.h"
#include "comms/FrameRing.h"
#include "comms/Layer1.h"
#include "comms/LinkStatus.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// Reads what the harness fed, checks every frame written as it is written.
class CheckedWire final : public comms::Layer1 {
public:
    CheckedWire(int baudRate, bool crc8) : baudRate_(baudRate), crc8_(crc8) {}

    int IsAttached() override { return 1; }
    int BaudRate() override { return baudRate_; }
    int FreeRoom() override { return 4096; }
    int BytesWaiting() override { return static_cast<int>(pending_.size()); }
    int Open() override { return 0; }
    void Close() override {}
    int Write(const uint8_t* data, int length) override
    {
        CheckSealed(data, length);
        return length;
    }
    int Read(uint8_t* buffer, int max) override
    {
        const int count = std::min<int>(max, static_cast<int>(pending_.size()));
        std::copy_n(pending_.begin(), count, buffer);
        pending_.erase(pending_.begin(), pending_.begin() + count);
        return count;
    }

    void Feed(const uint8_t* data, size_t size)
    {
        pending_.insert(pending_.end(), data, data + size);
        fed_.insert(fed_.end(), data, data + size);
    }
    // True when the payload was fed as a whole data frame of that kind with a valid check sum.
    bool WasFramed(const uint8_t* payload, int length, int kind) const
    {
        const size_t frameSize = comms::kFrameHeaderSize + length + comms::CrcSize(crc8_);
        std::array<uint8_t, comms::kMaxFrameSize> frame;
        for (size_t at = 0; at + frameSize <= fed_.size(); ++at) {
            const uint8_t* candidate = fed_.data() + at;
            if (candidate[0] != comms::kFrameDataWhole + kind || candidate[2] != length ||
                std::memcmp(candidate + comms::kFrameHeaderSize, payload, length) != 0)
                continue;
            comms::BuildFrame(frame.data(), candidate[0], candidate[1], payload, length, crc8_);
            if (std::memcmp(frame.data(), candidate, frameSize) == 0)
                return true;
        }
        return false;
    }

private:
    void CheckSealed(const uint8_t* data, int length) const
    {
        if (length < comms::kFrameHeaderSize + comms::CrcSize(crc8_) || length > comms::kMaxFrameSize)
            std::abort();
        const uint8_t type = data[0];
        const bool known = (type >= comms::kFrameConnectRequest && type <= comms::kFrameDataLast) ||
                           type == comms::kFrameConnectConfirm;
        // An acknowledgement repeats the peer's number, whatever it was; every other frame
        // carries one of ours, 0 to 254.
        const bool numberOk = type == comms::kFrameAck || data[1] < comms::kSequenceCount;
        if (!known || !numberOk || data[2] > comms::kMaxFramePayload ||
            length != comms::kFrameHeaderSize + data[2] + comms::CrcSize(crc8_))
            std::abort();
        std::array<uint8_t, comms::kMaxFrameSize> frame;
        comms::BuildFrame(frame.data(), type, data[1], data + comms::kFrameHeaderSize, data[2], crc8_);
        if (std::memcmp(frame.data(), data, length) != 0)
            std::abort();
    }

    const int baudRate_;
    const bool crc8_;
    Bytes pending_;
    Bytes fed_;
};

// Bytes of the input, read front to back; past the end every read gives zeros.
class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool More() const { return at_ < size_; }
    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    // Up to n bytes (fewer at the end of the input).
    const uint8_t* Take(size_t n, size_t* got)
    {
        *got = std::min(n, size_ - at_);
        const uint8_t* start = data_ + at_;
        at_ += *got;
        return start;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in(data, size);
    const uint8_t options = in.Byte();
    const bool crc8 = (options & 1) != 0;
    std::string params;
    if (crc8)
        params += comms::kOptionUseCrc8;
    if ((options & 2) != 0)
        params += std::string(" ") + comms::kOptionSlowMedia;
    if ((options & 8) != 0)
        params += std::string(" ") + comms::kOptionAwaitCall;
    comms::ManualClock clock(0xFFFF0000u); // the tick counter wraps during a long input
    CheckedWire wire((options & 4) != 0 ? 4800 : 19200, crc8);
    comms::AckFrameLayer2 link(wire, params.c_str(), clock);
    comms::LinkStatusBlock status;
    link.AttachLinkStatus(&status);

    std::array<uint8_t, comms::kMaxFrameSize> frame;
    std::array<uint8_t, comms::kMaxFramePayload> payload;
    while (in.More()) {
        const uint8_t op = in.Byte();
        size_t n = 0;
        switch (op % 4) {
        case 0: {
            const uint8_t* bytes = in.Take(in.Byte(), &n);
            wire.Feed(bytes, n);
            break;
        }
        case 1: {
            const uint8_t type = in.Byte();
            const uint8_t number = in.Byte();
            const uint8_t* bytes = in.Take(std::min<size_t>(in.Byte(), comms::kMaxFramePayload), &n);
            const int length =
                comms::BuildFrame(frame.data(), type, number, bytes, static_cast<int>(n), crc8);
            wire.Feed(frame.data(), static_cast<size_t>(length));
            break;
        }
        case 2: {
            const uint32_t lo = in.Byte();
            clock.Advance(lo + 256u * in.Byte());
            break;
        }
        case 3: {
            const uint8_t* bytes = in.Take(in.Byte(), &n);
            link.QueuePayload(bytes, static_cast<int>(n), op / 4 % 4);
            break;
        }
        }
        bool receivedWaiting = false;
        bool sendingPending = false;
        link.Step(&receivedWaiting, &sendingPending);
        const comms::LinkStatus seen = status.Snapshot();
        if (seen[comms::kStatusSendRing] > comms::FrameRing::kCapacity ||
            seen[comms::kStatusReceiveRing] > comms::FrameRing::kCapacity)
            std::abort();
        int length = 0;
        int kind = 0;
        while (link.TakeReceived(payload.data(), &length, &kind) != 0) {
            if (kind < comms::kWhole || kind > comms::kLast || length < 0 ||
                length > comms::kMaxFramePayload || !wire.WasFramed(payload.data(), length, kind))
                std::abort();
        }
        if (link.BytesStillToCome() < 0)
            std::abort();
    }
    return 0;
}
