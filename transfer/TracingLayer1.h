// A transport that passes everything to another one and shows every byte that goes over the line
// to a LinkTrace. The wrapped transport's events and failures reach the connection manager as
// its own.
#pragma once

#include "comms/EventQueue.h"
#include "comms/Layer1.h"

#include <memory>

namespace trv::transfer {

class LinkTrace;

class TracingLayer1 final : public comms::Layer1 {
public:
    TracingLayer1(std::unique_ptr<comms::Layer1> inner, LinkTrace& trace);
    ~TracingLayer1() override = default;

    int IsAttached() override { return pass(inner_->IsAttached()); }
    int BaudRate() override { return inner_->BaudRate(); }
    int FreeRoom() override { return pass(inner_->FreeRoom()); }
    int BytesWaiting() override { return pass(inner_->BytesWaiting()); }
    int Open() override { return pass(inner_->Open()); }
    void Close() override { inner_->Close(); }
    int Write(const std::uint8_t* data, int length) override;
    int Read(std::uint8_t* buffer, int max) override;
    int PollFd() const override { return inner_->PollFd(); }
    bool RunsWithoutCommLink() const override { return inner_->RunsWithoutCommLink(); }
    void SetOwner(comms::Nimb* owner) override { inner_->SetOwner(owner); }
    bool HasOwnWait() const override { return inner_->HasOwnWait(); }
    void WaitForInput(int timeoutMs) override { inner_->WaitForInput(timeoutMs); }
    void InterruptWait() override { inner_->InterruptWait(); }
    int MsUntilDeadline() override { return inner_->MsUntilDeadline(); }
    std::optional<comms::OpenFailure> LastOpenFailure() const override { return inner_->LastOpenFailure(); }

private:
    // A failure of the wrapped transport is this transport's failure.
    int pass(int result)
    {
        if (inner_->broken.load())
            broken = true;
        return result;
    }
    void forwardEvents();
    void forwardNotifications();

    LinkTrace& trace_;
    comms::EventQueue innerEvents_;
    comms::NotifyQueue innerNotifications_;
    std::unique_ptr<comms::Layer1> inner_;
};

} // namespace trv::transfer
