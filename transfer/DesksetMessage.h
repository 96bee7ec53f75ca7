// One application message to or from the deskset: [length L = 1 + data bytes][type][data].
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace trv::transfer {

enum class MessageType : std::uint8_t {
    Version = 1,        // tool: ask for the database version; deskset: its 16-byte version text
    Hardware = 2,       // tool: ask for the hardware check; deskset: byte 0 is 0 when it matches
    DownloadBlock = 3,  // tool: [0] starts a download; deskset: [offset lo][offset hi][bytes]
    UploadBlock = 4,    // tool: [offset lo][offset hi][bytes]; from the deskset: ignored
    UploadDone = 5,     // the uploaded database arrived completely
    UploadFailed = 6,   // the upload was not completed
    DownloadDone = 7,   // all download blocks sent: take the database
    DownloadFailed = 8, // the download was not completed
};

struct DesksetMessage {
    // The library carries messages of at most 250 bytes: length, type and 248 data bytes.
    static constexpr int kMaxMessageSize = 250;
    static constexpr int kMaxSendData = kMaxMessageSize - 2;
    // On receipt at most 247 data bytes are taken.
    static constexpr int kMaxReceiveData = 247;

    std::uint8_t type = 0;
    std::vector<std::uint8_t> data;

    DesksetMessage() = default;
    DesksetMessage(std::uint8_t messageType, std::vector<std::uint8_t> messageData = {})
        : type(messageType), data(std::move(messageData))
    {
    }
    DesksetMessage(MessageType messageType, std::vector<std::uint8_t> messageData = {})
        : DesksetMessage(static_cast<std::uint8_t>(messageType), std::move(messageData))
    {
    }

    bool is(MessageType t) const { return type == static_cast<std::uint8_t>(t); }

    // The wire bytes; data beyond 248 bytes is cut off.
    std::vector<std::uint8_t> encode() const;

    // Reads received bytes. Fewer than 2 bytes, or a length byte of 0 (no type), give nothing.
    // The data taken is L-1 bytes, at most 247 and at most what is present.
    static std::optional<DesksetMessage> decode(std::span<const std::uint8_t> bytes);
};

// Multi-byte numbers in message data are little-endian.
inline int readOffset(std::span<const std::uint8_t> data)
{
    return data[0] | (data[1] << 8);
}

} // namespace trv::transfer
