// SharedMemoryLayer1 (Layer1 type 3): a pair of byte rings in POSIX shared memory named
// "/NIMB_MMF_" + parameter text, shared by two processes (or two ends in one process).
//
// Layout of the mapping (4144 bytes, all numbers 32-bit in host byte order):
//   offset 0     mapping header: magic "NMF2" at 0 (written last by the creator; the layout's
//                version: a side of another layout finds no mapping it knows and fails to
//                open), number of users at 4, doorbell of half A at 8, doorbell of half B at 12;
//   offset 16    half A: the creator reads it, the second side writes it;
//   offset 2080  half B: the creator writes it, the second side reads it.
// Each half (2064 bytes): busy flag at 0 (byte 0; the whole 32-bit word is the futex the
// sides wait on while the other one copies), count of bytes stored at 4, read position at 8,
// write position at 12, ring of 2048 bytes at 16.
//
// A doorbell is a counter the writer of a half increments after each write and wakes with a
// futex: the reader of the half sleeps on it (WaitForInput) instead of polling the ring. The
// reader's own thread rings it too to interrupt that sleep.
//
// The first side creates the mapping and clears it; a side that finds it existing becomes the
// second side (a mapping left by a process that died counts as existing: remove
// /dev/shm/NIMB_MMF_<text> to start afresh). A full ring keeps its newest 2048 bytes (the oldest are
// overwritten). The last side to close removes the name.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "comms/Layer1.h"

namespace comms {

class SharedMemoryLayer1 final : public Layer1 {
public:
    static constexpr int kRingSize = 2048;
    static constexpr size_t kHeaderSize = 16;
    static constexpr size_t kHalfHeaderSize = 16;
    static constexpr size_t kHalfSize = kHalfHeaderSize + kRingSize;
    static constexpr size_t kHalfAOffset = kHeaderSize;
    static constexpr size_t kHalfBOffset = kHeaderSize + kHalfSize;
    static constexpr size_t kMappingSize = kHeaderSize + 2 * kHalfSize;
    static constexpr const char* kNamePrefix = "/NIMB_MMF_";

    explicit SharedMemoryLayer1(const char* params);
    ~SharedMemoryLayer1() override;

    int IsAttached() override { return 1; }
    int BaudRate() override { return 19200; }
    int FreeRoom() override { return kRingSize; }
    int BytesWaiting() override;
    int Open() override;
    void Close() override;
    int Write(const uint8_t* data, int length) override;
    int Read(uint8_t* buffer, int max) override;
    bool HasOwnWait() const override { return true; }
    void WaitForInput(int timeoutMs) override;
    void InterruptWait() override;

    bool IsCreator() const { return creator_; }
    const std::string& Name() const { return name_; }

private:
    class HalfLock;
    struct RingState {
        uint32_t count, readPos, writePos;
    };

    bool MapExisting(int fd);
    uint8_t* Half(size_t offset) const { return base_ + offset; }
    // Reads and checks the half's numbers; false (and broken) when the other side wrote nonsense.
    bool LoadState(const uint8_t* half, RingState* state);
    static void StoreState(uint8_t* half, const RingState& state);
    static void Ring(uint8_t* doorbell);

    std::string name_;
    uint8_t* base_ = nullptr;
    uint8_t* readHalf_ = nullptr;
    uint8_t* writeHalf_ = nullptr;
    uint8_t* readDoorbell_ = nullptr;  // rung by the peer after it wrote our read half
    uint8_t* writeDoorbell_ = nullptr; // rung by us after we wrote the peer's read half
    std::atomic<bool> interrupted_{false};
    bool creator_ = false;
};

} // namespace comms
