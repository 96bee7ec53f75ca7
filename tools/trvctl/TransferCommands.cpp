// trvctl download / upload: the same transfer session as trv, run in the QCoreApplication event loop,
// with the terminal as its user interface. Every session has its own connection: an upload with
// --backup and --verify makes three, one after the other. --timeout and SIGINT / SIGTERM end the
// whole command at once, whichever session runs.
#include "tools/trvctl/Command.h"

#include "database/DdbFile.h"
#include "database/Rules.h"
#include "interchange/Diff.h"
#include "tools/trvctl/CtlTexts.h"
#include "tools/trvctl/Files.h"
#include "tools/trvctl/StopSignals.h"
#include "transfer/BackupFile.h"
#include "transfer/ComPortSetting.h"
#include "transfer/LinkTrace.h"
#include "transfer/OpenFailureText.h"
#include "transfer/PortTarget.h"
#include "transfer/SafeUpload.h"
#include "transfer/TransferSession.h"
#include "transfer/TransferTexts.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
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

struct TransferOptions {
    std::string port; // empty: the stored port
    int retries = 0;  // Retry/Cancel questions answered with Retry
    std::string file;
    std::string trace;     // empty: no trace
    std::string backupDir; // upload: empty: no backup
    bool verify = false;   // upload: read back and compare
    int timeout = 0;       // seconds for the whole command; 0: none
    bool force = false;    // upload: send a database with errors
};

QString arg(const QString& message, const QString& value)
{
    return message.arg(value);
}

// Where the sessions of a command connect: the --port target, or the stored COM port. A --port
// value that can name no deskset is wrong usage, and so is no stored port: nothing (why has been
// printed). A well-formed target that cannot be opened or reached is left to the connection,
// which says why.
std::optional<transfer::PortTarget> resolvePort(const std::string& port)
{
    if (port.empty()) {
        if (ComPortSetting::portDigit().isEmpty()) {
            std::cerr << text::kNoPortSet << '\n';
            return std::nullopt;
        }
        return transfer::PortTarget::com(ComPortSetting::portNumber());
    }
    const transfer::PortTargetParse parsed = transfer::PortTarget::parse(port);
    if (!parsed.target) {
        std::cerr << qPrintable(parsed.error) << '\n';
        return std::nullopt;
    }
    if (const QString problem = parsed.target->deviceProblem(); !problem.isEmpty()) {
        std::cerr << qPrintable(problem) << '\n';
        return std::nullopt;
    }
    return parsed.target;
}

// What ends a command early: the deadline of --timeout for the whole command, SIGINT and SIGTERM.
class CommandStop {
public:
    explicit CommandStop(int timeoutSeconds) : seconds_(timeoutSeconds)
    {
        if (timeoutSeconds > 0)
            deadline_ = QDeadlineTimer(std::chrono::seconds(timeoutSeconds), Qt::PreciseTimer);
    }

    // Why the command must stop now; empty while it may go on.
    QString reason()
    {
        for (const int number : signals_.take())
            if (signal_ == 0)
                signal_ = number;
        if (signal_ != 0)
            return arg(text::kStoppedBySignal, QString::fromLatin1(StopSignals::name(signal_)));
        if (seconds_ > 0 && deadline_.hasExpired())
            return arg(text::kStoppedByTimeout, QString::number(seconds_));
        return {};
    }
    int signalFd() const { return signals_.fd(); }
    // Milliseconds to the deadline, when there is one.
    std::optional<qint64> remainingMs() const
    {
        if (seconds_ <= 0)
            return std::nullopt;
        return std::max<qint64>(0, deadline_.remainingTime());
    }
    // A command stopped by a signal ends by that signal, as the shell expects of it.
    void endBySignal()
    {
        reason(); // a signal that came after the last session
        if (signal_ != 0)
            StopSignals::endBy(signal_);
    }

private:
    StopSignals signals_;
    int seconds_;
    QDeadlineTimer deadline_;
    int signal_ = 0;
};

// The terminal as the session's user: status texts on stdout, a progress bar (or plain
// percentages when stdout is not a terminal), the connection attempts and errors on stderr. The
// event loop ends with the session: 0 on "(Completed)", 3 when no connection was made, 1 on any
// other error.
class TerminalUi : public transfer::TransferUi {
public:
    TerminalUi(int retries) : retriesLeft_(retries), drawBar_(isatty(STDOUT_FILENO)) {}

    void attach(TransferSession& session) { session_ = &session; }
    int exitCode() const { return exitCode_; }
    // --timeout or a signal: the session ends at once.
    void stop(const QString& reason) { fail(reason); }

