#include "tools/desksetsim/SimulatedDeskset.h"

#include <algorithm>

namespace desksetsim {

using trv::db::kImageSize;

Message MakeMessage(uint8_t type, const uint8_t* data, int length)
{
    const int used = data != nullptr ? std::clamp(length, 0, kMaxMessageData) : 0;
    Message message(2 + used);
    message[0] = static_cast<uint8_t>(1 + used);
    message[1] = type;
    std::copy_n(data, used, message.begin() + 2);
    return message;
}

SimulatedDeskset::SimulatedDeskset(DesksetProfile profile, const trv::db::Image& image)
    : profile_(std::move(profile)), image_(image), uploadSeen_(kImageSize, false)
{
}

void SimulatedDeskset::StartSession()
{
    std::fill(uploadSeen_.begin(), uploadSeen_.end(), false);
    uploadCovered_ = 0;
    uploadBlocks_ = 0;
}

DesksetResponse SimulatedDeskset::Handle(const uint8_t* message, int length)
{
    DesksetResponse response;
    // Read as the tool reads the deskset's messages: at least length and type, a length byte
    // of 0 carries no type, and the data is cut to the bytes actually present.
    if (message == nullptr || length < 2 || message[0] == 0)
        return response;
    const uint8_t type = message[1];
    const uint8_t* data = message + 2;
    const int dataLength = std::min(message[0] - 1, length - 2);

    switch (type) {
    case kTypeVersion:
        AnswerVersion(response);
        break;
    case kTypeHardware: {
        const uint8_t result = static_cast<uint8_t>(profile_.hardwareId);
        response.messages.push_back(MakeMessage(kTypeHardware, &result, 1));
        break;
    }
    case kTypeDownloadBlock:
        if (dataLength >= 1 && data[0] == 0)
            SendImage(response);
        break;
    case kTypeUploadBlock:
        TakeUploadBlock(data, dataLength, response);
        break;
    default:
        break; // the deskset ignores what it does not know
    }
    return response;
}

void SimulatedDeskset::AnswerVersion(DesksetResponse& response) const
{
    const auto* text = reinterpret_cast<const uint8_t*>(profile_.versionText.data());
    response.messages.push_back(
        MakeMessage(kTypeVersion, text, static_cast<int>(profile_.versionText.size())));
    if (profile_.unknownType >= 0)
        response.messages.push_back(MakeMessage(static_cast<uint8_t>(profile_.unknownType)));
}

void SimulatedDeskset::SendImage(DesksetResponse& response) const
{
    const int blocks =
        profile_.stopAfterBlocks >= 0 ? std::min(profile_.stopAfterBlocks, kBlockCount) : kBlockCount;
    uint8_t block[2 + kBlockBytes];
    for (int i = 0; i < blocks; ++i) {
        const int offset = i * kBlockBytes;
        const int bytes = std::min(kBlockBytes, kImageSize - offset);
        block[0] = static_cast<uint8_t>(offset & 0xFF);
        block[1] = static_cast<uint8_t>(offset >> 8);
        std::copy_n(image_.begin() + offset, bytes, block + 2);
        response.messages.push_back(MakeMessage(kTypeDownloadBlock, block, 2 + bytes));
    }
    if (profile_.stopAfterBlocks >= 0)
        response.silentAfterDataFrames = blocks;
    else if (!profile_.noEnd)
        response.messages.push_back(MakeMessage(kTypeDownloadComplete));
}

void SimulatedDeskset::TakeUploadBlock(const uint8_t* data, int length, DesksetResponse& response)
{
    if (length < 2)
        return;
    const int offset = data[0] | data[1] << 8;
    const int bytes = length - 2;
    // A block that would reach past the image is refused whole rather than cut.
    if (bytes <= 0 || offset + bytes > kImageSize)
        return;
    std::copy_n(data + 2, bytes, upload_.begin() + offset);
    for (int i = offset; i < offset + bytes; ++i) {
        if (!uploadSeen_[i]) {
            uploadSeen_[i] = true;
            ++uploadCovered_;
        }
    }
    ++uploadBlocks_;
    if (profile_.stopAfterBlocks >= 0 && uploadBlocks_ >= profile_.stopAfterBlocks) {
        response.silentNow = true;
        return;
    }
    if (uploadCovered_ < kImageSize)
        return;

    response.upload = upload_;
    if (!profile_.failUpload) {
        image_ = upload_; // the deskset now holds the uploaded database
        if (profile_.alterStoredByte >= 0)
            image_[profile_.alterStoredByte] ^= 0xFF;
    }
    if (!profile_.noEnd)
        response.messages.push_back(
            MakeMessage(profile_.failUpload ? kTypeUploadIncomplete : kTypeUploadComplete));
    StartSession();
}

} // namespace desksetsim
