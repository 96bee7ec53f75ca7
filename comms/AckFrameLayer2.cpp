#include "comms/AckFrameLayer2.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "comms/Crc.h"
#include "comms/EventQueue.h"
#include "comms/Layer1.h"
#include "comms/ResultCodes.h"
#include "comms/Trace.h"
#include "comms/TraceTexts.h"

namespace comms {
namespace {

bool Contains(const char* text, const char* option)
{
    return text != nullptr && std::strstr(text, option) != nullptr;
}

uint32_t CountDown(uint32_t left, uint32_t elapsed)
{
    return left > elapsed ? left - elapsed : 0;
}

bool IsData(uint8_t type)
{
    return type >= kFrameDataWhole && type <= kFrameDataLast;
}

} // namespace

AckFrameTimers AckFrameTimersFor(int baudRate, bool slowMedia)
{
    AckFrameTimers timers =
        baudRate >= 9600 ? AckFrameTimers{3000, 1800, 1200} : AckFrameTimers{6000, 3600, 2400};
    if (slowMedia) {
        timers.heartbeatMs *= 2;
        timers.retransmitMs *= 2;
        timers.completionMs *= 2;
    }
    return timers;
}

AckFrameLayer2::AckFrameLayer2(Layer1& layer1, const char* params, Clock& clock)
    : layer1_(layer1), clock_(clock), crc8_(Contains(params, kOptionUseCrc8)),
      awaitCall_(Contains(params, kOptionAwaitCall)),
      timers_(AckFrameTimersFor(layer1.BaudRate(), Contains(params, kOptionSlowMedia))),
      heartbeatRunning_(!awaitCall_ || Contains(params, kOptionCallAtOnce)),
      heartbeatLeft_(Contains(params, kOptionCallAtOnce) ? 0 : timers_.heartbeatMs),
      lastUpdateTick_(clock.NowMs())
{
    status_ = &ownStatus_;
}

void AckFrameLayer2::Notify(int code)
{
    if (notifications_ != nullptr)
        notifications_->Put(code);
}

void AckFrameLayer2::Step(bool* receivedWaiting, bool* sendingPending)
{
    *receivedWaiting = false;
    *sendingPending = false;
    if (lost_)
        return;

    if (receiving_ != Receiving::kType && TicksBetween(rxStartTick_, clock_.NowMs()) > timers_.completionMs) {
        receiving_ = Receiving::kType;
        Trace(texts::kFrameIncomplete);
        Notify(kNotifyFrameIncomplete);
    }

    const int count = layer1_.Read(readBuffer_.data(), kMaxFrameSize);
    if (count < 0) {
        if (connected_.load() != 0)
            LoseLink(texts::kLinkLostReadFailure);
        return;
    }
    FeedRead(count);
    if (lost_)
        return;

    UpdateTimers();
    TransmitNext();
    UpdateTimers();

    *receivedWaiting = receiveRing_.Count() > 0;
    *sendingPending = sendRing_.Count() > 0;
}

// Every frame leaves in one write, so a read usually begins on a frame boundary. When a
// frame that began in an earlier read is rejected (it lost a byte, or its length byte was
// damaged), the bytes of this read it swallowed are parsed again from the start of the read.
// Without this, one lost byte makes the frame that follows fail too; two streams of identical
// retransmissions (data one way, acknowledgements of the peer's heartbeats the other) can then
// keep failing each other until the link is declared lost.
void AckFrameLayer2::FeedRead(int count)
{
    bool frameFromEarlierRead = receiving_ != Receiving::kType;
    for (int i = 0; i < count && !lost_; ++i) {
        const bool accepted = Feed(readBuffer_[i]);
        if (!accepted && frameFromEarlierRead) {
            frameFromEarlierRead = false;
            i = -1; // parse this read again from its first byte
            continue;
        }
        if (receiving_ == Receiving::kType)
            frameFromEarlierRead = false;
    }
}

bool AckFrameLayer2::Feed(uint8_t byte)
{
    switch (receiving_) {
    case Receiving::kType:
        rxFrame_[0] = byte;
        rxCrc_ = crc8_ ? Crc8Update(kCrc8Init, byte) : Crc16Update(kCrc16Init, byte);
        rxStartTick_ = clock_.NowMs();
        receiving_ = Receiving::kNumber;
        break;
    case Receiving::kNumber:
        rxFrame_[1] = byte;
        rxCrc_ = crc8_ ? Crc8Update(static_cast<uint8_t>(rxCrc_), byte) : Crc16Update(rxCrc_, byte);
        receiving_ = Receiving::kLength;
        break;
    case Receiving::kLength:
        if (byte > kMaxFramePayload) {
            // Never produced by this protocol and larger than a frame slot: drop at once.
            TraceBytes(texts::kLengthTooLarge, rxFrame_.data(), 2);
            Notify(kNotifyCrcFailed);
            receiving_ = Receiving::kType;
            return false;
        }
        rxFrame_[2] = byte;
        rxCrc_ = crc8_ ? Crc8Update(static_cast<uint8_t>(rxCrc_), byte) : Crc16Update(rxCrc_, byte);
        rxCount_ = 0;
        rxCrcCount_ = 0;
        rxCrcReceived_ = 0;
        receiving_ = byte != 0 ? Receiving::kPayload : Receiving::kCrc;
        break;
    case Receiving::kPayload:
        rxFrame_[kFrameHeaderSize + rxCount_++] = byte;
        rxCrc_ = crc8_ ? Crc8Update(static_cast<uint8_t>(rxCrc_), byte) : Crc16Update(rxCrc_, byte);
        if (rxCount_ == rxFrame_[2])
            receiving_ = Receiving::kCrc;
        break;
    case Receiving::kCrc:
        rxCrcReceived_ = static_cast<uint16_t>((rxCrcReceived_ << 8) | byte);
        if (++rxCrcCount_ == CrcSize(crc8_))
            return FinishFrame();
        break;
    }
    return true;
}

bool AckFrameLayer2::FinishFrame()
{
    receiving_ = Receiving::kType;
    if (rxCrcReceived_ != rxCrc_) {
        TraceBytes(texts::kCrcFailed, rxFrame_.data(), kFrameHeaderSize + rxFrame_[2]);
        Notify(kNotifyCrcFailed);
        return false;
    }
    HandleFrame();
    return true;
}

void AckFrameLayer2::HandleFrame()
{
    status_->Increment(kStatusFramesReceived);
    const uint8_t type = rxFrame_[0];
    const uint8_t number = rxFrame_[1];
    if (connected_.load() != 0) {
        HandleWhileConnected(type, number);
        return;
    }
    if (type != kFrameAck)
        lastReceived_ = number;
    status_->SetLinkState(kLinkConnecting);
    switch (type) {
    case kFrameConnectRequest:
        SendControl(kFrameAck, Numbering::kAcknowledge);
        SendControl(kFrameConnectConfirm, Numbering::kNew);
        break;
    case kFrameAck:
        break;
    case kFrameConnectConfirm:
        SendControl(kFrameAck, Numbering::kAcknowledge);
        SendControl(kFrameConnectConfirm, Numbering::kNew);
        SetConnected(true);
        break;
    default:
        SendControl(kFrameAck, Numbering::kAcknowledge);
        SendControl(kFrameConnectRequest, Numbering::kNew);
        break;
    }
}

void AckFrameLayer2::HandleWhileConnected(uint8_t type, uint8_t number)
{
    if (type == kFrameAck) {
        if (number == lastAssigned_ && waiting_) {
            waiting_ = false;
            retransmitRunning_ = false;
        }
        return;
    }
    if (number == lastReceived_) {
        // A repeat: our acknowledgement was lost. Acknowledge again, deliver nothing.
        SendControl(kFrameAck, Numbering::kAcknowledge);
        return;
    }
    lastReceived_ = number;
    if (type == kFrameConnectRequest) {
        LoseLink(texts::kLinkLostPeerRestart);
    } else if (type == kFrameHeartbeat || type == kFrameConnectConfirm) {
        SendControl(kFrameAck, Numbering::kAcknowledge);
    } else if (IsData(type)) {
        SendControl(kFrameAck, Numbering::kAcknowledge);
        receiveRing_.PushOverwriting(type, rxFrame_.data() + kFrameHeaderSize, rxFrame_[2]);
        status_->Set(kStatusReceiveRing, receiveRing_.Count());
    }
}

void AckFrameLayer2::SendFrame(uint8_t* frame, Numbering numbering)
{
    uint8_t number = lastAssigned_;
    if (numbering == Numbering::kNew) {
        number = static_cast<uint8_t>((lastAssigned_ + 1) % kSequenceCount);
        lastAssigned_ = number;
    } else if (numbering == Numbering::kAcknowledge) {
        number = lastReceived_;
    }
    const int length = SealFrame(frame, number, crc8_);
    layer1_.Write(frame, length);
    status_->Increment(kStatusFramesWritten);
    // An end that awaits the call keeps no heartbeat countdown of its own until the link is up.
    if (connected_.load() != 0 || (frame[0] == kFrameHeartbeat && !awaitCall_)) {
        heartbeatRunning_ = true;
        heartbeatLeft_ = timers_.heartbeatMs;
    }
}

void AckFrameLayer2::SendControl(uint8_t type, Numbering numbering)
{
    txFrame_[0] = type;
    txFrame_[2] = 0;
    SendFrame(txFrame_.data(), numbering);
}

void AckFrameLayer2::StartWaiting()
{
    retries_ = 0;
    waiting_ = true;
    retransmitRunning_ = true;
    retransmitLeft_ = timers_.retransmitMs;
}

void AckFrameLayer2::UpdateTimers()
{
    const uint32_t now = clock_.NowMs();
    const uint32_t elapsed = TicksBetween(lastUpdateTick_, now);
    lastUpdateTick_ = now;
    if (retransmitRunning_)
        retransmitLeft_ = CountDown(retransmitLeft_, elapsed);
    if (heartbeatRunning_)
        heartbeatLeft_ = CountDown(heartbeatLeft_, elapsed);

    if (waiting_ && retransmitRunning_ && retransmitLeft_ == 0) {
        retransmitRunning_ = false;
        ++retries_;
        if (retries_ < kAckFrameTransmissions) {
            status_->Increment(kStatusRetransmissions);
            SendFrame(retransmitCopy_.data(), Numbering::kRepeat);
            retransmitRunning_ = true;
            retransmitLeft_ = timers_.retransmitMs;
        } else if (connected_.load() != 0) {
            LoseLink(texts::kLinkLostRetries);
        }
        return;
    }
    if (heartbeatRunning_ && heartbeatLeft_ == 0) {
        heartbeatRunning_ = false; // sending it restarts the countdown where one applies
        retransmitCopy_[0] = kFrameHeartbeat;
        retransmitCopy_[2] = 0;
        StartWaiting();
        SendFrame(retransmitCopy_.data(), Numbering::kNew);
    }
}

void AckFrameLayer2::TransmitNext()
{
    // Data waits for the link: a data frame sent before the handshake would be taken for a
    // repeat once the link is up and never be delivered.
    if (waiting_ || connected_.load() == 0)
        return;
    if (!sendRing_.Pop(retransmitCopy_.data()))
        return;
    status_->Set(kStatusSendRing, sendRing_.Count());
    StartWaiting();
    SendFrame(retransmitCopy_.data(), Numbering::kNew);
}

int AckFrameLayer2::TakeReceived(uint8_t* buffer, int* length, int* kind)
{
    std::array<uint8_t, kMaxFrameSize> frame;
    if (!receiveRing_.Pop(frame.data()))
        return 0;
    status_->Set(kStatusReceiveRing, receiveRing_.Count());
    *length = frame[2];
    *kind = frame[0] - kFrameDataWhole;
    std::memcpy(buffer, frame.data() + kFrameHeaderSize, frame[2]);
    return 1;
}

int AckFrameLayer2::BytesStillToCome() const
{
    const int crc = CrcSize(crc8_);
    switch (receiving_) {
    case Receiving::kType:
        return 0;
    case Receiving::kNumber:
        return 2 + crc; // number and length, then at least the CRC
    case Receiving::kLength:
        return 1 + crc;
    case Receiving::kPayload:
        return rxFrame_[2] - rxCount_ + crc;
    case Receiving::kCrc:
        return crc - rxCrcCount_;
    }
    return 0;
}

int AckFrameLayer2::MsUntilDeadline() const
{
    if (lost_)
        return -1;
    const uint32_t now = clock_.NowMs();
    const uint32_t sinceUpdate = TicksBetween(lastUpdateTick_, now);
    int64_t earliest = -1;
    auto consider = [&](int64_t ms) { earliest = earliest < 0 ? ms : std::min(earliest, ms); };
    if (waiting_ && retransmitRunning_)
        consider(CountDown(retransmitLeft_, sinceUpdate));
    if (heartbeatRunning_)
        consider(CountDown(heartbeatLeft_, sinceUpdate));
    if (receiving_ != Receiving::kType) {
        // The frame is dropped once more than the time-out has passed since its first byte.
        const uint32_t sinceFirstByte = TicksBetween(rxStartTick_, now);
        consider(sinceFirstByte > timers_.completionMs ? 0 : timers_.completionMs - sinceFirstByte + 1);
    }
    return static_cast<int>(std::min<int64_t>(earliest, std::numeric_limits<int>::max()));
}

int AckFrameLayer2::HasRoom() const
{
    return sendRing_.Count() < FrameRing::kCapacity ? 1 : 0;
}

int AckFrameLayer2::QueuePayload(const uint8_t* data, int length, int kind)
{
    if (length < 0 || length > kMaxFramePayload || kind < kWhole || kind > kLast)
        return 0;
    if (!sendRing_.Push(static_cast<uint8_t>(kFrameDataWhole + kind), data, length))
        return 0;
    status_->Set(kStatusSendRing, sendRing_.Count());
    return 1;
}

void AckFrameLayer2::SetConnected(bool connected)
{
    connected_.store(connected ? 1 : 0);
    status_->SetLinkState(connected ? kLinkUp : kLinkDown);
    if (connected && !heartbeatRunning_) {
        // An end that awaited the call keeps the link alive from now on.
        heartbeatRunning_ = true;
        heartbeatLeft_ = timers_.heartbeatMs;
    }
    if (connected)
        Trace(texts::kLinkUp);
}

void AckFrameLayer2::LoseLink(const char* reason)
{
    Trace(reason);
    lost_ = true;
    waiting_ = false;
    retransmitRunning_ = false;
    lastReceived_ = kNoSequence;
    lastAssigned_ = 0;
    sendRing_.Clear();
    receiveRing_.Clear();
    status_->Set(kStatusSendRing, 0);
    status_->Set(kStatusReceiveRing, 0);
    connected_.store(0);
    status_->SetLinkState(kLinkDown);
}

} // namespace comms
