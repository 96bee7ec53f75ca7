// The two notification rings of a Nimb: EventQueue holds (code, value) pairs from every
// layer, NotifyQueue holds single link codes. Each is a ring of 101 slots that holds at most
// 100 entries; a new entry in a full ring overwrites the oldest one. Every entry wakes the
// session thread through the callback given at construction.
#pragma once

#include <array>
#include <functional>
#include <mutex>

namespace comms {

// Fixed ring of Slots entries holding at most Slots - 1; Put overwrites the oldest when full.
template <typename T, int Slots> class OverwritingRing {
public:
    static constexpr int kSlots = Slots;
    static constexpr int kCapacity = Slots - 1;

    void Put(const T& value)
    {
        slots_[head_] = value;
        head_ = (head_ + 1) % Slots;
        if (head_ == tail_)
            tail_ = (tail_ + 1) % Slots; // full: the oldest entry is lost
    }
    bool Take(T* value)
    {
        if (head_ == tail_)
            return false;
        *value = slots_[tail_];
        tail_ = (tail_ + 1) % Slots;
        return true;
    }
    int Count() const { return (head_ - tail_ + Slots) % Slots; }
    void Clear() { head_ = tail_ = 0; }

private:
    std::array<T, Slots> slots_{};
    int head_ = 0;
    int tail_ = 0;
};

inline constexpr int kQueueSlots = 101;

class EventQueue {
public:
    struct Entry {
        int code = 0;
        int value = 0;
    };

    explicit EventQueue(std::function<void()> onPut = {}) : onPut_(std::move(onPut)) {}

    void Put(int code, int value = 0);
    bool Take(int* code, int* value);
    int Count() const;

private:
    mutable std::mutex mutex_;
    OverwritingRing<Entry, kQueueSlots> ring_;
    std::function<void()> onPut_;
};

class NotifyQueue {
public:
    explicit NotifyQueue(std::function<void()> onPut = {}) : onPut_(std::move(onPut)) {}

    void Put(int code);
    bool Take(int* code);
    int Count() const;

private:
    mutable std::mutex mutex_;
    OverwritingRing<int, kQueueSlots> ring_;
    std::function<void()> onPut_;
};

} // namespace comms
