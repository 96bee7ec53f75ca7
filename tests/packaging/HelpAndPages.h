// What a program's --help and a manual page's roff source say, read the same way, so that the
// tests can hold the manual pages and the bash completion to the programs themselves.
#pragma once

#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace trv::packaging_test {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

// Runs a program to its end (it dies with the test), with `environment` and in `folder` when given.
Outcome run(const QString& program, const QStringList& args,
            const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
            const QString& folder = {});

// The options a --help text lists ("-o", "--output", ...; sorted, each once): the option column of
// every line that starts with '-' after its indentation.
QStringList helpOptions(const QString& help);

// The commands a --help text lists under "Subcommands:", in order.
QStringList helpCommands(const QString& help);

// The exit statuses ("0", "1", ...) that the paragraph starting "Exit status" names; empty
// when there is none.
QStringList helpExitStatuses(const QString& help);

// One trvctl command and its help, found by following the command lists from trvctl --help.
struct Command {
    QString path; // "upload", or "fleet backup" for a command below another
    QString help;
};
QList<Command> trvctlCommands(const QString& trvctl);

// A manual page's roff source split into its .SH sections; a section's .SS subsections are
// kept by title.
class ManPage {
public:
    explicit ManPage(const QString& path);
    bool loaded() const { return !sections_.isEmpty(); }

    QStringList sectionTitles() const { return sections_.keys(); }
    // The text of a section as it reads, without requests and font changes.
    QString text(const QString& section) const;
    // The options named by the .TP item heads of a section, its subsections included.
    QStringList itemOptions(const QString& section) const;
    // The .TP item heads of a section as plain text ("0", "TRV_TRACE", ...).
    QStringList itemHeads(const QString& section) const;
    // Per .SS subsection of a section: the command path its title starts with (its leading
    // lower-case words) and the options named by its .TP item heads.
    QMap<QString, QStringList> subsectionOptions(const QString& section) const;

private:
    struct Lines {
        QStringList lines;
        QMap<QString, QStringList> subsections; // title -> lines
    };
    QMap<QString, Lines> sections_;
};

// Plain text of a roff line: no request name, font changes, quotes or escapes.
QString plainRoff(const QString& line);

} // namespace trv::packaging_test
