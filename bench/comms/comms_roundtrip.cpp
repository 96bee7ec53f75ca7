// Measures the acknowledged frame link between two Nimb ends over the in-process test
// transport: acknowledged 250-byte messages per second one way, CPU seconds per 1,000
// messages, and the CPU an idle connected pair uses over 10 seconds.
//
// Usage: comms_roundtrip [messages]   (default 20000)
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "bench/support/BenchNimb.h"
#include "comms/AckFrameLayer2.h"
#include "comms/Nimb.h"
#include "comms/testing/TestTransport.h"

namespace {

using Clock = std::chrono::steady_clock;

using bench::BenchNimb;
using bench::ProcessCpuSeconds;

// An idle connected pair wakes only for its heartbeats.
constexpr double kIdleTargetPercent = 0.3;

} // namespace

int main(int argc, char** argv)
{
    const int messages = argc > 1 ? std::atoi(argv[1]) : 20000;
    if (messages <= 0) {
        std::fprintf(stderr, "comms_roundtrip: the message count must be a positive number\n");
        return 2;
    }

    BenchNimb sender;
    BenchNimb receiver;
    auto wire = comms::testing::MakeTestTransportPair();
    // The receiver waits to be called, so the sender's first heartbeat opens the link and
    // no heartbeat of the receiver's can cross it.
    if (receiver.Connect(0, comms::kOptionAwaitCall, std::move(wire.b)) != comms::Result::Ok) {
        std::fprintf(stderr, "comms_roundtrip: could not connect the test transport\n");
        return 1;
    }
    if (sender.Connect(0, nullptr, std::move(wire.a)) != comms::Result::Ok) {
        std::fprintf(stderr, "comms_roundtrip: could not connect the test transport\n");
        return 1;
    }
    std::printf("waiting for the link to open...\n");
    if (!sender.WaitFor(sender.connects, 1, std::chrono::seconds(15)) ||
        !receiver.WaitFor(receiver.connects, 1, std::chrono::seconds(15))) {
        std::fprintf(stderr, "comms_roundtrip: the link did not open\n");
        return 1;
    }

    std::vector<uint8_t> message(250);
    for (size_t i = 0; i < message.size(); ++i)
        message[i] = static_cast<uint8_t>(i);
    const double cpuStart = ProcessCpuSeconds();
    const auto start = Clock::now();
    for (int i = 0; i < messages; ++i) {
        message[0] = static_cast<uint8_t>(i);
        if (sender.Send(message.data(), 250) != comms::Result::Ok) {
            std::fprintf(stderr, "comms_roundtrip: Send failed\n");
            return 1;
        }
    }
    if (!receiver.WaitFor(receiver.received, messages, std::chrono::seconds(600))) {
        std::fprintf(stderr, "comms_roundtrip: only %d of %d messages arrived\n", receiver.received.load(),
                     messages);
        return 1;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double cpu = ProcessCpuSeconds() - cpuStart;
    comms::LinkStatus status;
    sender.GetLinkStatus(&status);

    std::printf("acknowledged 250-byte messages one way: %d in %.3f s = %.0f messages/s\n", messages, seconds,
                messages / seconds);
    std::printf("CPU per 1,000 messages (both ends, all threads): %.4f s\n", cpu * 1000.0 / messages);
    std::printf("retransmissions: %d\n", status[comms::kStatusRetransmissions]);

    const double idleCpuStart = ProcessCpuSeconds();
    const auto idleStart = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(10));
    const double idleSeconds = std::chrono::duration<double>(Clock::now() - idleStart).count();
    const double idleCpu = ProcessCpuSeconds() - idleCpuStart;
    const double idlePercent = 100.0 * idleCpu / idleSeconds;
    std::printf(
        "idle connected pair: %.4f CPU s over %.1f s = %.3f %% of one core (target: under %.1f %%: %s)\n",
        idleCpu, idleSeconds, idlePercent, kIdleTargetPercent,
        idlePercent < kIdleTargetPercent ? "met" : "MISSED");
    return 0;
}
