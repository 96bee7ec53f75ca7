// Layer2: a link protocol that cuts a Layer1 byte stream into checked payloads.
#pragma once

#include <cstdint>

namespace comms {

class EventQueue;
class NotifyQueue;
class LinkStatusBlock;

// Fragment kinds of a payload, as the Session cuts messages.
enum FragmentKind : int { kWhole = 0, kFirst = 1, kMiddle = 2, kLast = 3 };

class Layer2 {
public:
    virtual ~Layer2() = default;

    // The operations in slot order.
    virtual int LinkState() const = 0; // 1 while the link is up, 0 otherwise
    // One pass of the protocol; run by the comm-link thread only.
    virtual void Step(bool* receivedWaiting, bool* sendingPending) = 0;
    // Copies the next received payload into buffer (room for LargestPayload() bytes);
    // returns 0 when none is waiting.
    virtual int TakeReceived(uint8_t* buffer, int* length, int* kind) = 0;
    virtual int HasRoom() const = 0; // non-zero when one more payload can be queued
    virtual int QueuePayload(const uint8_t* data, int length, int kind) = 0; // 0 when refused
    virtual int LargestPayload() const = 0;

    // Bytes of a partly received frame that are known to be still to come (at least this
    // many); 0 between frames or when the protocol cannot tell. Run by the comm-link thread,
    // which uses it to read the rest of a frame in one go on a slow line.
    virtual int BytesStillToCome() const { return 0; }

    // Milliseconds from now until the next timer of the link can change something (a frame
    // completion time-out, a retransmission, a heartbeat); 0 when one is due, -1 when none runs.
    // Run by the comm-link thread after a step: it sleeps until then unless input or work comes.
    virtual int MsUntilDeadline() const { return -1; }

    void AttachQueues(EventQueue* events, NotifyQueue* notifications)
    {
        events_ = events;
        notifications_ = notifications;
    }
    void AttachLinkStatus(LinkStatusBlock* status) { status_ = status; }

protected:
    EventQueue* events_ = nullptr;
    NotifyQueue* notifications_ = nullptr;
    LinkStatusBlock* status_ = nullptr;
};

} // namespace comms
