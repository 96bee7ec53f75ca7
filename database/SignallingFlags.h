// Per-channel signalling flags: run-time state derived from each channel's signalingType,
// never stored in the image.
#pragma once

#include "database/Image.h"

#include <array>
#include <cstdint>

namespace trv::db {

struct SignallingFlags {
    std::array<std::uint8_t, 4> statAlertAreaValid{};
    std::array<std::uint8_t, 4> dtmfAreaValid{};

    // After a database was opened from a file or received from a deskset.
    void recompute(const Image& image = theImage());
    // When a new database is created.
    void clear();
};

// The flags of the one open database.
SignallingFlags& signallingFlags();

} // namespace trv::db
