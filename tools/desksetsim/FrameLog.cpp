#include "tools/desksetsim/FrameLog.h"

#include "tools/desksetsim/WireModel.h"

namespace desksetsim {

FrameLog::FrameLog() : start_(std::chrono::steady_clock::now())
{
}

FrameLog::~FrameLog()
{
    if (file_ != nullptr)
        std::fclose(file_);
}

bool FrameLog::Open(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr)
        return false;
    std::lock_guard lock(mutex_);
    if (file_ != nullptr)
        std::fclose(file_);
    file_ = file;
    return true;
}

uint32_t FrameLog::NowMs() const
{
    const auto elapsed = std::chrono::steady_clock::now() - start_;
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void FrameLog::Frame(std::string_view direction, const uint8_t* bytes, size_t length, std::string_view note)
{
    if (file_ == nullptr)
        return;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%9u ms  ", NowMs());
    std::string line = stamp;
    line += direction;
    line += "  ";
    line += HexBytes(bytes, length);
    if (!note.empty()) {
        line += "  (";
        line += note;
        line += ')';
    }
    Write(line);
}

void FrameLog::Line(std::string_view text)
{
    if (file_ == nullptr)
        return;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%9u ms  ", NowMs());
    Write(stamp + std::string(text));
}

void FrameLog::Write(const std::string& line)
{
    std::lock_guard lock(mutex_);
    if (file_ == nullptr)
        return;
    std::fputs(line.c_str(), file_);
    std::fputc('\n', file_);
    // Flushed line by line, so the log is complete even when the simulator is killed.
    std::fflush(file_);
}

} // namespace desksetsim
