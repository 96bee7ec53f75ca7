#include "tools/trvctl/Files.h"

#include "database/DdbFile.h"
#include "tools/trvctl/CtlTexts.h"

#include <iostream>

namespace trv::ctl {

std::optional<db::Image> loadImageOrReport(const std::string& path, bool namePath)
{
    db::Image image{};
    const db::FileResult result = db::loadDatabase(path, image);
    if (!result.ok) {
        // The loader names the file itself when it cannot be opened.
        if (namePath && result.message.find(path) == std::string::npos)
            std::cerr << path << ": ";
        std::cerr << (result.message.empty() ? text::kEmptyFile : result.message) << '\n';
        return std::nullopt;
    }
    return image;
}

bool saveImageOrReport(const std::string& path, const db::Image& image)
{
    const db::FileResult result = db::saveDatabase(path, image);
    if (!result.ok)
        std::cerr << path << ": " << result.message << '\n';
    return result.ok;
}

} // namespace trv::ctl
