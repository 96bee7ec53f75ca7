// Feeds the session's reassembly arbitrary payloads of any fragment kind, and has it cut
// messages of any length for a link with little room. Input: [max message size - 1][fragment
// size - 1], then records [op][...]:
//   op % 2 == 0: [kind][n][n bytes]   a payload the link received (kind % 4)
//   op % 2 == 1: [lo][hi][room]       a message of lo + 256 * hi bytes (cut to the maximum) to
//                                     send, through a link with room for room % 8 payloads
// Checked: every message stored is the one a simple model of reassembly expects (a whole
// payload, or first + middles + last while they fit; nothing when empty), and every message sent
// leaves as one whole payload or as first, middles and last of the fragment size that join up to it.
#include "comms/EventQueue.h"
#include "comms/Layer2.h"
#include "comms/Session.h"
#include "comms/testing/MemoryLayer1.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <optional>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct Payload {
    Bytes bytes;
    int kind;
};

// A link that hands out scripted payloads and records what it is given, room permitting.
class ScriptedLink final : public comms::Layer2 {
public:
    int LinkState() const override { return 1; }
    void Step(bool* receivedWaiting, bool* sendingPending) override
    {
        *receivedWaiting = !received.empty();
        *sendingPending = false;
    }
    int TakeReceived(uint8_t* buffer, int* length, int* kind) override
    {
        if (received.empty())
            return 0;
        const Payload& next = received.front();
        std::copy(next.bytes.begin(), next.bytes.end(), buffer);
        *length = static_cast<int>(next.bytes.size());
        *kind = next.kind;
        received.pop_front();
        return 1;
    }
    int HasRoom() const override { return room > 0 ? 1 : 0; }
    int QueuePayload(const uint8_t* data, int length, int kind) override
    {
        if (room <= 0)
            return 0;
        --room;
        queued.push_back({Bytes(data, data + length), kind});
        return 1;
    }
    int LargestPayload() const override { return 250; }

    std::deque<Payload> received;
    std::vector<Payload> queued;
    int room = 0;
};

// What reassembly should store for each payload, if anything.
class ReassemblyModel {
public:
    explicit ReassemblyModel(size_t maxSize) : maxSize_(maxSize) {}
    std::optional<Bytes> Take(const Payload& p)
    {
        if (p.kind == comms::kWhole) // stored as it is unless empty or too long; a reassembly goes on
            return p.bytes.empty() || p.bytes.size() > maxSize_ ? std::nullopt
                                                                : std::optional<Bytes>(p.bytes);
        if (p.kind == comms::kFirst)
            partial_ = Bytes();
        if (!partial_)
            return std::nullopt;
        if (partial_->size() + p.bytes.size() > maxSize_) {
            partial_.reset();
            return std::nullopt;
        }
        partial_->insert(partial_->end(), p.bytes.begin(), p.bytes.end());
        if (p.kind != comms::kLast)
            return std::nullopt;
        Bytes whole = std::move(*partial_);
        partial_.reset();
        return whole.empty() ? std::nullopt : std::optional<Bytes>(std::move(whole));
    }

private:
    size_t maxSize_;
    std::optional<Bytes> partial_;
};

// Checks the payloads one sent message left as, and that it left whole.
void CheckCut(const std::vector<Payload>& pieces, const Bytes& message, int fragmentSize)
{
    if (pieces.empty())
        std::abort();
    Bytes joined;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const bool only = pieces.size() == 1;
        const int expectedKind = only                     ? comms::kWhole
                                 : i == 0                 ? comms::kFirst
                                 : i + 1 == pieces.size() ? comms::kLast
                                                          : comms::kMiddle;
        const size_t size = pieces[i].bytes.size();
        if (pieces[i].kind != expectedKind || size > static_cast<size_t>(fragmentSize) ||
            (i + 1 < pieces.size() && size != static_cast<size_t>(fragmentSize)))
            std::abort();
        joined.insert(joined.end(), pieces[i].bytes.begin(), pieces[i].bytes.end());
    }
    if (joined != message)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int maxSize = data[0] + 1;
    const int fragmentSize = data[1] + 1;
    comms::EventQueue events;
    comms::Session session(maxSize, events);
    comms::testing::MemoryLayer1 wire;
    ScriptedLink link;
    session.Attach(&link, &wire, 1);
    session.SetFragmentSize(fragmentSize);
    ReassemblyModel model(static_cast<size_t>(maxSize));

    std::vector<Bytes> sentMessages; // messages handed to the session, in order
    size_t sentChecked = 0;          // of those, the ones whose payloads were checked
    size_t queuedChecked = 0;        // payloads of the link already matched to a message
    std::vector<uint8_t> buffer(static_cast<size_t>(maxSize));
    comms::Session::StepReport report;
    size_t at = 2;
    auto byte = [&] { return at < size ? data[at++] : uint8_t{0}; };
    while (at < size) {
        const uint8_t op = byte();
        if (op % 2 == 0) {
            const int kind = byte() % 4;
            const size_t n = std::min<size_t>(std::min<size_t>(byte(), 250), size - at);
            const Payload payload{Bytes(data + at, data + at + n), kind};
            at += n;
            link.received.push_back(payload);
            session.Pull();
            const std::optional<Bytes> expected = model.Take(payload);
            int length = 0;
            const auto taken = session.ReceiveStore().Take(buffer.data(), maxSize, &length);
            if (expected.has_value() != (taken == comms::MessageStore::TakeResult::kTaken))
                std::abort();
            if (expected && Bytes(buffer.begin(), buffer.begin() + length) != *expected)
                std::abort();
        } else {
            const int lo = byte();
            const int length = std::min(maxSize, lo + 256 * byte());
            link.room = byte() % 8;
            Bytes message(static_cast<size_t>(length));
            for (int i = 0; i < length; ++i)
                message[static_cast<size_t>(i)] = static_cast<uint8_t>(i * 7 + sentMessages.size());
            if (length > 0) {
                session.SendStore().Store(message.data(), length);
                sentMessages.push_back(message);
            }
            session.Step(&report);
            for (int sentLength : report.sentLengths) {
                // The payloads of the next message not yet checked, up to its end.
                if (sentChecked >= sentMessages.size())
                    std::abort();
                const Bytes& whole = sentMessages[sentChecked++];
                if (static_cast<int>(whole.size()) != sentLength)
                    std::abort();
                std::vector<Payload> pieces;
                size_t bytes = 0;
                while (bytes < whole.size() && queuedChecked < link.queued.size()) {
                    pieces.push_back(link.queued[queuedChecked++]);
                    bytes += pieces.back().bytes.size();
                }
                CheckCut(pieces, whole, fragmentSize);
            }
        }
    }
    return 0;
}
