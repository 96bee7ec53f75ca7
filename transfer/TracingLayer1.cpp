#include "transfer/TracingLayer1.h"

#include "transfer/LinkTrace.h"

namespace trv::transfer {

TracingLayer1::TracingLayer1(std::unique_ptr<comms::Layer1> inner, LinkTrace& trace)
    : trace_(trace), innerEvents_([this] { forwardEvents(); }),
      innerNotifications_([this] { forwardNotifications(); }), inner_(std::move(inner))
{
    // Events the transport posted while it was built are delivered now, and held by this one
    // until the connection manager attaches its queues.
    inner_->AttachQueues(&innerEvents_, &innerNotifications_);
}

int TracingLayer1::Write(const std::uint8_t* data, int length)
{
    const int written = pass(inner_->Write(data, length));
    if (written > 0)
        trace_.bytes(TraceDirection::Sent, data, written);
    return written;
}

int TracingLayer1::Read(std::uint8_t* buffer, int max)
{
    const int read = pass(inner_->Read(buffer, max));
    if (read > 0)
        trace_.bytes(TraceDirection::Received, buffer, read);
    return read;
}

void TracingLayer1::forwardEvents()
{
    int code = 0;
    int value = 0;
    while (innerEvents_.Take(&code, &value))
        PostEvent(code, value);
}

void TracingLayer1::forwardNotifications()
{
    int code = 0;
    while (innerNotifications_.Take(&code))
        PostNotify(code);
}

} // namespace trv::transfer
