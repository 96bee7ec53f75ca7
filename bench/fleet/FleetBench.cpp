// trvctl fleet backup of N desksets at once, each a desksetsim pacing its line at 19200 baud.
//
// For each N (1, 8 and 32 unless the command line names others) it starts N simulators, each on a
// pseudo-terminal of its own and holding a new database, writes their site list and runs
// `trvctl fleet backup SITES -d DIR --json` three times, each into a fresh DIR. A site counts as
// backed up when its JSON line says "ok" and its file lies in DIR/<name>/ under the backup's name
// and holds exactly the simulator's database. Per N it prints the median wall time, its ratio to
// the median of N = 1, trvctl's CPU time (its own rusage from wait4, not the simulators') and
// trvctl's peak resident memory, with the targets beside the figures of N = 32.
#include "bench/support/ChildProcess.h"
#include "database/DdbFile.h"
#include "database/NewDatabase.h"

#include <CLI/CLI.hpp>
#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr int kBaud = 19200;
constexpr int kRuns = 3;
constexpr std::chrono::seconds kAnnounceLimit{10}; // for a simulator to print its pseudo-terminal
constexpr std::chrono::seconds kStopLimit{5};      // for a simulator to end after SIGTERM
constexpr std::chrono::seconds kRunLimit{900};     // for one trvctl fleet backup
constexpr int kTargetSites = 32;
constexpr double kTargetRatio = 1.15;
constexpr double kTargetCpuSeconds = 3.0;
constexpr double kTargetMemoryMb = 64.0;

// What the stop-signal handler ends before the benchmark itself goes: the simulators' process
// group and the trvctl under way.
std::atomic<pid_t> gSimulatorGroup{0};
std::atomic<pid_t> gTrvctl{0};

extern "C" void onStopSignal(int signo)
{
    if (const pid_t group = gSimulatorGroup.load(); group > 0)
        kill(-group, SIGTERM);
    if (const pid_t pid = gTrvctl.load(); pid > 0)
        kill(pid, SIGTERM);
    signal(signo, SIG_DFL);
    raise(signo);
}

// Kills a child that outlives its limit; goes quietly when it leaves scope first.
class Watchdog {
public:
    Watchdog(pid_t pid, std::chrono::seconds limit)
        : thread_([this, pid, limit](std::stop_token stop) {
              std::unique_lock lock(mutex_);
              wake_.wait_for(lock, stop, limit, [] { return false; });
              if (!stop.stop_requested()) {
                  fired_ = true;
                  kill(pid, SIGKILL);
              }
          })
    {
    }
    bool fired() const { return fired_; }

private:
    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::atomic<bool> fired_{false};
    std::jthread thread_; // last: stopped and joined before the members it uses go
};

struct Ended {
    int status = 0;
    rusage usage{};
    bool killed = false; // by the watchdog
};

