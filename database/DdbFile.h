// The ".ddb" file: the 16384 image bytes written out unchanged, with the header checked on load.
#pragma once

#include "database/Image.h"

#include <functional>
#include <string>

namespace trv::db {

// Outcome of a load or save. A failure carries the text to show the user; a failure with an
// empty message (an empty file) is reported silently.
struct FileResult {
    bool ok = false;
    std::string message;

    static FileResult success() { return {true, {}}; }
    static FileResult failure(std::string text) { return {false, std::move(text)}; }
};

// Loads the file into the image. Nothing of the file reaches the image unless the load succeeds:
// an empty file fails silently, a short or truncated file gives "Unexpected file format.", a
// wrong header "Unknown database version.". Bytes after the image size are ignored.
FileResult loadDatabase(const std::string& path, Image& image = theImage());

// Whether saveDatabase can put a file at path, asked before the image exists (a download): the
// path is no folder, its folder exists and a file may be created there (the temporary file the
// save renames). An existing file at path would be replaced.
FileResult checkSavable(const std::string& path);
// Whether files may be created in folder: it exists and is writable.
FileResult checkFolderWritable(const std::string& folder);

// Writes the image atomically: a temporary file in the same folder is written, flushed to disk
// and renamed over the target, so a failed save leaves the old file as it was.
FileResult saveDatabase(const std::string& path, const Image& image = theImage());

// Writes the image to a new file that replaces nothing: under the first of candidate(1),
// candidate(2), ... that no file has, all in one folder. The image is written to a temporary file
// there and then linked to the name, so a writer racing for the same name gets the next one;
// `placed` is the name it got. Gives up after kNewFileAttempts names.
inline constexpr int kNewFileAttempts = 1000;
FileResult saveDatabaseAsNew(const std::function<std::string(int)>& candidate, const Image& image,
                             std::string& placed);

} // namespace trv::db
