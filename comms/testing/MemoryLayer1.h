// An in-memory Layer1 for driving a Layer2 by hand: the test feeds the bytes it should read
// and takes the bytes it wrote. No descriptor; safe to use from two threads.
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "comms/Layer1.h"

namespace comms::testing {

class MemoryLayer1 final : public Layer1 {
public:
    explicit MemoryLayer1(int baudRate = 19200) : baudRate_(baudRate) {}

    int IsAttached() override { return 1; }
    int BaudRate() override { return baudRate_; }
    int FreeRoom() override { return 4096; }
    int BytesWaiting() override;
    int Open() override { return 0; }
    void Close() override {}
    int Write(const uint8_t* data, int length) override;
    int Read(uint8_t* buffer, int max) override;

    void Feed(const std::vector<uint8_t>& bytes);
    // Everything written since the last call.
    std::vector<uint8_t> TakeWritten();
    // Makes the next Read report a broken transport.
    void Break();

private:
    std::mutex mutex_;
    int baudRate_;
    std::deque<uint8_t> input_;
    std::vector<uint8_t> written_;
    bool broken_ = false;
};

} // namespace comms::testing
