// AckFrameLayer2: the stop-and-wait acknowledged frame link (Layer2 type 0). It frames
// payloads of up to 250 bytes, checks them with a CRC, numbers, acknowledges and retransmits
// them, opens the link with a symmetric handshake, keeps it alive with heartbeats and
// declares it lost when the peer stops answering.
//
// Only the comm-link thread calls Step (and TakeReceived); the session thread calls HasRoom,
// QueuePayload and LinkState. The frame core does no I/O of its own beyond the Layer1 reads
// and writes inside Step, and reads time only from its Clock, so it can be driven by hand.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "comms/AckFrame.h"
#include "comms/Clock.h"
#include "comms/FrameRing.h"
#include "comms/Layer2.h"
#include "comms/LinkStatus.h"

namespace comms {

class Layer1;

struct AckFrameTimers {
    uint32_t heartbeatMs;
    uint32_t retransmitMs;
    uint32_t completionMs;
};

// 3000/1800/1200 ms at 9600 baud or more, 6000/3600/2400 below; doubled for slow media.
AckFrameTimers AckFrameTimersFor(int baudRate, bool slowMedia);

// A frame is sent once and retransmitted up to four times; the fifth expiry ends the link.
inline constexpr int kAckFrameTransmissions = 5;

// Options, found as substrings of the Layer2 parameter text.
inline constexpr const char* kOptionUseCrc8 = "UseCRC8";     // one-byte CRCs
inline constexpr const char* kOptionSlowMedia = "SlowMedia"; // all timers doubled
// A peer that waits to be called: while the link is not up it sends no heartbeat of its own
// and opens only when the other end's heartbeat (or connect request) arrives. Once up it
// keeps the link alive like any other end. Two such ends never meet.
inline constexpr const char* kOptionAwaitCall = "AwaitCall";
// The first heartbeat goes out at the first step instead of one heartbeat interval after
// construction: for an end that knows the other side has just opened its port. With
// AwaitCall it is the only call: its retransmissions run out and the end waits again.
inline constexpr const char* kOptionCallAtOnce = "CallAtOnce";

class AckFrameLayer2 final : public Layer2 {
public:
    // Options in params (may be null) are found as substrings (the kOption... texts above);
    // anything else in the text is ignored.
    AckFrameLayer2(Layer1& layer1, const char* params, Clock& clock = SystemClock());

    int LinkState() const override { return connected_.load(); }
    void Step(bool* receivedWaiting, bool* sendingPending) override;
    int TakeReceived(uint8_t* buffer, int* length, int* kind) override;
    int HasRoom() const override;
    int QueuePayload(const uint8_t* data, int length, int kind) override;
    int LargestPayload() const override { return kMaxFramePayload; }
    int BytesStillToCome() const override;
    int MsUntilDeadline() const override;

    const AckFrameTimers& Timers() const { return timers_; }
    bool UsesCrc8() const { return crc8_; }
    bool AwaitsCall() const { return awaitCall_; }
    bool Lost() const { return lost_; }

private:
    enum class Receiving { kType, kNumber, kLength, kPayload, kCrc };
    enum class Numbering { kNew, kRepeat, kAcknowledge };

    void FeedRead(int count);
    // Both return false when a frame was rejected.
    bool Feed(uint8_t byte);
    bool FinishFrame();
    void HandleFrame();
    void HandleWhileConnected(uint8_t type, uint8_t number);
    void SendFrame(uint8_t* frame, Numbering numbering);
    void SendControl(uint8_t type, Numbering numbering);
    void UpdateTimers();
    void TransmitNext();
    void StartWaiting();
    void LoseLink(const char* reason);
    void SetConnected(bool connected);
    void Notify(int code);

    Layer1& layer1_;
    Clock& clock_;
    const bool crc8_;
    const bool awaitCall_;
    const AckFrameTimers timers_;
    LinkStatusBlock ownStatus_; // used until the owner attaches its block

    std::atomic<int> connected_{0};
    bool lost_ = false;
    uint8_t lastReceived_ = kNoSequence;
    uint8_t lastAssigned_ = kSequenceCount - 1; // the first frame sent carries 0

    // Receive state machine.
    Receiving receiving_ = Receiving::kType;
    std::array<uint8_t, kMaxFrameSize> rxFrame_{};
    int rxCount_ = 0;
    int rxCrcCount_ = 0;
    uint16_t rxCrc_ = 0;
    uint16_t rxCrcReceived_ = 0;
    uint32_t rxStartTick_ = 0;

    FrameRing sendRing_;
    FrameRing receiveRing_;

    // The one frame waiting for its acknowledgement.
    std::array<uint8_t, kMaxFrameSize> retransmitCopy_{};
    bool waiting_ = false;
    int retries_ = 0;
    bool retransmitRunning_ = false;
    uint32_t retransmitLeft_ = 0;

    bool heartbeatRunning_;
    uint32_t heartbeatLeft_;
    uint32_t lastUpdateTick_;

    std::array<uint8_t, kMaxFrameSize> txFrame_{};
    std::array<uint8_t, kMaxFrameSize> readBuffer_{};
};

} // namespace comms
