#include "comms/OpenFailure.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <vector>

namespace comms {
namespace {

struct ErrorReason {
    int error;
    OpenReason reason;
};

constexpr ErrorReason kErrorReasons[] = {
    {ENOENT, OpenReason::NoSuchDevice}, {ENXIO, OpenReason::NoSuchDevice},
    {ENODEV, OpenReason::NoSuchDevice}, {ENOTDIR, OpenReason::NoSuchDevice},
    {EACCES, OpenReason::NoPermission}, {EPERM, OpenReason::NoPermission},
    {EROFS, OpenReason::NoPermission},  {EBUSY, OpenReason::InUse},
    {EWOULDBLOCK, OpenReason::InUse},
};

std::string ReadWhole(const std::string& path)
{
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The group that may read and write the node, when its permissions let a group do that.
std::string WritingGroup(const struct stat& node)
{
    if ((node.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP))
        return {};
    std::vector<char> buffer(16384);
    group entry{};
    group* found = nullptr;
    if (::getgrgid_r(node.st_gid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return std::to_string(node.st_gid);
    return found->gr_name;
}

} // namespace

OpenReason ReasonForError(int error)
{
    for (const ErrorReason& entry : kErrorReasons)
        if (entry.error == error)
            return entry.reason;
    return OpenReason::Other;
}

int LockHolderIn(std::string_view locksText, dev_t device, ino_t inode)
{
    // "1: FLOCK  ADVISORY  WRITE 4242 00:19:5 0 EOF"; waiters are listed as "1: -> FLOCK ...".
    std::istringstream lines{std::string(locksText)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string id, kind, mode, access, file;
        long pid = 0;
        if (!(words >> id >> kind) || kind == "->" || !(words >> mode >> access >> pid >> file))
            continue;
        unsigned major = 0;
        unsigned minor = 0;
        unsigned long long number = 0;
        char colon1 = 0;
        char colon2 = 0;
        std::istringstream parts(file);
        if (!(parts >> std::hex >> major >> colon1 >> minor >> colon2 >> std::dec >> number) ||
            colon1 != ':' || colon2 != ':')
            continue;
        if (pid > 0 && major == ::major(device) && minor == ::minor(device) && number == inode)
            return static_cast<int>(pid);
    }
    return 0;
}

std::string ProcessName(int pid)
{
    if (pid <= 0)
        return {};
    std::string name = ReadWhole("/proc/" + std::to_string(pid) + "/comm");
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r'))
        name.pop_back();
    return name;
}

OpenFailure DescribeOpenFailure(const std::string& device, int error)
{
    OpenFailure failure;
    failure.device = device;
    failure.error = error;
    failure.reason = ReasonForError(error);
    struct stat node {};
    const bool known = !device.empty() && ::stat(device.c_str(), &node) == 0;
    if (failure.reason == OpenReason::NoPermission && known)
        failure.group = WritingGroup(node);
    if (failure.reason == OpenReason::InUse && known) {
        failure.holderPid = LockHolderIn(ReadWhole("/proc/locks"), node.st_dev, node.st_ino);
        failure.holderName = ProcessName(failure.holderPid);
    }
    return failure;
}

} // namespace comms
