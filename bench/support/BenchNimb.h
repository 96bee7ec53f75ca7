// Pieces every communications benchmark uses: the process's CPU time, and a Nimb that counts
// connections and received messages and lets the benchmark wait for a count.
#pragma once

#include "comms/Nimb.h"

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace bench {

inline double ProcessCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

class BenchNimb final : public comms::Nimb {
public:
    BenchNimb() : Nimb(250) {}
    ~BenchNimb() override { Shutdown(); }

    bool WaitFor(const std::atomic<int>& counter, int target, std::chrono::seconds limit)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, limit, [&] { return counter.load() >= target; });
    }

    std::atomic<int> connects{0};
    std::atomic<int> received{0};

protected:
    void OnConnect() override { Bump(connects); }
    void OnReceive(int) override
    {
        std::uint8_t buffer[250];
        int length = 0;
        if (Receive(buffer, sizeof buffer, &length) == comms::Result::Ok)
            Bump(received);
    }

private:
    void Bump(std::atomic<int>& counter)
    {
        {
            std::lock_guard lock(mutex_);
            ++counter;
        }
        changed_.notify_all();
    }
    std::mutex mutex_;
    std::condition_variable changed_;
};

} // namespace bench