// Waits for the child's end, killing it after limit. The watchdog is gone before the child is
// reaped, so it can never hit a process that has taken the pid since.
Ended reap(pid_t pid, std::chrono::seconds limit)
{
    Ended ended;
    {
        Watchdog watchdog(pid, limit);
        siginfo_t info{};
        while (waitid(P_PID, pid, &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
        }
        ended.killed = watchdog.fired();
    }
    while (wait4(pid, &ended.status, 0, &ended.usage) < 0 && errno == EINTR) {
    }
    return ended;
}

std::string describeStatus(const Ended& ended, std::chrono::seconds limit)
{
    if (ended.killed)
        return "was killed after " + std::to_string(limit.count()) + " s";
    if (WIFEXITED(ended.status))
        return "exited with status " + std::to_string(WEXITSTATUS(ended.status));
    if (WIFSIGNALED(ended.status))
        return "was ended by signal " + std::to_string(WTERMSIG(ended.status));
    return "ended with wait status " + std::to_string(ended.status);
}

std::string firstLine(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// N desksets, each a desksetsim on a pseudo-terminal of its own; all of them stop together, and
// so does any that started when a later one fails to.
class Simulators {
public:
    Simulators(const std::string& program, const fs::path& image, int count, const fs::path& errorFile)
    {
        const std::vector<std::string> args{program,   "--pty",       "--line-rate", std::to_string(kBaud),
                                            "--image", image.string()};
        std::vector<bench::Child> children;
        for (int i = 0; i < count; ++i) {
            const pid_t group = gSimulatorGroup.load();
            bench::Child child = bench::spawn(
                args,
                {.errorFile = errorFile.string(), .nullInput = true, .processGroup = group > 0 ? group : 0});
            if (child.pid < 0) {
                error_ = "could not start " + program;
                break;
            }
            if (group <= 0)
                gSimulatorGroup = child.pid;
            pids_.push_back(child.pid);
            children.push_back(child);
        }
        // Without --once each simulator takes session after session, so it serves every run.
        for (std::size_t i = 0; i < children.size() && error_.empty(); ++i) {
            std::optional<std::string> line;
            {
                Watchdog watchdog(children[i].pid, kAnnounceLimit);
                line = bench::readLine(children[i].out);
            }
            if (line && line->rfind("PTY ", 0) == 0) {
                ptys_.push_back(line->substr(4));
                continue;
            }
            error_ = "desksetsim " + std::to_string(i + 1) + " did not announce its pseudo-terminal: ";
            if (line) {
                error_ += *line;
                continue;
            }
            // Its output ended: it has ended, or the watchdog has ended it.
            const Ended ended = reap(children[i].pid, kStopLimit);
            pids_.erase(std::find(pids_.begin(), pids_.end(), children[i].pid));
            const std::string said = firstLine(errorFile);
            error_ +=
                "it " + describeStatus(ended, kAnnounceLimit) + (said.empty() ? "" : "; it said: " + said);
        }
        for (const bench::Child& child : children)
            std::fclose(child.out); // nothing but the PTY line is printed on standard output
        if (!error_.empty())
            stop();
    }
    ~Simulators() { stop(); }
    Simulators(const Simulators&) = delete;
    Simulators& operator=(const Simulators&) = delete;

    const std::string& error() const { return error_; }
    const std::vector<std::string>& ptys() const { return ptys_; }

    void stop()
    {
        for (pid_t pid : pids_)
            kill(pid, SIGTERM);
        for (pid_t pid : pids_)
            reap(pid, kStopLimit);
        pids_.clear();
        gSimulatorGroup = 0;
    }

private:
    std::vector<pid_t> pids_;
    std::vector<std::string> ptys_;
    std::string error_;
};

std::vector<std::string> siteNames(int count)
{
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "SITE-%03d", i);
        names.emplace_back(name);
    }
    return names;
}

bool writeSiteList(const fs::path& path, const std::vector<std::string>& names,
                   const std::vector<std::string>& ports)
{
    std::ofstream out(path);
    out << "name,port\n";
    for (std::size_t i = 0; i < names.size(); ++i)
        out << names[i] << ',' << ports[i] << '\n';
    out.close();
    return bool(out);
}

struct Run {
    double wall = 0;
    double cpu = 0;
    double peakMb = 0;
    int okLines = 0;     // JSON lines of listed sites saying "ok", each site once
    int goodBackups = 0; // of those, backups in the site's folder equal to the simulator's database
    int otherLines = 0;  // lines that are no JSON object of a listed site
    std::string problem; // why the run does not count; empty when every site was backed up
};

// A backup the JSON line names: in <dir>/<name>/, named <name>-backup-...ddb, holding expected.
bool isGoodBackup(const fs::path& dir, const std::string& name, const std::string& file,
                  const trv::db::Image& expected)
{
    const fs::path path(file);
    std::error_code error;
    const std::string fileName = path.filename().string();
    if (fs::weakly_canonical(path.parent_path(), error) != fs::weakly_canonical(dir / name, error) ||
        fileName.rfind(name + "-backup-", 0) != 0 || path.extension() != ".ddb")
        return false;
    trv::db::Image got{};
    return trv::db::loadDatabase(path.string(), got).ok && got == expected;
}

