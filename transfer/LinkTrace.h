// The communication trace of a transfer: every frame that went over the line, with its time,
// direction and meaning, readable by a person. trvctl --trace writes it to a file as it grows;
// trv keeps the last session's trace for Help > "Save communication log...". Frames arrive on the
// library's comm-link thread, notes on any thread.
#pragma once

#include "comms/FrameSplitter.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <vector>

namespace trv::transfer {

enum class TraceDirection { Sent, Received };

// The meaning of one link frame: "heartbeat", "connect request", "acknowledgement #3",
// "data #7: upload block, offset 0x0064, 100 bytes", ... The direction names the message types
// that mean different things each way (a version request or the deskset's version).
std::string describeFrame(TraceDirection direction, std::span<const std::uint8_t> frame);

class LinkTrace {
public:
    using Sink = std::function<void(const std::string& line)>;

    // Each line also goes to the sink as it is written (may be empty).
    explicit LinkTrace(Sink sink = {});

    // A new session: the lines of the previous one are forgotten; the title opens the new one.
    void beginSession(const std::string& title);
    // A line of its own: the port, the link coming up or going down.
    void note(const std::string& text);
    // Bytes written to or read from the line; whole frames are traced as they complete.
    void bytes(TraceDirection direction, const std::uint8_t* data, int length);

    // The current session's lines, one per line.
    QString text() const;
    bool isEmpty() const;

private:
    void frame(TraceDirection direction, const comms::WireFrame& frame);
    void append(std::string line); // under the lock

    mutable std::mutex mutex_;
    Sink sink_;
    std::vector<std::string> lines_;
    comms::FrameSplitter sent_;
    comms::FrameSplitter received_;
};

} // namespace trv::transfer
