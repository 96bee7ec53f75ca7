// One-shot handlers for the deskset's accepted start-up replies: each is created when its reply
// passes its check, runs once and is destroyed.
#pragma once

namespace trv::transfer {

class DesksetLink;
class TransferSession;

// The version text was accepted: ask for the hardware identity check (type 2).
class TRVDkReceiveDbVersion {
public:
    explicit TRVDkReceiveDbVersion(DesksetLink& link) : link_(link) {}
    void run();

private:
    DesksetLink& link_;
};

// The hardware identity was accepted: start the pending upload, else the pending download.
class TRVDkReceiveHwConfig {
public:
    explicit TRVDkReceiveHwConfig(TransferSession& session) : session_(session) {}
    void run();

private:
    TransferSession& session_;
};

} // namespace trv::transfer
