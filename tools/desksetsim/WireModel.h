// The simulator's model of the serial wire: how long bytes take on an 8N1 line, how the
// frame stream splits into frames (for the log), and the faults injected into sent frames.
// Nothing here does I/O, so every rule can be tested on its own.
#pragma once

#include "comms/FrameSplitter.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace desksetsim {

using SteadyTime = std::chrono::steady_clock::time_point;
using Nanoseconds = std::chrono::nanoseconds;

// One direction of a serial line: a byte handed over at some time starts when the line is
// free and has arrived 10 bit times later (start bit, 8 data bits, stop bit). Schedule gives
// the arrival time of each byte in turn. A rate of 0 is an ideal line: bytes arrive at once.
class ByteTimeline {
public:
    static constexpr int kBitsPerByte = 10;

    explicit ByteTimeline(int baudRate = 0);

    SteadyTime Schedule(SteadyTime handedOver);
    Nanoseconds ByteTime() const { return byteTime_; }
    bool Paced() const { return byteTime_.count() > 0; }
    // Forgets the bytes on the line (a new session starts on an idle line).
    void Reset() { lineFreeAt_ = SteadyTime{}; }

private:
    Nanoseconds byteTime_{0};
    SteadyTime lineFreeAt_{};
};

// Frames as the log sees them (shared with the tool's communication trace).
using comms::FrameSplitter;
using comms::WireFrame;

// The type and number of a frame as written by the link (a whole frame per write).
bool IsDataFrame(const uint8_t* frame, int length);

// Faults injected into the frames the deskset sends: each byte, with one probability, gets one
// of its bits flipped (a noisy line); each frame, with others, gets one bit of one byte flipped
// or loses one byte. Seeded, so a run can be repeated.
class FrameFaults {
public:
    struct Settings {
        double byteFlipProbability = 0.0;
        double frameCorruptProbability = 0.0;
        double dropProbability = 0.0;
        uint32_t seed = 1;
    };
    struct Outcome {
        std::vector<uint8_t> bytes; // what goes on the wire
        std::string note;           // empty when the frame went out unchanged
    };

    explicit FrameFaults(const Settings& settings);
    Outcome Apply(const uint8_t* frame, int length);

private:
    void flipBit(Outcome& outcome, int index);

    Settings settings_;
    std::mt19937 random_;
};

using comms::HexBytes;

} // namespace desksetsim
