#include "transfer/CslNimb.h"

#include "comms/Layer1Factory.h"
#include "comms/SerialLayer1.h"
#include "transfer/LinkTrace.h"
#include "transfer/PortTarget.h"
#include "transfer/TracingLayer1.h"
#include "transfer/TransferEvents.h"
#include "transfer/TransferTexts.h"

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

comms::Result CslNimb::connectSerial(const std::string& serialParams, const comms::LinkSettings& settings)
{
    SetLinkSettings(settings);
    const comms::ParsedSerialSettings line = comms::ParseSerialSettings(serialParams.c_str());
    const std::string device = settings.ComDevice(line.settings.port);
    int layer1Type = comms::kLayer1Serial;
    std::string layer1Params = serialParams;
    if (device.starts_with(kTcpScheme)) {
        const PortTargetParse server = PortTarget::parseMapping(device);
        if (!server.target)
            return comms::Result::Layer1OpenFailed;
        layer1Type = comms::kLayer1Socket;
        layer1Params = server.target->socketClientParams();
    }
    // The acknowledged frame link takes no parameter text.
    if (trace_ == nullptr)
        return Connect(comms::kLayer2AckFrame, nullptr, layer1Type, layer1Params.c_str(), nullptr);

    comms::Result result = comms::Result::Ok;
    std::unique_ptr<comms::Layer1> layer1 =
        comms::CreateLayer1(layer1Type, layer1Params.c_str(), settings, &result, nullptr);
    if (!layer1)
        return result != comms::Result::Ok ? result : comms::Result::UnknownLayer1;
    if (result != comms::Result::Ok)
        return result;
    trace_->note(text::trace::kConnecting + device);
    return Connect(comms::kLayer2AckFrame, nullptr,
                   std::make_unique<TracingLayer1>(std::move(layer1), *trace_));
}

void CslNimb::disconnect()
{
    Disconnect();
}

comms::Result CslNimb::send(const DesksetMessage& message)
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
    if (Receive(reinterpret_cast<std::uint8_t*>(bytes.data()), length, &received) != comms::Result::Ok ||
        received <= 1)
        return;
    bytes.truncate(std::min(received, DesksetMessage::kMaxMessageSize));
    QCoreApplication::postEvent(owner_, new LinkReceiveEvent(std::move(bytes)));
}

void CslNimb::OnConnect()
{
    if (trace_ != nullptr)
        trace_->note(text::trace::kLinkUp);
    QCoreApplication::postEvent(owner_, new QEvent(MSG_LINK_CONNECTED));
}

void CslNimb::OnDisconnect()
{
    if (trace_ != nullptr)
        trace_->note(text::trace::kLinkDown);
    QCoreApplication::postEvent(owner_, new QEvent(MSG_LINK_DISCONNECTED));
}

} // namespace trv::transfer
