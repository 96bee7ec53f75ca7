// trvctl: the command-line tool for technicians and scripts.
#include "platform/Version.h"
#include "tools/trvctl/Command.h"

#include <QGuiApplication>

#include <cstring>
#include <memory>

using namespace trv::ctl;

namespace {

// The statuses of Command.h; diff and check say their own in their --help.
constexpr const char* kFooter =
    "Exit status:\n"
    "  0  success\n"
    "  1  the transfer failed: wrong version or hardware, link lost, incomplete, a time-out\n"
    "  2  wrong usage, an output path that cannot be written, a bad --port value\n"
    "  3  no connection: the port cannot be opened, or the attempts ran out\n"
    "  4  upload --verify found a difference\n"
    "  5  upload --verify could not read the deskset back\n"
    "  6  the database check found errors and --force was not given\n"
    "\n"
    "Run 'trvctl COMMAND --help' for the options of a command.";

// The command list names each command with its arguments ("upload [OPTIONS] FILE").
class CommandListFormatter : public CLI::Formatter {
public:
    std::string make_subcommand(const CLI::App* sub) const override
    {
        std::string head = sub->get_name();
        const auto options = sub->get_options([](const CLI::Option* o) { return o->nonpositional(); });
        if (options.size() > 1) // more than --help
            head += " [OPTIONS]";
        for (const CLI::Option* o :
             sub->get_options([](const CLI::Option* o) { return !o->nonpositional(); }))
            head += " " + (o->get_required() ? o->get_name() : "[" + o->get_name() + "]");
        std::stringstream out;
        CLI::detail::format_help(out, head, sub->get_description(), get_column_width());
        return out.str();
    }
};

} // namespace

int main(int argc, char** argv)
{
    // The transfer commands run their sessions in this application's event loop. The report lays
    // its sheet out with fonts and paints pictures, which needs a GUI application; without a
    // display (cron, ssh) it runs on the offscreen platform.
    std::unique_ptr<QCoreApplication> qtApp;
    if (argc > 1 && std::strcmp(argv[1], "report") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qtApp = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        qtApp = std::make_unique<QCoreApplication>(argc, argv);
    }

    CLI::App app("trvctl: create, read, compare, export, import, download and upload deskset databases.",
                 "trvctl");
    app.footer(kFooter);
    auto formatter = std::make_shared<CommandListFormatter>();
    formatter->column_width(34);
    app.formatter(formatter);
    app.set_version_flag("--version", std::string("trvctl ") + trv::kVersion, "Print the version and exit");
    app.require_subcommand(1);
    app.fallthrough(false);

    int status = kExitOk;
    addDatabaseCommands(app, status);
    addInterchangeCommands(app, status);
    addTransferCommands(app, status);
    addPortCommands(app, status);
    addReportCommands(app, status);
    addFleetCommands(app, status);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help and version requests print and succeed; every other parse error is wrong usage.
        return app.exit(e) == 0 ? kExitOk : kExitUsage;
    }
    return status;
}
