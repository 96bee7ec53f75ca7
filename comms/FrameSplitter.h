// Splits a byte stream of the acknowledged frame link into frames, the way the receiving link
// does (type, number, length, payload, CRC-16; no resynchronisation), for logs and traces of
// what went over a line. No I/O: bytes in, frames out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace comms {

// One frame as seen on the wire, or the bytes of a broken one.
struct WireFrame {
    enum class Kind { kValid, kCrcError, kBadLength, kIncomplete };
    std::vector<uint8_t> bytes;
    Kind kind = Kind::kValid;
};

// A frame whose bytes stop arriving for longer than the completion time-out is given up, as the
// link gives it up.
class FrameSplitter {
public:
    using Sink = std::function<void(const WireFrame&)>;

    FrameSplitter(uint32_t completionTimeoutMs, Sink sink);

    void Feed(const uint8_t* data, int length, uint32_t nowMs);
    // Hands over a partly received frame whose time-out has passed.
    void Expire(uint32_t nowMs);

private:
    void Emit(WireFrame::Kind kind);

    uint32_t completionTimeoutMs_;
    Sink sink_;
    std::vector<uint8_t> frame_;
    uint32_t startedMs_ = 0;
};

// Hexadecimal bytes separated by blanks: "04 00 02 01 01 A0 71".
std::string HexBytes(const uint8_t* data, size_t length);

} // namespace comms
