#include "comms/SharedMemoryLayer1.h"

#include <fcntl.h>
#include <linux/futex.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <thread>

#include "comms/Trace.h"
#include "comms/TransportTexts.h"
#include "comms/UniqueFd.h"

namespace comms {
namespace {

constexpr uint32_t kMagic = 0x32464D4E; // "NMF2": the layout with doorbells
constexpr size_t kMagicOffset = 0;
constexpr size_t kUsersOffset = 4;
constexpr size_t kDoorbellAOffset = 8;
constexpr size_t kDoorbellBOffset = 12;
constexpr size_t kCountOffset = 4;
constexpr size_t kReadPosOffset = 8;
constexpr size_t kWritePosOffset = 12;
// The other side copies at most a few kilobytes under the flag; a flag held this long
// belongs to a side that died while holding it.
constexpr auto kBusyGiveUp = std::chrono::milliseconds(1000);
// How long a second side waits for the creator to size and mark a mapping it just made.
constexpr int kCreatorWaitSteps = 100;
constexpr auto kCreatorWaitStep = std::chrono::milliseconds(10);

std::atomic_ref<uint32_t> Word(uint8_t* at)
{
    return std::atomic_ref<uint32_t>(*reinterpret_cast<uint32_t*>(at));
}

uint32_t LoadU32(const uint8_t* at)
{
    uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

void StoreU32(uint8_t* at, uint32_t value)
{
    std::memcpy(at, &value, sizeof value);
}

long Futex(uint8_t* word, int op, uint32_t value, const timespec* timeout)
{
    return ::syscall(SYS_futex, reinterpret_cast<uint32_t*>(word), op, value, timeout, nullptr, 0);
}

} // namespace

// The busy flag of one half as a lock shared between processes: 0 free, 1 busy, 2 busy with
// a side waiting in the kernel. A side that finds it set sleeps on the futex until it clears.
class SharedMemoryLayer1::HalfLock {
public:
    explicit HalfLock(uint8_t* half) : word_(half)
    {
        uint32_t seen = 0;
        if (Word(word_).compare_exchange_strong(seen, 1)) {
            held_ = true;
            return;
        }
        const auto giveUp = std::chrono::steady_clock::now() + kBusyGiveUp;
        if (seen != 2)
            seen = Word(word_).exchange(2);
        while (seen != 0) {
            if (std::chrono::steady_clock::now() >= giveUp)
                return;
            const timespec step{0, 100'000'000};
            Futex(word_, FUTEX_WAIT, 2, &step);
            seen = Word(word_).exchange(2);
        }
        held_ = true;
    }
    ~HalfLock() { Release(); }
    void Release()
    {
        if (held_ && Word(word_).exchange(0) == 2)
            Futex(word_, FUTEX_WAKE, 1, nullptr);
        held_ = false;
    }
    HalfLock(const HalfLock&) = delete;
    HalfLock& operator=(const HalfLock&) = delete;
    bool Held() const { return held_; }

private:
    uint8_t* word_;
    bool held_ = false;
};

SharedMemoryLayer1::SharedMemoryLayer1(const char* params)
    : name_(std::string(kNamePrefix) + (params != nullptr ? params : ""))
{
}

SharedMemoryLayer1::~SharedMemoryLayer1()
{
    Close();
}

int SharedMemoryLayer1::Open()
{
    if (base_ != nullptr)
        return -1;
    UniqueFd fd(::shm_open(name_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (fd.Valid()) {
        creator_ = true;
        // A new object is zero-filled: this clears the whole mapping.
        void* mapped = MAP_FAILED;
        if (::ftruncate(fd.Get(), kMappingSize) == 0)
            mapped = ::mmap(nullptr, kMappingSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd.Get(), 0);
        if (mapped == MAP_FAILED) {
            ::shm_unlink(name_.c_str());
            Trace(texts::kSharedMemoryFailed);
            return -1;
        }
        base_ = static_cast<uint8_t*>(mapped);
        StoreU32(base_ + kUsersOffset, 1);
        Word(base_ + kMagicOffset).store(kMagic, std::memory_order_release);
    } else if (errno == EEXIST) {
        creator_ = false;
        fd.Reset(::shm_open(name_.c_str(), O_RDWR | O_CLOEXEC, 0600));
        if (!fd.Valid() || !MapExisting(fd.Get())) {
            Trace(texts::kSharedMemoryFailed);
            return -1;
        }
        Word(base_ + kUsersOffset).fetch_add(1);
    } else {
        Trace(texts::kSharedMemoryFailed);
        return -1;
    }
    readHalf_ = Half(creator_ ? kHalfAOffset : kHalfBOffset);
    writeHalf_ = Half(creator_ ? kHalfBOffset : kHalfAOffset);
    readDoorbell_ = base_ + (creator_ ? kDoorbellAOffset : kDoorbellBOffset);
    writeDoorbell_ = base_ + (creator_ ? kDoorbellBOffset : kDoorbellAOffset);
    return 0;
}

bool SharedMemoryLayer1::MapExisting(int fd)
{
    // The creator may still be sizing the object it has just made.
    for (int step = 0; step < kCreatorWaitSteps; ++step) {
        struct stat info;
        if (::fstat(fd, &info) != 0)
            return false;
        if (static_cast<size_t>(info.st_size) >= kMappingSize) {
            if (base_ == nullptr) {
                void* mapped = ::mmap(nullptr, kMappingSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
                if (mapped == MAP_FAILED)
                    return false;
                base_ = static_cast<uint8_t*>(mapped);
            }
            if (Word(base_ + kMagicOffset).load(std::memory_order_acquire) == kMagic)
                return true;
        }
        std::this_thread::sleep_for(kCreatorWaitStep);
    }
    if (base_ != nullptr)
        ::munmap(base_, kMappingSize);
    base_ = nullptr;
    return false;
}

void SharedMemoryLayer1::Close()
{
    if (base_ == nullptr)
        return;
    const bool last = Word(base_ + kUsersOffset).fetch_sub(1) == 1;
    ::munmap(base_, kMappingSize);
    base_ = readHalf_ = writeHalf_ = readDoorbell_ = writeDoorbell_ = nullptr;
    if (last)
        ::shm_unlink(name_.c_str());
}

bool SharedMemoryLayer1::LoadState(const uint8_t* half, RingState* state)
{
    state->count = LoadU32(half + kCountOffset);
    state->readPos = LoadU32(half + kReadPosOffset);
    state->writePos = LoadU32(half + kWritePosOffset);
    if (state->count <= kRingSize && state->readPos < kRingSize && state->writePos < kRingSize)
        return true;
    Trace(texts::kSharedMemoryCorrupt);
    broken = true;
    return false;
}

void SharedMemoryLayer1::StoreState(uint8_t* half, const RingState& state)
{
    StoreU32(half + kCountOffset, state.count);
    StoreU32(half + kReadPosOffset, state.readPos);
    StoreU32(half + kWritePosOffset, state.writePos);
}

int SharedMemoryLayer1::BytesWaiting()
{
    if (base_ == nullptr)
        return 0;
    HalfLock lock(readHalf_);
    RingState state;
    if (!lock.Held() || !LoadState(readHalf_, &state))
        return 0;
    return static_cast<int>(state.count);
}

int SharedMemoryLayer1::Write(const uint8_t* data, int length)
{
    if (base_ == nullptr || length <= 0)
        return 0;
    HalfLock lock(writeHalf_);
    if (!lock.Held()) {
        Trace(texts::kSharedMemoryStuck);
        broken = true;
        return -1;
    }
    RingState state;
    if (!LoadState(writeHalf_, &state))
        return -1;
    uint8_t* ring = writeHalf_ + kHalfHeaderSize;
    for (int done = 0; done < length;) {
        const int piece = std::min<int>(length - done, kRingSize - static_cast<int>(state.writePos));
        std::memcpy(ring + state.writePos, data + done, piece);
        state.writePos = (state.writePos + piece) % kRingSize;
        done += piece;
    }
    state.count += static_cast<uint32_t>(length);
    if (state.count >= kRingSize) {
        // Full: the newest ring's worth stays; the oldest unread byte is the one after the last written.
        state.count = kRingSize;
        state.readPos = state.writePos;
    }
    StoreState(writeHalf_, state);
    lock.Release();
    Ring(writeDoorbell_);
    return length;
}

void SharedMemoryLayer1::Ring(uint8_t* doorbell)
{
    Word(doorbell).fetch_add(1);
    Futex(doorbell, FUTEX_WAKE, INT32_MAX, nullptr);
}

void SharedMemoryLayer1::InterruptWait()
{
    interrupted_ = true;
    if (base_ != nullptr)
        Ring(readDoorbell_);
}

void SharedMemoryLayer1::WaitForInput(int timeoutMs)
{
    if (base_ == nullptr || interrupted_.exchange(false))
        return;
    // The doorbell is read before the ring is looked at: a write after the look changes it,
    // and the futex then does not sleep.
    const uint32_t rung = Word(readDoorbell_).load();
    if (interrupted_.exchange(false) || BytesWaiting() > 0)
        return;
    const timespec limit{timeoutMs / 1000, (timeoutMs % 1000) * 1'000'000L};
    Futex(readDoorbell_, FUTEX_WAIT, rung, timeoutMs >= 0 ? &limit : nullptr);
    interrupted_ = false;
}

int SharedMemoryLayer1::Read(uint8_t* buffer, int max)
{
    if (base_ == nullptr || max <= 0)
        return 0;
    HalfLock lock(readHalf_);
    if (!lock.Held()) {
        Trace(texts::kSharedMemoryStuck);
        broken = true;
        return -1;
    }
    RingState state;
    if (!LoadState(readHalf_, &state))
        return -1;
    const int wanted = std::min<int>(max, static_cast<int>(state.count));
    const uint8_t* ring = readHalf_ + kHalfHeaderSize;
    for (int done = 0; done < wanted;) {
        const int piece = std::min<int>(wanted - done, kRingSize - static_cast<int>(state.readPos));
        std::memcpy(buffer + done, ring + state.readPos, piece);
        state.readPos = (state.readPos + piece) % kRingSize;
        done += piece;
    }
    state.count -= static_cast<uint32_t>(wanted);
    StoreState(readHalf_, state);
    return wanted;
}

} // namespace comms
