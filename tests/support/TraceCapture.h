// Records every text of the library's trace while it lives, in place of the sink that was set
// before, which it puts back when it goes. Texts may come from any of the library's threads.
#pragma once

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "comms/Trace.h"

namespace comms::test {

class TraceCapture {
public:
    TraceCapture()
        : previous_(SetTraceSink([this](std::string_view text) {
              std::lock_guard lock(mutex_);
              texts_.emplace_back(text);
          }))
    {
    }
    ~TraceCapture() { SetTraceSink(std::move(previous_)); }
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    std::vector<std::string> Texts() const
    {
        std::lock_guard lock(mutex_);
        return texts_;
    }
    int Count(std::string_view text) const
    {
        std::lock_guard lock(mutex_);
        return static_cast<int>(std::count(texts_.begin(), texts_.end(), text));
    }
    bool Contains(std::string_view text) const { return Count(text) > 0; }
    // Waits (for a transport's own thread) until text has been traced.
    bool WaitFor(std::string_view text, std::chrono::milliseconds limit = std::chrono::seconds(5)) const
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!Contains(text)) {
            if (std::chrono::steady_clock::now() >= deadline)
                return false;
            ::poll(nullptr, 0, 2);
        }
        return true;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
    TraceSink previous_;
};

} // namespace comms::test
