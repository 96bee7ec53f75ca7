// Any bytes given to the JSON import are refused with a message or give an image whose own export
// imports back to the very same bytes; nothing crashes.
#include "interchange/Json.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray json(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const trv::interchange::ImportResult first = trv::interchange::importJson(json);
    if (!first.ok()) {
        if (first.error().isEmpty())
            std::abort();
        return 0;
    }
    const trv::interchange::ImportResult again =
        trv::interchange::importJson(trv::interchange::exportJson(first.image()));
    if (!again.ok() || again.image() != first.image())
        std::abort();
    return 0;
}
