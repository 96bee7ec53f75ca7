// The communications library's machine settings, filled from the settings store: each COMn's
// device as the machine settings resolve it, and the thread priorities. Read again before every
// connection attempt, so that a mapping changed in the meantime (the COM Port dialog, trvctl,
// machine.ini) applies to the next attempt.
#pragma once

#include "comms/LinkSettings.h"

namespace trv::transfer {

struct LinkConfig {
    static comms::LinkSettings load();
};

} // namespace trv::transfer
