// MessageStore: an unbounded first-in first-out list of whole messages, each a heap copy
// with its length and an announced flag. One lock, held only while a message is copied.
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace comms {

class MessageStore {
public:
    enum class TakeResult { kTaken, kEmpty, kBufferTooSmall };

    // Copies the message in; false only when memory runs out.
    bool Store(const uint8_t* data, int length);
    // Moves the oldest message into buffer, discarding empty entries on the way. A message
    // longer than size stays where it is.
    TakeResult Take(uint8_t* buffer, int size, int* length);
    // Marks the oldest message not yet announced as announced and gives its length.
    bool AnnounceNext(int* length);

    int Count() const;
    int Unannounced() const;
    void Clear();

private:
    struct Entry {
        std::vector<uint8_t> bytes;
        bool announced = false;
    };

    mutable std::mutex mutex_;
    std::deque<Entry> entries_;
    int unannounced_ = 0; // the unannounced entries are always the newest ones
};

} // namespace comms
