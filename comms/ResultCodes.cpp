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
    {Result::Ok, "Ok"},
    {Result::AlreadyConnected, "AlreadyConnected"},
    {Result::NoSession, "NoSession"},
    {Result::Layer1OpenFailed, "Layer1OpenFailed"},
    {Result::UnknownLayer1, "UnknownLayer1"},
    {Result::UnknownLayer2, "UnknownLayer2"},
    {Result::CommLinkThreadFailed, "CommLinkThreadFailed"},
    {Result::ConnectException, "ConnectException"},
    {Result::NotConnected, "NotConnected"},
    {Result::Nothing, "Nothing"},
    {Result::TooLong, "TooLong"},
    {Result::NoParamText, "NoParamText"},
    {Result::SocketLibrary, "SocketLibrary"},
    {Result::InvalidAddress, "InvalidAddress"},
    {Result::FieldCount, "FieldCount"},
    {Result::ClientKind, "ClientKind"},
    {Result::UnknownMode, "UnknownMode"},
    {Result::BadBuffer, "BadBuffer"},
    {Result::StoreFailed, "StoreFailed"},
    {Result::DisconnectException, "DisconnectException"},
    {Result::NoSessionThread, "NoSessionThread"},
    {Result::WakeSignal, "WakeSignal"},
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
