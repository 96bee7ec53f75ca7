// One site of a fleet run: the steps of its operation (a backup download, the upload, the verify
// download, or the status check), each on a connection of its own as the single commands make
// them, with the transfer session's user played by this object. The run owns the job and hears of
// every change.
#pragma once

#include "comms/Clock.h"
#include "fleet/FleetRun.h"
#include "transfer/LinkTrace.h"
#include "transfer/TransferSession.h"
#include "transfer/TransferUi.h"

#include <QFile>
#include <QObject>
#include <QTimer>

#include <deque>
#include <memory>
#include <optional>

namespace trv::fleet {

class SiteJob : public QObject, public transfer::TransferUi {
public:
    SiteJob(FleetRun& run, int index, const SiteTask& task);
    ~SiteJob() override;

    const SiteProgress& progress() const { return progress_; }
    const SiteOutcome& outcome() const { return outcome_; }
    bool ended() const { return progress_.phase == Phase::Ended; }
    bool started() const { return started_; }
    // A first stop found this upload sending blocks and let it finish.
    bool letFinish() const { return letFinish_; }

    void start();
    // Ends the job, the way a stop of that level does (FleetRun::stop).
    void stop(int level);
    // A site that never started.
    void endUnstarted();

    // TransferUi
    bool askRetry(const QString& text) override;
    void showMessage(const QString& text) override;
    void showConnectFailure(const QString& text, const QString& details) override;
    void setStatusText(const QString& text) override;
    void connectingStarted(int attempt, const QString& portDigit, const QString& device) override;
    void connectingEnded() override;
    void uploadBlocksQueued() override;
    void desksetConfirmed() override;
    bool closeDatabaseAndStartNew() override { return true; }
    void setDatabaseName(const QString&) override {}
    void refreshAfterDownload() override {}
    void progressOpen(const QString& text) override;
    bool progressIsOpen() const override { return progressOpen_; }
    int progressPosition() const override { return position_; }
    void progressSetPosition(int position) override;
    void progressEnd(const QString& text, transfer::EndButton button) override;
    QString progressText() const override { return progressText_; }

private:
    enum class Step { Check, Backup, Upload, Verify };

    void beginStep();
    void stepSucceeded();
    // The step failed: status, the short reason and what more there is to say.
    void stepFailed(int status, const QString& reason, const QString& detail = {});
    void end(Result result, int status, const QString& reason, const QString& detail = {});
    void retireSession();
    void setPhase(Phase phase);
    static Phase phaseOf(Step step);
    QLatin1StringView successText() const;
    bool live() const { return session_ != nullptr && !ended(); }
    bool openTrace();
    bool saveBackup();
    void timedOut();

    FleetRun& run_;
    const int index_;
    const SiteTask& task_;
    comms::Clock* clock_ = nullptr; // the run's, from the start
    std::deque<Step> steps_;
    std::unique_ptr<transfer::TransferSession> session_;
    // Sessions that have ended wait here for the event loop to come back before they go: a
    // session is never destroyed inside one of its own calls.
    std::vector<std::unique_ptr<transfer::TransferSession>> retired_;
    db::Image sending_;    // what the upload sends and the verify compares with
    db::Image received_{}; // what the current download brings
    QString backup_;       // the backup written, once it is
    bool started_ = false;
    SiteProgress progress_;
    SiteOutcome outcome_;
    int retriesLeft_ = 0;
    bool progressOpen_ = false;
    int position_ = 0;
    QString progressText_;
    bool letFinish_ = false; // a first stop came while the upload was sending blocks
    std::uint32_t startedMs_ = 0;
    QTimer deadline_;
    QFile traceFile_;
    std::unique_ptr<transfer::LinkTrace> trace_;
};

} // namespace trv::fleet
