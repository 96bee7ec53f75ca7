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
    double byteFlipProbability = 0.0;     // of each byte sent: a noisy line
    double frameCorruptProbability = 0.0; // of each frame sent: one bit of one byte
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

// What --help prints: every option by group, then how the deskset behaves.
std::string SimUsage();

} // namespace desksetsim
