#include "transfer/DesksetMessage.h"

#include <algorithm>

namespace trv::transfer {

std::vector<std::uint8_t> DesksetMessage::encode() const
{
    const std::size_t dataSize = std::min<std::size_t>(data.size(), kMaxSendData);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(dataSize + 2);
    bytes.push_back(static_cast<std::uint8_t>(1 + dataSize));
    bytes.push_back(type);
    bytes.insert(bytes.end(), data.begin(), data.begin() + static_cast<std::ptrdiff_t>(dataSize));
    return bytes;
}

std::optional<DesksetMessage> DesksetMessage::decode(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 2 || bytes[0] == 0)
        return std::nullopt;
    const std::size_t dataSize =
        std::min<std::size_t>({std::size_t(bytes[0]) - 1, std::size_t(kMaxReceiveData), bytes.size() - 2});
    return DesksetMessage(bytes[1],
                          std::vector<std::uint8_t>(bytes.begin() + 2, bytes.begin() + 2 + dataSize));
}

} // namespace trv::transfer
