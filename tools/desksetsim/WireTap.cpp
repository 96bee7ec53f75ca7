#include "tools/desksetsim/WireTap.h"

#include "tools/desksetsim/SimTexts.h"

namespace desksetsim {

namespace {

const char* NoteOf(WireFrame::Kind kind)
{
    switch (kind) {
    case WireFrame::Kind::kCrcError:
        return texts::kNoteCrcError;
    case WireFrame::Kind::kBadLength:
        return texts::kNoteBadLength;
    case WireFrame::Kind::kIncomplete:
        return texts::kNoteIncomplete;
    case WireFrame::Kind::kValid:
        break;
    }
    return "";
}

} // namespace

WireTap::WireTap(const FrameFaults::Settings& faults, bool silent, FrameLog* log,
                 uint32_t completionTimeoutMs)
    : faults_(faults), alwaysSilent_(silent), silent_(silent), log_(log),
      incoming_(completionTimeoutMs, [this](const WireFrame& frame) { LogIncoming(frame); })
{
}

std::vector<uint8_t> WireTap::Outgoing(const uint8_t* frame, int length)
{
    std::lock_guard lock(mutex_);
    if (silent_) {
        if (log_)
            log_->Frame("TX", frame, static_cast<size_t>(length), texts::kNoteSilentTx);
        return {};
    }
    FrameFaults::Outcome outcome = faults_.Apply(frame, length);
    if (log_)
        log_->Frame("TX", frame, static_cast<size_t>(length), outcome.note);
    // Count new data frames for --stop-after; a retransmission repeats the last number.
    if (dataFramesLeft_ > 0 && IsDataFrame(frame, length) && frame[1] != lastDataNumber_) {
        lastDataNumber_ = frame[1];
        if (--dataFramesLeft_ == 0) {
            silent_ = true;
            dataFramesLeft_ = -1;
        }
    }
    return std::move(outcome.bytes);
}

bool WireTap::Incoming(const uint8_t* data, int length)
{
    std::lock_guard lock(mutex_);
    if (log_)
        incoming_.Feed(data, length, log_->NowMs());
    return !silent_;
}

void WireTap::LogIncoming(const WireFrame& frame)
{
    if (!log_)
        return;
    std::string note = NoteOf(frame.kind);
    if (silent_)
        note += note.empty() ? texts::kNoteSilentRx : std::string(", ") + texts::kNoteSilentRx;
    log_->Frame("RX", frame.bytes.data(), frame.bytes.size(), note);
}

void WireTap::SilenceAfterDataFrames(int frames)
{
    std::lock_guard lock(mutex_);
    if (frames <= 0) {
        silent_ = true;
        return;
    }
    dataFramesLeft_ = frames;
    lastDataNumber_ = -1;
}

void WireTap::SilenceNow()
{
    std::lock_guard lock(mutex_);
    silent_ = true;
}

bool WireTap::Silent() const
{
    std::lock_guard lock(mutex_);
    return silent_;
}

void WireTap::NewSession()
{
    std::lock_guard lock(mutex_);
    silent_ = alwaysSilent_;
    dataFramesLeft_ = -1;
    lastDataNumber_ = -1;
}

} // namespace desksetsim
