// trvctl dump / diff / export / import: a database read, compared and scripted through the field
// catalogue (the interchange module).
#include "tools/trvctl/Command.h"

#include "interchange/Diff.h"
#include "interchange/Dump.h"
#include "interchange/Json.h"
#include "tools/trvctl/CtlTexts.h"
#include "tools/trvctl/Files.h"

#include <QFile>
#include <QSaveFile>

#include <iostream>
#include <memory>

namespace trv::ctl {
namespace {

struct InterchangeOptions {
    std::string file;
    std::string other;
    std::string output;
    bool all = false;
};

int runDump(const InterchangeOptions& options)
{
    const auto image = loadImageOrReport(options.file);
    if (!image)
        return kExitFailed;
    std::cout << interchange::dumpImage(*image, options.all).toStdString();
    return kExitOk;
}

// As diff(1): 0 equal, 1 different, 2 trouble.
int runDiff(const InterchangeOptions& options)
{
    const auto a = loadImageOrReport(options.file, true);
    const auto b = a ? loadImageOrReport(options.other, true) : std::nullopt;
    if (!a || !b)
        return kExitUsage;
    const interchange::ImageDiff diff = interchange::diffImages(*a, *b);
    for (const QString& line : diff.lines())
        std::cout << line.toStdString() << '\n';
    return diff.equal() ? kExitOk : kExitFailed;
}

int runExport(const InterchangeOptions& options)
{
    const auto image = loadImageOrReport(options.file);
    if (!image)
        return kExitFailed;
    const QByteArray json = interchange::exportJson(*image);
    if (options.output.empty() || options.output == "-") {
        std::cout.write(json.constData(), json.size());
        return std::cout.good() ? kExitOk : kExitFailed;
    }
    QSaveFile out(QString::fromStdString(options.output));
    if (!out.open(QIODevice::WriteOnly) || out.write(json) != json.size() || !out.commit()) {
        std::cerr << options.output << ": " << out.errorString().toStdString() << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

int runImport(const InterchangeOptions& options)
{
    QFile in(QString::fromStdString(options.file));
    if (!in.open(QIODevice::ReadOnly)) {
        std::cerr << options.file << ": " << in.errorString().toStdString() << '\n';
        return kExitFailed;
    }
    const interchange::ImportResult imported = interchange::importJson(in.readAll());
    if (!imported.ok()) {
        std::cerr << options.file << ": " << imported.error().toStdString() << '\n'
                  << text::kNothingWritten << '\n';
        return kExitFailed;
    }
    return saveImageOrReport(options.output, imported.image()) ? kExitOk : kExitFailed;
}

} // namespace

void addInterchangeCommands(CLI::App& app, int& status)
{
    auto options = std::make_shared<InterchangeOptions>();

    CLI::App* dump = app.add_subcommand(
        "dump", "Print every field of a database by name, in its unit or list text, grouped by area.");
    dump->add_option("FILE", options->file, "the .ddb file to read")->required();
    dump->add_flag("--all", options->all, "include free records and reserved bytes that are zero");
    dump->callback([options, &status] { status = runDump(*options); });

    CLI::App* diff = app.add_subcommand(
        "diff", "Print the fields that differ between two databases, one a line: path: A -> B. "
                "Exit status 0 equal, 1 different, 2 wrong usage or a file that cannot be loaded.");
    diff->add_option("A", options->file, "the first .ddb file")->required();
    diff->add_option("B", options->other, "the second .ddb file")->required();
    diff->callback([options, &status] { status = runDiff(*options); });

    CLI::App* exportCommand = app.add_subcommand("export", "Write a database as JSON (format version 1).");
    exportCommand->add_option("FILE", options->file, "the .ddb file to read")->required();
    exportCommand
        ->add_option("-o,--output", options->output, "the JSON file to write (default: standard output)")
        ->type_name("FILE");
    exportCommand->callback([options, &status] { status = runExport(*options); });

    CLI::App* importCommand = app.add_subcommand(
        "import", "Build a database from JSON. Every value is checked; a bad one refuses the whole file and "
                  "nothing is written.");
    importCommand->add_option("JSON", options->file, "the JSON file to read")->required();
    importCommand->add_option("-o,--output", options->output, "the .ddb file to write")
        ->type_name("FILE")
        ->required();
    importCommand->callback([options, &status] { status = runImport(*options); });
}

} // namespace trv::ctl
