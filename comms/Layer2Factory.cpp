#include "comms/Layer2Factory.h"

#include "comms/AckFrameLayer2.h"
#include "comms/ResultCodes.h"

namespace comms {

std::unique_ptr<Layer2> CreateLayer2(int type, Layer1& layer1, const char* params, Clock& clock)
{
    switch (type) {
    case kLayer2AckFrame:
        return std::make_unique<AckFrameLayer2>(layer1, params, clock);
    default:
        return nullptr;
    }
}

} // namespace comms
