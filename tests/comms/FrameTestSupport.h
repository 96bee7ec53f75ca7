// Helpers for driving AckFrameLayer2 by hand: a link end over an in-memory transport with a
// manual clock, and a splitter that cuts written bytes into frames.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "comms/AckFrame.h"
#include "comms/AckFrameLayer2.h"
#include "comms/Clock.h"
#include "comms/EventQueue.h"
#include "comms/LinkStatus.h"
#include "comms/testing/MemoryLayer1.h"

namespace comms::test {

using Bytes = std::vector<uint8_t>;

inline Bytes Frame(uint8_t type, uint8_t number, const Bytes& payload = {}, bool crc8 = false)
{
    uint8_t buffer[kMaxFrameSize];
    const int length =
        BuildFrame(buffer, type, number, payload.data(), static_cast<int>(payload.size()), crc8);
    return Bytes(buffer, buffer + length);
}

// Cuts a byte stream of whole, valid-length frames into frames.
inline std::vector<Bytes> SplitFrames(const Bytes& stream, bool crc8 = false)
{
    std::vector<Bytes> frames;
    size_t at = 0;
    while (at + kFrameHeaderSize <= stream.size()) {
        const size_t length = kFrameHeaderSize + stream[at + 2] + CrcSize(crc8);
        if (at + length > stream.size())
            break;
        frames.emplace_back(stream.begin() + at, stream.begin() + at + length);
        at += length;
    }
    return frames;
}

inline Bytes Concat(const std::vector<Bytes>& parts)
{
    Bytes out;
    for (const auto& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

inline std::string Hex(const Bytes& bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (uint8_t b : bytes) {
        if (!text.empty())
            text += ' ';
        text += kHex[b >> 4];
        text += kHex[b & 15];
    }
    return text;
}

// One AckFrameLayer2 with everything it talks to.
struct LinkEnd {
    explicit LinkEnd(const char* params = nullptr, int baudRate = 19200, uint32_t startMs = 0)
        : clock(startMs), wire(baudRate), link(wire, params, clock)
    {
        link.AttachQueues(&events, &notifications);
        link.AttachLinkStatus(&status);
    }

    // One step; returns the frames written during it.
    std::vector<Bytes> Step()
    {
        bool received = false;
        bool pending = false;
        link.Step(&received, &pending);
        return SplitFrames(wire.TakeWritten(), link.UsesCrc8());
    }
    std::vector<Bytes> Feed(const Bytes& bytes)
    {
        wire.Feed(bytes);
        return Step();
    }
    std::vector<int> TakeNotifications()
    {
        std::vector<int> codes;
        int code = 0;
        while (notifications.Take(&code))
            codes.push_back(code);
        return codes;
    }
    std::vector<Bytes> TakeDelivered()
    {
        std::vector<Bytes> payloads;
        uint8_t buffer[kMaxFramePayload];
        int length = 0;
        int kind = 0;
        while (link.TakeReceived(buffer, &length, &kind) != 0)
            payloads.emplace_back(buffer, buffer + length);
        return payloads;
    }
    // Brings the link up as if the peer had sent a connect confirm with this number; returns
    // the frames the link answered with.
    std::vector<Bytes> ConnectWithPeerNumber(uint8_t number)
    {
        return Feed(Frame(kFrameConnectConfirm, number, {}, link.UsesCrc8()));
    }

    ManualClock clock;
    testing::MemoryLayer1 wire;
    EventQueue events;
    NotifyQueue notifications;
    LinkStatusBlock status;
    AckFrameLayer2 link;
};

} // namespace comms::test
