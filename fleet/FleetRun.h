// A run over many desksets at once: a backup, an upload or a status check of each selected site.
// Every site is its own transfer session, with its own image buffer, link, trace and time-outs, so
// a deskset that fails, hangs or is missing never stops or slows the others; the application's
// one image is never touched. trvctl fleet and the Fleet window both drive a run and show it
// through FleetObserver.
#pragma once

#include "database/Image.h"
#include "fleet/Site.h"
#include "transfer/TransferSession.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace trv::fleet {

enum class Operation { Backup, Upload, Status };

// One site's share of a run: the site and, for an upload, the database it receives (a copy of its
// own taken when the run was planned, whatever happens to the file or the editors meanwhile).
struct SiteTask {
    Site site;
    db::Image image{};
    QString imageFile; // where the image came from, for the report
};

struct FleetPlan {
    Operation operation = Operation::Backup;
    std::vector<SiteTask> tasks;
    // Backups go to <backupDir>/<site name>/ under BackupFile's names. Backup: required;
    // Upload: empty means no backup before the upload.
    QString backupDir;
    bool verify = false; // Upload: read back and compare on a connection of its own
    int jobs = 0;        // at most this many sites at once; 0: all of them
    // Each site's whole operation (backup, upload and verify together), from its start; 0: none.
    std::chrono::seconds timeout{0};
    int retries = 0;  // Retry/Cancel questions answered with Retry, per site
    QString traceDir; // <traceDir>/<site name>.trace per site; empty: no trace
    transfer::TransferSession::Periods periods{.idle = transfer::TransferSession::kNoAnswerLimit};
};

// Where a site stands.
enum class Phase { Waiting, Connecting, Checking, BackingUp, Uploading, Verifying, Ended };

struct SiteProgress {
    Phase phase = Phase::Waiting;
    int percent = 0;         // of the transfer under way
    int attempt = 0;         // connection attempt of the current series; 0 while none is under way
    bool blocksSent = false; // an upload has handed its blocks to the link
};

enum class Result { Ok, Failed, Stopped };

struct SiteOutcome {
    Result result = Result::Failed;
    // The exit status the single command (trvctl download, upload) gives this outcome.
    int status = 0;
    QString reason; // short: "no connection", "Communication error with deskset", ...
    QString detail; // what more there is to say (the device's problem, the fields that differ)
    QString file;   // backup: the backup written; upload: the database sent
    QString backup; // upload: the backup written before it, when there is one
    double seconds = 0;

    // The reason and, after a colon, the detail.
    QString message() const;
};

class FleetObserver {
public:
    virtual ~FleetObserver() = default;
    // The phase, percent or attempt of a site changed.
    virtual void siteChanged(int /*index*/, const SiteProgress&) {}
    // Something a log says of the site: a connection attempt, a backup saved, the verify's result.
    virtual void siteEvent(int /*index*/, const QString& /*text*/) {}
    virtual void siteEnded(int /*index*/, const SiteOutcome&) {}
    // Every site has ended.
    virtual void runEnded() {}
};

// The names a report and a table give them.
QString operationName(Operation operation);
QString resultName(Result result);
QString phaseName(Phase phase); // empty for Ended: the result says it then

class SiteJob;

class FleetRun : public QObject {
public:
    FleetRun(FleetPlan plan, FleetObserver& observer, QObject* parent = nullptr);
    ~FleetRun() override;

    const FleetPlan& plan() const { return plan_; }
    // Starts as many sites as the plan allows at once; the rest follow as those end.
    void start();
    // The first stop starts no new site, ends connection attempts, backups, status checks and
    // verifies, and lets uploads already sending blocks finish. The second stops those too.
    void stop();
    int stops() const { return stops_; }
    bool running() const { return started_ && ended_ < int(plan_.tasks.size()); }

    const SiteProgress& progress(int index) const;
    // Meaningful once the site has ended.
    const SiteOutcome& outcome(int index) const;
    // "28 of 30 desksets backed up; failed: RADIO-3 (no connection), DESK-17 (...)".
    QString summary() const;
    // 0 when every site succeeded, else 1.
    int exitStatus() const;

    // The clock site durations and the idle time-out read (the steady clock by default).
    void setClock(comms::Clock& clock) { clock_ = &clock; }

private:
    friend class SiteJob;
    void startNext();
    void jobChanged(int index);
    void jobEvent(int index, const QString& text);
    void jobEnded(int index);

    FleetPlan plan_;
    FleetObserver& observer_;
    comms::Clock* clock_;
    std::vector<std::unique_ptr<SiteJob>> jobs_;
    int next_ = 0;
    int active_ = 0;
    int ended_ = 0;
    int stops_ = 0;
    bool started_ = false;
    bool starting_ = false;
};

} // namespace trv::fleet
