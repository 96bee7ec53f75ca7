// What each site of an upload receives, settled before anything connects: one database for every
// site (a file, or trv's open database), else each site's own from the list's `database` column.
// Each database is loaded and checked by the rules of a valid database; a load failure, or errors
// without force, refuses the whole run with every site's problems listed.
#pragma once

#include "database/Image.h"
#include "fleet/FleetRun.h"
#include "fleet/Site.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace trv::fleet {

// The database every site receives: its image, copied once, and where it came from.
struct OneDatabase {
    db::Image image{};
    QString file;
};

struct UploadPlan {
    std::vector<SiteTask> tasks; // empty when refused
    QStringList problems;        // one line each: what is wrong, with the site it concerns
    bool refused = false;
    QStringList notes; // errors uploaded anyway (force)
};

UploadPlan planUpload(const std::vector<Site>& sites, const std::optional<OneDatabase>& one, bool force);

} // namespace trv::fleet
