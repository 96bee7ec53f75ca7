// trvctl download / upload / port: the same transfer session as trv, run in a QCoreApplication
// event loop, with the terminal as its user interface.
#include "tools/trvctl/Command.h"

#include "database/DdbFile.h"
#include "database/NewDatabase.h"
#include "transfer/ComPortSetting.h"
#include "transfer/TransferSession.h"
#include "transfer/TransferTexts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>

namespace trv::ctl {
namespace {

using transfer::ComPortSetting;
using transfer::EndButton;
using transfer::TransferSession;
namespace text = transfer::text;

// The device a "--port /dev/..." option names is reached as COM1 of this process: the serial
// transport looks $TRV_COM1 up before anything else.
constexpr const char* kDevicePortVariable = "TRV_COM1";
constexpr const char* kDevicePortDigit = "1";

struct TransferOptions {
    std::optional<std::string> port;
    int retries = 0; // Retry/Cancel questions answered with Retry
    std::string file;
};

// Parses [--port P] [--retries N] followed by either "-o FILE" (download) or "FILE" (upload).
std::optional<TransferOptions> parseOptions(std::span<char*> args, bool wantOutput)
{
    TransferOptions options;
    bool haveFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--port" && hasValue) {
            options.port = args[++i];
        } else if (arg == "--retries" && hasValue) {
            char* end = nullptr;
            const long n = std::strtol(args[++i], &end, 10);
            if (*end != '\0' || n < 0 || n > 1000)
                return std::nullopt;
            options.retries = static_cast<int>(n);
        } else if (wantOutput && arg == "-o" && hasValue && !haveFile) {
            options.file = args[++i];
            haveFile = true;
        } else if (!wantOutput && !haveFile && !arg.starts_with('-')) {
            options.file = arg;
            haveFile = true;
        } else {
            return std::nullopt;
        }
    }
    return haveFile ? std::optional(options) : std::nullopt;
}

// The port digit for the connection parameters, from the option or the stored setting; an
// empty result has printed why.
QString resolvePort(const std::optional<std::string>& port)
{
    if (!port) {
        const QString digit = ComPortSetting::portDigit();
        if (digit.isEmpty())
            std::cerr << "No COM port is set: use --port P or 'trvctl port COMn'.\n";
        return digit;
    }
    const QString name = QString::fromStdString(*port);
    if (const int number = ComPortSetting::parsePortName(name))
        return QString::number(number);
    if (!name.startsWith(QLatin1Char('/'))) {
        std::cerr << "Unknown port '" << *port << "': use COM1 to COM4 or a device path.\n";
        return {};
    }
    if (!QFileInfo::exists(name)) {
        std::cerr << "No such device: " << *port << '\n';
        return {};
    }
    qputenv(kDevicePortVariable, name.toLocal8Bit());
    return QString::fromLatin1(kDevicePortDigit);
}

// The terminal as the session's user: status texts on stdout, a progress bar (or plain
// percentages when stdout is not a terminal), errors on stderr. The event loop ends with the
// session: 0 on "(Completed)", 1 on any error.
class TerminalUi : public transfer::TransferUi {
public:
    TerminalUi(int retries) : retriesLeft_(retries), drawBar_(isatty(STDOUT_FILENO)) {}

    void attach(TransferSession& session) { session_ = &session; }
    int exitCode() const { return exitCode_; }

    bool askRetry(const QString& question) override
    {
        if (retriesLeft_ > 0) {
            --retriesLeft_;
            line("Retrying to connect with the deskset.");
            return true;
        }
        fail(question);
        return false;
    }
    void showMessage(const QString& message) override { fail(message); }
    void setStatusText(const QString& status) override
    {
        line(status);
        // A link lost before any transfer began shows nowhere else.
        if (status == text::kLinkLost && !open_)
            fail(status);
    }

    bool closeDatabaseAndStartNew() override
    {
        db::closeDatabase();
        db::newDatabase();
        return true;
    }
    void setDatabaseName(const QString&) override {}
    void refreshAfterDownload() override {}

