#include "transfer/LinkTrace.h"

#include "comms/AckFrame.h"
#include "comms/AckFrameLayer2.h"
#include "transfer/DesksetMessage.h"
#include "transfer/TransferTexts.h"

#include <QTime>

#include <chrono>
#include <cstdio>

namespace trv::transfer {

namespace trace = text::trace;

namespace {

// The deskset line's rate; the splitter gives up a stalled frame when the link does.
constexpr int kLineRate = 19200;
// Frames longer than this show their first bytes only; the meaning says the rest.
constexpr std::size_t kHexShown = 16;

std::uint32_t steadyMs()
{
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::string stamp()
{
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")).toStdString() + "  ";
}

std::string hex16(int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

std::string printable(std::span<const std::uint8_t> bytes)
{
    std::string text;
    for (std::uint8_t b : bytes)
        text += b >= 0x20 && b < 0x7F ? static_cast<char>(b) : '.';
    return text;
}

std::string blockText(const char* name, std::span<const std::uint8_t> data)
{
    if (data.size() < 2)
        return std::string(name) + ", " + std::to_string(data.size()) + trace::kBytes;
    return name + (trace::kOffset + hex16(readOffset(data))) + ", " + std::to_string(data.size() - 2) +
           trace::kBytes;
}

std::string describeMessage(TraceDirection direction, std::span<const std::uint8_t> payload)
{
    const auto message = DesksetMessage::decode(payload);
    if (!message)
        return std::to_string(payload.size()) + trace::kBytes;
    const bool sent = direction == TraceDirection::Sent;
    const auto& data = message->data;
    switch (static_cast<MessageType>(message->type)) {
    case MessageType::Version:
        return sent ? trace::kVersionRequest : trace::kVersion + ("\"" + printable(data) + "\"");
    case MessageType::Hardware:
        if (sent || data.empty())
            return trace::kHardwareCheck;
        return trace::kHardwareResult + std::to_string(data[0]) +
               (data[0] == 0 ? trace::kHardwareMatch : trace::kHardwareMismatch);
    case MessageType::DownloadBlock:
        return sent ? std::string(trace::kDownloadRequest) : blockText(trace::kDownloadBlock, data);
    case MessageType::UploadBlock:
        return blockText(trace::kUploadBlock, data);
    case MessageType::UploadDone:
    case MessageType::UploadFailed:
    case MessageType::DownloadDone:
    case MessageType::DownloadFailed:
        return trace::kEndMessages[message->type - static_cast<int>(MessageType::UploadDone)];
    }
    return trace::kMessageType + std::to_string(message->type) + ", " + std::to_string(data.size()) +
           trace::kBytes;
}

} // namespace

std::string describeFrame(TraceDirection direction, std::span<const std::uint8_t> frame)
{
    if (frame.size() < comms::kFrameHeaderSize)
        return trace::kIncomplete;
    const std::uint8_t type = frame[0];
    const std::string number = std::to_string(frame[1]);
    switch (type) {
    case comms::kFrameConnectRequest:
        return trace::kConnectRequest;
    case comms::kFrameConnectConfirm:
        return trace::kConnectConfirm;
    case comms::kFrameAck:
        return trace::kAcknowledgement + number;
    case comms::kFrameHeartbeat:
        return trace::kHeartbeat;
    default:
        break;
    }
    if (type < comms::kFrameDataWhole || type > comms::kFrameDataLast)
        return trace::kUnknownFrame + std::to_string(type);
    const std::size_t crc = comms::CrcSize(false);
    const std::size_t end = frame.size() >= comms::kFrameHeaderSize + crc ? frame.size() - crc : frame.size();
    const auto payload = frame.subspan(comms::kFrameHeaderSize, end - comms::kFrameHeaderSize);
    const int fragment = type - comms::kFrameDataWhole;
    if (fragment != comms::kWhole)
        return trace::kData + number + ": " + trace::kFragments[fragment] + ", " +
               std::to_string(payload.size()) + trace::kBytes;
    return trace::kData + number + ": " + describeMessage(direction, payload);
}

LinkTrace::LinkTrace(Sink sink)
    : sink_(std::move(sink)), sent_(comms::AckFrameTimersFor(kLineRate, false).completionMs,
                                    [this](const comms::WireFrame& f) { frame(TraceDirection::Sent, f); }),
      received_(comms::AckFrameTimersFor(kLineRate, false).completionMs,
                [this](const comms::WireFrame& f) { frame(TraceDirection::Received, f); })
{
}

void LinkTrace::beginSession(const std::string& title)
{
    {
        std::lock_guard lock(mutex_);
        lines_.clear();
    }
    note(title);
    note(trace::kLegend);
}

void LinkTrace::note(const std::string& text)
{
    std::lock_guard lock(mutex_);
    append(stamp() + text);
}

void LinkTrace::bytes(TraceDirection direction, const std::uint8_t* data, int length)
{
    std::lock_guard lock(mutex_);
    (direction == TraceDirection::Sent ? sent_ : received_).Feed(data, length, steadyMs());
}

// Called by a splitter, under the lock.
void LinkTrace::frame(TraceDirection direction, const comms::WireFrame& frame)
{
    std::string meaning;
    switch (frame.kind) {
    case comms::WireFrame::Kind::kValid:
        meaning = describeFrame(direction, frame.bytes);
        break;
    case comms::WireFrame::Kind::kCrcError:
        meaning = trace::kCrcError;
        break;
    case comms::WireFrame::Kind::kBadLength:
        meaning = trace::kBadLength;
        break;
    case comms::WireFrame::Kind::kIncomplete:
        meaning = trace::kIncomplete;
        break;
    }
    const std::size_t shown = std::min(frame.bytes.size(), kHexShown);
    std::string line =
        stamp() + (direction == TraceDirection::Sent ? trace::kSent : trace::kReceived) + "  " + meaning;
    line.resize(std::max<std::size_t>(line.size(), 72), ' ');
    line += "  " + comms::HexBytes(frame.bytes.data(), shown) + (shown < frame.bytes.size() ? " ..." : "");
    append(std::move(line));
}

void LinkTrace::append(std::string line)
{
    if (sink_)
        sink_(line);
    lines_.push_back(std::move(line));
}

QString LinkTrace::text() const
{
    std::lock_guard lock(mutex_);
    QString all;
    for (const std::string& line : lines_)
        all += QString::fromStdString(line) + QLatin1Char('\n');
    return all;
}

bool LinkTrace::isEmpty() const
{
    std::lock_guard lock(mutex_);
    return lines_.empty();
}

} // namespace trv::transfer
