// Frame format of the acknowledged frame link. Frames follow each other directly in the
// byte stream, with no start byte and no escaping:
//   type (1) | sequence number 0-254 (1) | payload length n 0-250 (1) | payload (n) |
//   CRC-16 of the bytes before it, high byte first (2)  -- or CRC-8 (1) with "UseCRC8".
#pragma once

#include <cstdint>

namespace comms {

enum AckFrameType : uint8_t {
    kFrameConnectRequest = 1,
    kFrameAck = 2,
    kFrameHeartbeat = 3,
    kFrameDataWhole = 4, // data frames are 4 + the fragment kind
    kFrameDataFirst = 5,
    kFrameDataMiddle = 6,
    kFrameDataLast = 7,
    kFrameConnectConfirm = 9,
};

inline constexpr int kFrameHeaderSize = 3;
inline constexpr int kMaxFramePayload = 250;
inline constexpr int kMaxFrameSize = 255;
inline constexpr int kSequenceCount = 255;  // numbers run 0 to 254
inline constexpr uint8_t kNoSequence = 255; // "none received yet"

inline constexpr int CrcSize(bool crc8)
{
    return crc8 ? 1 : 2;
}

// Writes header, payload and CRC into out (room for kMaxFrameSize bytes); returns the frame
// length.
int BuildFrame(uint8_t* out, uint8_t type, uint8_t sequence, const uint8_t* payload, int length, bool crc8);

// Fills in the sequence number and CRC of a frame whose type, length and payload are in
// place; returns the frame length.
int SealFrame(uint8_t* frame, uint8_t sequence, bool crc8);

} // namespace comms
