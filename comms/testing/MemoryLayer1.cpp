#include "comms/testing/MemoryLayer1.h"

namespace comms::testing {

int MemoryLayer1::BytesWaiting()
{
    std::lock_guard lock(mutex_);
    return static_cast<int>(input_.size());
}

int MemoryLayer1::Write(const uint8_t* data, int length)
{
    std::lock_guard lock(mutex_);
    written_.insert(written_.end(), data, data + length);
    return length;
}

int MemoryLayer1::Read(uint8_t* buffer, int max)
{
    std::lock_guard lock(mutex_);
    if (broken_) {
        broken = true;
        return -1;
    }
    int count = 0;
    while (count < max && !input_.empty()) {
        buffer[count++] = input_.front();
        input_.pop_front();
    }
    return count;
}

void MemoryLayer1::Feed(const std::vector<uint8_t>& bytes)
{
    std::lock_guard lock(mutex_);
    input_.insert(input_.end(), bytes.begin(), bytes.end());
}

std::vector<uint8_t> MemoryLayer1::TakeWritten()
{
    std::lock_guard lock(mutex_);
    std::vector<uint8_t> out;
    out.swap(written_);
    return out;
}

void MemoryLayer1::Break()
{
    std::lock_guard lock(mutex_);
    broken_ = true;
}

} // namespace comms::testing
