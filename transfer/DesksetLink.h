// The narrow seam between a transfer session and the communications library. CslNimb is the
// real one; tests put a fake in its place and feed the session its notifications themselves.
#pragma once

#include "transfer/DesksetMessage.h"

#include <optional>
#include <string>

namespace trv::transfer {

class LinkTrace;

class DesksetLink {
public:
    virtual ~DesksetLink() = default;

    // Connect(Layer2 type 0, no parameters, Layer1 type 0, serialParams); a library result code.
    virtual int connectSerial(const std::string& serialParams) = 0;
    virtual void disconnect() = 0;
    // Hands one message to the library's send store; a library result code.
    virtual int send(const DesksetMessage& message) = 0;
    // Messages still in the send store plus frames still in the link's send ring; nothing while
    // not connected.
    virtual std::optional<int> messagesNotYetSent() const = 0;
    // Every frame of later connections goes to the trace as well (null: none).
    virtual void setTrace(LinkTrace*) {}
};

} // namespace trv::transfer
