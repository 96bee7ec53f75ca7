// Loading and saving database files for the commands, with the loader's messages on stderr.
#pragma once

#include "database/Image.h"

#include <optional>
#include <string>

namespace trv::ctl {

// The image of a .ddb file, or nothing after printing why it cannot be loaded (after the path when
// a command reads more than one file).
std::optional<db::Image> loadImageOrReport(const std::string& path, bool namePath = false);
// False after printing why the file cannot be written.
bool saveImageOrReport(const std::string& path, const db::Image& image);

} // namespace trv::ctl
