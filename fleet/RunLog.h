// The log of a fleet run, one line per event: "DESK-2: backing up", "DESK-2: backup saved to ...",
// "DESK-2: ok: backed up (12.4 s)". trvctl fleet prints it when stderr is no terminal; the Fleet
// window keeps it beside the site list. Percents and attempts are not events.
#pragma once

#include "fleet/FleetRun.h"

#include <QMap>
#include <QString>

#include <functional>

namespace trv::fleet {

class RunLog : public FleetObserver {
public:
    using Sink = std::function<void(const QString& line)>;

    RunLog(const FleetRun& run, Sink sink) : run_(run), sink_(std::move(sink)) {}

    void siteChanged(int index, const SiteProgress& progress) override;
    void siteEvent(int index, const QString& text) override;
    void siteEnded(int index, const SiteOutcome& outcome) override;

    // "ok: backed up (12.4 s)"
    static QString endText(const SiteOutcome& outcome);

private:
    void line(int index, const QString& text);

    const FleetRun& run_;
    Sink sink_;
    QMap<int, Phase> lastPhase_;
};

} // namespace trv::fleet
