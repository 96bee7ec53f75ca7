// The deskset tool's connection manager: a Nimb that turns each library notification into an
// event posted to its owner, so nothing of the transfer runs on the library's threads.
#pragma once

#include "comms/Nimb.h"
#include "transfer/DesksetLink.h"

class QObject;

namespace trv::transfer {

class LinkTrace;

class CslNimb : public comms::Nimb, public DesksetLink {
public:
    // Events go to owner (MSG_LINK_RECEIVE, MSG_LINK_CONNECTED, MSG_LINK_DISCONNECTED).
    explicit CslNimb(QObject* owner);
    // Same, with the clock the link's timers read (tests drive it by hand).
    CslNimb(QObject* owner, comms::Clock& clock);
    ~CslNimb() override;

    // The port number leads the parameter text. A port whose device is "tcp://HOST:PORT" (a
    // serial device server) is reached through the socket transport instead.
    comms::Result connectSerial(const std::string& serialParams,
                                const comms::LinkSettings& settings) override;
    std::optional<comms::OpenFailure> lastOpenFailure() const override { return LastOpenFailure(); }
    void disconnect() override;
    comms::Result send(const DesksetMessage& message) override;
    std::optional<int> messagesNotYetSent() const override;

    // The trace must outlive the connections it records.
    void setTrace(LinkTrace* trace) override { trace_ = trace; }

protected:
    void OnReceive(int length) override;
    void OnConnect() override;
    void OnDisconnect() override;

private:
    QObject* owner_;
    LinkTrace* trace_ = nullptr;
};

} // namespace trv::transfer
