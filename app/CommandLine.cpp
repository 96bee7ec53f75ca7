#include "app/CommandLine.h"

#include "app/ShellTexts.h"
#include "platform/AppTexts.h"
#include "platform/Version.h"

#include <QCommandLineParser>

namespace trv::app {
namespace {

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, text::kHelpOptionHelp};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}, text::kVersionOptionHelp};
    bool parsed = false;

    explicit Parser(const QStringList& arguments)
    {
        parser.setApplicationDescription(QString(text::kCommandLineDescription).arg(trv::text::kAppTitle));
        parser.addOption(help);
        parser.addOption(version);
        parser.addPositionalArgument(text::kFileArgument, text::kFileArgumentHelp,
                                     QStringLiteral("[%1]").arg(text::kFileArgument));
        parsed = parser.parse(arguments);
    }

    // The parser names the program only when an application object exists; this text is printed
    // before there is one.
    QString helpText() const
    {
        QString text = parser.helpText();
        const qsizetype firstLineEnd = text.indexOf(QLatin1Char('\n'));
        text.replace(0, firstLineEnd,
                     QStringLiteral("Usage: %1 [options] [%2]").arg(text::kProgramName, text::kFileArgument));
        return text + text::kCommandLineFooter;
    }

    // --help wins over --version, and both over any error, as other programs do.
    bool infoRequest(CommandLine& result) const
    {
        if (parser.isSet(help)) {
            result = {CommandLine::Action::PrintHelp, {}, helpText()};
            return true;
        }
        if (parser.isSet(version)) {
            result = {CommandLine::Action::PrintVersion,
                      {},
                      QStringLiteral("%1 %2\n").arg(text::kProgramName, QString::fromLatin1(trv::kVersion))};
            return true;
        }
        return false;
    }
};

CommandLine refuse(const QString& why)
{
    return {CommandLine::Action::Refuse, {}, QString(text::kUsageError).arg(why) + QLatin1Char('\n')};
}

} // namespace

CommandLine readInfoOptions(const QStringList& arguments)
{
    const Parser p(arguments);
    CommandLine result;
    p.infoRequest(result);
    return result;
}

CommandLine readCommandLine(const QStringList& arguments)
{
    const Parser p(arguments);
    CommandLine result;
    if (p.infoRequest(result))
        return result;
    if (!p.parsed)
        return refuse(p.parser.errorText());
    const QStringList files = p.parser.positionalArguments();
    if (files.size() > 1)
        return refuse(QString(text::kTooManyFiles).arg(files.size()));
    if (!files.isEmpty())
        result.file = files.first();
    return result;
}

} // namespace trv::app
