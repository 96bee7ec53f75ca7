// A ring of whole frames for the acknowledged frame link: 129 slots of 255 bytes, counted as
// full at 128 frames, allocated once. Each slot keeps type, length and payload of one frame
// (number and CRC are filled in when it is sent). One lock, held only while a frame is copied.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>

#include "comms/AckFrame.h"

namespace comms {

class FrameRing {
public:
    static constexpr int kSlots = 129;
    static constexpr int kCapacity = kSlots - 1;

    // Adds a frame; false when the ring is full.
    bool Push(uint8_t type, const uint8_t* payload, int length);
    // Adds a frame; a full ring loses its oldest frame.
    void PushOverwriting(uint8_t type, const uint8_t* payload, int length);
    // Copies the oldest frame (header and payload) into out and removes it; false when empty.
    bool Pop(uint8_t* out);
    int Count() const;
    void Clear();

private:
    void Store(uint8_t type, const uint8_t* payload, int length);

    mutable std::mutex mutex_;
    std::array<std::array<uint8_t, kMaxFrameSize>, kSlots> slots_{};
    int head_ = 0;
    int tail_ = 0;
};

} // namespace comms
