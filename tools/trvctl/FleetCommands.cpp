// trvctl fleet backup / upload / status: one run over the desksets of a site list, every deskset
// its own session (fleet/FleetRun.h). The terminal shows one line per site, updated in place, or
// one line per event when stderr is no terminal; --json writes one object per site as it ends.
// The first SIGINT or SIGTERM starts nothing new and lets uploads already sending blocks finish;
// the second stops those too.
#include "tools/trvctl/Command.h"

#include "database/DdbFile.h"
#include "fleet/FleetRun.h"
#include "fleet/RunLog.h"
#include "fleet/SiteList.h"
#include "fleet/UploadPlan.h"
#include "tools/trvctl/CtlTexts.h"
#include "tools/trvctl/Files.h"
#include "tools/trvctl/StopSignals.h"
#include "transfer/LinkConfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>
#include <QTimer>

#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>

namespace trv::ctl {
namespace {

using fleet::FleetRun;
using fleet::Phase;
using fleet::SiteOutcome;
using fleet::SiteProgress;

struct FleetOptions {
    std::string sites;
    std::string file;      // upload: one database for every site
    std::string backupDir; // backup: required; upload: optional
    bool verify = false;
    bool force = false;
    int jobs = 0;
    std::vector<std::string> only;
    int timeout = 0;
    int retries = 0;
    std::string traceDir;
    bool json = false;
};

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

void report(const QString& line)
{
    std::cerr << line.toStdString() << '\n';
}

// What the terminal shows of a run: a table redrawn in place on a terminal, else a log of events;
// the JSON lines on stdout.
class FleetDisplay : public fleet::FleetObserver {
public:
    FleetDisplay(const FleetOptions& options, const std::vector<fleet::SiteTask>& tasks)
        : json_(options.json), table_(isatty(STDERR_FILENO) != 0)
    {
        for (const fleet::SiteTask& task : tasks) {
            names_ << task.site.name;
            ports_ << qs(task.site.port.text());
            nameWidth_ = std::max(nameWidth_, int(task.site.name.size()));
            portWidth_ = std::max(portWidth_, int(ports_.back().size()));
        }
        redraw_.setSingleShot(true);
        redraw_.setInterval(kRedrawMs);
        redraw_.callOnTimeout([this] { draw(); });
    }

    void attach(const FleetRun& run)
    {
        run_ = &run;
        if (!table_)
            log_ = std::make_unique<fleet::RunLog>(run, &report);
    }

    void siteChanged(int index, const SiteProgress& progress) override
    {
        if (log_)
            log_->siteChanged(index, progress);
        else if (!redraw_.isActive())
            redraw_.start();
    }
    void siteEvent(int index, const QString& text) override
    {
        if (log_)
            log_->siteEvent(index, text);
    }
    void siteEnded(int index, const SiteOutcome& outcome) override
    {
        if (log_) {
            log_->siteEnded(index, outcome);
        } else {
            endedOrder_.push_back(index);
            if (!redraw_.isActive())
                redraw_.start();
        }
        if (json_)
            writeJson(index, outcome);
    }
    void runEnded() override
    {
        if (table_)
            draw();
        QCoreApplication::exit(0);
    }
    // A line of the command's own between the table's redraws.
    void say(const QString& line)
    {
        if (table_ && drawn_ > 0) {
            std::fprintf(stderr, "\x1b[%dA\r\x1b[J", drawn_);
            drawn_ = 0;
        }
        report(line);
        if (table_)
            draw();
    }

private:
    static constexpr int kRedrawMs = 100;

