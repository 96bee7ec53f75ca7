// trvctl's commands: each family adds its subcommands to the CLI11 application. A subcommand's
// callback runs the command and leaves its exit status in the shared status.
#pragma once

#include <CLI/CLI.hpp>

namespace trv::ctl {

// Exit statuses: 0 success, 1 the operation failed, 2 wrong usage. diff, like diff(1), uses 1 for
// "the databases differ" and 2 for wrong usage or a file that cannot be loaded.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

void addDatabaseCommands(CLI::App& app, int& status);
void addInterchangeCommands(CLI::App& app, int& status);
void addTransferCommands(CLI::App& app, int& status);
void addPortCommands(CLI::App& app, int& status);
void addReportCommands(CLI::App& app, int& status);

} // namespace trv::ctl
