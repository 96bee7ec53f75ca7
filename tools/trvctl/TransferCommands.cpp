// trvctl download / upload: the same transfer session as trv, run in the QCoreApplication event loop,
// with the terminal as its user interface. Every session has its own connection: an upload with
// --backup and --verify makes three, one after the other.
#include "tools/trvctl/Command.h"

#include "comms/LinkSettings.h"
#include "database/DdbFile.h"
#include "interchange/Diff.h"
#include "tools/trvctl/CtlTexts.h"
#include "tools/trvctl/Files.h"
#include "transfer/BackupFile.h"
#include "transfer/ComPortSetting.h"
#include "transfer/LinkConfig.h"
#include "transfer/LinkTrace.h"
#include "transfer/PortTarget.h"
#include "transfer/SafeUpload.h"
#include "transfer/TransferSession.h"
#include "transfer/TransferTexts.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

namespace trv::ctl {
namespace {

using transfer::ComPortSetting;
using transfer::EndButton;
using transfer::TransferSession;
namespace session_text = transfer::text;
namespace safe_text = transfer::text::safe;

// A device path or a device server given with --port stands for COM1 of this run.
constexpr int kDevicePort = 1;

struct TransferOptions {
    std::string port; // empty: the stored port
    int retries = 0;  // Retry/Cancel questions answered with Retry
    std::string file;
    std::string trace;     // empty: no trace
    std::string backupDir; // upload: empty: no backup
    bool verify = false;   // upload: read back and compare
};

QString arg(const char* message, const QString& value)
{
    return QString::fromUtf8(message).arg(value);
}

// What a session connects to: the port digit of the connection parameters, and the device that
// stands for that COM port in this run when --port named one (else the machine settings say).
struct SessionPort {
    QString digit; // empty: no port (why has been printed)
    std::optional<std::string> device;
};

SessionPort resolvePort(const std::string& port)
{
    if (port.empty()) {
        const QString digit = ComPortSetting::portDigit();
        if (digit.isEmpty())
            std::cerr << text::kNoPortSet << '\n';
        return {digit, std::nullopt};
    }
    const transfer::PortTargetParse parsed = transfer::PortTarget::parse(port);
    if (!parsed.target) {
        std::cerr << qPrintable(parsed.error) << '\n';
        return {};
    }
    const transfer::PortTarget& target = *parsed.target;
    switch (target.kind) {
    case transfer::PortTarget::Kind::ComPort:
        return {QString::number(target.comPort), std::nullopt};
    case transfer::PortTarget::Kind::Device:
        if (!QFileInfo::exists(QString::fromStdString(target.device))) {
            std::cerr << qPrintable(arg(text::kNoSuchDevice, QString::fromStdString(target.device))) << '\n';
            return {};
        }
        break;
    case transfer::PortTarget::Kind::Tcp:
        break;
    }
    return {QString::number(kDevicePort), target.text()};
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
            line(text::kRetrying);
            return true;
        }
        fail(question);
        return false;
    }
    void showMessage(const QString& message) override { fail(message); }
    void showConnectFailure(const QString& message, const QString& details) override
    {
        fail(message + QLatin1Char('\n') + details);
    }
    void setStatusText(const QString& status) override
    {
        line(status);
        // A link lost before any transfer began shows nowhere else.
        if (status == session_text::kLinkLost && !open_)
            fail(status);
    }

