#include "comms/Nimb.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <system_error>
#include <thread>

#include "comms/Clock.h"
#include "comms/EventQueue.h"
#include "comms/Layer1.h"
#include "comms/Layer1Factory.h"
#include "comms/Layer2.h"
#include "comms/Layer2Factory.h"
#include "comms/Session.h"
#include "comms/ThreadPriority.h"
#include "comms/Trace.h"
#include "comms/TraceTexts.h"
#include "comms/WorkSignal.h"

namespace comms {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds kBusyWait{10}; // the session thread's wait while work is blocked
constexpr int kPassesBeforeWaiting = 10;
constexpr int kLinkPollMs = 10; // the comm-link thread's wait when it cannot sleep to a deadline
constexpr std::chrono::microseconds kLinkPollTime = milliseconds(kLinkPollMs);
constexpr milliseconds kStopLogLimit{80 * 50};

} // namespace

struct Nimb::Impl {
    // The session lock, then the receive lock: the one order every thread takes them in.
    class BothLocks {
    public:
        explicit BothLocks(Impl& impl) : session_(impl.sessionMutex), receive_(impl.receiveMutex) {}

    private:
        std::lock_guard<std::mutex> session_;
        std::lock_guard<std::mutex> receive_;
    };

    Impl(Nimb& owner, int maxMessageSize, Clock& clock)
        : owner(owner), maxMessageSize(maxMessageSize), clock(clock), events([this] { signal.Pulse(); }),
          notifications([this] { signal.Pulse(); }), session(maxMessageSize, events)
    {
    }

    void SessionLoop();
    void CommLinkLoop(Layer1* layer1, Layer2* layer2);
    int CommLinkWaitMs(Layer1& layer1, const Layer2& layer2, int fd) const;
    void WakeCommLink();
    void Dispatch(const Session::StepReport& report);
    bool DispatchQueues();
    Result Finish(int layer2Type, const char* layer2Params, std::unique_ptr<Layer1> newLayer1, int layer1Type,
                  bool acceptedSocketGiven);
    Result TearDown();
    void DiscardConnection();

    Nimb& owner;
    const int maxMessageSize;
    Clock& clock;
    WorkSignal signal;
    WakeFd wake;
    EventQueue events;
    NotifyQueue notifications;
    LinkStatusBlock status;
    Session session;

    mutable std::mutex connectionMutex; // serialises Connect and Disconnect; guards the two below
    LinkSettings settings;
    std::optional<OpenFailure> openFailure;
    std::atomic<int> sessionThreadId{0}; // the kernel's id, once the session thread runs
    std::mutex sessionMutex;             // always taken before receiveMutex
    std::mutex receiveMutex;
    std::unique_ptr<Layer1> layer1;
    std::unique_ptr<Layer2> layer2;
    uint64_t generation = 0;
    std::atomic<int> layer1Type{-1};
    std::atomic<int> layer2Type{-1};

    // The transport the comm-link thread waits in, when it has a wait of its own.
    std::mutex waiterMutex;
    Layer1* waiter = nullptr;

    std::thread sessionThread;
    std::thread commLinkThread;
    std::atomic<bool> sessionRunning{false};
    std::atomic<bool> commLinkRunning{false};
    std::atomic<bool> stopping{false};
};

Nimb::Nimb(int maxMessageSize) : Nimb(maxMessageSize, SystemClock())
{
}

Nimb::Nimb(int maxMessageSize, Clock& clock) : impl_(std::make_unique<Impl>(*this, maxMessageSize, clock))
{
    try {
        impl_->sessionThread = std::thread([impl = impl_.get()] { impl->SessionLoop(); });
        impl_->sessionRunning = true;
    } catch (const std::system_error&) {
        // Connect answers -10020 from now on.
    }
}

Nimb::~Nimb()
{
    Shutdown();
}

void Nimb::Shutdown()
{
    Disconnect();
    impl_->stopping = true;
    impl_->signal.Pulse();
    std::thread& thread = impl_->sessionThread;
    if (thread.joinable()) {
        if (thread.get_id() == std::this_thread::get_id()) {
            thread.detach(); // destroyed from one of its own notifications
        } else {
            const auto start = std::chrono::steady_clock::now();
            thread.join();
            if (std::chrono::steady_clock::now() - start > kStopLogLimit)
                Trace(texts::kSessionStoppedLate);
        }
    }
    impl_->sessionRunning = false;
}

void Nimb::SetLinkSettings(const LinkSettings& settings)
{
    int sessionThread = 0;
    bool priorityChanged = false;
    {
        std::lock_guard connection(impl_->connectionMutex);
        priorityChanged = impl_->settings.sessionThreadPriority != settings.sessionThreadPriority;
        impl_->settings = settings;
        sessionThread = impl_->sessionThreadId;
    }
    // A thread that has not started yet takes the new priority itself when it does.
    if (priorityChanged && sessionThread > 0)
        ApplyThreadPriority(sessionThread, settings.sessionThreadPriority);
}

