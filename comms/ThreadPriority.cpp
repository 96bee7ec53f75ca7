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

int CurrentThreadId()
{
    return static_cast<int>(::syscall(SYS_gettid));
}

bool ApplyThreadPriority(int priority)
{
    return ApplyThreadPriority(CurrentThreadId(), priority);
}

bool ApplyThreadPriority(int threadId, int priority)
{
    return threadId > 0 &&
           ::setpriority(PRIO_PROCESS, static_cast<id_t>(threadId), NiceValueForPriority(priority)) == 0;
}

} // namespace comms