    // Nobody is asked: --retries gives the answers.
    bool askRetry(const QString&) override
    {
        const QString attempts = QString::number(TransferSession::kAttemptsPerSeries);
        if (retriesLeft_ > 0) {
            --retriesLeft_;
            endBar();
            std::cerr << qPrintable(QString::fromUtf8(text::kAnsweredRetry).arg(attempts).arg(retriesLeft_))
                      << std::endl;
            return true;
        }
        fail(arg(text::kAnsweredCancel, attempts), kExitNoConnection);
        return false;
    }
    void showMessage(const QString& message) override { fail(message); }
    void showConnectFailure(const QString& message, const QString& details) override
    {
        fail(message + QLatin1Char('\n') + details, kExitNoConnection);
    }
    void connectingStarted(int attempt, const QString& portDigit, const QString& device) override
    {
        endBar();
        std::cerr << qPrintable(
                         transfer::connectingText(ComPortSetting::kPrefix + portDigit, device, attempt))
                  << std::endl;
    }
    void uploadBlocksQueued() override { blocksQueued_ = true; }
    void setStatusText(const QString& status) override
    {
        // The idle prompt belongs to a status bar; a terminal has nothing to clear.
        if (status.isEmpty() || status == QLatin1String(session_text::kIdlePrompt))
            return;
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
    // Once part of the new database may have reached the deskset, every failure says so.
    void fail(const QString& message, int code = kExitFailed)
    {
        if (finished_)
            return;
        endBar();
        std::fflush(stdout);
        std::cerr << message.toStdString() << std::endl;
        if (blocksQueued_)
            std::cerr << text::kMayBeIncomplete << std::endl;
        finish(code);
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
    bool blocksQueued_ = false;
    int exitCode_ = kExitFailed;
};

enum class Direction { Download, Upload };

// One session on its own connection: a download into `image` or an upload of it. 0 on
// "(Completed)", 3 when no connection was made, 1 otherwise (the reason is on stderr).
int runSession(Direction direction, db::Image& image, const transfer::PortTarget& port, int retries,
               transfer::LinkTrace* trace, CommandStop& stop)
{
    if (const QString reason = stop.reason(); !reason.isEmpty()) {
        std::cerr << qPrintable(reason) << '\n';
        return kExitFailed;
    }
    TerminalUi ui(retries);
    TransferSession session(ui);
    ui.attach(session);
    // The settings store is read before every attempt as in trv; --port's device overrides it.
    session.setTarget(port);
    session.setImage(image);
    session.setTrace(trace);
    TransferSession::Periods periods;
    periods.idle = TransferSession::kNoAnswerLimit;
    session.setPeriods(periods);

    const auto stopNow = [&] {
        if (const QString reason = stop.reason(); !reason.isEmpty())
            ui.stop(reason);
    };
    QSocketNotifier signalNotifier(stop.signalFd(), QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &session, stopNow);
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    deadline.callOnTimeout(&session, stopNow);
    if (const std::optional<qint64> left = stop.remainingMs())
        deadline.start(std::chrono::milliseconds(*left));

    QTimer::singleShot(0, &session, [&] {
        if (direction == Direction::Download)
            session.download();
        else
            session.upload();
    });
    QCoreApplication::exec();
    return ui.exitCode();
}

// The trace file of --trace, written line by line as the frames go by. One that cannot be
// written is wrong usage, found before any connection.
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

// The file is checked before connecting: a download that cannot be saved is never made.
int runDownload(const TransferOptions& options, CommandStop& stop)
{
    if (const db::FileResult savable = db::checkSavable(options.file); !savable.ok) {
        std::cerr << savable.message << '\n';
        return kExitUsage;
    }
    TraceFile trace;
    const std::optional<transfer::PortTarget> port = resolvePort(options.port);
    if (!port || !trace.open(options.trace))
        return kExitUsage;
    db::Image image{};
    if (const int status =
            runSession(Direction::Download, image, *port, options.retries, trace.trace(), stop);
        status != kExitOk)
        return status;
    return saveImageOrReport(options.file, image) ? kExitOk : kExitFailed;
}

void say(const QString& message, const QString& value = {})
{
    std::cout << (value.isNull() ? message : message.arg(value)).toStdString() << std::endl;
}

// --backup: the deskset's current database, saved before anything is sent. The status of the
// failing step when there is none (the reason is on stderr).
int backUp(const TransferOptions& options, const transfer::PortTarget& port, transfer::LinkTrace* trace,
           CommandStop& stop)
{
    say(safe_text::kBackupStarting);
    db::Image current{};
    if (const int status = runSession(Direction::Download, current, port, options.retries, trace, stop);
        status != kExitOk) {
        std::cerr << safe_text::kBackupFailed << '\n';
        return status;
    }
    const transfer::BackupFile::Result saved =
        transfer::BackupFile(QString::fromStdString(options.backupDir))
            .write(QString::fromStdString(options.file), port, current);
    if (!saved.ok()) {
        std::cerr << qPrintable(arg(safe_text::kBackupNotSaved, saved.error)) << '\n';
        return kExitFailed;
    }
    say(safe_text::kBackupSaved, saved.path);
    return kExitOk;
}

// --verify: the database read back on a connection of its own, compared byte for byte.
int verify(const TransferOptions& options, const db::Image& sent, const transfer::PortTarget& port,
           transfer::LinkTrace* trace, CommandStop& stop)
{
    say(safe_text::kVerifyStarting);
    db::Image readBack{};
    if (runSession(Direction::Download, readBack, port, options.retries, trace, stop) != kExitOk) {
        std::cerr << safe_text::kVerifyImpossible << '\n';
        return kExitVerifyUnread;
    }
    if (readBack == sent) {
        say(safe_text::kVerifyPassed);
        return kExitOk;
    }
    std::cerr << safe_text::kVerifyFailed << '\n';
    for (const QString& line : interchange::diffImages(sent, readBack).lines())
        std::cerr << "  " << line.toStdString() << '\n';
    return kExitVerifyDiffers;
}

// The rules of a valid database, before anything else: a database with errors is sent only with
// --force. Warnings alone say nothing.
int checkBeforeUpload(const TransferOptions& options, const db::Image& image)
{
    const std::vector<db::Problem> problems = db::checkImage(image);
    const int errors = db::errorCount(problems);
    if (errors == 0)
        return kExitOk;
    for (const db::Problem& problem : problems)
        std::cerr << db::formatProblem(problem) << '\n';
    const QString count = QString::fromStdString(db::errorCountText(errors));
    if (!options.force) {
        std::cerr << qPrintable(arg(text::kNotUploadedErrors, count)) << '\n';
        return kExitCheckErrors;
    }
    std::cerr << qPrintable(arg(text::kForcedUpload, count)) << '\n';
    return kExitOk;
}

int runUpload(const TransferOptions& options, CommandStop& stop)
{
    std::optional<db::Image> image = loadImageOrReport(options.file);
    if (!image)
        return kExitUsage;
    if (const int status = checkBeforeUpload(options, *image); status != kExitOk)
        return status;
    TraceFile trace;
    const std::optional<transfer::PortTarget> port = resolvePort(options.port);
    if (!port || !trace.open(options.trace))
        return kExitUsage;
    if (!options.backupDir.empty()) {
        if (!QFileInfo(QString::fromStdString(options.backupDir)).isDir()) {
            std::cerr << qPrintable(
                             arg(text::kBackupFolderMissing, QString::fromStdString(options.backupDir)))
                      << '\n';
            return kExitUsage;
        }
        if (const db::FileResult writable = db::checkFolderWritable(options.backupDir); !writable.ok) {
            std::cerr << writable.message << '\n';
            return kExitUsage;
        }
        if (const int status = backUp(options, *port, trace.trace(), stop); status != kExitOk)
            return status;
    }
    if (const int status = runSession(Direction::Upload, *image, *port, options.retries, trace.trace(), stop);
        status != kExitOk)
        return status;
    return options.verify ? verify(options, *image, *port, trace.trace(), stop) : kExitOk;
}

// Runs one transfer command under its --timeout and the stop signals.
int runStoppable(const TransferOptions& options, int (*command)(const TransferOptions&, CommandStop&))
{
    CommandStop stop(options.timeout);
    const int status = command(options, stop);
    stop.endBySignal();
    return status;
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
    command
        ->add_option("--timeout", options.timeout,
                     "give up after SECONDS for the whole command (backup, upload and verify together)")
        ->type_name("SECONDS")
        ->check(CLI::Range(1, 86400));
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
    download->callback([options, &status] { status = runStoppable(*options, &runDownload); });

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
                     "a difference lists the fields and exits 4, a deskset that cannot be read back 5");
    upload->add_flag("--force", options->force,
                     "send a database in which the check finds errors (without it: the problems, exit 6)");
    upload->callback([options, &status] { status = runStoppable(*options, &runUpload); });
}

} // namespace trv::ctl
