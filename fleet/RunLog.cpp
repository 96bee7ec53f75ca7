#include "fleet/RunLog.h"

namespace trv::fleet {

void RunLog::siteChanged(int index, const SiteProgress& progress)
{
    // Each phase of a transfer once; connecting shows as its attempts, the end as the result.
    if (progress.phase == Phase::Ended || progress.phase == Phase::Connecting)
        return;
    if (lastPhase_.value(index, Phase::Waiting) == progress.phase)
        return;
    lastPhase_[index] = progress.phase;
    line(index, phaseName(progress.phase));
}

void RunLog::siteEvent(int index, const QString& text)
{
    line(index, text);
}

void RunLog::siteEnded(int index, const SiteOutcome& outcome)
{
    line(index, endText(outcome));
}

QString RunLog::endText(const SiteOutcome& outcome)
{
    return QStringLiteral("%1: %2 (%3 s)")
        .arg(resultName(outcome.result), outcome.message())
        .arg(outcome.seconds, 0, 'f', 1);
}

void RunLog::line(int index, const QString& text)
{
    sink_(run_.plan().tasks.at(std::size_t(index)).site.name + QLatin1String(": ") + text);
}

} // namespace trv::fleet
