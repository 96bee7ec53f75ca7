// One download or upload: connection attempts with their retries, the start-up exchange, the
// transfer itself with its progress and watchdog, and the end of the session. It receives the
// library's notifications as posted events (TransferEvents.h) and speaks to its user only
// through TransferUi.
#pragma once

#include "comms/Clock.h"
#include "database/Image.h"
#include "transfer/DesksetLink.h"
#include "transfer/ImageBlocks.h"
#include "transfer/PortTarget.h"
#include "transfer/TransferEvents.h"
#include "transfer/TransferUi.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace trv::transfer {

class TransferSession : public QObject {
public:
    // The timers of the session, by their ids.
    // The idle timer is this program's own: it gives up on a deskset that has gone quiet.
    enum TimerId { ConnectRetryTimer = 3, UploadProgressTimer = 4, CompletionWatchdog = 5, IdleTimer = 6 };

    struct Periods {
        std::chrono::milliseconds connectRetry{7000};
        std::chrono::milliseconds uploadProgress{100};
        std::chrono::milliseconds watchdog{10000};
        // Once the link is up, the session ends when for this long no message has arrived and no
        // upload block has left the send store. Zero: the session waits as long as its user does.
        std::chrono::milliseconds idle{0};
    };
    // The idle limit trvctl gives its sessions.
    static constexpr std::chrono::milliseconds kNoAnswerLimit{30000};

    // Attempts made by the retry timer before the Retry/Cancel question: with the first
    // attempt, six in all.
    static constexpr int kRetriesBeforeQuestion = 5;
    static constexpr int kAttemptsPerSeries = kRetriesBeforeQuestion + 1;
    // Progress runs 0..16400 in steps of 100, one step per block.
    static constexpr int kProgressStep = 100;
    static constexpr int kProgressEnd = kBlocksPerImage * kProgressStep;
    // Serial line settings after the port digit.
    static constexpr const char* kLineSettings = " 8 0 0 19200";

    // Talks to the deskset through a CslNimb of its own.
    explicit TransferSession(TransferUi& ui, QObject* parent = nullptr);
    // Talks through the given link; whoever drives it posts the link events to this object.
    TransferSession(TransferUi& ui, std::unique_ptr<DesksetLink> link, QObject* parent = nullptr);
    ~TransferSession() override;

    void setPeriods(const Periods& periods);
    // The clock the idle time-out measures with (the steady clock by default).
    void setClock(comms::Clock& clock) { clock_ = &clock; }
    // Where each connection attempt reads its port digit (ComPortSetting::portDigit by default).
    void setPortSource(std::function<QString()> source) { portSource_ = std::move(source); }
    // Where each connection attempt reads the library's machine settings (LinkConfig::load by
    // default: the settings store as it is at that moment).
    void setLinkSettingsSource(std::function<comms::LinkSettings()> source)
    {
        linkSettingsSource_ = std::move(source);
    }
    // Both sources at once for one target: a COM port reads its device from the settings store
    // before every attempt; a device path or device server stands for COM1 of this session.
    void setTarget(const PortTarget& target);
    static constexpr int kDirectTargetPort = 1;
    // The image an upload sends and a download replaces (the process-wide image by default).
    void setImage(db::Image& image) { image_ = &image; }
    // Each command starts a new session of the trace, which records every frame (null: none).
    void setTrace(LinkTrace* trace);

    // The Download Database and Upload Database commands (after the shell's own checks).
    void download();
    void upload();
    // Connects and runs the start-up exchange only: TransferUi::desksetConfirmed() once the
    // deskset's version and hardware replies are accepted; nothing is transferred.
    void checkDeskset();
    // The progress window was closed by its user: the session ends.
    void progressClosed();
    // The start-up check clears the attempt counter.
    void resetAttempts() { attempts_ = 0; }
    // The user stops the connection attempts: as Cancel in the Retry/Cancel question, the
    // pending transfer is dropped and the idle prompt comes back. Nothing while none is under way.
    void stopConnecting();

    bool linkUp() const { return phase_ == Phase::LinkUp; }
    // Connection attempts are under way (between a successful Connect and the link coming up,
    // the question, or a stop).
    bool connecting() const { return phase_ == Phase::Connecting; }
    bool uploadPending() const { return pending_ == TransferKind::Upload; }
    bool downloadPending() const { return pending_ == TransferKind::Download; }
    bool watchdogArmable() const { return watchdog_.armed(); }
    int attempts() const { return attempts_; }
    bool timerActive(TimerId id) const;
    // Does now what the timer would do when it expires, if it is running: for the fuzz target,
    // which moves time by steps instead of waiting.
    void expireTimer(TimerId id);
    const ReceiveBuffer& receiveBuffer() const { return reception_.buffer; }

protected:
    bool event(QEvent* event) override;

private:
    friend class TRVDkReceiveHwConfig;

    enum class Outcome { Completed, Incomplete, Disconnected, CommunicationError, NoAnswer };

    // Where the session stands with the deskset. While the Retry/Cancel question is up, and after
    // a lost link until the session ends, it is Idle.
    enum class Phase {
        Idle,       // no connection attempt under way and no link
        Connecting, // from a successful Connect until the link comes up, the question or a stop
        LinkUp,     // the start-up exchange, then the transfer
    };

    // The completion watchdog: started when the transfer's progress reaches its end, it ends the
    // session as a communication error unless an end message comes first. It starts once a
    // session: progress at the end again (each upload tick, a block beyond the last) does not
    // start it anew, not even after a lost link stopped it; the session's end arms it again.
    class Watchdog {
    public:
        QTimer timer;
        // Starts the timer if armed; whether it did.
        bool startOnce();
        void rearm() { armed_ = true; }
        bool armed() const { return armed_; }

    private:
        bool armed_ = true;
    };

    // What the latest download has received. It is kept until the next download starts, so the
    // blocks left over from a download that announced its start announce nothing.
    struct Reception {
        ReceiveBuffer buffer;
        int blocks = 0;
        // The start announcement is on its way or handled: the blocks that arrive before the
        // progress window opens announce it once.
        bool startAnnounced = false;

        void restart();
    };

    void begin();
    void connectionAttempt();
    void connectRetryExpired();
    void linkConnected();
    void linkDisconnected();
    void openProgress(TransferKind kind);
    void dispatch(const DesksetMessage& message);
    void transferStart();
    void uploadStart();
    void downloadStart();
    void downloadBlock(const DesksetMessage& message);
    void downloadDone();
    void uploadProgressTick();
    void advanceProgress(int position);
    void endMessage(Outcome outcome, TransferKind kind);
    void finish(Outcome outcome);
    void sessionEnd();
    void noteActivity();
    void idleExpired();
    QString noAnswerText() const;
    void endConnecting();

    TransferUi& ui_;
    std::unique_ptr<DesksetLink> link_;
    std::function<QString()> portSource_;
    std::function<comms::LinkSettings()> linkSettingsSource_;
    db::Image* image_;
    LinkTrace* trace_ = nullptr;

    Phase phase_ = Phase::Idle;
    // What the last command asked for (none: the start-up check only), until its session ends
    // or is given up.
    std::optional<TransferKind> pending_;
    int attempts_ = 0;

    Reception reception_;

    QTimer connectRetryTimer_;
    QTimer uploadProgressTimer_;
    Watchdog watchdog_;
    QTimer idleTimer_;
    std::chrono::milliseconds idleLimit_{0};
    comms::Clock* clock_;
    std::uint32_t lastActivityMs_ = 0;
    std::optional<int> lastWaiting_; // upload: messages in the send store at the last tick
};

} // namespace trv::transfer
