#include "comms/Layer1Factory.h"

#include "comms/ResultCodes.h"
#include "comms/SerialLayer1.h"

namespace comms {

std::unique_ptr<Layer1> CreateLayer1(int type, const char* params, int* ctorResult, int* acceptedSocket) {
  (void)params;
  (void)acceptedSocket;
  *ctorResult = kOk;
  switch (type) {
    case kLayer1Serial: return std::make_unique<SerialLayer1>(params);
    case kLayer1Pipe:
    case kLayer1Socket:
    case kLayer1SharedMemory:
    case kLayer1Modem:
    case kLayer1Multicast:
      // Known transports that this build does not contain cannot be opened.
      *ctorResult = kErrLayer1OpenFailed;
      return nullptr;
    default:
      *ctorResult = kErrUnknownLayer1;
      return nullptr;
  }
}

}  // namespace comms
