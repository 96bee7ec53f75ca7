// trvctl's commands: each family adds its subcommands to the CLI11 application. A subcommand's
// callback runs the command and leaves its exit status in the shared status.
#pragma once

#include <CLI/CLI.hpp>

namespace trv::ctl {

// Exit statuses, for scripts to act on (trvctl --help lists them). diff, like diff(1), uses 1 for
// "the databases differ" and 2 for wrong usage or a file that cannot be loaded.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;       // the operation (a transfer) failed
inline constexpr int kExitUsage = 2;        // wrong usage, an output that cannot be written, a bad --port
inline constexpr int kExitNoConnection = 3; // the port cannot be opened, or the attempts ran out
inline constexpr int kExitVerifyDiffers = 4;
inline constexpr int kExitVerifyUnread = 5;
inline constexpr int kExitCheckErrors = 6; // upload: the database has errors and --force was not given

void addDatabaseCommands(CLI::App& app, int& status);
void addInterchangeCommands(CLI::App& app, int& status);
void addTransferCommands(CLI::App& app, int& status);
void addPortCommands(CLI::App& app, int& status);
void addReportCommands(CLI::App& app, int& status);

} // namespace trv::ctl
