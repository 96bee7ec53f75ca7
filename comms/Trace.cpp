#include "comms/Trace.h"

#include "comms/FrameSplitter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <utility>

namespace comms {
namespace {

std::mutex& SinkMutex()
{
    static std::mutex mutex;
    return mutex;
}

TraceSink& Sink()
{
    static TraceSink sink;
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

TraceSink SetTraceSink(TraceSink sink)
{
    std::lock_guard lock(SinkMutex());
    return std::exchange(Sink(), std::move(sink));
}

} // namespace comms
