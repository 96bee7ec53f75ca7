// The bash completion of trvctl, sourced in bash as bash-completion loads it: Tab offers every
// command trvctl --help lists and every option of each command's --help, and the files, folders
// and ports each argument takes.
#include "tests/packaging/HelpAndPages.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace trv::packaging_test {
namespace {

const QString kCompletion = QStringLiteral(TRV_SOURCE_DIR "/packaging/completion/trvctl");

// What Tab offers after `trvctl` and `words` (the last one is being completed), sorted.
QStringList offered(const QStringList& words, const QString& folder = {})
{
    const Outcome result =
        run(QStringLiteral("/bin/bash"),
            QStringList{QStringLiteral(TRV_SOURCE_DIR "/tests/packaging/complete.bash"), kCompletion} + words,
            QProcessEnvironment::systemEnvironment(), folder);
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    QStringList lines = result.out.split('\n', Qt::SkipEmptyParts);
    lines.sort();
    return lines;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

QString words(const QStringList& list)
{
    return list.join(' ');
}

TEST(TrvctlCompletion, OffersTheCommandsThatHelpLists)
{
    const QStringList commands = helpCommands(run(TRVCTL_PATH, {"--help"}).out);
    ASSERT_GE(commands.size(), 10);
    EXPECT_EQ(offered({""}), sorted(commands))
        << "trvctl <Tab> must offer exactly the commands of trvctl --help: update _trvctl_subcommands in "
           "packaging/completion/trvctl";
}

// For trvctl itself and every command below it: "-<Tab>" offers exactly the options of its --help,
// and a command with commands below it offers those.
TEST(TrvctlCompletion, OffersTheOptionsThatEachCommandsHelpLists)
{
    QList<Command> commands = trvctlCommands(TRVCTL_PATH);
    commands.prepend({QString(), run(TRVCTL_PATH, {"--help"}).out});
    for (const Command& command : commands) {
        const QStringList path = command.path.split(' ', Qt::SkipEmptyParts);
        const QString where = command.path.isEmpty() ? QStringLiteral("trvctl") : "trvctl " + command.path;
        EXPECT_EQ(words(offered(path + QStringList{"-"})), words(helpOptions(command.help)))
            << where.toStdString() << " -<Tab> must offer exactly the options of " << where.toStdString()
            << " --help: update _trvctl_options in packaging/completion/trvctl";
        const QStringList below = helpCommands(command.help);
        if (!command.path.isEmpty() && !below.isEmpty()) {
            EXPECT_EQ(offered(path + QStringList{""}), sorted(below))
                << where.toStdString() << " <Tab> must offer its commands: update _trvctl_subcommands";
        }
    }
}

TEST(TrvctlCompletion, OffersTheFilesFoldersAndPortsEachArgumentTakes)
{
    QTemporaryDir dir;
    for (const char* name : {"site.ddb", "OLD.DDB", "site.json", "sites.csv", "notes.txt"}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir("backups"));

    const QStringList databases{"OLD.DDB", "backups", "site.ddb"};
    const QStringList interchange{"backups", "site.json", "sites.csv"};
    const QStringList ports{"COM1", "COM2", "COM3", "COM4", "tcp://"};
    const struct {
        QStringList words;
        QStringList expected;
    } cases[] = {
        {{"info", ""}, databases},
        {{"upload", "--verify", ""}, databases},
        {{"diff", "site.ddb", ""}, databases},
        {{"import", ""}, interchange},
        {{"export", "site.ddb", "-o", ""}, interchange},
        {{"export", "site.ddb", "--table", "s"}, {"speedPages"}},
        {{"import", "sites.csv", "--table", "pttAliases", "--into", ""}, databases},
        {{"export", "site.ddb", "--output=s"}, {"site.json", "sites.csv"}},
        {{"download", "-o", ""}, databases},
        {{"upload", "--backup", ""}, {"backups"}},
        {{"upload", "--trace", "n"}, {"notes.txt"}},
        {{"upload", "--port", ""}, ports},
        {{"download", "--port=C"}, {"COM1", "COM2", "COM3", "COM4"}},
        {{"upload", "--port", "COM2", "--retries", "3", ""}, databases},
        {{"port", ""}, {"COM1", "COM2", "COM3", "COM4"}},
        {{"port", "COM2", ""}, {"tcp://"}},
        {{"port", "--clear", "COM2", "t"}, {"tcp://"}},
        {{"ports", ""}, {}},
        {{"new", "s"}, {"site.ddb"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(offered(c.words, dir.path()), c.expected)
            << "trvctl " << words(c.words).toStdString() << "<Tab>";
}

} // namespace
} // namespace trv::packaging_test
