#include "comms/Clock.h"

#include <chrono>

namespace comms {

uint32_t SteadyClock::NowMs() const
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<uint32_t>(ms.count());
}

Clock& SystemClock()
{
    static SteadyClock clock;
    return clock;
}

} // namespace comms
