// Trace sink of the library: diagnostic texts that begin with the layer or class in
// parentheses. They go to stderr only when the environment has TRV_TRACE=1.
#pragma once

#include <functional>
#include <string_view>

namespace comms {

// Writes one trace text as it is (texts carry their own line end).
void Trace(std::string_view text);

// Writes a label followed by a hex dump of bytes, for failures involving wire data.
void TraceBytes(std::string_view label, const unsigned char* data, int length);

using TraceSink = std::function<void(std::string_view)>;

// Replaces the sink (tests capture texts with it) and returns the one it replaces; an empty
// function restores the default.
TraceSink SetTraceSink(TraceSink sink);

} // namespace comms
