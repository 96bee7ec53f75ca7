// The frame log of --log: one line per frame in either direction, with the milliseconds
// since the simulator started, the direction, the bytes in hexadecimal and a note.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

namespace desksetsim {

class FrameLog {
public:
    FrameLog();
    ~FrameLog();
    FrameLog(const FrameLog&) = delete;
    FrameLog& operator=(const FrameLog&) = delete;

    // Opens (truncates) the file; false with errno set when it cannot be written.
    bool Open(const std::string& path);
    bool IsOpen() const { return file_ != nullptr; }

    // "    1234 ms  TX  04 00 02 01 01 A0 71  (note)"; nothing when the log is not open.
    void Frame(std::string_view direction, const uint8_t* bytes, size_t length, std::string_view note = {});
    void Line(std::string_view text);

    // Milliseconds since the log was created.
    uint32_t NowMs() const;

private:
    void Write(const std::string& line);

    std::chrono::steady_clock::time_point start_;
    std::mutex mutex_;
    std::FILE* file_ = nullptr;
};

} // namespace desksetsim
