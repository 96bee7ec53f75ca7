// trvctl dump / diff / export / import: a database read, compared and scripted through the field
// catalogue (the interchange module), whole as JSON or one record table as CSV.
#include "tools/trvctl/Command.h"

#include "interchange/Diff.h"
#include "interchange/Dump.h"
#include "interchange/Json.h"
#include "interchange/TableCsv.h"
#include "tools/trvctl/CtlTexts.h"
#include "tools/trvctl/Files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <iostream>
#include <memory>
#include <optional>

namespace trv::ctl {
namespace {

struct InterchangeOptions {
    std::string file;
    std::string other;
    std::string output;
    bool all = false;
    // --table: one record table as CSV instead of the whole database as JSON.
    std::string tableName;
    std::string into;

    bool csv() const { return !tableName.empty(); }
    interchange::CsvTableKind table() const
    {
        for (const interchange::CsvTableInfo& t : interchange::csvTables())
            if (tableName == t.name)
                return t.kind;
        return interchange::CsvTableKind::PttAliases; // not reached: --table takes the names only
    }
};

// --table NAME for export and import: the tables by their names in the catalogue and the JSON form.
CLI::Option* addTableOption(CLI::App& command, InterchangeOptions& options, const std::string& description)
{
    std::string list;
    for (const interchange::CsvTableInfo& table : interchange::csvTables())
        list += (list.empty() ? "" : "|") + std::string(table.name);
    auto check = [list](const std::string& name) -> std::string {
        for (const interchange::CsvTableInfo& table : interchange::csvTables())
            if (name == table.name)
                return {};
        return name + " is not one of " + list;
    };
    return command.add_option("--table", options.tableName, description)->type_name(list)->check(check);
}

// Writes to the file, or to standard output for none or "-".
bool writeOutput(const std::string& path, const QByteArray& bytes)
{
    if (path.empty() || path == "-") {
        std::cout.write(bytes.constData(), bytes.size());
        return std::cout.good();
    }
    QSaveFile out(QString::fromStdString(path));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        std::cerr << path << ": " << out.errorString().toStdString() << '\n';
        return false;
    }
    return true;
}

std::optional<QByteArray> readInput(const std::string& path)
{
    QFile in(QString::fromStdString(path));
    if (!in.open(QIODevice::ReadOnly)) {
        std::cerr << path << ": " << in.errorString().toStdString() << '\n';
        return std::nullopt;
    }
    return in.readAll();
}

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
    if (!options.csv())
        return writeOutput(options.output, interchange::exportJson(*image)) ? kExitOk : kExitFailed;
    const interchange::TableExportResult table = interchange::exportTableCsv(*image, options.table());
    if (!table.ok()) {
        std::cerr << table.error().toStdString() << '\n';
        return kExitFailed;
    }
    return writeOutput(options.output, table.csv()) ? kExitOk : kExitFailed;
}

int runImport(const InterchangeOptions& options)
{
    const std::optional<QByteArray> in = readInput(options.file);
    if (!in)
        return kExitFailed;
    if (!options.csv()) {
        const interchange::ImportResult imported = interchange::importJson(*in);
        if (!imported.ok()) {
            std::cerr << options.file << ": " << imported.error().toStdString() << '\n'
                      << text::kNothingWritten << '\n';
            return kExitFailed;
        }
        return saveImageOrReport(options.output, imported.image()) ? kExitOk : kExitFailed;
    }
    const auto base = loadImageOrReport(options.into, true);
    if (!base)
        return kExitFailed;
    const interchange::TableImportResult imported = interchange::importTableCsv(
        *in, QFileInfo(QString::fromStdString(options.file)).fileName(), options.table(), *base);
    if (!imported.ok()) {
        std::cerr << imported.error().toStdString() << '\n' << text::kNothingWritten << '\n';
        return kExitFailed;
    }
    for (const QString& warning : imported.warnings)
        std::cerr << text::kWarningPrefix << warning.toStdString() << '\n';
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
        "diff", "Print the fields that differ between two databases, one a line: path: A -> B.");
    diff->footer("Exit status: 0 the databases are equal, 1 they differ, 2 wrong usage or a file that "
                 "cannot be loaded.");
    diff->add_option("A", options->file, "the first .ddb file")->required();
    diff->add_option("B", options->other, "the second .ddb file")->required();
    diff->callback([options, &status] { status = runDiff(*options); });

    CLI::App* exportCommand = app.add_subcommand(
        "export", "Write a database as JSON (format version 1), or one of its record tables as CSV.");
    exportCommand->add_option("FILE", options->file, "the .ddb file to read")->required();
    exportCommand
        ->add_option("-o,--output", options->output,
                     "the JSON (or CSV) file to write (default: standard output)")
        ->type_name("FILE");
    addTableOption(*exportCommand, *options,
                   "write this table as CSV (a header line of its field names, one line per record in use)");
    exportCommand->callback([options, &status] { status = runExport(*options); });

    CLI::App* importCommand = app.add_subcommand(
        "import",
        "Build a database from JSON, or replace one record table of a database with the rows of a "
        "CSV file. Every value is checked; a bad one refuses the whole file and nothing is written.");
    importCommand->add_option("IN", options->file, "the JSON file, or with --table the CSV file, to read")
        ->required();
    importCommand->add_option("-o,--output", options->output, "the .ddb file to write")
        ->type_name("FILE")
        ->required();
    CLI::Option* importTableOption = addTableOption(
        *importCommand, *options, "replace this table of the --into database with the rows of the CSV file");
    CLI::Option* into =
        importCommand->add_option("--into", options->into, "the .ddb file whose table is replaced")
            ->type_name("BASE");
    importTableOption->needs(into);
    into->needs(importTableOption);
    importCommand->callback([options, &status] { status = runImport(*options); });
}

} // namespace trv::ctl
