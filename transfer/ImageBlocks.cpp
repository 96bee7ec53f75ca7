#include "transfer/ImageBlocks.h"

#include <algorithm>

namespace trv::transfer {

std::vector<DesksetMessage> uploadBlocks(const db::Image& image)
{
    std::vector<DesksetMessage> blocks;
    blocks.reserve(kBlocksPerImage);
    for (int offset = 0; offset < db::kImageSize; offset += kBlockBytes) {
        const int size = std::min(kBlockBytes, db::kImageSize - offset);
        std::vector<std::uint8_t> data{static_cast<std::uint8_t>(offset & 0xFF),
                                       static_cast<std::uint8_t>(offset >> 8)};
        data.insert(data.end(), image.begin() + offset, image.begin() + offset + size);
        blocks.emplace_back(MessageType::UploadBlock, std::move(data));
    }
    return blocks;
}

void ReceiveBuffer::reset()
{
    data_.fill(0);
    arrived_.reset();
    refused_ = false;
}

bool ReceiveBuffer::store(std::span<const std::uint8_t> blockData)
{
    if (blockData.size() < 2) {
        refused_ = true;
        return false;
    }
    const int offset = readOffset(blockData);
    const auto bytes = blockData.subspan(2);
    if (offset + static_cast<int>(bytes.size()) > db::kImageSize) {
        refused_ = true;
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), data_.begin() + offset);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        arrived_.set(offset + i);
    return true;
}

bool ReceiveBuffer::holdsImage() const
{
    return !refused_ && arrived_.all() && db::hasMagic(data_);
}

} // namespace trv::transfer
