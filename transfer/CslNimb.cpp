#include "transfer/CslNimb.h"

#include "transfer/TransferEvents.h"

#include <QCoreApplication>

namespace trv::transfer {

CslNimb::CslNimb(QObject* owner) : comms::Nimb(DesksetMessage::kMaxMessageSize), owner_(owner)
{
}

CslNimb::CslNimb(QObject* owner, comms::Clock& clock)
    : comms::Nimb(DesksetMessage::kMaxMessageSize, clock), owner_(owner)
{
}

CslNimb::~CslNimb()
{
    // The notifications use owner_: stop the library's threads before anything goes away.
    Shutdown();
}

int CslNimb::connectSerial(const std::string& serialParams)
{
    // The acknowledged frame link takes no parameter text.
    return Connect(comms::kLayer2AckFrame, nullptr, comms::kLayer1Serial, serialParams.c_str(), nullptr);
}

void CslNimb::disconnect()
{
    Disconnect();
}

int CslNimb::send(const DesksetMessage& message)
{
    const std::vector<std::uint8_t> bytes = message.encode();
    return Send(bytes.data(), static_cast<int>(bytes.size()));
}

std::optional<int> CslNimb::messagesNotYetSent() const
{
    int sendStore = 0;
    int receiveStore = 0;
    if (!GetQueueDepths(&sendStore, &receiveStore))
        return std::nullopt;
    comms::LinkStatus status;
    GetLinkStatus(&status);
    return sendStore + status[comms::kStatusSendRing];
}

void CslNimb::OnReceive(int length)
{
    if (length <= 0)
        return;
    QByteArray bytes(length, Qt::Uninitialized);
    int received = 0;
    if (Receive(reinterpret_cast<std::uint8_t*>(bytes.data()), length, &received) != comms::kOk ||
        received <= 1)
        return;
    bytes.truncate(std::min(received, DesksetMessage::kMaxMessageSize));
    QCoreApplication::postEvent(owner_, new LinkReceiveEvent(std::move(bytes)));
}

void CslNimb::OnConnect()
{
    QCoreApplication::postEvent(owner_, new QEvent(MSG_LINK_CONNECTED));
}

void CslNimb::OnDisconnect()
{
    QCoreApplication::postEvent(owner_, new QEvent(MSG_LINK_DISCONNECTED));
}

} // namespace trv::transfer
