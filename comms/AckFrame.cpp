#include "comms/AckFrame.h"

#include <cstring>

#include "comms/Crc.h"

namespace comms {

int BuildFrame(uint8_t* out, uint8_t type, uint8_t sequence, const uint8_t* payload, int length, bool crc8)
{
    out[0] = type;
    out[2] = static_cast<uint8_t>(length);
    if (length > 0)
        std::memcpy(out + kFrameHeaderSize, payload, static_cast<size_t>(length));
    return SealFrame(out, sequence, crc8);
}

int SealFrame(uint8_t* frame, uint8_t sequence, bool crc8)
{
    frame[1] = sequence;
    const int body = kFrameHeaderSize + frame[2];
    if (crc8) {
        frame[body] = Crc8(frame, static_cast<size_t>(body));
    } else {
        const uint16_t crc = Crc16(frame, static_cast<size_t>(body));
        frame[body] = static_cast<uint8_t>(crc >> 8);
        frame[body + 1] = static_cast<uint8_t>(crc & 0xFF);
    }
    return body + CrcSize(crc8);
}

} // namespace comms
