// trvctl new / info / check: create a database file, summarise one with the same loader as trv, and
// check one against the rules of a valid database.
#include "tools/trvctl/Command.h"

#include "database/DdbFile.h"
#include "database/NewDatabase.h"
#include "database/Rules.h"
#include "tools/trvctl/Files.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <iostream>
#include <memory>

namespace trv::ctl {
namespace {

using namespace trv::db;

// Records in use: a record whose first byte is zero is free.
int usedRecords(const Image& image, const Region& table)
{
    int used = 0;
    for (int k = 0; k < table.count; ++k)
        used += image[table.record(k)] != 0 ? 1 : 0;
    return used;
}

const char* desksetTypeName(std::uint8_t type)
{
    switch (type) {
    case deskset::kSingleChannel:
        return "Advanced Single Channel";
    case deskset::kMultiChannel:
        return "Advanced Multi-Channel";
    default:
        return "unknown";
    }
}

int runNew(const std::string& file)
{
    Image image{};
    newDatabase(image);
    const FileResult result = saveDatabase(file, image);
    if (!result.ok) {
        std::cerr << result.message << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

int runInfo(const std::string& file)
{
    const std::optional<Image> loaded = loadImageOrReport(file);
    if (!loaded)
        return kExitFailed;
    const Image& image = *loaded;
    const std::uint8_t type = image[deskset::kDesksetType];
    std::cout << "Deskset type:         " << desksetTypeName(type) << " (" << int(type) << ")\n"
              << "Paging formats:       " << usedRecords(image, kPagingFormats) << " of "
              << kPagingFormats.count << '\n'
              << "Speed pages:          " << usedRecords(image, kSpeedPages) << " of " << kSpeedPages.count
              << '\n'
              << "Custom paging tones:  " << usedRecords(image, kCustomTones) << " of " << kCustomTones.count
              << '\n'
              << "PTT ID aliases:       " << usedRecords(image, kPttAliases) << " of " << kPttAliases.count
              << '\n';
    return kExitOk;
}

QString fromStd(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// One line a problem and the summary, or with --json the same as one object. 0 without an error
// (warnings allowed), 1 with one, 2 when the file cannot be loaded.
int runCheck(const std::string& file, bool json)
{
    const std::optional<Image> loaded = loadImageOrReport(file);
    if (!loaded)
        return kExitUsage;
    const std::vector<Problem> problems = checkImage(*loaded);
    const int errors = errorCount(problems);
    if (json) {
        QJsonArray list;
        for (const Problem& p : problems)
            list.append(QJsonObject{{QStringLiteral("id"), fromStd(p.rule)},
                                    {QStringLiteral("severity"), fromStd(severityName(p.severity))},
                                    {QStringLiteral("path"), fromStd(p.path)},
                                    {QStringLiteral("message"), fromStd(p.message)}});
        const QJsonObject result{{QStringLiteral("problems"), list},
                                 {QStringLiteral("errors"), errors},
                                 {QStringLiteral("warnings"), static_cast<int>(problems.size()) - errors}};
        std::cout << QJsonDocument(result).toJson(QJsonDocument::Indented).toStdString();
    } else {
        for (const Problem& p : problems)
            std::cout << formatProblem(p) << '\n';
        std::cout << problemSummary(problems) << '\n';
    }
    return errors > 0 ? kExitFailed : kExitOk;
}

} // namespace

void addDatabaseCommands(CLI::App& app, int& status)
{
    auto file = std::make_shared<std::string>();
    CLI::App* make = app.add_subcommand("new", "Write a new database with every default.");
    make->add_option("FILE", *file, "the .ddb file to write")->required();
    make->callback([file, &status] { status = runNew(*file); });

    CLI::App* info =
        app.add_subcommand("info", "Load a database and summarise it, or print why it cannot be loaded.");
    info->add_option("FILE", *file, "the .ddb file to read")->required();
    info->callback([file, &status] { status = runInfo(*file); });

    auto json = std::make_shared<bool>(false);
    CLI::App* check = app.add_subcommand(
        "check", "Check a database against the rules of a valid database: one line a problem (severity, "
                 "field path, message, rule id), then the count. Exit status 0 no error (warnings allowed), "
                 "1 errors found, 2 a file that cannot be loaded.");
    check->add_option("FILE", *file, "the .ddb file to check")->required();
    check->add_flag("--json", *json, "print the problems and counts as one JSON object");
    check->callback([file, json, &status] { status = runCheck(*file, *json); });
}

} // namespace trv::ctl