    void progressOpen(const QString& progressText) override
    {
        open_ = true;
        text_ = progressText;
        shownPercent_ = kNothingShown;
        progressSetPosition(TransferSession::kProgressStep);
    }
    bool progressIsOpen() const override { return open_; }
    int progressPosition() const override { return position_; }
    void progressSetPosition(int position) override
    {
        position_ = position;
        const int percent = position * 100 / TransferSession::kProgressEnd;
        if (percent == shownPercent_)
            return;
        if (drawBar_)
            drawBar(percent);
        else if (percent / 10 != shownPercent_ / 10) // every 10 %
            std::printf("%s %d%%\n", qPrintable(text_), percent);
        shownPercent_ = percent;
        std::fflush(stdout);
    }
    void progressEnd(const QString& endText, EndButton) override
    {
        text_ = endText;
        if (endText.endsWith(QLatin1String(text::kCompleted))) {
            line(endText);
            finish(kExitOk);
        } else {
            fail(endText);
        }
    }
    QString progressText() const override { return text_; }

private:
    void drawBar(int percent)
    {
        constexpr int kWidth = 40;
        const int filled = percent * kWidth / 100;
        std::printf("\r%s [%s%s] %3d%%", qPrintable(text_), std::string(filled, '#').c_str(),
                    std::string(kWidth - filled, '-').c_str(), percent);
        barShown_ = true;
    }
    void endBar()
    {
        if (barShown_)
            std::printf("\n");
        barShown_ = false;
    }
    void line(const QString& message)
    {
        endBar();
        std::printf("%s\n", qPrintable(message));
        std::fflush(stdout);
    }
    void fail(const QString& message)
    {
        endBar();
        std::fflush(stdout);
        std::cerr << message.toStdString() << std::endl;
        finish(kExitFailed);
    }
    // Ends the run once the current event has been handled; the first outcome counts.
    void finish(int code)
    {
        if (finished_)
            return;
        finished_ = true;
        exitCode_ = code;
        QTimer::singleShot(0, [this] {
            if (open_) {
                open_ = false;
                session_->progressClosed();
            }
            QCoreApplication::exit(exitCode_);
        });
    }

    int retriesLeft_;
    const bool drawBar_;
    TransferSession* session_ = nullptr;
    bool open_ = false;
    QString text_;
    int position_ = 0;
    static constexpr int kNothingShown = -10;
    int shownPercent_ = kNothingShown;
    bool barShown_ = false;
    bool finished_ = false;
    int exitCode_ = kExitFailed;
};

enum class Direction { Download, Upload };

int runTransfer(std::span<char*> args, Direction direction)
{
    const auto options = parseOptions(args, direction == Direction::Download);
    if (!options)
        return kExitUsage;

    int argc = 1;
    char name[] = "trvctl";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    const QString digit = resolvePort(options->port);
    if (digit.isEmpty())
        return kExitFailed;
    if (direction == Direction::Upload) {
        const db::FileResult loaded = db::loadDatabase(options->file);
        if (!loaded.ok) {
            std::cerr << (loaded.message.empty() ? "The file is empty." : loaded.message) << '\n';
            return kExitFailed;
        }
    }

    TerminalUi ui(options->retries);
    TransferSession session(ui);
    ui.attach(session);
    session.setPortSource([digit] { return digit; });
    QTimer::singleShot(0, &session, [&] {
        if (direction == Direction::Download)
            session.download();
        else
            session.upload();
    });
    if (app.exec() != kExitOk)
        return kExitFailed;

    if (direction == Direction::Download) {
        const db::FileResult saved = db::saveDatabase(options->file);
        if (!saved.ok) {
            std::cerr << saved.message << '\n';
            return kExitFailed;
        }
    }
    return kExitOk;
}

int runPort(std::span<char*> args)
{
    if (args.size() > 1)
        return kExitUsage;
    int argc = 1;
    char name[] = "trvctl";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    if (args.empty()) {
        const QString stored = ComPortSetting::value();
        std::cout << (stored.isEmpty() ? std::string("(not set)") : stored.toStdString()) << '\n';
        return kExitOk;
    }
    const int port = ComPortSetting::parsePortName(QString::fromLocal8Bit(args[0]));
    if (port == 0) {
        std::cerr << "Unknown port '" << args[0] << "': use COM1 to COM4.\n";
        return kExitUsage;
    }
    if (!ComPortSetting::store(port)) {
        std::cerr << "The setting could not be written to " << ComPortSetting::kKeyPath << ".\n";
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace

void addTransferCommands(std::vector<Command>& commands)
{
    // Options of both: --port P (COM1..COM4 or a device path; default: the stored port) and
    // --retries N (Retry/Cancel questions answered with Retry; default 0).
    commands.push_back({"download", "[OPTIONS] -o FILE",
                        "receive the deskset's database (--port P, --retries N)",
                        [](std::span<char*> args) { return runTransfer(args, Direction::Download); }});
    commands.push_back({"upload", "[OPTIONS] FILE", "send FILE to the deskset (--port P, --retries N)",
                        [](std::span<char*> args) { return runTransfer(args, Direction::Upload); }});
    commands.push_back({"port", "[COMn]", "show the stored serial port, or store COM1..COM4", runPort});
}

} // namespace trv::ctl
