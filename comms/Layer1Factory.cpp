#include "comms/Layer1Factory.h"

#include "comms/CModemLayer1.h"
#include "comms/MulticastLayer1.h"
#include "comms/PipeLayer1.h"
#include "comms/ResultCodes.h"
#include "comms/SerialLayer1.h"
#include "comms/SharedMemoryLayer1.h"
#include "comms/SocketLayer1.h"

namespace comms {

std::unique_ptr<Layer1> CreateLayer1(int type, const char* params, const LinkSettings& settings,
                                     Result* ctorResult, int* acceptedSocket)
{
    *ctorResult = Result::Ok;
    switch (type) {
    case kLayer1Serial:
        return std::make_unique<SerialLayer1>(params, settings);
    case kLayer1Pipe:
        return std::make_unique<PipeLayer1>(params);
    case kLayer1Socket:
        return std::make_unique<SocketLayer1>(params, ctorResult, acceptedSocket);
    case kLayer1SharedMemory:
        return std::make_unique<SharedMemoryLayer1>(params);
    case kLayer1Modem:
        return std::make_unique<CModemLayer1>(params, settings);
    case kLayer1Multicast:
        return std::make_unique<MulticastLayer1>(params, ctorResult, acceptedSocket);
    default:
        *ctorResult = Result::UnknownLayer1;
        return nullptr;
    }
}

} // namespace comms
