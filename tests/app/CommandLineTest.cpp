// trv's command line: what each reading decides, without starting the shell.
#include "app/CommandLine.h"
#include "platform/Version.h"

#include <gtest/gtest.h>

namespace {

using trv::app::CommandLine;
using Action = CommandLine::Action;

TEST(CommandLine, EachReadingDecides)
{
    const struct {
        QStringList args; // after the program name
        Action before;    // readInfoOptions
        Action after;     // readCommandLine
        QString file;     // after
        QString text;     // a part of the text printed after
    } cases[] = {
        {{}, Action::Start, Action::Start, {}, {}},
        {{"site.ddb"}, Action::Start, Action::Start, "site.ddb", {}},
        {{"--", "-odd name.ddb"}, Action::Start, Action::Start, "-odd name.ddb", {}},
        {{"--help"}, Action::PrintHelp, Action::PrintHelp, {}, "Usage: trv [options] [FILE]"},
        {{"-h", "site.ddb"}, Action::PrintHelp, Action::PrintHelp, {}, "Exit status"},
        {{"--version"},
         Action::PrintVersion,
         Action::PrintVersion,
         {},
         QStringLiteral("trv %1\n").arg(trv::kVersion)},
        {{"-v"}, Action::PrintVersion, Action::PrintVersion, {}, "trv "},
        {{"--bogus", "--help"}, Action::PrintHelp, Action::PrintHelp, {}, "--version"},
        // Before the application object an unknown option may be Qt's own: it starts.
        {{"--bogus"}, Action::Start, Action::Refuse, {}, "Unknown option 'bogus'"},
        {{"a.ddb", "b.ddb"}, Action::Start, Action::Refuse, {}, "2 were named"},
    };
    for (const auto& c : cases) {
        const QStringList args = QStringList{"trv"} + c.args;
        const std::string where = args.join(' ').toStdString();
        EXPECT_EQ(trv::app::readInfoOptions(args).action, c.before) << where;
        const CommandLine after = trv::app::readCommandLine(args);
        EXPECT_EQ(after.action, c.after) << where;
        EXPECT_EQ(after.file, c.file) << where;
        EXPECT_TRUE(after.text.contains(c.text)) << where << ": " << after.text.toStdString();
    }
}

TEST(CommandLine, ARefusalSaysWhereToLook)
{
    const CommandLine refused = trv::app::readCommandLine({"trv", "--bogus"});
    EXPECT_EQ(refused.text, "trv: Unknown option 'bogus'.\nRun 'trv --help' for the options.\n");
}

} // namespace
