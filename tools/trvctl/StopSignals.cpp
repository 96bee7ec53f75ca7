#include "tools/trvctl/StopSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <utility>

namespace trv::ctl {

StopSignals::StopSignals()
{
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        pipe_[0] = pipe_[1] = -1;
    writeFd_ = pipe_[1];
    struct sigaction action {};
    action.sa_handler = &StopSignals::onSignal;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &action, &previous_[i]);
}

StopSignals::~StopSignals()
{
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &previous_[i], nullptr);
    writeFd_ = -1;
    for (int& fd : pipe_)
        if (fd >= 0)
            ::close(std::exchange(fd, -1));
}

std::vector<int> StopSignals::take()
{
    std::vector<int> signals;
    unsigned char number = 0;
    while (pipe_[0] >= 0 && ::read(pipe_[0], &number, 1) == 1)
        signals.push_back(number);
    return signals;
}

const char* StopSignals::name(int number)
{
    return number == SIGINT ? "SIGINT" : number == SIGTERM ? "SIGTERM" : "a signal";
}

void StopSignals::endBy(int number)
{
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    ::signal(number, SIG_DFL);
    ::raise(number);
}

void StopSignals::onSignal(int number)
{
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(number);
    if (writeFd_ >= 0 && ::write(writeFd_, &byte, 1) < 0) {
        // A full pipe already holds a signal: nothing is lost.
    }
    errno = saved;
}

} // namespace trv::ctl
