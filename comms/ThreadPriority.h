// Thread priorities of the library, as the settings store them: -2 lowest, -1 below normal,
// 0 normal, 1 above normal, 2 highest, 15 time critical, -15 idle. On Linux each maps to a
// nice value of the calling thread, applied best effort (raising priority usually needs a
// privilege; without it the thread simply stays where it is).
#pragma once

#include "comms/LinkSettings.h"

namespace comms {

int NiceValueForPriority(int priority);

// The kernel's id of the calling thread, for ApplyThreadPriority from another thread.
int CurrentThreadId();

// Applies to the calling thread, or to the thread with that id; true when the nice value was
// applied.
bool ApplyThreadPriority(int priority);
bool ApplyThreadPriority(int threadId, int priority);

} // namespace comms