Run runBackup(const std::string& trvctl, const fs::path& sites, const fs::path& dir,
              const fs::path& errorFile, const std::vector<std::string>& names,
              const trv::db::Image& expected)
{
    Run run;
    const std::vector<std::string> args{trvctl, "fleet",      "backup", sites.string(),
                                        "-d",   dir.string(), "--json"};
    const Clock::time_point start = Clock::now();
    bench::Child ctl = bench::spawn(args, {.errorFile = errorFile.string(), .nullInput = true});
    if (ctl.pid < 0) {
        run.problem = "could not start " + trvctl;
        return run;
    }
    gTrvctl = ctl.pid;
    std::vector<std::string> lines;
    {
        Watchdog watchdog(ctl.pid, kRunLimit); // also when trvctl hangs with its output open
        while (auto line = bench::readLine(ctl.out))
            lines.push_back(*line);
    }
    std::fclose(ctl.out);
    const Ended ended = reap(ctl.pid, kRunLimit);
    run.wall = std::chrono::duration<double>(Clock::now() - start).count();
    gTrvctl = 0;
    run.cpu = bench::cpuSeconds(ended.usage);
    run.peakMb = ended.usage.ru_maxrss / 1024.0; // kilobytes on Linux

    const std::set<std::string> listed(names.begin(), names.end());
    std::set<std::string> seen;
    for (const std::string& line : lines) {
        const QJsonObject site = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
        const std::string name = site.value("name").toString().toStdString();
        if (!listed.count(name) || !seen.insert(name).second) {
            ++run.otherLines;
            continue;
        }
        if (site.value("result").toString() != "ok")
            continue;
        ++run.okLines;
        run.goodBackups += isGoodBackup(dir, name, site.value("file").toString().toStdString(), expected);
    }

    const int count = int(names.size());
    if (ended.killed || !WIFEXITED(ended.status) || WEXITSTATUS(ended.status) != 0) {
        run.problem = "trvctl fleet backup " + describeStatus(ended, kRunLimit);
        if (const std::string said = firstLine(errorFile); !said.empty())
            run.problem += "; it said: " + said;
    } else if (run.okLines != count || run.goodBackups != count) {
        run.problem = "trvctl fleet backup exited with status 0, yet " + std::to_string(run.okLines) +
                      " of " + std::to_string(count) + " sites said ok and " +
                      std::to_string(run.goodBackups) + " backups hold the deskset's database";
    }
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Figures {
    int sites = 0;
    double wall = 0;
    double cpu = 0;
    double peakMb = 0;
    int goodRuns = 0;
};

// Three runs against count fresh simulators; nullopt when they could not be started.
std::optional<Figures> measure(int count, const std::string& trvctl, const std::string& desksetsim,
                               const fs::path& image, const trv::db::Image& expected, const fs::path& dir)
{
    const fs::path base = dir / ("n" + std::to_string(count));
    fs::create_directories(base);
    std::printf("N = %d\n", count);
    Simulators simulators(desksetsim, image, count, base / "desksetsim.err");
    if (!simulators.error().empty()) {
        std::printf("  %s\n", simulators.error().c_str());
        return std::nullopt;
    }
    const std::vector<std::string> names = siteNames(count);
    const fs::path sites = base / "sites.csv";
    if (!writeSiteList(sites, names, simulators.ptys())) {
        std::printf("  could not write %s\n", sites.c_str());
        return std::nullopt;
    }
    std::printf("  %d simulators up (%s ... %s), site list %s\n", count, simulators.ptys().front().c_str(),
                simulators.ptys().back().c_str(), sites.c_str());

    Figures figures{.sites = count};
    std::vector<double> walls, cpus;
    for (int k = 1; k <= kRuns; ++k) {
        const fs::path out = base / ("run" + std::to_string(k));
        fs::create_directories(out);
        const Run run = runBackup(trvctl, sites, out, base / ("trvctl-run" + std::to_string(k) + ".err"),
                                  names, expected);
        std::printf(
            "  run %d: wall %.3f s, CPU %.3f s, peak %.1f MB, %d of %d ok, %d backups equal to the deskset's",
            k, run.wall, run.cpu, run.peakMb, run.okLines, count, run.goodBackups);
        if (run.otherLines > 0)
            std::printf(", %d other lines", run.otherLines);
        std::printf("%s%s\n", run.problem.empty() ? "" : "\n    FAILED: ", run.problem.c_str());
        std::fflush(stdout);
        walls.push_back(run.wall);
        cpus.push_back(run.cpu);
        figures.peakMb = std::max(figures.peakMb, run.peakMb);
        figures.goodRuns += run.problem.empty();
    }
    figures.wall = median(walls);
    figures.cpu = median(cpus);
    return figures;
}

void printTable(const std::vector<Figures>& all)
{
    if (all.empty())
        return;
    const auto one = std::find_if(all.begin(), all.end(), [](const Figures& f) { return f.sites == 1; });
    std::printf("\n%6s  %-12s  %-23s  %-22s  %-26s  %s\n", "N", "wall median", "ratio to N = 1",
                "trvctl CPU median", "trvctl peak memory", "all sites ok");
    for (const Figures& f : all) {
        const bool target = f.sites == kTargetSites;
        char wall[32], ratio[32], cpu[32], memory[32];
        std::snprintf(wall, sizeof wall, "%.3f s", f.wall);
        std::snprintf(ratio, sizeof ratio, "%.3f%s", one != all.end() ? f.wall / one->wall : 0.0,
                      target ? " (target <= 1.15)" : "");
        std::snprintf(cpu, sizeof cpu, "%.3f s%s", f.cpu, target ? " (target < 3 s)" : "");
        std::snprintf(memory, sizeof memory, "%.1f MB%s", f.peakMb, target ? " (target < 64 MB)" : "");
        std::printf("%6d  %-12s  %-23s  %-22s  %-26s  %s (%d of %d runs)\n", f.sites, wall, ratio, cpu,
                    memory, f.goodRuns == kRuns ? "yes" : "NO", f.goodRuns, kRuns);
    }
    const auto target =
        std::find_if(all.begin(), all.end(), [](const Figures& f) { return f.sites == kTargetSites; });
    if (target == all.end() || one == all.end())
        return;
    if (target->goodRuns != kRuns || one->goodRuns != kRuns) {
        std::printf("targets at N = %d not judged: not every run backed up every site\n", kTargetSites);
        return;
    }
    const auto verdict = [](bool met) { return met ? "met" : "MISSED"; };
    std::printf("targets at N = %d: wall %s, CPU %s, memory %s\n", kTargetSites,
                verdict(target->wall <= kTargetRatio * one->wall), verdict(target->cpu < kTargetCpuSeconds),
                verdict(target->peakMb < kTargetMemoryMb));
}

// trvctl opens a pseudo-terminal per site: with 128 sites the usual soft limit of 1024
// descriptors is near, so it gets the hard limit (children inherit it).
void raiseDescriptorLimit()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == limit.rlim_max)
        return;
    const rlim_t soft = limit.rlim_cur;
    limit.rlim_cur = limit.rlim_max;
    if (setrlimit(RLIMIT_NOFILE, &limit) != 0)
        std::fprintf(stderr, "fleet_bench: could not raise the open file limit from %llu to %llu\n",
                     static_cast<unsigned long long>(soft), static_cast<unsigned long long>(limit.rlim_max));
}

} // namespace

