// Child processes of a test die with it. A test that crashes or is killed must not leave a
// simulator behind: an orphan keeps the test's inherited output open, and ctest then waits for
// it for ever. The child asks for SIGKILL when the thread that started it ends (before exec,
// so the request survives it) and gives up at once if that thread is already gone.
#pragma once

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace trv::testsupport {

// Runs in the child between fork and exec; async-signal-safe calls only.
inline void DieWithParent(pid_t parent)
{
    if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() != parent)
        ::_exit(127);
}

// Makes a QProcess (or anything with a child-process modifier) start its program tied to
// this process.
template <typename Process> void TieToThisProcess(Process& process)
{
    process.setChildProcessModifier([parent = ::getpid()] { DieWithParent(parent); });
}

} // namespace trv::testsupport
