// The exit statuses of the transfer commands, for scripts to act on: trvctl download and upload
// end with them, and a fleet run gives each site the one its single command would have given.
#pragma once

namespace trv::transfer {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;       // the operation (a transfer) failed
inline constexpr int kExitUsage = 2;        // wrong usage, an output that cannot be written, a bad --port
inline constexpr int kExitNoConnection = 3; // the port cannot be opened, or the attempts ran out
inline constexpr int kExitVerifyDiffers = 4;
inline constexpr int kExitVerifyUnread = 5;
inline constexpr int kExitCheckErrors = 6; // upload: the database has errors and --force was not given
// Stopped by its user (Ctrl+C), as a shell reports a command that SIGINT ended.
inline constexpr int kExitStopped = 130;

} // namespace trv::transfer
