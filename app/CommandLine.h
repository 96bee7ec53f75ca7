// trv's command line: [FILE], --help and --version. It is read twice: before the application
// object exists, so that --help and --version print and end without a display; and again once
// QApplication has taken its own options (-platform, -style, ...), strictly.
#pragma once

#include <QString>
#include <QStringList>

namespace trv::app {

struct CommandLine {
    enum class Action {
        Start,        // start the shell, opening `file` when it is not empty
        PrintHelp,    // print `text` on standard output and end with status 0
        PrintVersion, // likewise
        Refuse,       // print `text` on standard error and end with status 2
    };
    Action action = Action::Start;
    QString file;
    QString text;
};

// Exit status of a refused command line.
inline constexpr int kExitUsage = 2;

// Before the application object: decides only --help and --version; anything else starts,
// as it may hold Qt's own options. `arguments` starts with the program name.
CommandLine readInfoOptions(const QStringList& arguments);

// After QApplication has removed its own options: unknown options and more than one file are
// refused with a message.
CommandLine readCommandLine(const QStringList& arguments);

} // namespace trv::app
