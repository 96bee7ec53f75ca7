// Session: turns whole application messages into Layer2 payloads and back. It keeps the
// store of messages to send and the store of received messages, cuts messages longer than
// the fragment size into first/middle/last pieces and reassembles them, counts received
// messages not yet announced, and notices the link coming up and going down.
//
// Step runs on the session thread under the session lock; Pull runs on the comm-link thread
// under the receive lock; Attach, Detach and Clear run under both.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "comms/MessageStore.h"

namespace comms {

class EventQueue;
class Layer1;
class Layer2;

class Session {
public:
    static constexpr int kInitialFragmentSize = 10;

    // What one step found; Nimb turns it into notifications after releasing the session lock.
    struct StepReport {
        enum class Link { kUnchanged, kUp, kDown };
        Link link = Link::kUnchanged;
        uint64_t generation = 0;  // the connection the report is about
        int announcedLength = -1; // a received message to announce, or -1
        std::vector<int> sentLengths;
        int payloadsQueued = 0;
        bool idle = true;
        void Reset();
    };

    Session(int maxMessageSize, EventQueue& events);

    void Attach(Layer2* layer2, Layer1* layer1, uint64_t generation);
    void Detach();
    bool Connected() const { return connected_.load(); }
    // A Layer2 is attached and its link is not up (under the session lock).
    bool LinkDown() const;
    void Clear();

    int FragmentSize() const { return fragmentSize_; }
    void SetFragmentSize(int size) { fragmentSize_ = size; }
    int MaxMessageSize() const { return maxMessageSize_; }

    void Step(StepReport* report);
    // Takes every payload the Layer2 has received; true when at least one message was stored.
    bool Pull();

    MessageStore& SendStore() { return sendStore_; }
    MessageStore& ReceiveStore() { return receiveStore_; }

private:
    void SendPending(StepReport* report);
    void StoreReceived(const uint8_t* data, int length);

    const int maxMessageSize_;
    EventQueue& events_;
    Layer2* layer2_ = nullptr;
    Layer1* layer1_ = nullptr;
    uint64_t generation_ = 0;
    std::atomic<bool> connected_{false};
    int lastLinkState_ = 0;
    int fragmentSize_ = kInitialFragmentSize;

    // The message being handed to the Layer2, possibly in fragments.
    std::vector<uint8_t> sendBuffer_;
    bool sending_ = false;
    int sendOffset_ = 0;
    int sendTotal_ = 0;

    // The message being reassembled from fragments.
    std::vector<uint8_t> reassembly_;
    std::vector<uint8_t> payload_;
    bool reassembling_ = false;
    int reassembled_ = 0;

    MessageStore sendStore_;
    MessageStore receiveStore_;
};

} // namespace comms
