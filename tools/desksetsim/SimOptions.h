// Command line of desksetsim.
#pragma once

#include "tools/desksetsim/SimulatedDeskset.h"

#include <cstdint>
#include <string>
#include <vector>

namespace desksetsim {

struct SimOptions {
    std::string devicePath; // empty: a new pseudo-terminal
    int baudRate = 19200;   // of --device
    bool once = false;
    DesksetProfile profile;
    std::string imagePath; // empty: a new database
    std::string saveUploadPath;
    bool silent = false;
    double corruptProbability = 0.0;
    double dropProbability = 0.0;
    uint32_t seed = 1;
    int lineRate = 0; // 0: no pacing
    std::string logPath;
    bool help = false;
    bool version = false;
};

struct ParsedOptions {
    SimOptions options;
    std::string error; // empty when the command line is valid
};

// Parses the arguments after the program name.
ParsedOptions ParseSimOptions(const std::vector<std::string>& args);

} // namespace desksetsim
