// Thread priorities of the library, as the settings store them: -2 lowest, -1 below normal,
// 0 normal, 1 above normal, 2 highest, 15 time critical, -15 idle. On Linux each maps to a
// nice value of the calling thread, applied best effort (raising priority usually needs a
// privilege; without it the thread simply stays where it is).
#pragma once

namespace comms {

inline constexpr int kPriorityNormal = 0;
inline constexpr int kDefaultSessionThreadPriority = 1;

int NiceValueForPriority(int priority);

// Returns true when the nice value was applied.
bool ApplyThreadPriority(int priority);

} // namespace comms
