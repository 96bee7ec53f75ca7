// Builds the Layer1 transport of a type number for Nimb::Connect.
#pragma once

#include <memory>

#include "comms/Layer1.h"

namespace comms {

// Returns the transport of `type` built from `params`, or nullptr. A constructor may report a
// code of its own through ctorResult (0 otherwise); Connect then destroys the object and
// returns that code. nullptr with ctorResult == kErrUnknownLayer1 means an unknown type;
// nullptr with another code means the transport cannot be built here.
// acceptedSocket (may be null) is the heap-held handle of an already connected socket that
// the socket transports (types 2 and 5) take over.
std::unique_ptr<Layer1> CreateLayer1(int type, const char* params, int* ctorResult, int* acceptedSocket);

} // namespace comms
