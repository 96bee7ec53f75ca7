#include "database/SignallingFlags.h"

namespace trv::db {

void SignallingFlags::recompute(const Image& image)
{
    for (int c = 0; c < kChannels.count; ++c) {
        const std::uint8_t type = image[kChannels.record(c) + channel::kSignalingType];
        statAlertAreaValid[c] = type == channel::kSignalingStatAlert ? 1 : 0;
        dtmfAreaValid[c] =
            type == channel::kSignalingDtmfDecode || type == channel::kSignalingDtmfSelectiveCall ? 1 : 0;
    }
}

void SignallingFlags::clear()
{
    statAlertAreaValid.fill(0);
    dtmfAreaValid.fill(0);
}

SignallingFlags& signallingFlags()
{
    static SignallingFlags flags;
    return flags;
}

} // namespace trv::db