namespace {

int benchmark(int argc, char** argv)
{
    CLI::App app(
        "trvctl fleet backup of N simulated desksets at once (19200 baud each): wall time, its ratio "
        "to N = 1, trvctl's CPU time and peak memory.",
        "fleet_bench");
    std::vector<int> counts{1, 8, kTargetSites};
    std::string trvctl = TRVCTL_PATH;
    std::string desksetsim = DESKSETSIM_PATH;
    app.add_option("N", counts, "numbers of desksets (default 1 8 32); N = 1 is always measured, first")
        ->check(CLI::Range(1, 4096));
    app.add_option("--trvctl", trvctl, "the trvctl to measure")->check(CLI::ExistingFile);
    app.add_option("--desksetsim", desksetsim, "the simulator to run")->check(CLI::ExistingFile);
    CLI11_PARSE(app, argc, argv);

    std::sort(counts.begin(), counts.end());
    counts.erase(std::unique(counts.begin(), counts.end()), counts.end());
    if (counts.front() != 1)
        counts.insert(counts.begin(), 1);

    raiseDescriptorLimit();
    for (int signo : {SIGINT, SIGTERM, SIGHUP})
        signal(signo, onStopSignal);

    char pattern[] = "/tmp/trv-fleet-bench-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("fleet_bench: mkdtemp");
        return 1;
    }
    const fs::path dir = pattern;
    setenv("TRV_CONFIG_DIR", dir.c_str(), 1);
    trv::db::Image image{};
    trv::db::newDatabase(image);
    const fs::path imageFile = dir / "deskset.ddb";
    bool ok = trv::db::saveDatabase(imageFile.string(), image).ok;
    if (!ok)
        std::fprintf(stderr, "fleet_bench: could not write %s\n", imageFile.c_str());

    std::vector<Figures> all;
    for (std::size_t i = 0; ok && i < counts.size(); ++i) {
        const std::optional<Figures> figures = measure(counts[i], trvctl, desksetsim, imageFile, image, dir);
        ok = figures.has_value();
        if (ok)
            all.push_back(*figures);
    }
    printTable(all);
    const bool allGood =
        ok && std::all_of(all.begin(), all.end(), [](const Figures& f) { return f.goodRuns == kRuns; });
    if (allGood)
        fs::remove_all(dir);
    else
        std::printf("the runs' output stays in %s\n", dir.c_str());
    return allGood ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    // The simulators stop in their destructor, so an error of the file system unwinds to here.
    try {
        return benchmark(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fleet_bench: %s\n", e.what());
        return 1;
    }
}
