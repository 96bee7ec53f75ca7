#include "comms/EventQueue.h"

namespace comms {

void EventQueue::Put(int code, int value)
{
    {
        std::lock_guard lock(mutex_);
        ring_.Put(Entry{code, value});
    }
    if (onPut_)
        onPut_();
}

bool EventQueue::Take(int* code, int* value)
{
    std::lock_guard lock(mutex_);
    Entry entry;
    if (!ring_.Take(&entry))
        return false;
    *code = entry.code;
    *value = entry.value;
    return true;
}

int EventQueue::Count() const
{
    std::lock_guard lock(mutex_);
    return ring_.Count();
}

void NotifyQueue::Put(int code)
{
    {
        std::lock_guard lock(mutex_);
        ring_.Put(code);
    }
    if (onPut_)
        onPut_();
}

bool NotifyQueue::Take(int* code)
{
    std::lock_guard lock(mutex_);
    return ring_.Take(code);
}

int NotifyQueue::Count() const
{
    std::lock_guard lock(mutex_);
    return ring_.Count();
}

} // namespace comms
