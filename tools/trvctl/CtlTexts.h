// Every text trvctl prints of its own (the transfer and database modules have theirs).
#pragma once

namespace trv::ctl::text {

inline constexpr const char* kEmptyFile = "The file is empty.";
inline constexpr const char* kNoPortSet = "No COM port is set: use --port P or 'trvctl port COMn'.";
inline constexpr const char* kUnknownPort = "Unknown port '%1': use COM1 to COM4, a device path or tcp://HOST:PORT.";
inline constexpr const char* kUnknownStoredPort = "Unknown port '%1': use COM1 to COM4.";
inline constexpr const char* kNoSuchDevice = "No such device: %1";
inline constexpr const char* kBadTcpAddress = "Not a device server address: '%1' (use tcp://HOST:PORT).";
inline constexpr const char* kSettingNotWritten = "The setting could not be written to %1.";
inline constexpr const char* kPortNotSet = "(not set)";
inline constexpr const char* kRetrying = "Retrying to connect with the deskset.";
inline constexpr const char* kTraceNotWritten = "The trace file %1 cannot be written: %2";

// trvctl import
inline constexpr const char* kNothingWritten = "Nothing was written.";

// trvctl ports
inline constexpr const char* kSerialDevices = "Serial devices:";
inline constexpr const char* kNoSerialDevices = "  (none found)";
inline constexpr const char* kByIdLabel = "      by-id:  ";
inline constexpr const char* kComLabel = "      COM:    ";
inline constexpr const char* kAccessLabel = "      access: ";
inline constexpr const char* kMayOpen = "yes";
inline constexpr const char* kMayNotOpen = "no (add your user to the dialout group and log in again)";
inline constexpr const char* kComPorts = "COM ports:";
inline constexpr const char* kStoredMark = "   (the stored port)";
inline constexpr const char* kDeviceServer = "device server (raw TCP)";
inline constexpr const char* kNotPresent = "not present";
inline constexpr const char* kPlainPort = "serial port";
inline constexpr const char* kNone = "none";

// upload --backup / --verify
inline constexpr const char* kBackupFolderMissing = "The backup folder %1 does not exist.";
inline constexpr const char* kBackupStarting = "Backup: downloading the deskset's current database.";
inline constexpr const char* kBackupFailed = "The backup failed, so nothing was uploaded.";
inline constexpr const char* kBackupSaved = "Backup saved to %1";
inline constexpr const char* kVerifyStarting = "Verify: downloading the database again to compare it.";
inline constexpr const char* kVerifyImpossible = "Verification was not possible: the deskset could not be read back.";
inline constexpr const char* kVerifyPassed = "Verified: the deskset holds the uploaded database byte for byte.";
inline constexpr const char* kVerifyFailed = "Verification failed: the deskset holds something else than was uploaded:";

} // namespace trv::ctl::text