    // trvctl downloads into a buffer of its own: there is no open database to close.
    bool closeDatabaseAndStartNew() override { return true; }
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
        if (endText.endsWith(QLatin1String(session_text::kCompleted))) {
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

// One session on its own connection: a download into `image` or an upload of it. 0 on
// "(Completed)", 1 otherwise (the reason is on stderr).
int runSession(Direction direction, db::Image& image, const SessionPort& port, int retries,
               transfer::LinkTrace* trace)
{
    TerminalUi ui(retries);
    TransferSession session(ui);
    ui.attach(session);
    session.setPortSource([digit = port.digit] { return digit; });
    // The settings store is read before every attempt as in trv; --port's device overrides it.
    session.setLinkSettingsSource([device = port.device] {
        comms::LinkSettings settings = transfer::LinkConfig::load();
        if (device)
            settings.comDevices[kDevicePort] = *device;
        return settings;
    });
    session.setImage(image);
    session.setTrace(trace);
    QTimer::singleShot(0, &session, [&] {
        if (direction == Direction::Download)
            session.download();
        else
            session.upload();
    });
    return QCoreApplication::exec() == kExitOk ? kExitOk : kExitFailed;
}

// The trace file of --trace, written line by line as the frames go by.
class TraceFile {
public:
    bool open(const std::string& path)
    {
        if (path.empty())
            return true;
        out_.open(path, std::ios::out | std::ios::trunc);
        if (!out_) {
            std::cerr << qPrintable(QString::fromUtf8(text::kTraceNotWritten)
                                        .arg(QString::fromStdString(path),
                                             QString::fromLocal8Bit(std::strerror(errno))))
                      << '\n';
            return false;
        }
        trace_ = std::make_unique<transfer::LinkTrace>(
            [this](const std::string& line) { out_ << line << std::endl; });
        return true;
    }
    transfer::LinkTrace* trace() const { return trace_.get(); }

private:
    std::ofstream out_;
    std::unique_ptr<transfer::LinkTrace> trace_;
};

int runDownload(const TransferOptions& options)
{
    TraceFile trace;
    const SessionPort port = resolvePort(options.port);
    if (port.digit.isEmpty() || !trace.open(options.trace))
        return kExitFailed;
    db::Image image{};
    if (runSession(Direction::Download, image, port, options.retries, trace.trace()) != kExitOk)
        return kExitFailed;
    return saveImageOrReport(options.file, image) ? kExitOk : kExitFailed;
}

void say(const char* message, const QString& value = {})
{
    std::cout
        << (value.isNull() ? QString::fromUtf8(message) : QString::fromUtf8(message).arg(value)).toStdString()
        << std::endl;
}

// --backup: the deskset's current database, saved before anything is sent. False when there is
// none (the reason is on stderr).
bool backUp(const TransferOptions& options, const SessionPort& port, transfer::LinkTrace* trace)
{
    say(safe_text::kBackupStarting);
    db::Image current{};
    if (runSession(Direction::Download, current, port, options.retries, trace) != kExitOk) {
        std::cerr << safe_text::kBackupFailed << '\n';
        return false;
    }
    const transfer::PortTarget target = options.port.empty()
                                            ? transfer::PortTarget::com(ComPortSetting::portNumber())
                                            : *transfer::PortTarget::parse(options.port).target;
    const transfer::BackupFile::Result saved =
        transfer::BackupFile(QString::fromStdString(options.backupDir))
            .write(QString::fromStdString(options.file), target, current);
    if (!saved.ok()) {
        std::cerr << qPrintable(arg(safe_text::kBackupNotSaved, saved.error)) << '\n';
        return false;
    }
    say(safe_text::kBackupSaved, saved.path);
    return true;
}

// --verify: the database read back on a connection of its own, compared byte for byte.
int verify(const TransferOptions& options, const db::Image& sent, const SessionPort& port,
           transfer::LinkTrace* trace)
{
    say(safe_text::kVerifyStarting);
    db::Image readBack{};
    if (runSession(Direction::Download, readBack, port, options.retries, trace) != kExitOk) {
        std::cerr << safe_text::kVerifyImpossible << '\n';
        return kExitFailed;
    }
    if (readBack == sent) {
        say(safe_text::kVerifyPassed);
        return kExitOk;
    }
    std::cerr << safe_text::kVerifyFailed << '\n';
    for (const QString& line : interchange::diffImages(sent, readBack).lines())
        std::cerr << "  " << line.toStdString() << '\n';
    return kExitFailed;
}

int runUpload(const TransferOptions& options)
{
    TraceFile trace;
    const SessionPort port = resolvePort(options.port);
    if (port.digit.isEmpty() || !trace.open(options.trace))
        return kExitFailed;
    std::optional<db::Image> image = loadImageOrReport(options.file);
    if (!image)
        return kExitFailed;
    if (!options.backupDir.empty()) {
        if (!QFileInfo(QString::fromStdString(options.backupDir)).isDir()) {
            std::cerr << qPrintable(
                             arg(text::kBackupFolderMissing, QString::fromStdString(options.backupDir)))
                      << '\n';
            return kExitFailed;
        }
        if (!backUp(options, port, trace.trace()))
            return kExitFailed;
    }
    if (runSession(Direction::Upload, *image, port, options.retries, trace.trace()) != kExitOk)
        return kExitFailed;
    return options.verify ? verify(options, *image, port, trace.trace()) : kExitOk;
}

// --port, --retries and --trace, shared by both commands.
void addSessionOptions(CLI::App* command, TransferOptions& options)
{
    command
        ->add_option("--port", options.port,
                     "COM1..COM4, a device path or tcp://HOST:PORT (default: the stored port)")
        ->type_name("PORT");
    command
        ->add_option("--retries", options.retries,
                     "answer the \"unable to establish connection\" question with Retry N times")
        ->type_name("N")
        ->check(CLI::Range(0, 1000));
    command
        ->add_option("--trace", options.trace,
                     "write every frame with its time, direction and meaning to FILE")
        ->type_name("FILE");
}

} // namespace

void addTransferCommands(CLI::App& app, int& status)
{
    auto options = std::make_shared<TransferOptions>();

    CLI::App* download = app.add_subcommand("download", "Receive the deskset's database into a .ddb file.");
    download->add_option("-o,--output", options->file, "the .ddb file to write")
        ->type_name("FILE")
        ->required();
    addSessionOptions(download, *options);
    download->callback([options, &status] { status = runDownload(*options); });

    CLI::App* upload = app.add_subcommand("upload", "Send a .ddb file to the deskset.");
    upload->add_option("FILE", options->file, "the .ddb file to send")->required();
    addSessionOptions(upload, *options);
    upload
        ->add_option("--backup", options->backupDir,
                     "first download the deskset's current database into DIR, under a time-stamped name; "
                     "a failed backup sends nothing")
        ->type_name("DIR");
    upload->add_flag("--verify", options->verify,
                     "afterwards download the database again and compare it byte for byte; "
                     "a difference lists the fields and exits 1");
    upload->callback([options, &status] { status = runUpload(*options); });
}

} // namespace trv::ctl
