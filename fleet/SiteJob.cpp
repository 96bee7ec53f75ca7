#include "fleet/SiteJob.h"

#include "fleet/FleetTexts.h"
#include "interchange/Diff.h"
#include "transfer/BackupFile.h"
#include "transfer/ComPortSetting.h"
#include "transfer/ExitStatus.h"
#include "transfer/OpenFailureText.h"
#include "transfer/TransferTexts.h"

#include <QDir>

namespace trv::fleet {

using transfer::TransferSession;
namespace session_text = transfer::text;

namespace {

QString arg(QLatin1StringView text, const QString& value)
{
    return text.arg(value);
}

} // namespace

SiteJob::SiteJob(FleetRun& run, int index, const SiteTask& task)
    : run_(run), index_(index), task_(task), sending_(task.image)
{
    const FleetPlan& plan = run_.plan();
    switch (plan.operation) {
    case Operation::Status:
        steps_ = {Step::Check};
        break;
    case Operation::Backup:
        steps_ = {Step::Backup};
        break;
    case Operation::Upload:
        if (!plan.backupDir.isEmpty())
            steps_.push_back(Step::Backup);
        steps_.push_back(Step::Upload);
        if (plan.verify)
            steps_.push_back(Step::Verify);
        break;
    }
    retriesLeft_ = plan.retries;
    deadline_.setSingleShot(true);
    deadline_.setTimerType(Qt::PreciseTimer);
    deadline_.callOnTimeout(this, &SiteJob::timedOut);
}

SiteJob::~SiteJob()
{
    // The sessions' link threads write to the trace: they go first.
    session_.reset();
    retired_.clear();
}

void SiteJob::start()
{
    started_ = true;
    clock_ = run_.clock_;
    startedMs_ = clock_->NowMs();
    if (!openTrace())
        return;
    if (const std::chrono::seconds timeout = run_.plan().timeout; timeout.count() > 0)
        deadline_.start(timeout);
    beginStep();
}

bool SiteJob::openTrace()
{
    const QString folder = run_.plan().traceDir;
    if (folder.isEmpty())
        return true;
    traceFile_.setFileName(QDir(folder).filePath(task_.site.name + QLatin1String(".trace")));
    if (!traceFile_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        end(Result::Failed, transfer::kExitUsage,
            QString(text::kTraceNotWritten).arg(traceFile_.fileName(), traceFile_.errorString()));
        return false;
    }
    // The trace calls its sink under its own lock, from the link's thread as well.
    trace_ = std::make_unique<transfer::LinkTrace>([this](const std::string& line) {
        traceFile_.write(line.data(), qint64(line.size()));
        traceFile_.write("\n", 1);
        traceFile_.flush();
    });
    return true;
}

void SiteJob::beginStep()
{
    if (ended())
        return;
    const Step step = steps_.front();
    session_ = std::make_unique<TransferSession>(*this);
    session_->setTarget(task_.site.port);
    session_->setPeriods(run_.plan().periods);
    session_->setClock(*clock_);
    session_->setTrace(trace_.get());
    session_->setImage(step == Step::Upload ? sending_ : received_);
    progress_.percent = 0;
    progress_.attempt = 0;
    progress_.blocksSent = false;
    progressOpen_ = false;
    position_ = 0;
    progressText_.clear();
    setPhase(Phase::Connecting);
    switch (step) {
    case Step::Check:
        session_->checkDeskset();
        return;
    case Step::Backup:
    case Step::Verify:
        session_->download();
        return;
    case Step::Upload:
        session_->upload();
        return;
    }
}

Phase SiteJob::phaseOf(Step step)
{
    switch (step) {
    case Step::Check:
        return Phase::Checking;
    case Step::Backup:
        return Phase::BackingUp;
    case Step::Upload:
        return Phase::Uploading;
    case Step::Verify:
        return Phase::Verifying;
    }
    return Phase::Connecting;
}

void SiteJob::setPhase(Phase phase)
{
    progress_.phase = phase;
    run_.jobChanged(index_);
}

void SiteJob::stepSucceeded()
{
    const Step step = steps_.front();
    if (step == Step::Backup && !saveBackup())
        return;
    if (step == Step::Verify) {
        if (received_ != sending_) {
            end(Result::Failed, transfer::kExitVerifyDiffers, text::kVerifyDiffers,
                interchange::diffImages(sending_, received_).lines().join(QLatin1String("; ")));
            return;
        }
        run_.jobEvent(index_, text::kEventVerified);
    }
    steps_.pop_front();
    if (!steps_.empty() && run_.stops() > 0) {
        // Only the verify can come after an upload: a stopped run does not start it.
        end(Result::Stopped, transfer::kExitStopped, text::kStoppedBeforeVerify);
        return;
    }
    if (steps_.empty()) {
        end(Result::Ok, transfer::kExitOk, successText());
        return;
    }
    retireSession();
    QTimer::singleShot(0, this, &SiteJob::beginStep);
}

QLatin1StringView SiteJob::successText() const
{
    const FleetPlan& plan = run_.plan();
    switch (plan.operation) {
    case Operation::Backup:
        return text::kBackedUp;
    case Operation::Upload:
        return plan.verify ? text::kUploadedAndVerified : text::kUploaded;
    case Operation::Status:
        return text::kAnswered;
    }
    return text::kBackedUp;
}

bool SiteJob::saveBackup()
{
    const QString folder = QDir(run_.plan().backupDir).filePath(task_.site.name);
    if (!QDir().mkpath(folder)) {
        stepFailed(transfer::kExitFailed, text::kBackupNotSaved, arg(text::kFolderNotMade, folder));
        return false;
    }
    // The name is the stem of the backup's name (BackupFile takes it from a file name).
    const transfer::BackupFile::Result saved = transfer::BackupFile(folder).write(
        task_.site.name + QLatin1String(".ddb"), task_.site.port, received_);
    if (!saved.ok()) {
        stepFailed(transfer::kExitFailed, text::kBackupNotSaved, saved.error);
        return false;
    }
    backup_ = saved.path;
    run_.jobEvent(index_, arg(text::kEventBackupSaved, saved.path));
    return true;
}

void SiteJob::stepFailed(int status, const QString& reason, const QString& detail)
{
    const Step step = steps_.front();
    QString why = reason;
    QString more = detail;
    if (step == Step::Backup && run_.plan().operation == Operation::Upload) {
        why = arg(text::kBackupFailed, reason);
    } else if (step == Step::Verify) {
        status = transfer::kExitVerifyUnread;
        why = text::kVerifyUnread;
        more = detail.isEmpty() ? reason : reason + QLatin1String(": ") + detail;
    } else if (step == Step::Upload && progress_.blocksSent) {
        more = more.isEmpty() ? text::kMayBeIncomplete : more + QLatin1String("; ") + text::kMayBeIncomplete;
    }
    end(Result::Failed, status, why, more);
}

void SiteJob::end(Result result, int status, const QString& reason, const QString& detail)
{
    if (ended())
        return;
    deadline_.stop();
    retireSession();
    outcome_.result = result;
    outcome_.status = status;
    outcome_.reason = reason;
    outcome_.detail = detail;
    outcome_.backup = backup_;
    outcome_.file = run_.plan().operation == Operation::Upload ? task_.imageFile : backup_;
    if (run_.plan().operation == Operation::Backup)
        outcome_.backup.clear();
    outcome_.seconds = started_ ? double(clock_->NowMs() - startedMs_) / 1000.0 : 0.0;
    progress_.attempt = 0;
    setPhase(Phase::Ended);
    run_.jobEnded(index_);
}

void SiteJob::retireSession()
{
    if (!session_)
        return;
    retired_.push_back(std::move(session_));
    QTimer::singleShot(0, this, [this] { retired_.clear(); });
}

void SiteJob::endUnstarted()
{
    end(Result::Stopped, transfer::kExitStopped, text::kStoppedBeforeStart);
}

void SiteJob::stop(int level)
{
    if (ended() || !started_)
        return;
    const Step step = steps_.front();
    const bool sending = step == Step::Upload && progress_.blocksSent;
    if (sending && level < 2) {
        if (!std::exchange(letFinish_, true))
            run_.jobEvent(index_, text::kEventLetFinish);
        return;
    }
    QLatin1StringView why = sending                ? text::kStoppedIncomplete
                            : step == Step::Verify ? text::kStoppedBeforeVerify
                                                   : text::kStopped;
    end(Result::Stopped, transfer::kExitStopped, QString(why));
}

void SiteJob::timedOut()
{
    if (ended())
        return;
    const bool sending = steps_.front() == Step::Upload && progress_.blocksSent;
    end(Result::Failed, transfer::kExitFailed,
        arg(text::kTimedOut, QString::number(run_.plan().timeout.count())),
        sending ? text::kMayBeIncomplete : QString());
}

// ---- The session's user ----

bool SiteJob::askRetry(const QString&)
{
    if (!live())
        return false;
    const QString attempts = QString::number(TransferSession::kAttemptsPerSeries);
    if (retriesLeft_ > 0) {
        --retriesLeft_;
        run_.jobEvent(index_, QString(text::kEventRetry).arg(attempts).arg(retriesLeft_));
        return true;
    }
    stepFailed(transfer::kExitNoConnection, text::kNoConnection, arg(text::kAttemptsRanOut, attempts));
    return false;
}

void SiteJob::showMessage(const QString& message)
{
    if (live())
        stepFailed(transfer::kExitFailed, message);
}

void SiteJob::showConnectFailure(const QString&, const QString& details)
{
    if (live())
        stepFailed(transfer::kExitNoConnection, text::kNoConnection,
                   QString(details).replace(QLatin1Char('\n'), QLatin1Char(' ')));
}

void SiteJob::setStatusText(const QString& status)
{
    if (!live())
        return;
    if (status == QLatin1String(session_text::kLinkEstablished)) {
        progress_.attempt = 0;
        run_.jobEvent(index_, text::kEventLinkUp);
        setPhase(phaseOf(steps_.front()));
    } else if (status == QLatin1String(session_text::kLinkLost) && !progressOpen_) {
        // A link lost before any transfer began shows nowhere else.
        stepFailed(transfer::kExitFailed, status);
    }
}

void SiteJob::connectingStarted(int attempt, const QString& portDigit, const QString& device)
{
    if (!live())
        return;
    progress_.attempt = attempt;
    setPhase(Phase::Connecting);
    run_.jobEvent(index_,
                  transfer::connectingText(transfer::ComPortSetting::kPrefix + portDigit, device, attempt));
}

void SiteJob::connectingEnded()
{
    if (!live() || progress_.attempt == 0)
        return;
    progress_.attempt = 0;
    run_.jobChanged(index_);
}

void SiteJob::uploadBlocksQueued()
{
    if (!live())
        return;
    progress_.blocksSent = true;
    run_.jobChanged(index_);
}

void SiteJob::desksetConfirmed()
{
    if (live() && steps_.front() == Step::Check)
        stepSucceeded();
}

void SiteJob::progressOpen(const QString& openText)
{
    if (!live())
        return;
    progressOpen_ = true;
    progressText_ = openText;
    progressSetPosition(TransferSession::kProgressStep);
}

void SiteJob::progressSetPosition(int position)
{
    if (!live())
        return;
    position_ = position;
    const int percent = position * 100 / TransferSession::kProgressEnd;
    if (percent == progress_.percent)
        return;
    progress_.percent = percent;
    run_.jobChanged(index_);
}

void SiteJob::progressEnd(const QString& endText, transfer::EndButton)
{
    if (!live())
        return;
    const QString opened = progressText_;
    progressText_ = endText;
    progressOpen_ = false;
    if (endText.endsWith(QLatin1String(session_text::kCompleted))) {
        stepSucceeded();
        return;
    }
    // "Downloading data...(Error! Transfer was incomplete)": the reason is what was added.
    stepFailed(transfer::kExitFailed, endText.startsWith(opened) ? endText.mid(opened.size()) : endText);
}

} // namespace trv::fleet
