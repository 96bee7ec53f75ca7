// How the 16384-byte database image travels: cut into 164 upload blocks, and put together from
// download blocks in a receive buffer of its own.
#pragma once

#include "database/Image.h"
#include "transfer/DesksetMessage.h"

#include <bitset>
#include <span>
#include <vector>

namespace trv::transfer {

inline constexpr int kBlockBytes = 100;
inline constexpr int kBlocksPerImage = (db::kImageSize + kBlockBytes - 1) / kBlockBytes; // 164

// The type 4 messages of a whole upload, in offset order: 163 blocks of 100 bytes and one of 84
// bytes at offset 16300, header included.
std::vector<DesksetMessage> uploadBlocks(const db::Image& image);

// The download's receive buffer. The database image is replaced from it only when every byte
// of the image arrived, no block was refused and the received header is the right one.
class ReceiveBuffer {
public:
    // Forgets everything received (start of a download).
    void reset();

    // Copies a type 3 block's data ([offset lo][offset hi][bytes]). A block too short to carry
    // an offset, or reaching beyond the buffer, is dropped and spoils the download.
    bool store(std::span<const std::uint8_t> blockData);

    int bytesArrived() const { return static_cast<int>(arrived_.count()); }
    bool refusedBlock() const { return refused_; }
    // Every byte arrived, nothing was refused and the header reads "VXR DESKSET V001".
    bool holdsImage() const;

    const db::Image& bytes() const { return data_; }

private:
    db::Image data_{};
    std::bitset<db::kImageSize> arrived_;
    bool refused_ = false;
};

} // namespace trv::transfer
