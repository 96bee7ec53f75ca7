// SIGINT and SIGTERM for commands that run an event loop: the handler only writes the signal's
// number to a pipe, which the loop watches (a QSocketNotifier on fd()). One instance at a time.
#pragma once

#include <csignal>
#include <vector>

namespace trv::ctl {

class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    int fd() const { return pipe_[0]; }
    // The signals that came since the last call, in order.
    std::vector<int> take();

    // "SIGINT", "SIGTERM".
    static const char* name(int number);
    // Ends the process by that signal, as the shell expects of a command a signal stopped.
    static void endBy(int number);

private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM};
    static void onSignal(int number);

    static inline int writeFd_ = -1;
    int pipe_[2] = {-1, -1};
    struct sigaction previous_[std::size(kSignals)]{};
};

} // namespace trv::ctl