    QString tableLine(int index) const
    {
        const SiteProgress& progress = run_->progress(index);
        QString state;
        QString more;
        if (progress.phase == Phase::Ended) {
            const SiteOutcome& outcome = run_->outcome(index);
            state = fleet::resultName(outcome.result);
            more = outcome.message();
        } else {
            state = fleet::phaseName(progress.phase);
            if (progress.attempt > 0)
                more = QString::fromUtf8(text::kFleetAttempt).arg(progress.attempt);
            else if (progress.phase != Phase::Waiting && progress.phase != Phase::Connecting)
                more = QStringLiteral("%1%").arg(progress.percent, 3);
        }
        return QStringLiteral("%1  %2  %3  %4")
            .arg(names_[index], -nameWidth_)
            .arg(ports_[index], -portWidth_)
            .arg(state, -kStateWidth)
            .arg(more);
    }
    // The sites that have ended are printed once, as they end, and scroll up with the terminal;
    // below them the sites still under way or waiting are redrawn in place, as many as the
    // terminal has room for. Every line is cut to the terminal's width: a wrapped line would move
    // the redraw off its place.
    void draw()
    {
        if (run_ == nullptr)
            return;
        winsize size{};
        const bool known =
            ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 && size.ws_row > 0;
        const int columns = known ? size.ws_col : 80;
        const int room = std::max(2, (known ? size.ws_row : 24) - 2);
        const auto put = [columns](std::string& out, const QString& line) {
            out += (line.size() < columns ? line : line.left(columns - 1)).toStdString() + "\n";
        };

        std::string out;
        if (drawn_ > 0)
            out += "\x1b[" + std::to_string(drawn_) + "A\r\x1b[J";
        for (; printedEnded_ < endedOrder_.size(); ++printedEnded_)
            put(out, tableLine(endedOrder_[printedEnded_]));
        std::vector<int> live; // under way first, then waiting
        for (const bool underWay : {true, false})
            for (int i = 0; i < names_.size(); ++i) {
                const Phase phase = run_->progress(i).phase;
                if (phase != Phase::Ended && (phase != Phase::Waiting) == underWay)
                    live.push_back(i);
            }
        drawn_ = 0;
        for (const int index : live) {
            if (drawn_ == room - 1 && int(live.size()) > room) {
                put(out, QString::fromUtf8(text::kFleetMore).arg(int(live.size()) - drawn_));
                ++drawn_;
                break;
            }
            put(out, tableLine(index));
            ++drawn_;
        }
        std::fputs(out.c_str(), stderr);
        std::fflush(stderr);
    }
    void writeJson(int index, const SiteOutcome& outcome) const
    {
        QJsonObject object{
            {"name", names_[index]},
            {"port", ports_[index]},
            {"operation", fleet::operationName(run_->plan().operation)},
            {"result", fleet::resultName(outcome.result)},
            {"status", outcome.status},
            {"message", outcome.message()},
            {"file", outcome.file},
            {"seconds", double(qRound(outcome.seconds * 1000)) / 1000},
        };
        if (!outcome.backup.isEmpty())
            object.insert(QLatin1String("backup"), outcome.backup);
        std::cout << QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() << std::endl;
    }

    static constexpr int kStateWidth = 10;
    const bool json_;
    const bool table_;
    const FleetRun* run_ = nullptr;
    QStringList names_;
    QStringList ports_;
    int nameWidth_ = 0;
    int portWidth_ = 0;
    int drawn_ = 0;               // lines of the part redrawn in place
    std::vector<int> endedOrder_; // sites in the order they ended
    std::size_t printedEnded_ = 0;
    std::unique_ptr<fleet::RunLog> log_; // without a terminal
    QTimer redraw_;
};

// A folder the run writes into: it must exist and be writable before anything connects.
bool folderUsable(const std::string& folder)
{
    if (const db::FileResult writable = db::checkFolderWritable(folder); !writable.ok) {
        std::cerr << writable.message << '\n';
        return false;
    }
    return true;
}

// The sites of the list that the run is for, or nothing after saying why.
std::optional<std::vector<fleet::Site>> readSites(const FleetOptions& options)
{
    const fleet::SiteListResult loaded = fleet::loadSiteList(qs(options.sites), transfer::LinkConfig::load());
    if (const auto* errors = std::get_if<fleet::SiteListErrors>(&loaded)) {
        for (const QString& problem : errors->problems)
            report(qs(options.sites) + QLatin1String(": ") + problem);
        return std::nullopt;
    }
    QStringList names;
    for (const std::string& name : options.only)
        names << qs(name);
    const fleet::SiteListResult selected =
        fleet::selectSites(std::get<std::vector<fleet::Site>>(loaded), names);
    if (const auto* errors = std::get_if<fleet::SiteListErrors>(&selected)) {
        for (const QString& problem : errors->problems)
            report(problem);
        return std::nullopt;
    }
    return std::get<std::vector<fleet::Site>>(selected);
}

// Everything of the run that can be wrong is found here, before anything connects.
std::optional<fleet::FleetPlan> makePlan(fleet::Operation operation, const FleetOptions& options)
{
    const std::optional<std::vector<fleet::Site>> sites = readSites(options);
    if (!sites)
        return std::nullopt;
    fleet::FleetPlan plan;
    plan.operation = operation;
    plan.backupDir = qs(options.backupDir);
    plan.verify = options.verify;
    plan.jobs = options.jobs;
    plan.timeout = std::chrono::seconds(options.timeout);
    plan.retries = options.retries;
    plan.traceDir = qs(options.traceDir);
    if (!options.backupDir.empty() && !folderUsable(options.backupDir))
        return std::nullopt;
    if (!options.traceDir.empty() && !folderUsable(options.traceDir))
        return std::nullopt;
    if (operation != fleet::Operation::Upload) {
        for (const fleet::Site& site : *sites)
            plan.tasks.push_back({site, {}, {}});
        return plan;
    }
    std::optional<fleet::OneDatabase> one;
    if (!options.file.empty()) {
        const std::optional<db::Image> image = loadImageOrReport(options.file, true);
        if (!image)
            return std::nullopt;
        one = fleet::OneDatabase{*image, qs(options.file)};
    }
    fleet::UploadPlan upload = fleet::planUpload(*sites, one, options.force);
    for (const QString& line : upload.notes)
        report(line);
    if (upload.refused) {
        for (const QString& line : upload.problems)
            report(line);
        return std::nullopt;
    }
    plan.tasks = std::move(upload.tasks);
    return plan;
}

// Every connected deskset holds a few descriptors (its device, the link's wake-up events, its
// trace): a site list of hundreds needs more than the soft limit of 1024.
void raiseDescriptorLimit()
{
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &limit);
    }
}

