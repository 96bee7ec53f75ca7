// Every text trvctl prints of its own (the transfer and database modules have theirs).
#pragma once

namespace trv::ctl::text {

inline constexpr const char* kEmptyFile = "The file is empty.";
inline constexpr const char* kNoPortSet = "No COM port is set: use --port P or 'trvctl port COMn'.";
inline constexpr const char* kUnknownStoredPort = "Unknown port '%1': use COM1 to COM4.";
inline constexpr const char* kSettingNotWritten = "The setting could not be written to %1.";
inline constexpr const char* kPortNotSet = "(not set)";
inline constexpr const char* kEnvironmentWins =
    "warning: %1=%2 is set: %3 stands for that device while it is, whatever is stored.";
inline constexpr const char* kClearNeedsPort = "--clear needs the COM port whose device to remove.";
inline constexpr const char* kRetrying = "Retrying to connect with the deskset.";
// The Retry/Cancel question, answered by --retries: attempts of a series, retries left.
inline constexpr const char* kAnsweredRetry =
    "The deskset did not answer %1 attempts: answered Retry (%2 left).";
inline constexpr const char* kAnsweredCancel =
    "The deskset did not answer %1 attempts: answered Cancel (use --retries N to retry).";
// What ends a transfer command early.
inline constexpr const char* kStoppedByTimeout = "Stopped after %1 s (--timeout).";
inline constexpr const char* kStoppedBySignal = "Stopped by %1.";
inline constexpr const char* kMayBeIncomplete =
    "The deskset may hold an incomplete database: upload again before use.";
// upload: the rules of a valid database found errors ("2 errors").
inline constexpr const char* kNotUploadedErrors =
    "The database has %1: nothing was sent (use --force to upload it anyway).";
inline constexpr const char* kForcedUpload = "The database has %1: uploading it anyway (--force).";
inline constexpr const char* kTraceNotWritten = "The trace file %1 cannot be written: %2";

// trvctl import
inline constexpr const char* kNothingWritten = "Nothing was written.";
inline constexpr const char* kWarningPrefix = "warning: ";

// trvctl ports
inline constexpr const char* kSerialDevices = "Serial devices:";
inline constexpr const char* kNoSerialDevices = "  (none found)";
inline constexpr const char* kByIdLabel = "      by-id:  ";
inline constexpr const char* kComLabel = "      COM:    ";
inline constexpr const char* kAccessLabel = "      access: ";
inline constexpr const char* kMayOpen = "yes";
inline constexpr const char* kMayNotOpenGroup = "no (add your user to the %1 group and log in again)";
inline constexpr const char* kMayNotOpen = "no";
inline constexpr const char* kComPorts = "COM ports:";
inline constexpr const char* kStoredMark = "   (the stored port)";
inline constexpr const char* kDeviceServer = "device server (raw TCP)";
inline constexpr const char* kNotPresent = "not present";
inline constexpr const char* kPlainPort = "serial port";
inline constexpr const char* kNone = "none";

// trvctl report
inline constexpr const char* kReportFormat = "The sheet %1 must end in .pdf or .html.";

// upload --backup (the rest of the safe upload's texts are in transfer/SafeUpload.h)
inline constexpr const char* kBackupFolderMissing = "The backup folder %1 does not exist.";

// trvctl fleet
inline constexpr const char* kFleetAttempt = "attempt %1 of 6";
inline constexpr const char* kFleetMore = "... and %1 more";
inline constexpr const char* kFleetStopping =
    "%1: no new deskset starts, uploads already sending blocks finish (again to stop them too).";
inline constexpr const char* kFleetStoppingAll = "%1 again: stopping every deskset.";
inline constexpr const char* kFleetFooter =
    "Exit status: 0 when every deskset succeeded, 1 when any failed, 2 for a refused list or wrong\n"
    "usage; a run stopped by SIGINT or SIGTERM ends by that signal. --json gives each deskset the\n"
    "status its single command would have (trvctl --help lists them; 130: stopped).";

} // namespace trv::ctl::text
