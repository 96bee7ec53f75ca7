// Builds the Layer1 transport of a type number for Nimb::Connect.
#pragma once

#include <memory>

#include "comms/Layer1.h"
#include "comms/LinkSettings.h"
#include "comms/ResultCodes.h"

namespace comms {

// Returns the transport of `type` built from `params`, or nullptr. A constructor may report a
// result of its own through ctorResult (Ok otherwise); Connect then destroys the object and
// returns that result. nullptr with UnknownLayer1 means an unknown type. The serial transports
// (types 0 and 4) find the device of their COM port in `settings`.
// acceptedSocket (may be null) is the heap-held handle of an already connected socket that
// the socket transports (types 2 and 5) take over.
std::unique_ptr<Layer1> CreateLayer1(int type, const char* params, const LinkSettings& settings,
                                     Result* ctorResult, int* acceptedSocket);

} // namespace comms