int runFleet(fleet::Operation operation, const FleetOptions& options)
{
    std::optional<fleet::FleetPlan> plan = makePlan(operation, options);
    if (!plan)
        return kExitUsage;
    raiseDescriptorLimit();
    FleetDisplay display(options, plan->tasks);
    FleetRun run(std::move(*plan), display);
    display.attach(run);

    StopSignals stopSignals;
    int firstSignal = 0;
    QSocketNotifier notifier(stopSignals.fd(), QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &run, [&] {
        for (const int number : stopSignals.take()) {
            if (firstSignal == 0)
                firstSignal = number;
            if (!run.running())
                continue;
            run.stop();
            display.say(QString::fromUtf8(run.stops() == 1 ? text::kFleetStopping : text::kFleetStoppingAll)
                            .arg(QString::fromLatin1(StopSignals::name(number))));
        }
    });
    QTimer::singleShot(0, &run, [&] { run.start(); });
    QCoreApplication::exec();

    const QString summary = run.summary();
    (options.json ? std::cerr : std::cout) << summary.toStdString() << std::endl;
    if (firstSignal != 0)
        StopSignals::endBy(firstSignal);
    return run.exitStatus();
}

// The options every fleet command shares.
void addRunOptions(CLI::App* command, FleetOptions& options)
{
    command->add_option("SITES", options.sites, "the site list: CSV with the columns name, port and database")
        ->required();
    command->add_option("--jobs", options.jobs, "at most N desksets at once (default: all)")
        ->type_name("N")
        ->check(CLI::Range(1, 100000));
    command->add_option("--only", options.only, "only the desksets of these names")
        ->type_name("NAME,...")
        ->delimiter(',');
    command
        ->add_option(
            "--timeout", options.timeout,
            "give up on a deskset after SECONDS for its whole operation (backup, upload and verify together)")
        ->type_name("SECONDS")
        ->check(CLI::Range(1, 86400));
    command
        ->add_option("--retries", options.retries,
                     "answer each deskset's \"unable to establish connection\" question with Retry N times")
        ->type_name("N")
        ->check(CLI::Range(0, 1000));
    command->add_option("--trace", options.traceDir, "write each deskset's frames to DIR/<name>.trace")
        ->type_name("DIR");
    command->add_flag("--json", options.json,
                      "one JSON object per deskset on stdout as it ends (name, port, operation, result, "
                      "status, message, file, seconds)");
}

} // namespace

void addFleetCommands(CLI::App& app, int& status)
{
    CLI::App* fleetCommand =
        app.add_subcommand("fleet", "Back up, upload or check every deskset of a site list at once.");
    fleetCommand->require_subcommand(1);
    fleetCommand->footer(text::kFleetFooter);
    auto options = std::make_shared<FleetOptions>();

    CLI::App* backup =
        fleetCommand->add_subcommand("backup", "Download every deskset's database into DIR/<name>/.");
    addRunOptions(backup, *options);
    backup->add_option("-d,--dir", options->backupDir, "the folder of the backups")
        ->type_name("DIR")
        ->required();
    backup->callback([options, &status] { status = runFleet(fleet::Operation::Backup, *options); });

    CLI::App* upload = fleetCommand->add_subcommand(
        "upload", "Send FILE, or each deskset's own database, to every deskset.");
    addRunOptions(upload, *options);
    upload->add_option("FILE", options->file,
                       "the .ddb file for every deskset (else the list's database column)");
    upload
        ->add_option("--backup", options->backupDir,
                     "first download each deskset's database into DIR/<name>/")
        ->type_name("DIR");
    upload->add_flag("--verify", options->verify,
                     "afterwards read each deskset back and compare it byte for byte");
    upload->add_flag("--force", options->force, "send databases in which the check finds errors");
    upload->callback([options, &status] { status = runFleet(fleet::Operation::Upload, *options); });

    CLI::App* check = fleetCommand->add_subcommand(
        "status", "Connect to every deskset and check its version and hardware replies; transfer nothing.");
    addRunOptions(check, *options);
    check->callback([options, &status] { status = runFleet(fleet::Operation::Status, *options); });
}

} // namespace trv::ctl
