// Measures the transports of the communications library under the acknowledged frame link:
// for each of pipe, socket, shared memory and multicast (loop-back on, own datagrams filtered)
// two Nimb ends in this process send 250-byte messages one way; printed are acknowledged
// messages per second, CPU seconds per 1,000 messages, and the CPU the connected idle pair
// uses over 5 seconds.
//
// Usage: transport_throughput [messages]   (default 2000)
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bench/support/BenchNimb.h"
#include "comms/MulticastLayer1.h"
#include "comms/Nimb.h"
#include "comms/ResultCodes.h"

namespace {

using SteadyTime = std::chrono::steady_clock;

using bench::BenchNimb;
using bench::ProcessCpuSeconds;

struct Transport {
    const char* name;
    double targetPerSecond; // acknowledged messages per second it must reach; 0: none
    // Connects the sender and the receiver; false when either end could not be built.
    std::function<bool(BenchNimb& sender, BenchNimb& receiver)> connect;
};

std::string Unique(const char* stem)
{
    return std::string(stem) + std::to_string(::getpid());
}

// The second end starts a little later, as two programs do: ends whose first heartbeats fall
// together can fail to open the link.
void Stagger()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
}

bool ConnectPair(BenchNimb& a, int type, const std::string& paramsA, BenchNimb& b, const std::string& paramsB)
{
    if (a.Connect(0, nullptr, type, paramsA.c_str()) != comms::Result::Ok)
        return false;
    Stagger();
    return b.Connect(0, nullptr, type, paramsB.c_str()) == comms::Result::Ok;
}

std::unique_ptr<comms::Layer1> LoopbackMember(const std::string& params)
{
    comms::Result result = comms::Result::Ok;
    auto member = std::make_unique<comms::MulticastLayer1>(params.c_str(), &result);
    member->KeepLoopback(true);
    return member;
}

void Measure(const Transport& transport, int messages)
{
    BenchNimb sender;
    BenchNimb receiver;
    if (!transport.connect(sender, receiver) ||
        !sender.WaitFor(sender.connects, 1, std::chrono::seconds(20)) ||
        !receiver.WaitFor(receiver.connects, 1, std::chrono::seconds(20))) {
        std::printf("%-14s could not connect\n", transport.name);
        return;
    }
    std::vector<uint8_t> message(250);
    for (size_t i = 0; i < message.size(); ++i)
        message[i] = static_cast<uint8_t>(i * 13);
    const double cpuBefore = ProcessCpuSeconds();
    const auto start = SteadyTime::now();
    for (int i = 0; i < messages; ++i)
        sender.Send(message.data(), static_cast<int>(message.size()));
    const bool done = receiver.WaitFor(receiver.received, messages, std::chrono::seconds(300));
    const double seconds = std::chrono::duration<double>(SteadyTime::now() - start).count();
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    const double idleBefore = ProcessCpuSeconds();
    std::this_thread::sleep_for(std::chrono::seconds(5));
    const double idle = ProcessCpuSeconds() - idleBefore;
    const double perSecond = receiver.received.load() / seconds;
    std::printf("%-14s %s %6d messages in %6.2f s: %8.1f messages/s, %.3f CPU s per 1000, idle pair %.3f CPU "
                "s / 5 s\n",
                transport.name, done ? "ok  " : "LOST", receiver.received.load(), seconds, perSecond,
                cpu * 1000.0 / messages, idle);
    if (transport.targetPerSecond > 0)
        std::printf("%-14s target: at least %.0f messages/s: %s\n", transport.name, transport.targetPerSecond,
                    done && perSecond >= transport.targetPerSecond ? "met" : "MISSED");
}

} // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int messages = argc > 1 ? std::atoi(argv[1]) : 2000;
    const std::string pipe = "\\\\.\\pipe\\" + Unique("bench");
    const int port = 47000 + ::getpid() % 1000;
    const std::string group = "MULTICAST_MEMBER 239.77.1.1 " + std::to_string(port + 1);
    const Transport transports[] = {
        {"pipe", 0,
         [&](BenchNimb& a, BenchNimb& b) {
             return ConnectPair(a, 1, "SERVER " + pipe, b, "CLIENT " + pipe);
         }},
        {"socket", 0,
         [&](BenchNimb& a, BenchNimb& b) {
             return ConnectPair(a, 2, "SERVER " + std::to_string(port), b,
                                "CLIENT IP 127.0.0.1 " + std::to_string(port));
         }},
        // Its ends wake on each other's writes (a futex in the segment), not by polling.
        {"shared memory", 5000,
         [&](BenchNimb& a, BenchNimb& b) { return ConnectPair(a, 3, Unique("bench"), b, Unique("bench")); }},
        {"multicast", 0,
         [&](BenchNimb& a, BenchNimb& b) {
             if (a.Connect(0, nullptr, LoopbackMember(group)) != comms::Result::Ok)
                 return false;
             Stagger();
             return b.Connect(0, nullptr, LoopbackMember(group)) == comms::Result::Ok;
         }},
    };
    for (const auto& transport : transports)
        Measure(transport, messages);
    return 0;
}