LinkSettings Nimb::CurrentLinkSettings() const
{
    std::lock_guard connection(impl_->connectionMutex);
    return impl_->settings;
}

std::optional<OpenFailure> Nimb::LastOpenFailure() const
{
    std::lock_guard connection(impl_->connectionMutex);
    return impl_->openFailure;
}

Result Nimb::Connect(int layer2Type, const char* layer2Params, int layer1Type, const char* layer1Params,
                     int* acceptedSocket)
{
    std::lock_guard connection(impl_->connectionMutex);
    impl_->openFailure.reset();
    if (!impl_->sessionRunning)
        return Result::NoSessionThread;
    if (impl_->layer1)
        return Result::AlreadyConnected;
    try {
        Result code = Result::Ok;
        std::unique_ptr<Layer1> layer1 =
            CreateLayer1(layer1Type, layer1Params, impl_->settings, &code, acceptedSocket);
        impl_->layer1Type = layer1Type;
        impl_->layer2Type = layer2Type;
        if (!layer1) {
            if (code == Result::UnknownLayer1 || code == Result::Ok) {
                impl_->events.Put(kEventUnknownLayer1);
                Trace(texts::kUnknownLayer1);
                return Result::UnknownLayer1;
            }
            return code;
        }
        if (code != Result::Ok)
            return code;
        return impl_->Finish(layer2Type, layer2Params, std::move(layer1), layer1Type,
                             acceptedSocket != nullptr);
    } catch (...) {
        impl_->DiscardConnection();
        Trace(texts::kConnectException);
        return Result::ConnectException;
    }
}

Result Nimb::Connect(int layer2Type, const char* layer2Params, std::unique_ptr<Layer1> layer1)
{
    std::lock_guard connection(impl_->connectionMutex);
    impl_->openFailure.reset();
    if (!impl_->sessionRunning)
        return Result::NoSessionThread;
    if (impl_->layer1)
        return Result::AlreadyConnected;
    if (!layer1)
        return Result::Layer1OpenFailed;
    try {
        impl_->layer1Type = -1;
        impl_->layer2Type = layer2Type;
        return impl_->Finish(layer2Type, layer2Params, std::move(layer1), -1, false);
    } catch (...) {
        impl_->DiscardConnection();
        Trace(texts::kConnectException);
        return Result::ConnectException;
    }
}

// Connect from step "clear the session" on, once the transport exists.
Result Nimb::Impl::Finish(int newLayer2Type, const char* layer2Params, std::unique_ptr<Layer1> newLayer1,
                          int newLayer1Type, bool acceptedSocketGiven)
{
    {
        BothLocks locks(*this);
        session.Clear();
    }
    newLayer1->AttachQueues(&events, &notifications);
    const bool socketType = newLayer1Type == kLayer1Socket || newLayer1Type == kLayer1Multicast;
    if (!(socketType && acceptedSocketGiven)) {
        newLayer1->SetOwner(&owner);
        if (newLayer1->Open() != 0) {
            openFailure = newLayer1->LastOpenFailure();
            return Result::Layer1OpenFailed;
        }
    }

    std::unique_ptr<Layer2> newLayer2 = CreateLayer2(newLayer2Type, *newLayer1, layer2Params, clock);
    if (!newLayer2) {
        events.Put(kEventUnknownLayer2);
        Trace(texts::kUnknownLayer2);
        newLayer1->Close();
        return Result::UnknownLayer2;
    }
    newLayer2->AttachQueues(&events, &notifications);
    newLayer2->AttachLinkStatus(&status);
    layer1 = std::move(newLayer1);
    layer2 = std::move(newLayer2);
    {
        BothLocks locks(*this);
        session.Attach(layer2.get(), layer1.get(), ++generation);
        session.SetFragmentSize(layer2->LargestPayload());
    }
    signal.Pulse();

    if (layer1->RunsWithoutCommLink())
        return Result::Ok;

    commLinkRunning = true;
    try {
        commLinkThread = std::thread(
            [this, l1 = layer1.get(), l2 = layer2.get(), priority = settings.commLinkThreadPriority] {
                if (priority)
                    ApplyThreadPriority(*priority);
                CommLinkLoop(l1, l2);
            });
    } catch (const std::system_error&) {
        commLinkRunning = false;
        DiscardConnection();
        events.Put(kEventCommLinkThreadFailed);
        Trace(texts::kCommLinkThreadFailed);
        return Result::CommLinkThreadFailed;
    }
    return Result::Ok;
}

