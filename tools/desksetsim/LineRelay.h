// The line between the simulated deskset's link and its port. A thread moves bytes both
// ways: what the link writes goes out on the port, what arrives on the port goes to the link.
// With a line rate each byte is held until it could have crossed a real 8N1 line of that
// rate (10 bit times per byte, one byte after the other), in both directions, so the link
// sees the timing of a serial cable. The link talks to the relay over a socket pair, whose
// descriptor its transport polls; every wait here is a poll on descriptors with the time to
// the next byte as its time-out, so the relay never spins and never adds a polling delay.
#pragma once

#include "tools/desksetsim/WireModel.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace desksetsim {

class SimPort;

class LineRelay {
public:
    struct Callbacks {
        // A session on the pseudo-terminal ended: the tool closed the port. The reason is a
        // text for the user.
        std::function<void(const char* reason)> sessionEnded;
        // The tool opened the pseudo-terminal, so the deskset may call it now: the next link
        // should send its first heartbeat at once. endedSession: the tool had a session
        // running and reopened the port without closing it first.
        std::function<void(bool endedSession)> portOpened;
        std::function<void(const std::string&)> failed; // the port failed; the relay stops using it
    };

    // lineRate 0 relays at once. The callbacks run on the relay thread.
    LineRelay(SimPort& port, int lineRate, Callbacks callbacks);
    ~LineRelay();
    LineRelay(const LineRelay&) = delete;
    LineRelay& operator=(const LineRelay&) = delete;

    bool Start(std::string* error);
    void Stop();

    // A fresh link end for a new connection: returns the descriptor the link's transport owns,
    // or -1. What the previous link left unsent is discarded; bytes from the port since the
    // last session ended go to the new link.
    int OpenLink();

private:
    struct TimedByte {
        uint8_t value;
        SteadyTime due;
    };
    struct Direction {
        ByteTimeline timeline;
        std::deque<TimedByte> bytes;
        bool blocked = false; // the last write found no room: wait until writable
    };

    void Run();
    void Relay();
    void ServeRequests();
    void Accept(Direction& direction, const uint8_t* data, int length, SteadyTime now);
    // Writes the bytes that are due; false when the descriptor failed.
    bool Deliver(Direction& direction, int fd, SteadyTime now);
    void ReadPort(short revents, SteadyTime now);
    // The tool opened the port (a pseudo-terminal's flush status); ends a running session.
    void PortOpened();
    void EndSession(const char* reason);
    // Stops relaying between the port and the current link until the next one is opened.
    void RetireLink();
    void ReadLink(SteadyTime now);
    void Wake();

    SimPort& port_;
    Callbacks callbacks_;
    Direction toPort_;
    Direction toLink_;
    int relayEnd_ = -1; // the relay's end of the socket pair to the link
    bool portUsable_ = true;
    bool linkStale_ = false;     // the session ended: hold the port's bytes for the next link
    bool sessionActive_ = false; // bytes came from the tool since the last session ended
    // The tool's opening was announced and the link opened for it has not yet put a byte on
    // the port. The tool flushes its queues more than once while it opens the port; a flush
    // in this state discards nothing of the new link's, so it needs no new link.
    bool callPending_ = false;
    int wakeFd_ = -1;

    std::mutex mutex_;
    std::condition_variable served_;
    bool stopRequested_ = false;
    bool linkRequested_ = false;
    int linkResult_ = -1;
    std::thread thread_;
};

} // namespace desksetsim
