// Nimb: the connection manager. An application derives from it, overrides the notification
// operations it needs, and calls Connect, Send, Receive and Disconnect from its own threads.
// Nimb owns a session thread for its whole life and, while connected, a Layer1 transport,
// a Layer2 link and a comm-link thread that drives them.
//
// The notification operations run on the session thread, never under a library lock; they
// must not block. A subclass whose overrides use its own members must call Shutdown() first
// in its destructor, so that no notification runs while those members are destroyed.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "comms/LinkSettings.h"
#include "comms/LinkStatus.h"
#include "comms/OpenFailure.h"
#include "comms/ResultCodes.h"

namespace comms {

class Clock;
class Layer1;

class Nimb {
public:
    explicit Nimb(int maxMessageSize);
    // Same, with the clock that every link timer of this object reads.
    Nimb(int maxMessageSize, Clock& clock);
    virtual ~Nimb();
    Nimb(const Nimb&) = delete;
    Nimb& operator=(const Nimb&) = delete;

    // The machine settings the next connections use: each COMn's device and the thread
    // priorities (the session thread's applies at once). The defaults until called.
    void SetLinkSettings(const LinkSettings& settings);
    LinkSettings CurrentLinkSettings() const;

    // Builds and starts a connection: a Layer1 of layer1Type from layer1Params and a Layer2 of
    // layer2Type from layer2Params. acceptedSocket, when given, holds a heap-held socket handle
    // that a socket transport takes over.
    Result Connect(int layer2Type, const char* layer2Params, int layer1Type, const char* layer1Params,
                   int* acceptedSocket = nullptr);
    // Same with a transport built by the caller (test transports, simulators).
    Result Connect(int layer2Type, const char* layer2Params, std::unique_ptr<Layer1> layer1);
    // Why the transport of the last Connect could not be opened, when that Connect returned
    // Layer1OpenFailed and the transport knew; nothing otherwise.
    std::optional<OpenFailure> LastOpenFailure() const;
    // Tears the connection down; safe to call at any time. Returns Ok or DisconnectException.
    Result Disconnect();

    // Stores one whole message for sending.
    Result Send(const uint8_t* data, int length);
    // Moves the oldest received message into buffer; length gets its size.
    Result Receive(uint8_t* buffer, int size, int* length);
    // Copies the eight link counters; returns 1.
    int GetLinkStatus(LinkStatus* status) const;
    // Messages waiting in the send and receive stores; returns 0 when not connected, else 1.
    int GetQueueDepths(int* sendDepth, int* receiveDepth) const;

    int MaxMessageSize() const;
    int Layer1Type() const; // -1 before the first Connect
    int Layer2Type() const;

    // Disconnects and stops the session thread; idempotent. Called by the destructor.
    void Shutdown();

    // Called by a concurrent socket server's connection thread when it accepted a client.
    // Non-zero means the application took the socket (and its holder); 0 makes the
    // transport close it.
    virtual int OnAccept(int* socketHolder);

    // A descriptive text for traces; empty unless a transport names itself.
    virtual std::string Description() const;

protected:
    virtual void OnReceive(int length);     // a whole received message is waiting
    virtual void OnMessageSent(int length); // a whole message was handed to the link
    virtual void OnConnect();               // the link came up
    virtual void OnDisconnect();            // the link went down and was torn down
    virtual void OnEvent(int code, int value);
    virtual void OnLinkNotify(int code);

private:
    struct Impl;
    friend struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace comms
