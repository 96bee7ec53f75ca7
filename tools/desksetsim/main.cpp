// desksetsim: a deskset on a pseudo-terminal or a serial port (see --help).
#include "platform/Version.h"
#include "tools/desksetsim/SimOptions.h"
#include "tools/desksetsim/SimTexts.h"
#include "tools/desksetsim/Simulator.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace desksetsim;
    const ParsedOptions parsed = ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "%s%s%s\n", texts::kProgram, parsed.error.c_str(), texts::kSeeHelp);
        return 2;
    }
    if (parsed.options.help) {
        std::fputs(SimUsage().c_str(), stdout);
        return 0;
    }
    if (parsed.options.version) {
        std::printf("desksetsim %s\n", trv::kVersion);
        return 0;
    }

    // SIGINT and SIGTERM are taken as a readable descriptor by the main loop; they are blocked
    // before any thread starts so that every thread inherits the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);
    const int stopFd = signalfd(-1, &stopSignals, SFD_CLOEXEC);
    if (stopFd < 0) {
        std::perror("desksetsim: signalfd");
        return 1;
    }

    Simulator simulator(parsed.options, stdout, stderr);
    const int status = simulator.Run(stopFd);
    close(stopFd);
    return status;
}
