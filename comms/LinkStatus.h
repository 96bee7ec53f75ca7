// LinkStatus: eight 32-bit link counters and states, written by the Layer2 link and copied
// out whole by Nimb::GetLinkStatus.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

namespace comms {

enum LinkStatusEntry : int {
    kStatusLinkState = 0,       // 0 down, 1 up, 2 connecting
    kStatusFramesWritten = 1,   // frames written to the transport
    kStatusFramesReceived = 2,  // valid frames accepted
    kStatusRetransmissions = 3, // frames retransmitted
    kStatusSendRing = 4,        // frames waiting in the send ring
    kStatusReceiveRing = 5,     // frames waiting in the receive ring
    kStatusUnused = 6,          // not written by the acknowledged frame link
    kStatusLinkLosses = 7,      // times entry 0 went from non-zero to 0
};

inline constexpr int kLinkDown = 0;
inline constexpr int kLinkUp = 1;
inline constexpr int kLinkConnecting = 2;

// The copy handed to callers.
struct LinkStatus {
    std::array<int32_t, 8> entries{};
    int32_t operator[](int i) const { return entries[i]; }
};

// The live block, written by the comm-link thread and read by any thread.
class LinkStatusBlock {
public:
    void Set(int entry, int32_t value) { entries_[entry].store(value); }
    void Increment(int entry) { entries_[entry].fetch_add(1); }
    int32_t Get(int entry) const { return entries_[entry].load(); }

    // Sets entry 0; a change from non-zero to 0 counts one loss in entry 7.
    void SetLinkState(int32_t state)
    {
        if (entries_[kStatusLinkState].exchange(state) != 0 && state == 0)
            Increment(kStatusLinkLosses);
    }

    LinkStatus Snapshot() const
    {
        LinkStatus copy;
        for (int i = 0; i < 8; ++i)
            copy.entries[i] = entries_[i].load();
        return copy;
    }

private:
    std::array<std::atomic<int32_t>, 8> entries_{};
};

} // namespace comms
