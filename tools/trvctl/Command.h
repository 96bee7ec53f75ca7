// trvctl's commands: each family adds its subcommands to the CLI11 application. A subcommand's
// callback runs the command and leaves its exit status in the shared status.
#pragma once

#include "transfer/ExitStatus.h"

#include <CLI/CLI.hpp>

namespace trv::ctl {

// Exit statuses, for scripts to act on (trvctl --help lists them). diff, like diff(1), uses 1 for
// "the databases differ" and 2 for wrong usage or a file that cannot be loaded.
using transfer::kExitCheckErrors;
using transfer::kExitFailed;
using transfer::kExitNoConnection;
using transfer::kExitOk;
using transfer::kExitUsage;
using transfer::kExitVerifyDiffers;
using transfer::kExitVerifyUnread;

void addDatabaseCommands(CLI::App& app, int& status);
void addInterchangeCommands(CLI::App& app, int& status);
void addTransferCommands(CLI::App& app, int& status);
void addPortCommands(CLI::App& app, int& status);
void addReportCommands(CLI::App& app, int& status);
void addFleetCommands(CLI::App& app, int& status);

} // namespace trv::ctl
