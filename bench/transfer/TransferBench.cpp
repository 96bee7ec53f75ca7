// Download and upload through trvctl against desksetsim pacing its line at 19200 baud.
//
// For each direction it prints the wall time from trvctl's start to "(Completed)", the
// stop-and-wait line limit of the same exchange (every frame in the simulator's frame log, each
// with its acknowledgement, at 10 bit times per byte), their ratio and the CPU seconds trvctl
// used. The same figures are given for the transfer phase alone (from "Communication
// established with deskset." on), which leaves out the start of the programs and the opening
// of the link (the simulator calls the tool as soon as it sees the port opened).
#include "bench/support/ChildProcess.h"
#include "database/DdbFile.h"
#include "database/NewDatabase.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;
using bench::Child;
using bench::readLine;
using bench::spawn;

constexpr int kBaud = 19200;
constexpr double kBitsPerByte = 10.0;
constexpr const char* kCompleted = "(Completed)";
constexpr const char* kEstablished = "Communication established with deskset.";

// Bytes of every logged frame: all of them, and those from the first data frame on.
struct LineBytes {
    long all = 0;
    long transferPhase = 0;
    int frames = 0;
};

LineBytes countFrames(const fs::path& log)
{
    LineBytes bytes;
    std::ifstream in(log);
    std::string line;
    bool transfer = false;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string stamp, ms, direction, hex;
        if (!(fields >> stamp >> ms >> direction) || (direction != "TX" && direction != "RX"))
            continue;
        int n = 0;
        std::string first;
        while (fields >> hex && hex.size() == 2 && std::isxdigit(hex[0]) && std::isxdigit(hex[1])) {
            if (n == 0)
                first = hex;
            ++n;
        }
        if (n == 0)
            continue;
        transfer = transfer || first == "04"; // the first data frame: the version request
        bytes.all += n;
        bytes.transferPhase += transfer ? n : 0;
        ++bytes.frames;
    }
    return bytes;
}

double lineSeconds(long bytes)
{
    return bytes * kBitsPerByte / kBaud;
}

bool run(const char* name, const std::string& trvctl, const std::string& desksetsim, const fs::path& dir)
{
    const fs::path image = dir / "deskset.ddb";
    const fs::path log = dir / (std::string(name) + ".log");
    trv::db::Image bytes{};
    trv::db::newDatabase(bytes);
    // Every byte differs from its neighbours, as on a filled deskset; the check's verdict on such
    // a database does not matter here, so the upload is forced.
    for (int i = trv::db::kHeaderSize; i < trv::db::kImageSize; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 29 + 3);
    if (!trv::db::saveDatabase(image.string(), bytes).ok)
        return false;

    const bool download = std::string(name) == "download";
    std::vector<std::string> simArgs{desksetsim, "--pty",        "--line-rate", std::to_string(kBaud),
                                     "--image",  image.string(), "--log",       log.string()};
    if (!download) {
        simArgs.push_back("--save-upload");
        simArgs.push_back((dir / "uploaded.ddb").string());
    }
    Child sim = spawn(simArgs);
    std::string pty;
    while (auto line = sim.pid > 0 ? readLine(sim.out) : std::nullopt) {
        if (line->rfind("PTY ", 0) == 0) {
            pty = line->substr(4);
            break;
        }
    }
    if (pty.empty()) {
        std::fprintf(stderr, "desksetsim did not start\n");
        return false;
    }

    const std::vector<std::string> ctlArgs =
        download
            ? std::vector<std::string>{trvctl, "download", "--port", pty, "-o", (dir / "got.ddb").string()}
            : std::vector<std::string>{trvctl, "upload", "--force", "--port", pty, image.string()};
    const Clock::time_point start = Clock::now();
    Child ctl = spawn(ctlArgs);
    if (ctl.pid < 0) {
        std::fprintf(stderr, "%s did not start\n", trvctl.c_str());
        kill(sim.pid, SIGTERM);
        waitpid(sim.pid, nullptr, 0);
        std::fclose(sim.out);
        return false;
    }
    std::optional<Clock::time_point> established, completed;
    while (auto line = readLine(ctl.out)) {
        if (*line == kEstablished)
            established = Clock::now();
        if (line->find(kCompleted) != std::string::npos)
            completed = Clock::now();
    }
    int status = 0;
    rusage usage{};
    wait4(ctl.pid, &status, 0, &usage);
    kill(sim.pid, SIGTERM);
    waitpid(sim.pid, nullptr, 0);
    std::fclose(ctl.out);
    std::fclose(sim.out);
    if (!completed || !established || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not complete\n", name);
        return false;
    }

    const auto seconds = [](Clock::duration d) { return std::chrono::duration<double>(d).count(); };
    const double wall = seconds(*completed - start);
    const double transferWall = seconds(*completed - *established);
    const LineBytes line = countFrames(log);
    const double limit = lineSeconds(line.all);
    const double transferLimit = lineSeconds(line.transferPhase);
    const double cpu = bench::cpuSeconds(usage);

    std::printf("%s: %d frames, %ld bytes on the line\n", name, line.frames, line.all);
    std::printf("  whole run:       wall %.3f s  line limit %.3f s  ratio %.3f\n", wall, limit, wall / limit);
    std::printf("  transfer phase:  wall %.3f s  line limit %.3f s  ratio %.3f  (target <= 1.10)\n",
                transferWall, transferLimit, transferWall / transferLimit);
    std::printf("  trvctl CPU:      %.3f s  (target <= 0.5 s)\n", cpu);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::string trvctl = TRVCTL_PATH;
    std::string desksetsim = DESKSETSIM_PATH;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::string(argv[i]) == "--trvctl")
            trvctl = argv[i + 1];
        else if (std::string(argv[i]) == "--desksetsim")
            desksetsim = argv[i + 1];
    }
    char pattern[] = "/tmp/trv-transfer-bench-XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    const fs::path dir = pattern;
    setenv("TRV_CONFIG_DIR", dir.c_str(), 1);
    const bool ok = run("download", trvctl, desksetsim, dir) && run("upload", trvctl, desksetsim, dir);
    fs::remove_all(dir);
    return ok ? 0 : 1;
}
