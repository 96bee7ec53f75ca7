// Layer1: a transport that moves raw bytes (serial port, pipe, socket, shared memory, modem,
// multicast). Nimb builds one per connection through CreateLayer1 and drives it from the
// comm-link thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "comms/OpenFailure.h"

namespace comms {

class EventQueue;
class NotifyQueue;
class Nimb;

class Layer1 {
public:
    virtual ~Layer1() = default;
    Layer1(const Layer1&) = delete;
    Layer1& operator=(const Layer1&) = delete;

    // The operations in slot order.
    virtual int IsAttached() = 0;   // 1 once a peer is attached (a serial port always is)
    virtual int BaudRate() = 0;     // line rate; the frame link chooses its timers from it
    virtual int FreeRoom() = 0;     // free room in the output buffer, bytes
    virtual int BytesWaiting() = 0; // bytes that Read would return at once
    virtual int Open() = 0;         // 0 on success
    virtual void Close() = 0;
    virtual int Write(const uint8_t* data, int length) = 0; // bytes written, negative when broken
    virtual int Read(uint8_t* buffer, int max) = 0;         // never blocks; negative when broken

    // The descriptor the comm-link thread polls for input; -1 makes it wake every 10 ms instead,
    // unless the transport has a wait of its own (below).
    virtual int PollFd() const { return -1; }
    // A transport without a descriptor may wait for the peer itself: WaitForInput returns when
    // input may be waiting, InterruptWait was called (from any thread, also before the wait
    // began) or timeoutMs passed (-1: no limit).
    virtual bool HasOwnWait() const { return false; }
    virtual void WaitForInput(int /*timeoutMs*/) {}
    virtual void InterruptWait() {}
    // Milliseconds until a timer of the transport itself needs a read (a modem's dialogue);
    // -1 when none runs.
    virtual int MsUntilDeadline() { return -1; }
    // True for a concurrent socket server, which serves its clients without a comm-link thread.
    virtual bool RunsWithoutCommLink() const { return false; }
    // Back pointer for transports that call Nimb::OnAccept; most ignore it.
    virtual void SetOwner(Nimb*) {}
    // Why the last Open failed, for transports that open a device (the serial port); nothing
    // after a successful open and for the others.
    virtual std::optional<OpenFailure> LastOpenFailure() const { return std::nullopt; }

    // Events posted before the queues are attached (e.g. from a constructor) are held and
    // delivered when AttachQueues is called.
    void AttachQueues(EventQueue* events, NotifyQueue* notifications);

    // Set by the transport when it fails; read by the session, which then sets failureReported
    // once it has acted on it.
    std::atomic<bool> broken{false};
    std::atomic<bool> failureReported{false};

protected:
    Layer1() = default;
    void PostEvent(int code, int value = 0);
    void PostNotify(int code);

private:
    std::mutex queueMutex_;
    EventQueue* events_ = nullptr;
    NotifyQueue* notifications_ = nullptr;
    std::vector<std::pair<int, int>> heldEvents_;
    std::vector<int> heldNotifications_;
};

} // namespace comms
