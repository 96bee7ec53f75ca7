// The safe upload: a backup of the deskset's database before the upload and a read-back compared
// byte for byte after it, each on a connection of its own. trvctl (upload --backup --verify) and
// trv (the Options menu) share its texts; transfer/BackupFile.h names and writes the backup.
#pragma once

namespace trv::transfer {

namespace text::safe {
inline constexpr const char* kBackupStarting = "Backup: downloading the deskset's current database.";
inline constexpr const char* kBackupFailed = "The backup failed, so nothing was uploaded.";
inline constexpr const char* kBackupNotSaved = "The backup could not be saved, so nothing was uploaded: %1";
inline constexpr const char* kBackupSaved = "Backup saved to %1";
inline constexpr const char* kVerifyStarting = "Verify: downloading the database again to compare it.";
inline constexpr const char* kVerifyImpossible =
    "Verification was not possible: the deskset could not be read back.";
inline constexpr const char* kVerifyPassed =
    "Verified: the deskset holds the uploaded database byte for byte.";
inline constexpr const char* kVerifyFailed =
    "Verification failed: the deskset holds something other than what was uploaded:";
} // namespace text::safe

} // namespace trv::transfer
