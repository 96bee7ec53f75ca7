// A pseudo-terminal whose slave side stands in for a serial port: the program under test opens
// Path() as its device, the test holds the master side (to speak on the line, or only to keep the
// device present). The master is closed with the object.
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

namespace trv::testsupport {

class PseudoTerminal {
public:
    enum class Reads { Blocking, NonBlocking };

    explicit PseudoTerminal(Reads reads = Reads::NonBlocking)
    {
        const int flags = O_RDWR | O_NOCTTY | O_CLOEXEC | (reads == Reads::NonBlocking ? O_NONBLOCK : 0);
        master_ = ::posix_openpt(flags);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
            path_ = ::ptsname(master_);
    }
    ~PseudoTerminal() { CloseMaster(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool Valid() const { return !path_.empty(); }
    // The slave side's device, e.g. "/dev/pts/4"; empty when none could be made.
    const std::string& Path() const { return path_; }
    int Master() const { return master_; }
    // Hangs the line up: the slave side reads end of file from now on.
    void CloseMaster()
    {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    std::string path_;
};

} // namespace trv::testsupport
