#include "comms/MessageStore.h"

#include <cstring>
#include <new>

namespace comms {

bool MessageStore::Store(const uint8_t* data, int length)
{
    try {
        Entry entry;
        entry.bytes.assign(data, data + length);
        std::lock_guard lock(mutex_);
        entries_.push_back(std::move(entry));
        ++unannounced_;
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

MessageStore::TakeResult MessageStore::Take(uint8_t* buffer, int size, int* length)
{
    std::lock_guard lock(mutex_);
    while (!entries_.empty() && entries_.front().bytes.empty()) {
        if (!entries_.front().announced)
            --unannounced_;
        entries_.pop_front();
    }
    if (entries_.empty())
        return TakeResult::kEmpty;
    Entry& oldest = entries_.front();
    const int messageLength = static_cast<int>(oldest.bytes.size());
    if (size < messageLength)
        return TakeResult::kBufferTooSmall;
    std::memcpy(buffer, oldest.bytes.data(), oldest.bytes.size());
    *length = messageLength;
    if (!oldest.announced)
        --unannounced_;
    entries_.pop_front();
    return TakeResult::kTaken;
}

bool MessageStore::AnnounceNext(int* length)
{
    std::lock_guard lock(mutex_);
    if (unannounced_ == 0)
        return false;
    Entry& next = entries_[entries_.size() - static_cast<size_t>(unannounced_)];
    next.announced = true;
    --unannounced_;
    *length = static_cast<int>(next.bytes.size());
    return true;
}

int MessageStore::Count() const
{
    std::lock_guard lock(mutex_);
    return static_cast<int>(entries_.size());
}

int MessageStore::Unannounced() const
{
    std::lock_guard lock(mutex_);
    return unannounced_;
}

void MessageStore::Clear()
{
    std::lock_guard lock(mutex_);
    entries_.clear();
    unannounced_ = 0;
}

} // namespace comms
