// The narrow seam between a transfer session and the communications library. CslNimb is the
// real one; tests put a fake in its place and feed the session its notifications themselves.
#pragma once

#include "comms/LinkSettings.h"
#include "comms/OpenFailure.h"
#include "comms/ResultCodes.h"
#include "transfer/DesksetMessage.h"

#include <optional>
#include <string>

namespace trv::transfer {

class LinkTrace;

class DesksetLink {
public:
    virtual ~DesksetLink() = default;

    // Connect(Layer2 type 0, no parameters, Layer1 type 0, serialParams) under these machine
    // settings (the device of each COMn, the thread priorities).
    virtual comms::Result connectSerial(const std::string& serialParams,
                                        const comms::LinkSettings& settings) = 0;
    // Why the port of the last connectSerial could not be opened, when the transport knew.
    virtual std::optional<comms::OpenFailure> lastOpenFailure() const { return std::nullopt; }
    virtual void disconnect() = 0;
    // Hands one message to the library's send store.
    virtual comms::Result send(const DesksetMessage& message) = 0;
    // Messages still in the send store plus frames still in the link's send ring; nothing while
    // not connected.
    virtual std::optional<int> messagesNotYetSent() const = 0;
    // Every frame of later connections goes to the trace as well (null: none).
    virtual void setTrace(LinkTrace*) {}
};

} // namespace trv::transfer
