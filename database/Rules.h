// The rules of a valid database. Each problem names its rule by a stable id, its severity, the field
// by the path that `trvctl dump` writes for it, and says what is wrong in words a technician reads.
// A value the field's editor refuses, rewrites or could never produce is an error; a value the
// editor shows without a selection and writes back unchanged is a warning, as are tables that are
// no longer packed or sorted (the editors keep a loaded table's order). The check command, the
// imports and the check window all ask checkImage.
#pragma once

#include "database/Image.h"

#include <string>
#include <string_view>
#include <vector>

namespace trv::db {

enum class Severity { Error, Warning };

struct Problem {
    std::string_view rule; // stable id, "channel.guardToneFrequency"
    Severity severity;
    std::string path;    // as the dump names the field: "channels[2].guardToneFrequency"
    std::string message; // "2200.0 Hz is not one of 2100, 2175, 2300, 2325 Hz"
    int offset = -1;     // image offset of the field element the path names

    bool isError() const { return severity == Severity::Error; }
};

// Every problem of the image, in the order the dump lists the fields they name.
std::vector<Problem> checkImage(const Image& image);

// "error" or "warning".
std::string_view severityName(Severity severity);
// "error: channels[2].guardToneFrequency: 2200.0 Hz is not one of 2100, 2175, 2300, 2325 Hz
// [channel.guardToneFrequency]"
std::string formatProblem(const Problem& problem);
// "2 errors, 1 warning", or "No problems found." when there is none.
std::string problemSummary(const std::vector<Problem>& problems);
int errorCount(const std::vector<Problem>& problems);
// "1 error", "3 errors".
std::string errorCountText(int errors);

// The PTT ID rule of an alias: 4 hexadecimal characters for an MDC1200 unit, 1 to 8 of
// "0123456789ABCD*#" for a DTMF unit.
bool isValidPttId(std::string_view id, bool dtmf);

} // namespace trv::db
