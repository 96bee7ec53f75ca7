// The manual pages against the programs: every option a program's --help lists (and, for trvctl,
// every command and each command's options) is an item of its page, and the page documents no
// option the program does not have. A failure names the page, the place and what to add or remove.
#include "tests/packaging/HelpAndPages.h"

#include <gtest/gtest.h>

#include <QSet>

namespace trv::packaging_test {
namespace {

struct Tool {
    const char* name;
    const char* program;
    QStringList mentions; // what its ENVIRONMENT and FILES sections must name
};

const QStringList kSettingsMentions{"TRV_COM1",       "TRV_COM2",  "TRV_COM3",    "TRV_COM4",
                                    "TRV_CONFIG_DIR", "TRV_TRACE", "machine.ini", "user.ini"};

const Tool kTools[] = {
    {"trv", TRV_PATH, kSettingsMentions},
    {"trvctl", TRVCTL_PATH, kSettingsMentions},
    {"desksetsim", DESKSETSIM_PATH, {"TRV_TRACE"}},
};

const QStringList kSections{"NAME",        "SYNOPSIS", "DESCRIPTION", "OPTIONS", "EXIT STATUS",
                            "ENVIRONMENT", "FILES",    "EXAMPLES",    "SEE ALSO"};

QString pagePath(const Tool& tool)
{
    return QStringLiteral(TRV_SOURCE_DIR "/packaging/man/%1.1").arg(QString::fromLatin1(tool.name));
}

// What one side lists and the other does not, as readable lines.
QStringList missingFrom(const QStringList& listed, const QStringList& documented, const QString& what)
{
    QStringList lines;
    for (const QString& option : listed)
        if (!documented.contains(option))
            lines << what.arg(option);
    return lines;
}

// Test names and messages show the program by its name.
void PrintTo(const Tool& p, std::ostream* os)
{
    *os << p.name;
}

class ManPageOf : public ::testing::TestWithParam<Tool> {};

TEST_P(ManPageOf, HasTheSectionsAndNamesItsEnvironmentAndFiles)
{
    const Tool& tool = GetParam();
    const ManPage page(pagePath(tool));
    ASSERT_TRUE(page.loaded()) << pagePath(tool).toStdString();
    for (const QString& section : kSections)
        EXPECT_TRUE(page.sectionTitles().contains(section))
            << tool.name << ".1 has no section " << section.toStdString();
    const QString environmentAndFiles = page.text("ENVIRONMENT") + ' ' + page.text("FILES");
    for (const QString& name : tool.mentions)
        EXPECT_TRUE(environmentAndFiles.contains(name))
            << tool.name << ".1 does not name " << name.toStdString() << " in ENVIRONMENT or FILES";
}

TEST_P(ManPageOf, DocumentsEveryOptionOfHelpAndNoOther)
{
    const Tool& tool = GetParam();
    const Outcome help = run(tool.program, {"--help"});
    ASSERT_EQ(help.status, 0) << help.err.toStdString();
    const QStringList listed = helpOptions(help.out);
    ASSERT_FALSE(listed.isEmpty()) << "no options found in " << tool.name << " --help";
    const QStringList documented = ManPage(pagePath(tool)).itemOptions("OPTIONS");
    const QString page = QStringLiteral("packaging/man/%1.1").arg(QString::fromLatin1(tool.name));
    const QStringList problems =
        missingFrom(listed, documented,
                    QStringLiteral("%1 --help lists %2, but %3 has no .TP item for it under OPTIONS")
                        .arg(QString::fromLatin1(tool.name), QStringLiteral("%1"), page)) +
        missingFrom(documented, listed,
                    QStringLiteral("%1 documents %2 under OPTIONS, but %3 --help does not list it")
                        .arg(page, QStringLiteral("%1"), QString::fromLatin1(tool.name)));
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

TEST_P(ManPageOf, ListsEveryExitStatusThatHelpNames)
{
    const Tool& tool = GetParam();
    const QStringList named = helpExitStatuses(run(tool.program, {"--help"}).out);
    const QStringList items = ManPage(pagePath(tool)).itemHeads("EXIT STATUS");
    ASSERT_FALSE(items.isEmpty()) << tool.name << ".1 lists no exit status";
    for (const QString& status : named)
        EXPECT_TRUE(items.contains(status))
            << tool.name << " --help names exit status " << status.toStdString() << ", which " << tool.name
            << ".1 has no .TP item for under EXIT STATUS";
}

INSTANTIATE_TEST_SUITE_P(Tools, ManPageOf, ::testing::ValuesIn(kTools),
                         [](const auto& info) { return std::string(info.param.name); });

// trvctl's page has one .SS subsection per command under COMMANDS, titled with the command and its
// synopsis ("upload [OPTIONS] FILE"), whose .TP items are the command's own options (those of
// `trvctl COMMAND --help` that trvctl --help does not list already, such as --help itself).
TEST(TrvctlManPage, DocumentsEveryCommandWithItsOptions)
{
    const QStringList global = helpOptions(run(TRVCTL_PATH, {"--help"}).out);
    const QList<Command> commands = trvctlCommands(TRVCTL_PATH);
    ASSERT_GE(commands.size(), 10);
    const QMap<QString, QStringList> documented =
        ManPage(QStringLiteral(TRV_SOURCE_DIR "/packaging/man/trvctl.1")).subsectionOptions("COMMANDS");

    QStringList problems;
    QSet<QString> seen;
    for (const Command& command : commands) {
        seen.insert(command.path);
        if (!documented.contains(command.path)) {
            problems << QStringLiteral(
                            "trvctl --help lists the command \"%1\", but packaging/man/trvctl.1 has "
                            "no .SS subsection for it under COMMANDS")
                            .arg(command.path);
            continue;
        }
        QStringList own;
        for (const QString& option : helpOptions(command.help))
            if (!global.contains(option))
                own << option;
        problems
            << missingFrom(own, documented[command.path],
                           QStringLiteral("trvctl %1 --help lists %2, but packaging/man/trvctl.1 has no .TP "
                                          "item for it in the subsection of \"%1\"")
                               .arg(command.path, QStringLiteral("%1")))
            << missingFrom(documented[command.path], own,
                           QStringLiteral("packaging/man/trvctl.1 documents %2 for \"%1\", but trvctl %1 "
                                          "--help does not list it")
                               .arg(command.path, QStringLiteral("%1")));
    }
    for (const QString& path : documented.keys())
        if (!seen.contains(path))
            problems << QStringLiteral(
                            "packaging/man/trvctl.1 documents the command \"%1\", which trvctl --help "
                            "does not list")
                            .arg(path);
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

} // namespace
} // namespace trv::packaging_test
