#include "comms/Session.h"

#include <cstring>

#include "comms/EventQueue.h"
#include "comms/Layer1.h"
#include "comms/Layer2.h"
#include "comms/ResultCodes.h"
#include "comms/Trace.h"
#include "comms/TraceTexts.h"

namespace comms {

void Session::StepReport::Reset()
{
    link = Link::kUnchanged;
    generation = 0;
    announcedLength = -1;
    sentLengths.clear();
    payloadsQueued = 0;
    idle = true;
}

Session::Session(int maxMessageSize, EventQueue& events)
    : maxMessageSize_(maxMessageSize), events_(events), sendBuffer_(static_cast<size_t>(maxMessageSize)),
      reassembly_(static_cast<size_t>(maxMessageSize))
{
}

void Session::Attach(Layer2* layer2, Layer1* layer1, uint64_t generation)
{
    layer2_ = layer2;
    layer1_ = layer1;
    generation_ = generation;
    lastLinkState_ = 0;
    payload_.resize(static_cast<size_t>(layer2->LargestPayload()));
    connected_.store(true);
}

void Session::Detach()
{
    connected_.store(false);
    layer2_ = nullptr;
    layer1_ = nullptr;
    lastLinkState_ = 0;
    fragmentSize_ = kInitialFragmentSize;
}

bool Session::LinkDown() const
{
    return layer2_ != nullptr && layer2_->LinkState() == 0;
}

void Session::Clear()
{
    sendStore_.Clear();
    receiveStore_.Clear();
    sending_ = false;
    sendOffset_ = 0;
    sendTotal_ = 0;
    reassembling_ = false;
    reassembled_ = 0;
}

void Session::Step(StepReport* report)
{
    report->Reset();
    report->generation = generation_;
    if (layer2_ == nullptr)
        return;

    if (layer1_->broken.load() && !layer1_->failureReported.load()) {
        layer1_->failureReported = true;
        report->link = StepReport::Link::kDown;
        return;
    }

    const int state = layer2_->LinkState();
    if (state != lastLinkState_) {
        lastLinkState_ = state;
        if (state == 0) {
            report->link = StepReport::Link::kDown;
            return;
        }
        report->link = StepReport::Link::kUp;
    }

    int length = 0;
    if (receiveStore_.AnnounceNext(&length)) {
        report->announcedLength = length;
        if (receiveStore_.Unannounced() > 0)
            report->idle = false;
    }

    SendPending(report);
    if (sending_ || sendStore_.Count() > 0)
        report->idle = false;
}

void Session::SendPending(StepReport* report)
{
    while (layer2_->HasRoom() != 0) {
        if (!sending_) {
            int length = 0;
            if (sendStore_.Take(sendBuffer_.data(), maxMessageSize_, &length) !=
                MessageStore::TakeResult::kTaken)
                return;
            sending_ = true;
            sendOffset_ = 0;
            sendTotal_ = length;
        }
        const int rest = sendTotal_ - sendOffset_;
        int piece = rest;
        int kind = kWhole;
        if (sendOffset_ == 0) {
            if (rest > fragmentSize_) {
                piece = fragmentSize_;
                kind = kFirst;
            }
        } else if (rest > fragmentSize_) {
            piece = fragmentSize_;
            kind = kMiddle;
        } else {
            kind = kLast;
        }
        if (layer2_->QueuePayload(sendBuffer_.data() + sendOffset_, piece, kind) == 0) {
            // Refused although it reported room: the piece stays and is offered on the next step.
            events_.Put(kEventPayloadRefused);
            return;
        }
        ++report->payloadsQueued;
        sendOffset_ += piece;
        if (sendOffset_ == sendTotal_) {
            sending_ = false;
            report->sentLengths.push_back(sendTotal_);
        }
    }
}

bool Session::Pull()
{
    if (layer2_ == nullptr)
        return false;
    bool stored = false;
    int length = 0;
    int kind = 0;
    while (layer2_->TakeReceived(payload_.data(), &length, &kind) != 0) {
        switch (kind) {
        case kWhole:
            // Longer than the maximum, it could never be received and would block every
            // message behind it.
            if (length > maxMessageSize_) {
                Trace(texts::kMessageTooLong);
            } else if (length > 0) {
                StoreReceived(payload_.data(), length);
                stored = true;
            }
            break;
        case kFirst:
            reassembling_ = true;
            reassembled_ = 0;
            [[fallthrough]];
        case kMiddle:
        case kLast:
            if (!reassembling_) {
                Trace(texts::kOrphanFragment);
                break;
            }
            if (reassembled_ + length > maxMessageSize_) {
                Trace(texts::kReassemblyOverflow);
                reassembling_ = false;
                break;
            }
            std::memcpy(reassembly_.data() + reassembled_, payload_.data(), static_cast<size_t>(length));
            reassembled_ += length;
            if (kind == kLast) {
                // Empty fragments joined make no message, just as an empty whole payload.
                if (reassembled_ > 0) {
                    StoreReceived(reassembly_.data(), reassembled_);
                    stored = true;
                }
                reassembling_ = false;
                reassembled_ = 0;
            }
            break;
        default:
            break;
        }
    }
    return stored;
}

void Session::StoreReceived(const uint8_t* data, int length)
{
    if (!receiveStore_.Store(data, length))
        events_.Put(kEventReceiveStoreFailed);
}

} // namespace comms
