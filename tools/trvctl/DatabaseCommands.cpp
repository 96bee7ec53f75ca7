// trvctl new / info: create a database file, and summarise one with the same loader as trv.
#include "tools/trvctl/Command.h"

#include "database/DdbFile.h"
#include "database/NewDatabase.h"
#include "tools/trvctl/Files.h"

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
}

} // namespace trv::ctl
