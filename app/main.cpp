// trv: the deskset configuration tool.
#include "app/CTRVApp.h"
#include "app/CommandLine.h"
#include "app/ShellArt.h"
#include "platform/AppTexts.h"

#include <QApplication>

#include <cstdio>
#include <optional>

namespace {

using trv::app::CommandLine;

// Prints what the command line asked to print; the exit status, or nothing when the shell starts.
std::optional<int> answered(const CommandLine& line)
{
    switch (line.action) {
    case CommandLine::Action::Start:
        return std::nullopt;
    case CommandLine::Action::PrintHelp:
    case CommandLine::Action::PrintVersion:
        std::fputs(line.text.toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Action::Refuse:
        std::fputs(line.text.toLocal8Bit().constData(), stderr);
        return trv::app::kExitUsage;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[])
{
    // --help and --version are answered before the application object exists: it needs a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const std::optional<int> status = answered(trv::app::readInfoOptions(arguments)))
        return *status;

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("trv"));
    QApplication::setDesktopFileName(QStringLiteral("trv"));
    QApplication::setWindowIcon(trv::app::applicationIcon());

    // QApplication has taken its own options; what is left is ours.
    const CommandLine line = trv::app::readCommandLine(QApplication::arguments());
    if (const std::optional<int> status = answered(line))
        return *status;

    trv::app::CTRVApp app;
    QStringList startArguments{QApplication::arguments().constFirst()};
    if (!line.file.isEmpty())
        startArguments << line.file;
    if (!app.initInstance(startArguments))
        return 1;
    return QApplication::exec();
}
