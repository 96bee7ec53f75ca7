// What a text slot of the image can hold. Slots are single-byte: each byte is the Latin-1 character
// of the same number. Only the printable ones are stored: U+0020-U+007E and U+00A0-U+00FF. The
// editors, the JSON and CSV imports and the database rules all ask this one function, so a text that
// one of them accepts is stored, shown and read back unchanged by the others.
#pragma once

#include <string>
#include <string_view>

namespace trv::db {

// Whether a text slot can store the character with this Unicode code point.
constexpr bool isStorableChar(char32_t c)
{
    return (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF);
}

// Whether every byte of a stored text (one Latin-1 character a byte) is a storable character.
constexpr bool isStorableText(std::string_view bytes)
{
    for (const char b : bytes)
        if (!isStorableChar(static_cast<unsigned char>(b)))
            return false;
    return true;
}

// The slot bytes of the storable characters of `text`, in order; every other character is dropped.
inline std::string storableBytes(std::u32string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (const char32_t c : text)
        if (isStorableChar(c))
            bytes += static_cast<char>(static_cast<unsigned char>(c));
    return bytes;
}

} // namespace trv::db
