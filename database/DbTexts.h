// User-visible texts of the database module. "%1" stands for the file's path.
#pragma once

namespace trv::db::text {
inline constexpr const char* kUnknownVersion = "Unknown database version.";
inline constexpr const char* kUnexpectedFormat = "Unexpected file format.";
inline constexpr const char* kFileNotFound =
    "%1\nCannot find this file.\nPlease verify that the correct path and file name are given.";
inline constexpr const char* kAccessDenied = "Access to %1 was denied.";
inline constexpr const char* kInvalidPath = "%1 contains an invalid path.";
inline constexpr const char* kSharingViolation = "Sharing violation while accessing %1.";
inline constexpr const char* kDiskFull = "Disk full while accessing %1.";
inline constexpr const char* kReadError = "An unexpected error occurred while reading %1.";
inline constexpr const char* kWriteError = "An unexpected error occurred while writing %1.";
inline constexpr const char* kFailedToOpen = "Failed to open document.";
inline constexpr const char* kFailedToSave = "Failed to save document.";
inline constexpr const char* kIsFolder = "%1 is a folder, not a file.";
inline constexpr const char* kFolderMissing = "The folder %1 does not exist.";
} // namespace trv::db::text
