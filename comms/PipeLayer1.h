// PipeLayer1 (Layer1 type 1): a named pipe between two local programs, made of a Unix-domain
// stream socket. Parameter text: "SERVER <name>" or "CLIENT <name>"; the name must begin with
// two backslashes (e.g. \\.\pipe\deskset), otherwise open fails.
//
// Socket path rule: the name without its two leading backslashes, in lower case (pipe names
// are case-insensitive), with every character other than a-z, 0-9, '.', '_' and '-' written
// as %XX (hex of the byte), in the folder $XDG_RUNTIME_DIR/trv-pipes, or /tmp/trv-pipes-<uid>
// when XDG_RUNTIME_DIR is not set. \\.\pipe\Deskset becomes <folder>/.%5Cpipe%5Cdeskset.
//
// The folder must belong to this user and be closed to others (it is made with mode 0700),
// otherwise the server does not open and the client does not connect. One server end per name
// at a time: a second server for a name with a live server fails to open.
//
// The server listens on the path and serves one client; the client looks for the server every
// 100 ms. Both wait on a connection thread, which only makes the connection.
#pragma once

#include <atomic>
#include <string>

#include "comms/ConnectionThread.h"
#include "comms/Layer1.h"
#include "comms/UniqueFd.h"

namespace comms {

class PipeLayer1 final : public Layer1 {
public:
    explicit PipeLayer1(const char* params);
    ~PipeLayer1() override;

    int IsAttached() override { return attached_ ? 1 : 0; }
    int BaudRate() override { return 19200; }
    int FreeRoom() override { return 5000; }
    int BytesWaiting() override;
    int Open() override;
    void Close() override;
    int Write(const uint8_t* data, int length) override;
    int Read(uint8_t* buffer, int max) override;
    int PollFd() const override { return attached_ ? dataFd_.load() : -1; }

    // The socket path for a pipe name by the rule above; empty when the name does not begin
    // with two backslashes or the path would not fit a socket address.
    static std::string SocketPathFor(const std::string& pipeName);

    bool IsServer() const { return role_ == Role::Server; }
    const std::string& Path() const { return path_; }

private:
    enum class Role { None, Server, Client };

    void ServeOneClient(ConnectionThread& thread);
    void LookForServer(ConnectionThread& thread);
    void Attach(int fd);
    int Fail(int error); // closes the pipe, reports event 0, marks broken; returns -1
    void CloseData();
    void StopListening();

    Role role_ = Role::None;
    std::string path_; // empty when the parameter text was unusable
    UniqueFd listen_;
    std::atomic<int> dataFd_{-1};
    std::atomic<bool> attached_{false};
    ConnectionThread thread_;
};

} // namespace comms
