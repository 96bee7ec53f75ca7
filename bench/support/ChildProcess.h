// The benchmarks' child processes: started with posix_spawn, standard output on a pipe that the
// benchmark reads line by line, and the CPU time a finished child used (from wait4's rusage).
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace bench {

// A child process with its standard output on a pipe; pid -1 and no out when it did not start.
struct Child {
    pid_t pid = -1;
    FILE* out = nullptr;
};

struct SpawnOptions {
    std::string errorFile;   // standard error appended to this file; empty: the benchmark's
    bool nullInput = false;  // standard input from /dev/null instead of the benchmark's
    pid_t processGroup = -1; // -1: the benchmark's group; 0: a new group led by the child; else that group
};

// The pipe is close-on-exec on the benchmark's side, so no child inherits another's output.
inline Child spawn(const std::vector<std::string>& argv, const SpawnOptions& options = {})
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    if (options.nullInput)
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (!options.errorFile.empty())
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, options.errorFile.c_str(),
                                         O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    if (options.processGroup >= 0) {
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
        posix_spawnattr_setpgroup(&attributes, options.processGroup);
    }
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    Child child;
    if (posix_spawn(&child.pid, args[0], &actions, &attributes, args.data(), environ) != 0)
        child.pid = -1;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (child.pid > 0)
        child.out = fdopen(fds[0], "r");
    else
        close(fds[0]);
    return child;
}

// The next line without its newline; nothing at the end of the output (or without an output).
inline std::optional<std::string> readLine(FILE* in)
{
    if (!in)
        return std::nullopt;
    std::string line;
    int c;
    while ((c = std::fgetc(in)) != EOF && c != '\n')
        line += static_cast<char>(c);
    if (c == EOF && line.empty())
        return std::nullopt;
    return line;
}

// User and system time of a finished child (and of the children it waited for).
inline double cpuSeconds(const rusage& usage)
{
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace bench
