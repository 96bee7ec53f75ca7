// A test transport: two connected in-process Layer1 ends over a Unix socket pair, with
// seeded fault injection on the bytes each end writes. Tests and benchmarks hand the ends to
// Nimb::Connect(layer2Type, params, std::move(end)) and keep the FaultControl to change the
// faults while the link runs.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <random>
#include <vector>

#include "comms/Layer1.h"

namespace comms::testing {

struct FaultSettings {
    double dropProbability = 0.0;         // each written byte is lost with this probability
    double flipProbability = 0.0;         // each written byte gets one random bit pattern XORed in
    double corruptWriteProbability = 0.0; // each write gets one of its bytes changed
    uint32_t seed = 1;
};

// Fault state of one direction; shared between the test and the end that writes.
class FaultControl {
public:
    void Set(const FaultSettings& settings);
    // A silent end swallows everything it writes (and reports it as written).
    void SetSilent(bool silent);
    bool Silent() const;

    // Applies the faults to one write; returns the bytes that reach the wire.
    void Apply(const uint8_t* data, int length, std::vector<uint8_t>* out);

    uint64_t BytesDropped() const;
    uint64_t BytesChanged() const;

private:
    mutable std::mutex mutex_;
    FaultSettings settings_;
    std::mt19937 random_{1};
    bool silent_ = false;
    uint64_t dropped_ = 0;
    uint64_t changed_ = 0;
};

class TestLayer1 final : public Layer1 {
public:
    TestLayer1(int fd, int baudRate, std::shared_ptr<FaultControl> faults);
    ~TestLayer1() override;

    int IsAttached() override { return 1; }
    int BaudRate() override { return baudRate_; }
    int FreeRoom() override;
    int BytesWaiting() override;
    int Open() override;
    void Close() override;
    int Write(const uint8_t* data, int length) override;
    int Read(uint8_t* buffer, int max) override;
    int PollFd() const override { return fd_; }

    // Makes Open answer this code (0 by default).
    void SetOpenResult(int result) { openResult_ = result; }
    FaultControl& Faults() { return *faults_; }
    std::shared_ptr<FaultControl> SharedFaults() const { return faults_; }

private:
    int fd_;
    int baudRate_;
    int openResult_ = 0;
    std::shared_ptr<FaultControl> faults_;
    std::vector<uint8_t> scratch_;
};

struct TestTransportPair {
    std::unique_ptr<TestLayer1> a;
    std::unique_ptr<TestLayer1> b;
    std::shared_ptr<FaultControl> faultsA; // faults on what a writes
    std::shared_ptr<FaultControl> faultsB; // faults on what b writes
};

TestTransportPair MakeTestTransportPair(int baudRate = 19200);

} // namespace comms::testing
