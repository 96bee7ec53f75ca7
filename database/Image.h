// The one process-wide database image and the helpers every reader and writer of it uses.
#pragma once

#include "database/Layout.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace trv::db {

using Image = std::array<std::uint8_t, kImageSize>;

// The single image of this process. It starts all zero and is zero whenever no database is open.
Image& theImage();

// Little-endian 16-bit numbers.
std::uint16_t readU16(const Image& image, int offset);
void writeU16(Image& image, int offset, std::uint16_t value);

// Signed single bytes (levels, currents) are stored as two's complement.
inline std::int8_t readS8(const Image& image, int offset)
{
    return static_cast<std::int8_t>(image[offset]);
}
inline void writeS8(Image& image, int offset, int value)
{
    image[offset] = static_cast<std::uint8_t>(value);
}

// Text slots: readers take at most slotSize bytes and stop at the first zero byte; writers copy at
// most slotSize bytes and zero the rest, so a text that fills its slot has no terminator.
std::string readText(const Image& image, int offset, int slotSize);
void writeText(Image& image, int offset, int slotSize, std::string_view text);

bool hasMagic(const Image& image);

} // namespace trv::db
