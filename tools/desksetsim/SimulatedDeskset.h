// The deskset's side of the transfer messages: what it answers to each message of the tool.
// Messages are [length L = 1 + data bytes][type][data]. The class knows nothing of the link;
// the simulator hands it each received message and sends what it returns.
#pragma once

#include "database/Image.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace desksetsim {

using Message = std::vector<uint8_t>;

enum DesksetMessageType : uint8_t {
    kTypeVersion = 1,
    kTypeHardware = 2,
    kTypeDownloadBlock = 3, // tool: "send me your database"; deskset: one image block
    kTypeUploadBlock = 4,
    kTypeUploadComplete = 5,
    kTypeUploadIncomplete = 6,
    kTypeDownloadComplete = 7,
};

inline constexpr int kBlockBytes = 100;
inline constexpr int kBlockCount = (trv::db::kImageSize + kBlockBytes - 1) / kBlockBytes; // 164
inline constexpr int kMaxMessageData = 248;

// How the simulated deskset behaves.
struct DesksetProfile {
    std::string versionText{trv::db::kMagic};
    int hardwareId = 0;
    bool failUpload = false;  // answer a complete upload with type 6
    bool noEnd = false;       // never send type 7 or type 5/6
    int stopAfterBlocks = -1; // go silent after this many blocks; -1 never
    int unknownType = -1;     // also send a message of this type after the version reply
    int alterStoredByte = -1; // store uploads with the byte at this image offset inverted; -1 never
};

// What the simulator does with one received message.
struct DesksetResponse {
    std::vector<Message> messages;        // to send, in order
    int silentAfterDataFrames = -1;       // go silent once this many more data frames went out
    bool silentNow = false;               // go silent at once
    std::optional<trv::db::Image> upload; // an upload that has just completed
};

class SimulatedDeskset {
public:
    SimulatedDeskset(DesksetProfile profile, const trv::db::Image& image);

    DesksetResponse Handle(const uint8_t* message, int length);
    // A new session: a half-received upload is forgotten.
    void StartSession();

    const trv::db::Image& Image() const { return image_; }
    int UploadBytesReceived() const { return uploadCovered_; }

private:
    void AnswerVersion(DesksetResponse& response) const;
    void SendImage(DesksetResponse& response) const;
    void TakeUploadBlock(const uint8_t* data, int length, DesksetResponse& response);

    DesksetProfile profile_;
    trv::db::Image image_;
    trv::db::Image upload_{};
    std::vector<bool> uploadSeen_;
    int uploadCovered_ = 0;
    int uploadBlocks_ = 0;
};

// Builds [1 + data][type][data], data cut to the 248 bytes a message can carry.
Message MakeMessage(uint8_t type, const uint8_t* data = nullptr, int length = 0);

} // namespace desksetsim
