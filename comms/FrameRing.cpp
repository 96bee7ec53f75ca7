#include "comms/FrameRing.h"

#include <cstring>

namespace comms {

void FrameRing::Store(uint8_t type, const uint8_t* payload, int length)
{
    auto& slot = slots_[head_];
    slot[0] = type;
    slot[1] = 0;
    slot[2] = static_cast<uint8_t>(length);
    if (length > 0)
        std::memcpy(slot.data() + kFrameHeaderSize, payload, static_cast<size_t>(length));
    head_ = (head_ + 1) % kSlots;
}

bool FrameRing::Push(uint8_t type, const uint8_t* payload, int length)
{
    std::lock_guard lock(mutex_);
    if ((head_ - tail_ + kSlots) % kSlots >= kCapacity)
        return false;
    Store(type, payload, length);
    return true;
}

void FrameRing::PushOverwriting(uint8_t type, const uint8_t* payload, int length)
{
    std::lock_guard lock(mutex_);
    if ((head_ - tail_ + kSlots) % kSlots >= kCapacity)
        tail_ = (tail_ + 1) % kSlots;
    Store(type, payload, length);
}

bool FrameRing::Pop(uint8_t* out)
{
    std::lock_guard lock(mutex_);
    if (head_ == tail_)
        return false;
    const auto& slot = slots_[tail_];
    std::memcpy(out, slot.data(), static_cast<size_t>(kFrameHeaderSize + slot[2]));
    tail_ = (tail_ + 1) % kSlots;
    return true;
}

int FrameRing::Count() const
{
    std::lock_guard lock(mutex_);
    return (head_ - tail_ + kSlots) % kSlots;
}

void FrameRing::Clear()
{
    std::lock_guard lock(mutex_);
    head_ = tail_ = 0;
}

} // namespace comms
