// One desksetsim run: the port, the line relay, the wire tap, the deskset and its link, and
// the loop that restarts the link for each new session until it is told to stop.
#pragma once

#include "tools/desksetsim/SimOptions.h"

#include <cstdio>

namespace desksetsim {

class Simulator {
public:
    Simulator(const SimOptions& options, std::FILE* out, std::FILE* err);

    // Serves until stopFd becomes readable (a signalfd in the program) or, with --once,
    // until the first session ends. Returns the exit status.
    int Run(int stopFd);

private:
    void Status(const std::string& text);

    const SimOptions& options_;
    std::FILE* out_;
    std::FILE* err_;
};

} // namespace desksetsim
