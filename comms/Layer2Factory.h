// Builds the Layer2 link protocol of a type number for Nimb::Connect.
#pragma once

#include <memory>

#include "comms/Layer2.h"

namespace comms {

class Clock;
class Layer1;

// Type 0 is the acknowledged frame link. Types 1 to 18 are further link protocols that this
// library does not contain; they and every unknown type give nullptr.
std::unique_ptr<Layer2> CreateLayer2(int type, Layer1& layer1, const char* params, Clock& clock);

} // namespace comms
