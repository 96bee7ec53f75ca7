// Builds every transport from an arbitrary parameter text (without opening it). Input: one byte
// choosing the transport (modulo the six types), then the text (cut at a 0 byte). Also parses
// the text as serial settings and applies them to a line description. Checked: no crash; a
// constructor answers success or one of the socket transport's codes; a complaint about the
// text is event 10, nothing else; serial settings are all five numbers or all defaults.
#include "comms/EventQueue.h"
#include "comms/Layer1.h"
#include "comms/Layer1Factory.h"
#include "comms/ResultCodes.h"
#include "comms/SerialLayer1.h"
#include "comms/TransportCodes.h"

#include <termios.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int type = data[0] % 6;
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));

    using comms::Result;
    Result code = Result::Ok;
    std::unique_ptr<comms::Layer1> layer = comms::CreateLayer1(type, text.c_str(), {}, &code, nullptr);
    if (!layer)
        std::abort(); // every type here exists
    constexpr Result kKnown[] = {Result::Ok,         Result::NoParamText, Result::InvalidAddress,
                                 Result::FieldCount, Result::ClientKind,  Result::UnknownMode,
                                 Result::WakeSignal};
    if (std::find(std::begin(kKnown), std::end(kKnown), code) == std::end(kKnown))
        std::abort();
    comms::EventQueue events;
    comms::NotifyQueue notifications;
    layer->AttachQueues(&events, &notifications);
    int event = 0;
    int value = 0;
    while (events.Take(&event, &value))
        if (event != comms::kEventMalformedParams)
            std::abort();
    if (notifications.Take(&event))
        std::abort();
    layer.reset();

    const comms::ParsedSerialSettings parsed = comms::ParseSerialSettings(text.c_str());
    if (!parsed.complete && !(parsed.settings == comms::SerialSettings{}))
        std::abort();
    termios tio{};
    comms::ApplyLineSettings(tio, parsed.settings, 0);
    return 0;
}
