#include "database/Image.h"

#include <algorithm>
#include <cstring>

namespace trv::db {

Image& theImage()
{
    static Image image{};
    return image;
}

std::uint16_t readU16(const Image& image, int offset)
{
    return static_cast<std::uint16_t>(image[offset] | (image[offset + 1] << 8));
}

void writeU16(Image& image, int offset, std::uint16_t value)
{
    image[offset] = static_cast<std::uint8_t>(value & 0xFF);
    image[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::string readText(const Image& image, int offset, int slotSize)
{
    const auto* begin = image.data() + offset;
    const auto* end = std::find(begin, begin + slotSize, std::uint8_t{0});
    return std::string(begin, end);
}

void writeText(Image& image, int offset, int slotSize, std::string_view text)
{
    const auto n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(slotSize));
    std::memcpy(image.data() + offset, text.data(), n);
    std::fill(image.begin() + offset + static_cast<long>(n), image.begin() + offset + slotSize, 0);
}

bool hasMagic(const Image& image)
{
    return std::equal(kMagic.begin(), kMagic.end(), image.begin());
}

} // namespace trv::db
