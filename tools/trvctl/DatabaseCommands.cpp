// trvctl new / info: create a database file, and summarise one with the same loader as trv.
#include "tools/trvctl/Command.h"

#include "database/DdbFile.h"
#include "database/NewDatabase.h"

#include <iostream>

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
    case deskset::kSingleChannel: return "Advanced Single Channel";
    case deskset::kMultiChannel: return "Advanced Multi-Channel";
    default: return "unknown";
    }
}

int runNew(std::span<char*> args)
{
    if (args.size() != 1)
        return kExitUsage;
    Image image{};
    newDatabase(image);
    const FileResult result = saveDatabase(args[0], image);
    if (!result.ok) {
        std::cerr << result.message << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

int runInfo(std::span<char*> args)
{
    if (args.size() != 1)
        return kExitUsage;
    Image image{};
    const FileResult result = loadDatabase(args[0], image);
    if (!result.ok) {
        std::cerr << (result.message.empty() ? "The file is empty." : result.message) << '\n';
        return kExitFailed;
    }
    const std::uint8_t type = image[deskset::kDesksetType];
    std::cout << "Deskset type:         " << desksetTypeName(type) << " (" << int(type) << ")\n"
              << "Paging formats:       " << usedRecords(image, kPagingFormats) << " of " << kPagingFormats.count << '\n'
              << "Speed pages:          " << usedRecords(image, kSpeedPages) << " of " << kSpeedPages.count << '\n'
              << "Custom paging tones:  " << usedRecords(image, kCustomTones) << " of " << kCustomTones.count << '\n'
              << "PTT ID aliases:       " << usedRecords(image, kPttAliases) << " of " << kPttAliases.count << '\n';
    return kExitOk;
}

} // namespace

void addDatabaseCommands(std::vector<Command>& commands)
{
    commands.push_back({"new", "FILE", "write a new database with every default", runNew});
    commands.push_back({"info", "FILE", "load a database and summarise it", runInfo});
}

} // namespace trv::ctl
