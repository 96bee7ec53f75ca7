// The simulated deskset's connection manager: a Nimb whose received messages go to the
// SimulatedDeskset and whose answers go straight back, on the session thread, so the answer
// to a message leaves as soon as the link can take it.
#pragma once

#include "comms/Nimb.h"
#include "tools/desksetsim/SimulatedDeskset.h"

#include <functional>
#include <mutex>
#include <string>

namespace desksetsim {

class WireTap;

class DesksetNimb final : public comms::Nimb {
public:
    enum class LinkEvent { kUp, kDown };
    struct Hooks {
        std::function<void(LinkEvent)> link;            // on the session thread; must not block
        std::function<void(const std::string&)> status; // a line for the user
    };

    static constexpr int kMaxMessageSize = 250;

    // saveUploadPath may be empty (completed uploads are not written anywhere).
    DesksetNimb(SimulatedDeskset& deskset, WireTap& tap, std::string saveUploadPath, Hooks hooks);
    ~DesksetNimb() override;

    // A new session: a half-received upload is forgotten and --stop-after silence ends.
    void StartSession();

protected:
    void OnReceive(int length) override;
    void OnConnect() override;
    void OnDisconnect() override;

private:
    void Apply(const DesksetResponse& response);

    std::mutex mutex_; // the deskset is used by the session thread and, between sessions, by main
    SimulatedDeskset& deskset_;
    WireTap& tap_;
    std::string saveUploadPath_;
    Hooks hooks_;
};

} // namespace desksetsim
