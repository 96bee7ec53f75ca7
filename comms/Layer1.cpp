#include "comms/Layer1.h"

#include "comms/EventQueue.h"

namespace comms {

void Layer1::AttachQueues(EventQueue* events, NotifyQueue* notifications)
{
    std::vector<std::pair<int, int>> heldEvents;
    std::vector<int> heldNotifications;
    {
        std::lock_guard lock(queueMutex_);
        events_ = events;
        notifications_ = notifications;
        heldEvents.swap(heldEvents_);
        heldNotifications.swap(heldNotifications_);
    }
    for (const auto& [code, value] : heldEvents)
        PostEvent(code, value);
    for (int code : heldNotifications)
        PostNotify(code);
}

void Layer1::PostEvent(int code, int value)
{
    std::unique_lock lock(queueMutex_);
    if (events_ == nullptr) {
        heldEvents_.emplace_back(code, value);
        return;
    }
    EventQueue* events = events_;
    lock.unlock();
    events->Put(code, value);
}

void Layer1::PostNotify(int code)
{
    std::unique_lock lock(queueMutex_);
    if (notifications_ == nullptr) {
        heldNotifications_.push_back(code);
        return;
    }
    NotifyQueue* notifications = notifications_;
    lock.unlock();
    notifications->Put(code);
}

} // namespace comms
