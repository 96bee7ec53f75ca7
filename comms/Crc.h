// Check sums of the acknowledged frame link.
//
// CRC-16: x^16 + x^12 + x^5 + 1 processed least significant bit first (table from the
// reversed polynomial 0x8408), initial value 0xFFFF, no final XOR (CRC-16/MCRF4XX).
// CRC-8: initial value 0xFF, crc = T[crc ^ byte], no final XOR, with an XOR-linear table T
// given by its values at the eight single-bit indices.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace comms {

inline constexpr uint16_t kCrc16Init = 0xFFFF;
inline constexpr uint8_t kCrc8Init = 0xFF;

namespace detail {

constexpr std::array<uint16_t, 256> MakeCrc16Table()
{
    std::array<uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned crc = i;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) != 0 ? (crc >> 1) ^ 0x8408 : crc >> 1;
        table[i] = static_cast<uint16_t>(crc);
    }
    return table;
}

// T[1], T[2], T[4], ..., T[128]; every other entry is the XOR of the entries of its set bits.
inline constexpr std::array<uint8_t, 8> kCrc8Basis = {0x4B, 0x96, 0x25, 0x0A, 0x94, 0x21, 0x02, 0x84};

constexpr std::array<uint8_t, 256> MakeCrc8Table()
{
    std::array<uint8_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        uint8_t value = 0;
        for (int bit = 0; bit < 8; ++bit) {
            if ((i >> bit) & 1)
                value ^= kCrc8Basis[bit];
        }
        table[i] = value;
    }
    return table;
}

} // namespace detail

inline constexpr std::array<uint16_t, 256> kCrc16Table = detail::MakeCrc16Table();
inline constexpr std::array<uint8_t, 256> kCrc8Table = detail::MakeCrc8Table();

constexpr uint16_t Crc16Update(uint16_t crc, uint8_t byte)
{
    return static_cast<uint16_t>((crc >> 8) ^ kCrc16Table[(crc ^ byte) & 0xFF]);
}

constexpr uint8_t Crc8Update(uint8_t crc, uint8_t byte)
{
    return kCrc8Table[crc ^ byte];
}

constexpr uint16_t Crc16(const uint8_t* data, size_t length)
{
    uint16_t crc = kCrc16Init;
    for (size_t i = 0; i < length; ++i)
        crc = Crc16Update(crc, data[i]);
    return crc;
}

constexpr uint8_t Crc8(const uint8_t* data, size_t length)
{
    uint8_t crc = kCrc8Init;
    for (size_t i = 0; i < length; ++i)
        crc = Crc8Update(crc, data[i]);
    return crc;
}

} // namespace comms
