#include "tests/packaging/HelpAndPages.h"

#include "tests/support/TiedChild.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>

namespace trv::packaging_test {
namespace {

// "-o", "--output", "--version-text": a dash or two, then a letter or digit; not the inside of a
// longer word ("non-zero").
const QRegularExpression kOption(QStringLiteral("(?<![\\w-])--?[A-Za-z0-9][A-Za-z0-9-]*"));

QStringList optionsIn(const QString& text, QStringList& into)
{
    for (const QRegularExpressionMatch& m : kOption.globalMatch(text))
        into << m.captured();
    return into;
}

QStringList sortedUnique(QStringList list)
{
    list.sort();
    list.removeDuplicates();
    return list;
}

int indentation(const QString& line)
{
    int n = 0;
    while (n < line.size() && line[n] == QLatin1Char(' '))
        ++n;
    return n;
}

// The arguments of a roff request: words and double-quoted strings.
QStringList requestArguments(const QString& rest)
{
    QStringList args;
    static const QRegularExpression argument(QStringLiteral("\"((?:[^\"]|\"\")*)\"|(\\S+)"));
    for (const QRegularExpressionMatch& m : argument.globalMatch(rest))
        args << (m.capturedLength(1) > 0 || m.captured(0).startsWith(QLatin1Char('"')) ? m.captured(1)
                                                                                       : m.captured(2));
    return args;
}

QString withoutEscapes(QString text)
{
    static const QRegularExpression font(QStringLiteral("\\\\f(\\[[^\\]]*\\]|\\(..|.)"));
    text.remove(font);
    text.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    text.replace(QStringLiteral("\\(dq"), QStringLiteral("\""));
    text.replace(QStringLiteral("\\e"), QStringLiteral("\\"));
    text.remove(QStringLiteral("\\&"));
    static const QRegularExpression special(QStringLiteral("\\\\\\(.."));
    text.remove(special);
    return text;
}

} // namespace

Outcome run(const QString& program, const QStringList& args, const QProcessEnvironment& environment,
            const QString& folder)
{
    QProcess process;
    trv::testsupport::TieToThisProcess(process);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QStringList helpOptions(const QString& help)
{
    QStringList options;
    for (const QString& line : help.split(QLatin1Char('\n'))) {
        const QString entry = line.mid(indentation(line));
        if (!entry.startsWith(QLatin1Char('-')))
            continue;
        const qsizetype columnGap = entry.indexOf(QStringLiteral("  "));
        optionsIn(columnGap < 0 ? entry : entry.left(columnGap), options);
    }
    return sortedUnique(options);
}

QStringList helpCommands(const QString& help)
{
    QStringList commands;
    bool inList = false;
    for (const QString& line : help.split(QLatin1Char('\n'))) {
        if (line.trimmed() == QLatin1String("Subcommands:")) {
            inList = true;
            continue;
        }
        if (!inList)
            continue;
        if (line.trimmed().isEmpty())
            break;
        if (indentation(line) == 2) // longer ones continue a description
            commands << line.mid(2).section(QLatin1Char(' '), 0, 0);
    }
    return commands;
}

QStringList helpExitStatuses(const QString& help)
{
    const qsizetype start = help.indexOf(QStringLiteral("Exit status"), 0, Qt::CaseInsensitive);
    if (start < 0)
        return {};
    const qsizetype end = help.indexOf(QStringLiteral("\n\n"), start);
    const QString paragraph = help.mid(start, end < 0 ? -1 : end - start);
    static const QRegularExpression status(QStringLiteral("(?<![\\w.-])([0-9])(?=[ :])"));
    QStringList statuses;
    for (const QRegularExpressionMatch& m : status.globalMatch(paragraph))
        statuses << m.captured(1);
    return sortedUnique(statuses);
}

QList<Command> trvctlCommands(const QString& trvctl)
{
    QList<Command> found;
    QStringList pending{QString()};
    while (!pending.isEmpty()) {
        const QString parent = pending.takeFirst();
        QStringList args = parent.isEmpty() ? QStringList() : parent.split(QLatin1Char(' '));
        const QString help = run(trvctl, args << QStringLiteral("--help")).out;
        for (const QString& name : helpCommands(help)) {
            const QString path = parent.isEmpty() ? name : parent + QLatin1Char(' ') + name;
            QStringList commandArgs = path.split(QLatin1Char(' '));
            found.push_back({path, run(trvctl, commandArgs << QStringLiteral("--help")).out});
            pending << path;
        }
    }
    return found;
}

QString plainRoff(const QString& line)
{
    if (!line.startsWith(QLatin1Char('.')))
        return withoutEscapes(line);
    const QString request = line.section(QLatin1Char(' '), 0, 0).mid(1);
    const QStringList args = requestArguments(line.section(QLatin1Char(' '), 1));
    // The font-alternating requests (.BR, .IR, ...) join their arguments without blanks.
    static const QStringList alternating{"BR", "BI", "IB", "IR", "RB", "RI"};
    const QString joined = args.join(alternating.contains(request) ? QString() : QStringLiteral(" "));
    return withoutEscapes(joined);
}

ManPage::ManPage(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QString section;
    QString subsection;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String(".\\\"")))
            continue;
        if (line.startsWith(QLatin1String(".SH "))) {
            section = plainRoff(line);
            subsection.clear();
            sections_[section];
            continue;
        }
        if (section.isEmpty())
            continue;
        Lines& lines = sections_[section];
        if (line.startsWith(QLatin1String(".SS "))) {
            subsection = plainRoff(line);
            lines.subsections[subsection];
        } else if (!subsection.isEmpty()) {
            lines.subsections[subsection] << line;
        }
        lines.lines << line;
    }
}

QString ManPage::text(const QString& section) const
{
    QStringList words;
    for (const QString& line : sections_.value(section).lines)
        words << plainRoff(line);
    return words.join(QLatin1Char(' '));
}

namespace {

QStringList tpHeads(const QStringList& lines)
{
    QStringList heads;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        if (lines[i] == QLatin1String(".TP") || lines[i].startsWith(QLatin1String(".TP ")))
            heads << plainRoff(lines[i + 1]);
    return heads;
}

QStringList optionsOfHeads(const QStringList& heads)
{
    QStringList options;
    for (const QString& head : heads)
        optionsIn(head, options);
    return sortedUnique(options);
}

} // namespace

QStringList ManPage::itemHeads(const QString& section) const
{
    return tpHeads(sections_.value(section).lines);
}

QStringList ManPage::itemOptions(const QString& section) const
{
    return optionsOfHeads(itemHeads(section));
}

QMap<QString, QStringList> ManPage::subsectionOptions(const QString& section) const
{
    QMap<QString, QStringList> commands;
    const auto& subsections = sections_.value(section).subsections;
    for (auto it = subsections.begin(); it != subsections.end(); ++it) {
        static const QRegularExpression word(QStringLiteral("^[a-z][a-z0-9-]*$"));
        QStringList path;
        for (const QString& w : it.key().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!word.match(w).hasMatch())
                break;
            path << w;
        }
        commands[path.join(QLatin1Char(' '))] = optionsOfHeads(tpHeads(it.value()));
    }
    return commands;
}

} // namespace trv::packaging_test
