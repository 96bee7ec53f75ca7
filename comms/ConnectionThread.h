// The connection thread of the pipe and socket transports: it only makes the connection.
// It waits on descriptors with poll() together with a wake-up eventfd, so Stop() ends any
// wait at once; the thread is stopped cooperatively and joined, never killed.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include "comms/UniqueFd.h"

namespace comms {

class ConnectionThread {
public:
    enum class Wait { Ready, Stopped, TimedOut, Failed };

    ConnectionThread();
    ~ConnectionThread();
    ConnectionThread(const ConnectionThread&) = delete;
    ConnectionThread& operator=(const ConnectionThread&) = delete;

    // False when the wake-up descriptor could not be created; Start then fails.
    bool Usable() const { return wake_.Valid(); }
    // Runs body on a new thread; false when no thread could be started.
    bool Start(std::function<void(ConnectionThread&)> body);
    // Asks the body to end, wakes it and joins it. Safe to call when not running, and from
    // the body's own thread (it then only asks).
    void Stop();
    bool Running() const { return thread_.joinable(); }

    // For the body: true once Stop was called.
    bool StopRequested() const { return stop_.load(); }
    // For the body: waits until fd shows one of events (POLLIN, POLLOUT), Stop is called, or
    // timeoutMs pass; fd -1 waits for Stop or the time-out only. errno is kept on Failed.
    Wait WaitFor(int fd, short events, int timeoutMs);
    // For the body: waits timeoutMs; false when stopped meanwhile.
    bool Pause(int timeoutMs) { return WaitFor(-1, 0, timeoutMs) != Wait::Stopped; }

private:
    UniqueFd wake_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace comms
