#include "tools/desksetsim/DesksetNimb.h"

#include "database/DdbFile.h"
#include "tools/desksetsim/SimTexts.h"
#include "tools/desksetsim/WireTap.h"

namespace desksetsim {

DesksetNimb::DesksetNimb(SimulatedDeskset& deskset, WireTap& tap, std::string saveUploadPath, Hooks hooks)
    : Nimb(kMaxMessageSize), deskset_(deskset), tap_(tap), saveUploadPath_(std::move(saveUploadPath)),
      hooks_(std::move(hooks))
{
}

DesksetNimb::~DesksetNimb()
{
    Shutdown();
}

void DesksetNimb::StartSession()
{
    std::lock_guard lock(mutex_);
    deskset_.StartSession();
    tap_.NewSession();
}

void DesksetNimb::OnReceive(int length)
{
    uint8_t message[kMaxMessageSize];
    int received = 0;
    if (length <= 0 || Receive(message, sizeof message, &received) != comms::Result::Ok)
        return;
    std::lock_guard lock(mutex_);
    if (received >= 2 && message[1] == kTypeDownloadBlock)
        hooks_.status(texts::kDownloadRequested);
    Apply(deskset_.Handle(message, received));
}

void DesksetNimb::Apply(const DesksetResponse& response)
{
    // Silence is arranged before the answer is queued, so that the link cannot send a
    // counted frame before the count starts.
    if (response.silentNow)
        tap_.SilenceNow();
    if (response.silentAfterDataFrames >= 0)
        tap_.SilenceAfterDataFrames(response.silentAfterDataFrames);
    for (const Message& message : response.messages)
        Send(message.data(), static_cast<int>(message.size()));
    if (response.upload) {
        hooks_.status(texts::kUploadReceived);
        if (!saveUploadPath_.empty()) {
            const trv::db::FileResult saved = trv::db::saveDatabase(saveUploadPath_, *response.upload);
            hooks_.status(saved.ok ? texts::kUploadSaved + saveUploadPath_
                                   : texts::kCannotSaveUpload + saved.message);
        }
    }
}

void DesksetNimb::OnConnect()
{
    hooks_.status(texts::kLinkUp);
    hooks_.link(LinkEvent::kUp);
}

void DesksetNimb::OnDisconnect()
{
    hooks_.status(texts::kLinkDown);
    hooks_.link(LinkEvent::kDown);
}

} // namespace desksetsim
