#include "fleet/FleetRun.h"

#include "fleet/FleetTexts.h"
#include "fleet/SiteJob.h"
#include "transfer/ExitStatus.h"

#include <QStringList>
#include <QTimer>

namespace trv::fleet {

QString SiteOutcome::message() const
{
    return detail.isEmpty() ? reason : reason + QLatin1String(": ") + detail;
}

QString operationName(Operation operation)
{
    switch (operation) {
    case Operation::Backup:
        return text::kOperationBackup;
    case Operation::Upload:
        return text::kOperationUpload;
    case Operation::Status:
        return text::kOperationStatus;
    }
    return {};
}

QString resultName(Result result)
{
    switch (result) {
    case Result::Ok:
        return text::kResultOk;
    case Result::Failed:
        return text::kResultFailed;
    case Result::Stopped:
        return text::kResultStopped;
    }
    return {};
}

QString phaseName(Phase phase)
{
    static constexpr QLatin1StringView kNames[] = {text::kPhaseWaiting,   text::kPhaseConnecting,
                                                   text::kPhaseChecking,  text::kPhaseBackingUp,
                                                   text::kPhaseUploading, text::kPhaseVerifying};
    const auto at = static_cast<std::size_t>(phase);
    return at < std::size(kNames) ? QString(kNames[at]) : QString();
}

FleetRun::FleetRun(FleetPlan plan, FleetObserver& observer, QObject* parent)
    : QObject(parent), plan_(std::move(plan)), observer_(observer), clock_(&comms::SystemClock())
{
    for (std::size_t i = 0; i < plan_.tasks.size(); ++i)
        jobs_.push_back(std::make_unique<SiteJob>(*this, int(i), plan_.tasks[i]));
}

FleetRun::~FleetRun() = default;

void FleetRun::start()
{
    if (started_)
        return;
    started_ = true;
    if (jobs_.empty())
        QTimer::singleShot(0, this, [this] { observer_.runEnded(); });
    startNext();
}

void FleetRun::startNext()
{
    // A site that fails at once (a missing device) ends inside start(): the loop goes on with
    // the next one instead of recursing.
    if (starting_)
        return;
    starting_ = true;
    const int count = int(jobs_.size());
    while (stops_ == 0 && next_ < count && (plan_.jobs <= 0 || active_ < plan_.jobs)) {
        ++active_;
        jobs_[next_++]->start();
    }
    starting_ = false;
}

void FleetRun::stop()
{
    if (!running())
        return;
    ++stops_;
    const int level = std::min(stops_, 2);
    // Sites not yet started never will be; the others stop as the level says.
    for (const std::unique_ptr<SiteJob>& job : jobs_)
        if (!job->started())
            job->endUnstarted();
        else
            job->stop(level);
}

const SiteProgress& FleetRun::progress(int index) const
{
    return jobs_.at(std::size_t(index))->progress();
}

const SiteOutcome& FleetRun::outcome(int index) const
{
    return jobs_.at(std::size_t(index))->outcome();
}

void FleetRun::jobChanged(int index)
{
    observer_.siteChanged(index, progress(index));
}

void FleetRun::jobEvent(int index, const QString& text)
{
    observer_.siteEvent(index, text);
}

void FleetRun::jobEnded(int index)
{
    if (jobs_[std::size_t(index)]->started())
        --active_;
    ++ended_;
    observer_.siteEnded(index, outcome(index));
    if (ended_ == int(jobs_.size())) {
        // Told once the current event is done: the observer may end the event loop, which may
        // not have started yet when every site failed at once.
        QTimer::singleShot(0, this, [this] { observer_.runEnded(); });
        return;
    }
    startNext();
}

QString FleetRun::summary() const
{
    int ok = 0;
    QStringList failed;
    QStringList stopped;
    bool letFinish = false;
    for (std::size_t i = 0; i < jobs_.size(); ++i) {
        const SiteOutcome& outcome = jobs_[i]->outcome();
        letFinish = letFinish || (jobs_[i]->letFinish() && outcome.result != Result::Stopped);
        const QString entry = QString(text::kSummaryEntry).arg(plan_.tasks[i].site.name, outcome.reason);
        switch (outcome.result) {
        case Result::Ok:
            ++ok;
            break;
        case Result::Failed:
            failed << entry;
            break;
        case Result::Stopped:
            stopped << entry;
            break;
        }
    }
    QLatin1StringView form = plan_.operation == Operation::Backup   ? text::kSummaryBackup
                             : plan_.operation == Operation::Status ? text::kSummaryStatus
                             : plan_.verify                         ? text::kSummaryUploadVerified
                                                                    : text::kSummaryUpload;
    const int total = int(jobs_.size());
    QString line = QString(form).arg(ok).arg(total).arg(total == 1 ? text::kDeskset : text::kDesksets);
    const QString separator = QStringLiteral(", ");
    if (!failed.isEmpty())
        line += QString(text::kSummaryFailed).arg(failed.join(separator));
    if (!stopped.isEmpty())
        line += QString(text::kSummaryStopped).arg(stopped.join(separator));
    if (letFinish)
        line += text::kSummaryLetFinish;
    return line;
}

int FleetRun::exitStatus() const
{
    for (const std::unique_ptr<SiteJob>& job : jobs_)
        if (job->outcome().result != Result::Ok)
            return transfer::kExitFailed;
    return transfer::kExitOk;
}

} // namespace trv::fleet
