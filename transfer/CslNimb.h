// The deskset tool's connection manager: a Nimb that turns each library notification into an
// event posted to its owner, so nothing of the transfer runs on the library's threads.
#pragma once

#include "comms/Nimb.h"
#include "transfer/DesksetLink.h"

class QObject;

namespace trv::transfer {

class CslNimb : public comms::Nimb, public DesksetLink {
public:
    // Events go to owner (MSG_LINK_RECEIVE, MSG_LINK_CONNECTED, MSG_LINK_DISCONNECTED).
    explicit CslNimb(QObject* owner);
    // Same, with the clock the link's timers read (tests drive it by hand).
    CslNimb(QObject* owner, comms::Clock& clock);
    ~CslNimb() override;

    int connectSerial(const std::string& serialParams) override;
    void disconnect() override;
    int send(const DesksetMessage& message) override;
    std::optional<int> messagesNotYetSent() const override;

protected:
    void OnReceive(int length) override;
    void OnConnect() override;
    void OnDisconnect() override;

private:
    QObject* owner_;
};

} // namespace trv::transfer
