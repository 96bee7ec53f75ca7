// trvctl's commands: each is a name, a usage line and a function over the remaining arguments.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace trv::ctl {

// Exit codes: 0 success, 1 the operation failed, 2 wrong usage.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct Command {
    std::string name;
    std::string usage;   // arguments, e.g. "FILE"
    std::string summary; // one line for --help
    std::function<int(std::span<char*> args)> run;
};

// Each command family appends its commands; main() collects them once.
void addDatabaseCommands(std::vector<Command>& commands);
void addTransferCommands(std::vector<Command>& commands);

} // namespace trv::ctl
