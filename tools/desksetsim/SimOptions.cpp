#include "tools/desksetsim/SimOptions.h"

#include "tools/desksetsim/SimTexts.h"

#include <charconv>
#include <cstdlib>
#include <functional>
#include <limits>
#include <map>
#include <string_view>

namespace desksetsim {

namespace {

bool ParseInteger(std::string_view text, int64_t min, int64_t max, int64_t* value)
{
    int64_t parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty())
        return false;
    if (parsed < min || parsed > max)
        return false;
    *value = parsed;
    return true;
}

// A decimal number from 0 to 1, as in 0.25 or 1e-6: no hexadecimal, no blanks, no sign. A
// value too small for a double is a probability of (nearly) 0, not an error.
bool ParseProbability(const std::string& text, double* value)
{
    double parsed = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, parsed, std::chars_format::general);
    if (text.empty() || stop != end)
        return false;
    if (error == std::errc::result_out_of_range)
        parsed = std::strtod(text.c_str(), nullptr); // 0 on underflow, HUGE_VAL on overflow
    else if (error != std::errc{})
        return false;
    if (!(parsed >= 0.0 && parsed <= 1.0))
        return false;
    *value = parsed;
    return true;
}

} // namespace

ParsedOptions ParseSimOptions(const std::vector<std::string>& args)
{
    ParsedOptions result;
    SimOptions& o = result.options;
    bool ptyAsked = false;

    // Options without a value.
    const std::map<std::string_view, std::function<void()>> flags = {
        {"--pty", [&] { ptyAsked = true; }},
        {"--once", [&] { o.once = true; }},
        {"--fail-upload", [&] { o.profile.failUpload = true; }},
        {"--silent", [&] { o.silent = true; }},
        {"--no-end", [&] { o.profile.noEnd = true; }},
        {"--help", [&] { o.help = true; }},
        {"--version", [&] { o.version = true; }},
    };
    // Options with a value; each returns false when the value is not valid.
    auto integer = [](int64_t min, int64_t max, auto store) {
        return [=](const std::string& text) {
            int64_t value = 0;
            if (!ParseInteger(text, min, max, &value))
                return false;
            store(value);
            return true;
        };
    };
    auto text = [](std::string* target) {
        return [=](const std::string& value) {
            *target = value;
            return !value.empty();
        };
    };
    constexpr int64_t kIntMax = std::numeric_limits<int>::max();
    const std::map<std::string_view, std::function<bool(const std::string&)>> valued = {
        {"--device", text(&o.devicePath)},
        {"--baud", integer(1, kIntMax, [&](int64_t v) { o.baudRate = static_cast<int>(v); })},
        {"--version-text",
         [&](const std::string& v) {
             o.profile.versionText = v;
             return true;
         }},
        {"--hw-id", integer(0, 255, [&](int64_t v) { o.profile.hardwareId = static_cast<int>(v); })},
        {"--image", text(&o.imagePath)},
        {"--save-upload", text(&o.saveUploadPath)},
        {"--stop-after",
         integer(0, kIntMax, [&](int64_t v) { o.profile.stopAfterBlocks = static_cast<int>(v); })},
        {"--store-altered",
         [&](const std::string& v) {
             int64_t offset = 0;
             const bool hex = v.starts_with("0x") || v.starts_with("0X");
             if (hex) {
                 const auto [end, error] = std::from_chars(v.data() + 2, v.data() + v.size(), offset, 16);
                 if (error != std::errc{} || end != v.data() + v.size() || v.size() == 2)
                     return false;
             } else if (!ParseInteger(v, 0, trv::db::kImageSize - 1, &offset)) {
                 return false;
             }
             if (offset < 0 || offset >= trv::db::kImageSize)
                 return false;
             o.profile.alterStoredByte = static_cast<int>(offset);
             return true;
         }},
        {"--unknown-type", integer(0, 255, [&](int64_t v) { o.profile.unknownType = static_cast<int>(v); })},
        {"--corrupt", [&](const std::string& v) { return ParseProbability(v, &o.corruptProbability); }},
        {"--drop", [&](const std::string& v) { return ParseProbability(v, &o.dropProbability); }},
        {"--seed", integer(0, std::numeric_limits<uint32_t>::max(),
                           [&](int64_t v) { o.seed = static_cast<uint32_t>(v); })},
        {"--line-rate", integer(1, kIntMax, [&](int64_t v) { o.lineRate = static_cast<int>(v); })},
        {"--log", text(&o.logPath)},
    };

    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (auto flag = flags.find(arg); flag != flags.end()) {
            flag->second();
            continue;
        }
        auto option = valued.find(arg);
        if (option == valued.end()) {
            result.error = texts::kUnknownOption + arg;
            return result;
        }
        if (i + 1 >= args.size()) {
            result.error = texts::kMissingValue + arg;
            return result;
        }
        if (!option->second(args[++i])) {
            result.error = texts::kBadValue + arg + ": \"" + args[i] + "\"";
            return result;
        }
    }
    if (ptyAsked && !o.devicePath.empty())
        result.error = texts::kPortTwice;
    else if (o.profile.versionText.size() > static_cast<size_t>(kMaxMessageData))
        result.error = texts::kVersionTooLong;
    return result;
}

} // namespace desksetsim
