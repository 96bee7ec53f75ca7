#include "comms/ThreadPriority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace comms {

int NiceValueForPriority(int priority)
{
    if (priority >= 15)
        return -20;
    if (priority <= -15)
        return 19;
    if (priority > 2)
        priority = 2;
    if (priority < -2)
        priority = -2;
    return -5 * priority; // 2 -> -10, 1 -> -5, 0 -> 0, -1 -> 5, -2 -> 10
}

bool ApplyThreadPriority(int priority)
{
    const auto thread = static_cast<id_t>(::syscall(SYS_gettid));
    return ::setpriority(PRIO_PROCESS, thread, NiceValueForPriority(priority)) == 0;
}

} // namespace comms
