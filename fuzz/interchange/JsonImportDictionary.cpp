// Prints the JSON import fuzz target's dictionary (libFuzzer's -dict format): every name and list
// text the field catalogue knows, the keys of the format, and the numbers and offsets at the edges
// of the checks, so that mutations reach the fields, layouts and bounds instead of stalling on
// names. Built from the catalogue, it stays true as fields are added.
#include "database/FieldCatalog.h"
#include "interchange/InterchangeTexts.h"

#include <cstdio>
#include <set>
#include <string>
#include <string_view>

namespace {

namespace db = trv::db;
namespace text = trv::interchange::text;

// Numbers where a conversion to a narrower type, a sign or a fraction could go wrong.
constexpr const char* kNumberEdges[] = {
    "2147483647", "-2147483648", "2147483648", "4294967296", "1e308", "-1e308", "-0", "0.5", "0.05",
};
// Offsets at the image's end, in its reserved areas, and where 32-bit arithmetic wraps.
constexpr const char* kOffsetEdges[] = {
    "\"0x3FFF\"",     "\"0x3FFE\"",     "\"0x4000\"",     "\"0x3BE4\"",     "\"0x0023\"",      "\"0x00A4\"",
    "\"0x7FFFFFFF\"", "\"0x7FFFFFFE\"", "\"0x80000000\"", "\"0xFFFFFFFF\"", "\"0x100000000\"",
};

std::string quoted(std::string_view word)
{
    std::string out = "\"";
    for (const unsigned char c : word) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + '"';
}

void addField(std::set<std::string>& words, const db::Field& field)
{
    words.insert(quoted(std::string("\"") + std::string(field.name) + "\":"));
    for (const db::Choice& choice : field.choices)
        words.insert(quoted(std::string("\"") + std::string(choice.text) + "\""));
    for (const int bound : {field.minimum, field.maximum, field.minimum - 1, field.maximum + 1})
        words.insert(quoted(std::to_string(bound)));
    for (const db::AreaLayout& layout : field.layouts) {
        words.insert(quoted(std::string("\"") + std::string(layout.name) + "\""));
        for (const db::Field& inner : layout.fields)
            addField(words, inner);
    }
}

} // namespace

int main()
{
    std::set<std::string> words;
    for (QLatin1StringView key : {text::kFormatKey, text::kFormatName, text::kVersionKey, text::kRecordKey,
                                  text::kFreeKey, text::kRawKey, text::kLayoutKey, text::kUnusedKey,
                                  text::kReservedKey, text::kOffsetKey, text::kBytesKey})
        words.insert(quoted("\"" + std::string(key.data(), std::size_t(key.size())) + "\""));
    for (const db::CatalogueArea& area : db::catalogue()) {
        words.insert(quoted(std::string("\"") + std::string(area.name) + "\":"));
        for (const db::Field* field : area.fields)
            addField(words, *field);
    }
    for (const char* number : kNumberEdges)
        words.insert(quoted(number));
    for (const char* offset : kOffsetEdges)
        words.insert(quoted(offset));
    for (const std::string& word : words)
        std::printf("%s\n", word.c_str());
    return 0;
}
