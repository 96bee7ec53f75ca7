// Why a transport's device could not be opened, from the error of the failed open itself: the
// device is missing, the user may not open it (and which group may), or another process holds
// it, as the kernel's lock table names that process. Nothing here opens the device again.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace comms {

enum class OpenReason {
    NoSuchDevice, // no node, or no device behind it
    NoPermission, // the node's permissions keep this user out
    InUse,        // another open holds the port (its lock, or an exclusive claim)
    Other,        // any other error: see OpenFailure::error
};

struct OpenFailure {
    std::string device;
    int error = 0; // errno of the failed open
    OpenReason reason = OpenReason::Other;
    // NoPermission: the group whose members may read and write the node; empty when its group
    // has no such permission.
    std::string group;
    // InUse: the process holding the port's lock and its command name; 0 and empty when the lock
    // table does not show one (another user's exclusive claim, an open file description lock).
    int holderPid = 0;
    std::string holderName;

    friend bool operator==(const OpenFailure&, const OpenFailure&) = default;
};

// The reason an open failing with this errno stands for.
OpenReason ReasonForError(int error);

// The failure of opening `device` with `error`, completed from the node's status (its group)
// and from the lock table (/proc/locks) for a port in use.
OpenFailure DescribeOpenFailure(const std::string& device, int error);

// The process holding a lock on the file with this device number and inode, read from the text
// of /proc/locks; 0 when none is shown with a process id.
int LockHolderIn(std::string_view locksText, dev_t device, ino_t inode);

// The command name of a process (/proc/PID/comm), empty when it cannot be read.
std::string ProcessName(int pid);

} // namespace comms
