#include "comms/Config.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace comms {
namespace {

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void AppendUtf8(std::string* out, unsigned code)
{
    if (code < 0x80) {
        *out += static_cast<char>(code);
    } else if (code < 0x800) {
        *out += static_cast<char>(0xC0 | (code >> 6));
        *out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        *out += static_cast<char>(0xE0 | (code >> 12));
        *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Undoes the key escaping of the settings store: %XX is one byte, %UXXXX one UTF-16 unit.
std::string UnescapeKey(std::string_view key)
{
    std::string out;
    for (size_t i = 0; i < key.size(); ++i) {
        if (key[i] == '%' && i + 2 < key.size()) {
            if (key[i + 1] == 'U' && i + 5 < key.size()) {
                unsigned code = 0;
                bool ok = true;
                for (size_t k = i + 2; k < i + 6; ++k) {
                    const int d = HexDigit(key[k]);
                    ok = ok && d >= 0;
                    code = code * 16 + static_cast<unsigned>(d < 0 ? 0 : d);
                }
                if (ok) {
                    AppendUtf8(&out, code);
                    i += 5;
                    continue;
                }
            }
            const int high = HexDigit(key[i + 1]);
            const int low = HexDigit(key[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += key[i];
    }
    return out;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// The number a run of digits of `base` at raw[*i] spells (at least one digit); *i moves past it.
unsigned ReadDigits(std::string_view raw, size_t* i, unsigned base)
{
    unsigned value = 0;
    for (; *i < raw.size(); ++*i) {
        const int digit = HexDigit(raw[*i]);
        if (digit < 0 || static_cast<unsigned>(digit) >= base)
            break;
        value = std::min(value * base + static_cast<unsigned>(digit), 0xFFFFu);
    }
    return value;
}

// A value as the settings store writes it: plain, or in double quotes, with C-style escapes
// (\n, \t, \x41, \101 ...) for control characters, a leading @ doubled, and text with a NUL
// character wrapped in @String(...).
std::string UnquoteValue(std::string_view raw)
{
    raw = Trim(raw);
    std::string out;
    bool quoted = false;
    for (size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (c != '\\' || i + 1 == raw.size()) {
            out += c;
            continue;
        }
        const char next = raw[++i];
        static constexpr std::string_view kLetters = "abfnrtv";
        static constexpr std::string_view kControls = "\a\b\f\n\r\t\v";
        if (const size_t letter = kLetters.find(next); letter != std::string_view::npos) {
            out += kControls[letter];
        } else if (next == 'x' || (next >= '0' && next <= '7')) {
            size_t digits = next == 'x' ? i + 1 : i;
            AppendUtf8(&out, ReadDigits(raw, &digits, next == 'x' ? 16 : 8));
            i = digits - 1;
        } else {
            out += next;
        }
    }
    static constexpr std::string_view kWrapped = "@String(";
    if (out.starts_with("@@"))
        out.erase(0, 1);
    else if (out.starts_with(kWrapped) && out.ends_with(')'))
        out = out.substr(kWrapped.size(), out.size() - kWrapped.size() - 1);
    return out;
}

// "Software\\VXR\\Nimb" + "Value" -> section "Software", key "VXR\\Nimb\\Value".
void SplitKeyPath(std::string_view keyPath, std::string_view name, std::string* section, std::string* key)
{
    const size_t separator = keyPath.find('\\');
    if (keyPath.empty()) {
        *section = "General";
        *key = std::string(name);
    } else if (separator == std::string_view::npos) {
        *section = std::string(keyPath);
        *key = std::string(name);
    } else {
        *section = std::string(keyPath.substr(0, separator));
        *key = std::string(keyPath.substr(separator + 1)) + "\\" + std::string(name);
    }
}

} // namespace

std::string ConfigFolder()
{
    if (const char* dir = std::getenv("TRV_CONFIG_DIR"); dir != nullptr && *dir != '\0')
        return dir;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0')
        return std::string(xdg) + "/trv";
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.config/trv";
}

std::optional<std::string> FindIniValue(std::string_view iniText, std::string_view keyPath,
                                        std::string_view name)
{
    std::string wantedSection;
    std::string wantedKey;
    SplitKeyPath(keyPath, name, &wantedSection, &wantedKey);

    bool inSection = false;
    while (!iniText.empty()) {
        const size_t end = iniText.find('\n');
        std::string_view line = Trim(iniText.substr(0, end));
        iniText = end == std::string_view::npos ? std::string_view() : iniText.substr(end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            inSection = EqualNoCase(UnescapeKey(Trim(line.substr(1, line.size() - 2))), wantedSection);
            continue;
        }
        const size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos)
            continue;
        if (EqualNoCase(UnescapeKey(Trim(line.substr(0, equals))), wantedKey))
            return UnquoteValue(line.substr(equals + 1));
    }
    return std::nullopt;
}

std::optional<std::string> ReadMachineSetting(std::string_view keyPath, std::string_view name)
{
    std::ifstream file(ConfigFolder() + "/machine.ini");
    if (!file)
        return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    return FindIniValue(text.str(), keyPath, name);
}

std::optional<int> ReadMachineSettingInt(std::string_view keyPath, std::string_view name)
{
    const std::optional<std::string> text = ReadMachineSetting(keyPath, name);
    if (!text)
        return std::nullopt;
    const std::string_view digits = Trim(*text);
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

} // namespace comms