// Drops a half-built connection (no comm-link thread runs).
void Nimb::Impl::DiscardConnection()
{
    {
        BothLocks locks(*this);
        session.Detach();
    }
    layer2.reset();
    if (layer1) {
        layer1->Close();
        layer1.reset();
    }
}

Result Nimb::Disconnect()
{
    std::lock_guard connection(impl_->connectionMutex);
    return impl_->TearDown();
}

Result Nimb::Impl::TearDown()
{
    try {
        {
            BothLocks locks(*this);
            session.Detach();
            session.Clear();
        }
        signal.Pulse();
        commLinkRunning = false;
        WakeCommLink();
        if (commLinkThread.joinable()) {
            const auto start = std::chrono::steady_clock::now();
            commLinkThread.join();
            if (std::chrono::steady_clock::now() - start > kStopLogLimit)
                Trace(texts::kCommLinkStoppedLate);
        }
        layer2.reset();
        if (layer1) {
            layer1->Close();
            layer1.reset();
        }
        status.SetLinkState(kLinkDown);
        status.Set(kStatusSendRing, 0);
        status.Set(kStatusReceiveRing, 0);
        return Result::Ok;
    } catch (...) {
        Trace(texts::kDisconnectException);
        return Result::DisconnectException;
    }
}

Result Nimb::Send(const uint8_t* data, int length)
{
    Session& session = impl_->session;
    if (!session.Connected())
        return Result::NotConnected;
    if (length <= 0 || data == nullptr)
        return Result::Nothing;
    if (length > impl_->maxMessageSize)
        return Result::TooLong;
    if (!session.SendStore().Store(data, length))
        return Result::StoreFailed;
    impl_->signal.Pulse();
    return Result::Ok;
}

Result Nimb::Receive(uint8_t* buffer, int size, int* length)
{
    if (length != nullptr)
        *length = 0;
    Session& session = impl_->session;
    if (!session.Connected())
        return Result::NotConnected;
    if (buffer == nullptr || size <= 0 || length == nullptr)
        return Result::BadBuffer;
    switch (session.ReceiveStore().Take(buffer, size, length)) {
    case MessageStore::TakeResult::kEmpty:
        return Result::Nothing;
    case MessageStore::TakeResult::kBufferTooSmall:
        return Result::TooLong;
    case MessageStore::TakeResult::kTaken:
        break;
    }
    impl_->signal.Pulse();
    return Result::Ok;
}

int Nimb::GetLinkStatus(LinkStatus* status) const
{
    if (status != nullptr)
        *status = impl_->status.Snapshot();
    return 1;
}

int Nimb::GetQueueDepths(int* sendDepth, int* receiveDepth) const
{
    Session& session = impl_->session;
    if (!session.Connected())
        return 0;
    if (sendDepth != nullptr)
        *sendDepth = session.SendStore().Count();
    if (receiveDepth != nullptr)
        *receiveDepth = session.ReceiveStore().Count();
    return 1;
}

int Nimb::MaxMessageSize() const
{
    return impl_->maxMessageSize;
}
int Nimb::Layer1Type() const
{
    return impl_->layer1Type;
}
int Nimb::Layer2Type() const
{
    return impl_->layer2Type;
}

int Nimb::OnAccept(int*)
{
    return 0;
}
std::string Nimb::Description() const
{
    return {};
}
void Nimb::OnReceive(int)
{
}
void Nimb::OnMessageSent(int)
{
}
void Nimb::OnConnect()
{
}
void Nimb::OnDisconnect()
{
}
void Nimb::OnEvent(int, int)
{
}
void Nimb::OnLinkNotify(int)
{
}

void Nimb::Impl::SessionLoop()
{
    {
        std::lock_guard connection(connectionMutex);
        sessionThreadId = CurrentThreadId();
        ApplyThreadPriority(settings.sessionThreadPriority);
    }
    Session::StepReport report;
    report.sentLengths.reserve(128);
    uint64_t seen = 0; // pulses sent before this thread ran are work too
    bool idle = true;
    int passesWithoutWait = 0;
    while (true) {
        if (idle) {
            // Nothing to do until a pulse: a send, a receive, a link change, a queue entry.
            seen = signal.WaitForPulse(seen);
            passesWithoutWait = 0;
        } else if (++passesWithoutWait > kPassesBeforeWaiting) {
            seen = signal.Wait(seen, kBusyWait);
        } else {
            bool linkDown = false;
            {
                std::lock_guard lock(sessionMutex);
                linkDown = session.LinkDown();
            }
            if (linkDown)
                seen = signal.Wait(seen, kBusyWait);
        }
        if (stopping)
            return;

        {
            std::lock_guard lock(sessionMutex);
            if (session.Connected()) {
                session.Step(&report);
            } else {
                report.Reset();
            }
        }
        idle = report.idle;
        Dispatch(report);
        if (!DispatchQueues())
            idle = false;
    }
}

