#include "tools/desksetsim/SimOptions.h"

#include "database/Image.h"
#include "tools/desksetsim/SimTexts.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <cstdlib>
#include <limits>
#include <memory>
#include <sstream>

namespace desksetsim {

namespace {

// A decimal number from 0 to 1, as in 0.25 or 1e-6: no hexadecimal, no blanks, no sign. A
// value too small for a double is a probability of (nearly) 0, not an error.
bool ParseProbability(const std::string& text, double* value)
{
    double parsed = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, parsed, std::chars_format::general);
    if (text.empty() || stop != end)
        return false;
    if (error == std::errc::result_out_of_range)
        parsed = std::strtod(text.c_str(), nullptr); // 0 on underflow, HUGE_VAL on overflow
    else if (error != std::errc{})
        return false;
    if (!(parsed >= 0.0 && parsed <= 1.0))
        return false;
    *value = parsed;
    return true;
}

const CLI::Validator kProbability(
    [](std::string& text) {
        double ignored = 0;
        return ParseProbability(text, &ignored) ? std::string() : std::string(texts::kNotAProbability);
    },
    "");

const CLI::Validator kNotEmpty([](std::string& text) { return text.empty() ? texts::kEmptyValue : ""; }, "");

// A whole number within a range; the help shows only the option's value name.
CLI::Validator Whole(int minimum, int maximum)
{
    return CLI::Range(minimum, maximum).description("");
}

// Each option as its name and value name, its description wrapped to the terminal's 80 columns.
class SimHelpFormatter : public CLI::Formatter {
public:
    static constexpr std::size_t kDescriptionWidth = 80 - 24 - 2;

    std::string make_option_opts(const CLI::Option* option) const override
    {
        return option->get_type_size() == 0 ? std::string() : " " + option->get_type_name();
    }

    std::string make_option_desc(const CLI::Option* option) const override
    {
        std::string wrapped, line;
        std::istringstream words(option->get_description());
        for (std::string word; words >> word;) {
            if (!line.empty() && line.size() + 1 + word.size() > kDescriptionWidth) {
                wrapped += line + '\n';
                line.clear();
            }
            line += (line.empty() ? "" : " ") + word;
        }
        return wrapped + line;
    }
};

// The parser writes into options; the returned flag is set by --pty.
std::unique_ptr<CLI::App> MakeParser(SimOptions& o, bool& ptyAsked)
{
    auto app = std::make_unique<CLI::App>(texts::kDescription, "desksetsim");
    app->footer(texts::kFooter);
    auto formatter = std::make_shared<SimHelpFormatter>();
    formatter->column_width(24);
    app->formatter(formatter);
    app->set_help_flag(); // --help is an option of its own, answered by main()
    app->allow_extras(false);
    constexpr int kIntMax = std::numeric_limits<int>::max();
    const auto probability = [&](const char* name, double* target, const char* description) {
        return app
            ->add_option_function<std::string>(
                name, [target](const std::string& v) { ParseProbability(v, target); }, description)
            ->check(kProbability)
            ->type_name("P");
    };

    CLI::Option* pty = app->add_flag("--pty", ptyAsked, texts::kPtyHelp)->group(texts::kPortGroup);
    app->add_option("--device", o.devicePath, texts::kDeviceHelp)
        ->check(kNotEmpty)
        ->type_name("PATH")
        ->excludes(pty)
        ->group(texts::kPortGroup);
    app->add_option("--baud", o.baudRate, texts::kBaudHelp)
        ->check(Whole(1, kIntMax))
        ->type_name("N")
        ->group(texts::kPortGroup);
    app->add_flag("--once", o.once, texts::kOnceHelp)->group(texts::kPortGroup);

    app->add_option("--version-text", o.profile.versionText, texts::kVersionTextHelp)
        ->type_name("TEXT")
        ->group(texts::kDesksetGroup);
    app->add_option("--hw-id", o.profile.hardwareId, texts::kHwIdHelp)
        ->check(Whole(0, 255))
        ->type_name("N")
        ->group(texts::kDesksetGroup);
    app->add_option("--image", o.imagePath, texts::kImageHelp)
        ->check(kNotEmpty)
        ->type_name("FILE")
        ->group(texts::kDesksetGroup);
    app->add_option("--save-upload", o.saveUploadPath, texts::kSaveUploadHelp)
        ->check(kNotEmpty)
        ->type_name("FILE")
        ->group(texts::kDesksetGroup);
    app->add_flag("--fail-upload", o.profile.failUpload, texts::kFailUploadHelp)->group(texts::kDesksetGroup);
    app->add_option("--store-altered", o.profile.alterStoredByte, texts::kStoreAlteredHelp)
        ->check(Whole(0, trv::db::kImageSize - 1))
        ->type_name("OFFSET")
        ->group(texts::kDesksetGroup);

    app->add_flag("--silent", o.silent, texts::kSilentHelp)->group(texts::kFaultsGroup);
    app->add_flag("--no-end", o.profile.noEnd, texts::kNoEndHelp)->group(texts::kFaultsGroup);
    app->add_option("--stop-after", o.profile.stopAfterBlocks, texts::kStopAfterHelp)
        ->check(Whole(0, kIntMax))
        ->type_name("N")
        ->group(texts::kFaultsGroup);
    app->add_option("--unknown-type", o.profile.unknownType, texts::kUnknownTypeHelp)
        ->check(Whole(0, 255))
        ->type_name("T")
        ->group(texts::kFaultsGroup);
    probability("--corrupt", &o.byteFlipProbability, texts::kCorruptHelp)->group(texts::kFaultsGroup);
    probability("--corrupt-frames", &o.frameCorruptProbability, texts::kCorruptFramesHelp)
        ->group(texts::kFaultsGroup);
    probability("--drop", &o.dropProbability, texts::kDropHelp)->group(texts::kFaultsGroup);
    app->add_option("--seed", o.seed, texts::kSeedHelp)->type_name("N")->group(texts::kFaultsGroup);

    app->add_option("--line-rate", o.lineRate, texts::kLineRateHelp)
        ->check(Whole(1, kIntMax))
        ->type_name("BAUD")
        ->group(texts::kTimingGroup);
    app->add_option("--log", o.logPath, texts::kLogHelp)
        ->check(kNotEmpty)
        ->type_name("FILE")
        ->group(texts::kTimingGroup);
    app->add_flag("--help", o.help, texts::kHelpHelp)->group(texts::kTimingGroup);
    app->add_flag("--version", o.version, texts::kVersionHelp)->group(texts::kTimingGroup);
    return app;
}

} // namespace

ParsedOptions ParseSimOptions(const std::vector<std::string>& args)
{
    ParsedOptions result;
    bool ptyAsked = false;
    const std::unique_ptr<CLI::App> app = MakeParser(result.options, ptyAsked);
    try {
        // CLI11 takes the arguments last to first.
        app->parse(std::vector<std::string>(args.rbegin(), args.rend()));
    } catch (const CLI::ParseError& e) {
        result.error = e.what();
        return result;
    }
    if (result.options.profile.versionText.size() > static_cast<size_t>(kMaxMessageData))
        result.error = texts::kVersionTooLong;
    return result;
}

std::string SimUsage()
{
    SimOptions ignored;
    bool pty = false;
    return MakeParser(ignored, pty)->help();
}

} // namespace desksetsim
