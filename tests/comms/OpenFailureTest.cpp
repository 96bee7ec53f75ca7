// Why a serial port could not be opened, from the failed open itself: on real pseudo-terminals,
// a missing device, a port whose lock another (named) process holds, and a node this user may
// not open; the errno table; and the lock table as the kernel writes it.
#include <gtest/gtest.h>

#include "comms/OpenFailure.h"
#include "comms/SerialLayer1.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/PseudoTerminal.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace comms {
namespace {

constexpr uid_t kNobody = 65534;

using Pty = trv::testsupport::PseudoTerminal;

// A forked child that dies with the test: killed and reaped when the object goes.
class Child {
public:
    template <typename Body> explicit Child(Body body)
    {
        const pid_t parent = ::getpid();
        pid_ = ::fork();
        if (pid_ == 0) {
            if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() != parent)
                ::_exit(127);
            body();
            ::_exit(0);
        }
    }
    ~Child()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    pid_t Pid() const { return pid_; }

private:
    pid_t pid_ = -1;
};

OpenFailure FailedOpen(const std::string& device)
{
    SerialLayer1 layer(device, {1, 8, 0, 0, 19200});
    EXPECT_EQ(layer.Open(), -1);
    return layer.LastOpenFailure().value_or(OpenFailure{});
}

TEST(OpenFailure, EachErrnoStandsForOneReason)
{
    const struct {
        int error;
        OpenReason reason;
    } table[] = {
        {ENOENT, OpenReason::NoSuchDevice}, {ENXIO, OpenReason::NoSuchDevice},
        {ENODEV, OpenReason::NoSuchDevice}, {ENOTDIR, OpenReason::NoSuchDevice},
        {EACCES, OpenReason::NoPermission}, {EPERM, OpenReason::NoPermission},
        {EROFS, OpenReason::NoPermission},  {EBUSY, OpenReason::InUse},
        {EWOULDBLOCK, OpenReason::InUse},   {EIO, OpenReason::Other},
        {EINVAL, OpenReason::Other},        {0, OpenReason::Other},
    };
    for (const auto& row : table)
        EXPECT_EQ(ReasonForError(row.error), row.reason) << std::strerror(row.error);
}

TEST(OpenFailure, TheLockTableNamesTheHolderOfThatInodeOnly)
{
    const dev_t pts = ::makedev(0, 0x19);
    const std::string locks = "1: POSIX  ADVISORY  WRITE 311 00:19:4 0 EOF\n"
                              "2: FLOCK  ADVISORY  WRITE 4242 00:19:5 0 EOF\n"
                              "2: -> FLOCK  ADVISORY  WRITE 777 00:19:5 0 EOF\n"
                              "3: OFDLCK ADVISORY  WRITE -1 00:19:6 0 EOF\n"
                              "4: FLOCK  ADVISORY  WRITE 99 fd:01:5 0 EOF\n"
                              "garbage\n";
    EXPECT_EQ(LockHolderIn(locks, pts, 5), 4242) << "the waiter is not the holder";
    EXPECT_EQ(LockHolderIn(locks, pts, 4), 311) << "a POSIX lock counts as well";
    EXPECT_EQ(LockHolderIn(locks, pts, 6), 0) << "an open file description lock has no process";
    EXPECT_EQ(LockHolderIn(locks, ::makedev(0xfd, 1), 5), 99);
    EXPECT_EQ(LockHolderIn(locks, pts, 7), 0);
}

TEST(OpenFailure, AMissingDeviceIsNoSuchDevice)
{
    const OpenFailure failure = FailedOpen("/dev/trv-no-such-port");
    EXPECT_EQ(failure.reason, OpenReason::NoSuchDevice);
    EXPECT_EQ(failure.error, ENOENT);
    EXPECT_EQ(failure.device, "/dev/trv-no-such-port");
}

// Another program has the port and holds its lock: the failure names that program.
TEST(OpenFailure, APortInUseNamesTheProcessHoldingItsLock)
{
    Pty pty;
    ASSERT_FALSE(pty.Path().empty());
    int ready[2];
    int hold[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(hold), 0);
    const std::string path = pty.Path();
    Child holder([&] {
        ::prctl(PR_SET_NAME, "portholder");
        const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
        const char ok = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
        (void)!::write(ready[1], &ok, 1);
        char ignored;
        (void)!::read(hold[0], &ignored, 1); // until the test lets go
    });
    ASSERT_GT(holder.Pid(), 0);
    ::close(ready[1]);
    ::close(hold[0]);
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, 'y');

    const OpenFailure failure = FailedOpen(path);
    EXPECT_EQ(failure.reason, OpenReason::InUse);
    EXPECT_EQ(failure.holderPid, holder.Pid());
    EXPECT_EQ(failure.holderName, "portholder");
    ::close(hold[1]);
    ::close(ready[0]);

    // Busy with no lock in the table (another user's exclusive claim): no holder is named.
    Pty unlocked;
    const OpenFailure unknown = DescribeOpenFailure(unlocked.Path(), EBUSY);
    EXPECT_EQ(unknown.reason, OpenReason::InUse);
    EXPECT_EQ(unknown.holderPid, 0);
    EXPECT_EQ(unknown.holderName, "");
}

// A user outside the node's permissions: a child that has become nobody opens the port. With
// mode 0600 no group may open it; with 0660 the node's group is the one to join.
TEST(OpenFailure, NoPermissionNamesTheGroupThatMayOpenTheNode)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "changing to another user needs root";
    Pty pty;
    ASSERT_FALSE(pty.Path().empty());
    struct stat node {};
    ASSERT_EQ(::stat(pty.Path().c_str(), &node), 0);
    const group* owner = ::getgrgid(node.st_gid);
    const std::string ownerName = owner ? owner->gr_name : std::to_string(node.st_gid);

    const struct {
        mode_t mode;
        std::string group;
    } table[] = {{0600, ""}, {0660, ownerName}};
    for (const auto& row : table) {
        ASSERT_EQ(::chmod(pty.Path().c_str(), row.mode), 0);
        int result[2];
        ASSERT_EQ(::pipe(result), 0);
        const std::string path = pty.Path();
        Child nobody([&] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
                ::_exit(126);
            const OpenFailure failure = FailedOpen(path);
            const std::string answer = std::to_string(static_cast<int>(failure.reason)) + " " +
                                       std::to_string(failure.error) + " " + failure.group;
            (void)!::write(result[1], answer.data(), answer.size());
        });
        ::close(result[1]);
        char buffer[256] = {};
        const ssize_t n = ::read(result[0], buffer, sizeof buffer - 1);
        ::close(result[0]);
        ASSERT_GT(n, 0) << "the child could not become nobody";
        const std::string expected = std::to_string(static_cast<int>(OpenReason::NoPermission)) + " " +
                                     std::to_string(EACCES) + " " + row.group;
        EXPECT_EQ(std::string(buffer, static_cast<size_t>(n)), expected) << std::oct << row.mode;
    }
}

} // namespace
} // namespace comms
