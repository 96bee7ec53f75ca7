// trvctl: the command-line tool for technicians and scripts.
#include "tools/trvctl/Command.h"

#include <cstring>
#include <iostream>

using namespace trv::ctl;

namespace {

std::vector<Command> allCommands()
{
    std::vector<Command> commands;
    addDatabaseCommands(commands);
    addTransferCommands(commands);
    return commands;
}

void printUsage(std::ostream& out, const std::vector<Command>& commands)
{
    out << "Usage: trvctl COMMAND [ARGS]\n\nCommands:\n";
    for (const Command& c : commands) {
        const std::string head = c.name + " " + c.usage;
        out << "  " << head << std::string(head.size() < 34 ? 34 - head.size() : 1, ' ') << c.summary << '\n';
    }
    out << "\nExit status: 0 success, 1 failure, 2 wrong usage.\n";
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<Command> commands = allCommands();
    if (argc < 2) {
        printUsage(std::cerr, commands);
        return kExitUsage;
    }
    if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "help")) {
        printUsage(std::cout, commands);
        return kExitOk;
    }
    for (const Command& c : commands) {
        if (c.name != argv[1])
            continue;
        const int status = c.run(std::span<char*>(argv + 2, argv + argc));
        if (status == kExitUsage)
            std::cerr << "Usage: trvctl " << c.name << ' ' << c.usage << '\n';
        return status;
    }
    std::cerr << "trvctl: unknown command '" << argv[1] << "'\n\n";
    printUsage(std::cerr, commands);
    return kExitUsage;
}
