// What happens to frames between the simulated deskset's link and the line: the faults
// injected into sent frames, the silence of --silent and --stop-after, and the frame log.
// One tap serves every connection of a simulator run; it is called from the comm-link thread
// and told to fall silent from the session thread.
#pragma once

#include "tools/desksetsim/FrameLog.h"
#include "tools/desksetsim/WireModel.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace desksetsim {

class WireTap {
public:
    // log may be null. completionTimeoutMs is the link's frame completion time-out, after
    // which the log gives up a partly received frame as the link does.
    WireTap(const FrameFaults::Settings& faults, bool silent, FrameLog* log, uint32_t completionTimeoutMs);

    // One frame written by the link; returns the bytes that go on the line (none when silent).
    std::vector<uint8_t> Outgoing(const uint8_t* frame, int length);
    // Bytes read from the line; false when the link is not to see them (silent).
    bool Incoming(const uint8_t* data, int length);

    // Falls silent once `frames` more new data frames have been sent (retransmissions do not
    // count), or at once.
    void SilenceAfterDataFrames(int frames);
    void SilenceNow();
    bool Silent() const;
    // A new session: the silence of --stop-after ends (that of --silent stays).
    void NewSession();

private:
    void LogIncoming(const WireFrame& frame);

    mutable std::mutex mutex_;
    FrameFaults faults_;
    const bool alwaysSilent_;
    bool silent_;
    int dataFramesLeft_ = -1; // -1: no silence pending
    int lastDataNumber_ = -1;
    FrameLog* log_;
    FrameSplitter incoming_;
};

} // namespace desksetsim
