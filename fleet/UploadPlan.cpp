#include "fleet/UploadPlan.h"

#include "database/DdbFile.h"
#include "database/Rules.h"
#include "fleet/FleetTexts.h"

namespace trv::fleet {

namespace {

// The rules' verdict on one database: its error lines, prefixed with whom they concern.
struct Verdict {
    QStringList lines;
    int errors = 0;
};

Verdict check(const db::Image& image, const QString& whose)
{
    Verdict verdict;
    const std::vector<db::Problem> problems = db::checkImage(image);
    verdict.errors = db::errorCount(problems);
    if (verdict.errors == 0)
        return verdict;
    for (const db::Problem& problem : problems)
        verdict.lines << whose + QLatin1String(": ") + QString::fromStdString(db::formatProblem(problem));
    return verdict;
}

QString countText(int errors)
{
    return QString::fromStdString(db::errorCountText(errors));
}

} // namespace

UploadPlan planUpload(const std::vector<Site>& sites, const std::optional<OneDatabase>& one, bool force)
{
    UploadPlan plan;
    const auto judge = [&](const db::Image& image, const QString& file, const QString& whose) {
        const Verdict verdict = check(image, whose);
        if (verdict.errors == 0)
            return;
        const QString summary = QString(force ? text::kUploadingWithErrors : text::kDatabaseHasErrors)
                                    .arg(file, countText(verdict.errors));
        if (force) {
            plan.notes << summary;
        } else {
            plan.problems << verdict.lines << summary;
            plan.refused = true;
        }
    };

    if (one) {
        judge(one->image, one->file, one->file);
        for (const Site& site : sites)
            plan.tasks.push_back({site, one->image, one->file});
    } else {
        for (const Site& site : sites) {
            if (site.database.isEmpty()) {
                plan.problems << QString(text::kSiteHasNoDatabase).arg(site.name).arg(site.line);
                plan.refused = true;
                continue;
            }
            SiteTask task{site, {}, site.database};
            if (const db::FileResult loaded = db::loadDatabase(site.database.toStdString(), task.image);
                !loaded.ok) {
                const QString why =
                    loaded.message.empty() ? text::kEmptyDatabase : QString::fromStdString(loaded.message);
                plan.problems << site.name + QLatin1String(": ") + site.database + QLatin1String(": ") + why;
                plan.refused = true;
                continue;
            }
            judge(task.image, site.database, site.name);
            plan.tasks.push_back(std::move(task));
        }
    }
    if (plan.refused)
        plan.tasks.clear();
    return plan;
}

} // namespace trv::fleet
