// Any image, however broken, must be checked without a crash or a hang: every problem names a rule,
// a path, a message and a byte of the image, and a second check finds exactly the same problems.
#include "database/Rules.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    trv::db::Image image{};
    std::memcpy(image.data(), data, std::min(size, image.size()));

    const std::vector<trv::db::Problem> problems = trv::db::checkImage(image);
    int lastOffset = -1;
    for (const trv::db::Problem& p : problems) {
        if (p.rule.empty() || p.path.empty() || p.message.empty() || p.offset < 0 ||
            p.offset >= static_cast<int>(image.size()) || p.offset < lastOffset)
            std::abort(); // every problem names a field of the image, in image order
        lastOffset = p.offset;
        if (trv::db::formatProblem(p).find(p.path) == std::string::npos)
            std::abort();
    }
    const std::vector<trv::db::Problem> again = trv::db::checkImage(image);
    if (again.size() != problems.size())
        std::abort();
    for (std::size_t i = 0; i < again.size(); ++i)
        if (again[i].rule != problems[i].rule || again[i].path != problems[i].path ||
            again[i].message != problems[i].message)
            std::abort();
    trv::db::problemSummary(problems);
    return 0;
}
