#include "comms/ResultCodes.h"

#include <algorithm>
#include <iterator>
#include <ostream>

namespace comms {
namespace {

struct ResultEntry {
    Result result;
    const char* name;
};

constexpr ResultEntry kResultNames[] = {
#define COMMS_RESULT_ENTRY(name, value) {Result::name, #name},
    COMMS_RESULTS(COMMS_RESULT_ENTRY)
#undef COMMS_RESULT_ENTRY
};

} // namespace

const char* ResultName(Result result)
{
    const auto* entry = std::find_if(std::begin(kResultNames), std::end(kResultNames),
                                     [result](const ResultEntry& e) { return e.result == result; });
    return entry == std::end(kResultNames) ? "Unknown" : entry->name;
}

std::string ResultText(Result result)
{
    return std::string(ResultName(result)) + " (" + std::to_string(ResultValue(result)) + ")";
}

std::ostream& operator<<(std::ostream& out, Result result)
{
    return out << ResultText(result);
}

} // namespace comms
