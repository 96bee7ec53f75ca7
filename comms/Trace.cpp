#include "comms/Trace.h"

#include "comms/FrameSplitter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

namespace comms {
namespace {

std::mutex& SinkMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::function<void(std::string_view)>& Sink()
{
    static std::function<void(std::string_view)> sink;
    return sink;
}

bool TraceEnabled()
{
    static const bool enabled = [] {
        const char* value = std::getenv("TRV_TRACE");
        return value != nullptr && std::strcmp(value, "1") == 0;
    }();
    return enabled;
}

} // namespace

void Trace(std::string_view text)
{
    std::lock_guard lock(SinkMutex());
    if (Sink()) {
        Sink()(text);
    } else if (TraceEnabled()) {
        std::fwrite(text.data(), 1, text.size(), stderr);
    }
}

void TraceBytes(std::string_view label, const unsigned char* data, int length)
{
    std::string line(label);
    line += ':';
    if (length > 0)
        line += ' ' + HexBytes(data, static_cast<size_t>(length));
    line += '\n';
    Trace(line);
}

void SetTraceSink(std::function<void(std::string_view)> sink)
{
    std::lock_guard lock(SinkMutex());
    Sink() = std::move(sink);
}

} // namespace comms