void Nimb::Impl::Dispatch(const Session::StepReport& report)
{
    if (report.payloadsQueued > 0)
        WakeCommLink();
    if (report.link == Session::StepReport::Link::kDown) {
        bool toreDown = false;
        {
            std::lock_guard connection(connectionMutex);
            if (generation == report.generation && layer1) {
                TearDown();
                toreDown = true;
            }
        }
        if (toreDown)
            owner.OnDisconnect();
        return;
    }
    if (report.link == Session::StepReport::Link::kUp)
        owner.OnConnect();
    if (report.announcedLength >= 0)
        owner.OnReceive(report.announcedLength);
    for (int length : report.sentLengths)
        owner.OnMessageSent(length);
}

// One event and one notification per pass; false when more are waiting.
bool Nimb::Impl::DispatchQueues()
{
    int code = 0;
    int value = 0;
    if (events.Take(&code, &value))
        owner.OnEvent(code, value);
    if (notifications.Take(&code))
        owner.OnLinkNotify(code);
    return events.Count() == 0 && notifications.Count() == 0;
}

void Nimb::Impl::WakeCommLink()
{
    wake.Wake();
    std::lock_guard lock(waiterMutex);
    if (waiter != nullptr)
        waiter->InterruptWait();
}

// How long the comm-link thread may sleep when no input and no work arrive: until the link's or
// the transport's next deadline, without limit when no timer runs. Without a descriptor or wait
// of the transport's own, or on a clock that does not follow real time, it looks every 10 ms.
int Nimb::Impl::CommLinkWaitMs(Layer1& link1, const Layer2& link2, int fd) const
{
    int wait = link2.MsUntilDeadline();
    if (const int transport = link1.MsUntilDeadline(); transport >= 0)
        wait = wait < 0 ? transport : std::min(wait, transport);
    if ((fd < 0 && !link1.HasOwnWait()) || !clock.FollowsRealTime())
        wait = wait < 0 ? kLinkPollMs : std::min(wait, kLinkPollMs);
    return wait;
}

void Nimb::Impl::CommLinkLoop(Layer1* link1, Layer2* link2)
{
    while (commLinkRunning && link1->IsAttached() == 0)
        WaitForInput(-1, wake, kLinkPollMs);
    if (link1->HasOwnWait()) {
        std::lock_guard lock(waiterMutex);
        waiter = link1;
    }
    while (commLinkRunning) {
        const int stateBefore = link2->LinkState();
        const bool roomBefore = link2->HasRoom() != 0;
        bool receivedWaiting = false;
        bool sendingPending = false;
        link2->Step(&receivedWaiting, &sendingPending);
        bool pulse = false;
        if (receivedWaiting) {
            std::lock_guard lock(receiveMutex);
            session.Pull();
            pulse = true;
        }
        // The session thread acts on a link change, on room for more payloads and on a failure.
        if (link2->LinkState() != stateBefore || (!roomBefore && link2->HasRoom() != 0))
            pulse = true;
        const bool broken = link1->broken.load();
        if (broken)
            pulse = true;
        if (pulse)
            signal.Pulse();
        if (broken) {
            WaitForInput(-1, wake, kLinkPollMs);
            continue;
        }
        // In the middle of a frame on a paced line the rest arrives a byte at a time: waking
        // for each would cost a pass per byte. Sleep about the line time of what is missing
        // instead (a send still wakes the thread at once) and read it together; the last byte
        // is waited for on the descriptor, so no latency is added to the frame.
        const int stillToCome = link2->BytesStillToCome();
        if (stillToCome > 0) {
            const auto rest =
                LineTimeOfMissingBytes(stillToCome, link1->BytesWaiting(), link1->BaudRate(), kLinkPollTime);
            if (rest.count() > 0) {
                WaitForWake(wake, rest);
                continue;
            }
        }
        // Input left over (a transport may hold more than one step reads, e.g. queued
        // datagrams that are no longer on its descriptor) is read at once.
        if (link1->BytesWaiting() > 0)
            continue;
        const int fd = link1->PollFd();
        const int waitMs = CommLinkWaitMs(*link1, *link2, fd);
        if (fd < 0 && link1->HasOwnWait()) {
            link1->WaitForInput(waitMs);
            wake.Drain();
        } else {
            WaitForInput(fd, wake, waitMs);
        }
    }
    std::lock_guard lock(waiterMutex);
    waiter = nullptr;
}

} // namespace comms
