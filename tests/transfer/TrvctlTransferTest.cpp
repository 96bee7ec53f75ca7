// trvctl's transfer commands end to end against desksetsim: the communication trace, a deskset
// behind a serial device server, and the safe upload (backup before, verify after).
#include "Simulator.h"
#include "TcpRelay.h"
#include "TestSupport.h"
#include "TrvctlRun.h"

#include "database/DdbFile.h"
#include "database/NewDatabase.h"
#include "database/Rules.h"
#include "platform/SettingsStore.h"
#include "transfer/TransferTexts.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace trv::transfer;
using namespace trv::transfer::testing;

namespace {

class TrvctlTransferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        qputenv("TRV_CONFIG_DIR", dir_.path().toUtf8());
        trv::db::newDatabase(deskset_);
        deskset_[trv::db::deskset::kMuteTimer] = 45; // the deskset holds something of its own
    }

    void startSimulator(const QStringList& arguments = {})
    {
        const QString imageFile = path("deskset.ddb");
        ASSERT_TRUE(trv::db::saveDatabase(imageFile.toStdString(), deskset_).ok);
        sim_ = std::make_unique<Simulator>(DESKSETSIM_PATH, QStringList{"--image", imageFile} + arguments);
        ASSERT_TRUE(sim_->ok()) << sim_->errorText().toStdString();
    }

    QString path(const QString& name) const { return dir_.filePath(name); }

    trv::db::Image load(const QString& file) const
    {
        trv::db::Image image{};
        EXPECT_TRUE(trv::db::loadDatabase(file.toStdString(), image).ok) << file.toStdString();
        return image;
    }

    static QString read(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    QTemporaryDir dir_;
    trv::db::Image deskset_{};
    std::unique_ptr<Simulator> sim_;
};

} // namespace

TEST_F(TrvctlTransferTest, TraceShowsEveryFrameWithTimeDirectionAndMeaning)
{
    startSimulator();
    const CtlRun run =
        runTrvctl({"download", "--port", sim_->pty(), "-o", path("got.ddb"), "--trace", path("trace.txt")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString trace = read(path("trace.txt"));
    const QStringList lines = trace.split('\n', Qt::SkipEmptyParts);
    static const QRegularExpression kStamp(R"(^\d\d:\d\d:\d\d\.\d\d\d  )");
    for (const QString& line : lines)
        EXPECT_TRUE(kStamp.match(line).hasMatch()) << line.toStdString();
    EXPECT_TRUE(trace.contains(text::trace::kDownloadSession));
    EXPECT_TRUE(trace.contains("connecting to " + sim_->pty()));
    EXPECT_TRUE(trace.contains("link up"));
    EXPECT_TRUE(trace.contains(QRegularExpression("TX  data #\\d+: version request")));
    EXPECT_TRUE(trace.contains("RX  data #0: version \"VXR DESKSET V001\"") ||
                trace.contains(QRegularExpression("RX  data #\\d+: version \"VXR DESKSET V001\"")));
    EXPECT_TRUE(trace.contains(QRegularExpression("RX  acknowledgement #\\d+")));
    EXPECT_TRUE(trace.contains("download block, offset 0x0000, 100 bytes"));
    EXPECT_TRUE(trace.contains("download block, offset 0x3FAC, 84 bytes"));
    EXPECT_EQ(lines.filter(QRegularExpression("RX  data #\\d+: download block")).size(), 164);
    EXPECT_TRUE(trace.contains(QRegularExpression("RX  data #\\d+: download complete")));
}

TEST_F(TrvctlTransferTest, DownloadThroughASerialDeviceServer)
{
    startSimulator();
    TcpRelay relay(sim_->pty().toStdString());
    ASSERT_TRUE(relay.ok());
    const QString address = QString("tcp://127.0.0.1:%1").arg(relay.port());

    const CtlRun direct = runTrvctl({"download", "--port", address, "-o", path("a.ddb")});
    ASSERT_EQ(direct.exitCode, 0) << direct.err.toStdString();
    EXPECT_EQ(load(path("a.ddb")), deskset_);

    // The same address stored as the mapping of a COM port.
    ASSERT_TRUE(
        trv::platform::SettingsStore::write(trv::platform::Hive::LocalMachine, "Ports", "COM3", address));
    const CtlRun mapped =
        runTrvctl({"download", "--port", "COM3", "-o", path("b.ddb"), "--trace", path("t.txt")});
    ASSERT_EQ(mapped.exitCode, 0) << mapped.err.toStdString();
    EXPECT_EQ(load(path("b.ddb")), deskset_);
    EXPECT_TRUE(read(path("t.txt")).contains("connecting to " + address));

    EXPECT_EQ(runTrvctl({"download", "--port", "tcp://127.0.0.1:0", "-o", path("c.ddb")}).exitCode, 2);
    EXPECT_FALSE(QFile::exists(path("c.ddb")));

    // A device server on the IPv6 loopback address.
    TcpRelay relay6(sim_->pty().toStdString(), true);
    if (!relay6.ok())
        GTEST_SKIP() << "no IPv6 loopback here";
    const CtlRun v6 =
        runTrvctl({"download", "--port", QString("tcp://[::1]:%1").arg(relay6.port()), "-o", path("d.ddb")});
    ASSERT_EQ(v6.exitCode, 0) << v6.err.toStdString();
    EXPECT_EQ(load(path("d.ddb")), deskset_);
}

// --port names the device of this run: $TRV_COM1, which names a device that is not there, is
// not what the transfer opens. Without --port that same COM1 fails, with the reason in the message.
TEST_F(TrvctlTransferTest, PortOptionWinsOverTheEnvironmentsDeadDevice)
{
    startSimulator();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString dead = path("dead-tty");
    environment.insert("TRV_COM1", dead);
    const CtlRun run =
        runTrvctl({"download", "--port", sim_->pty(), "-o", path("got.ddb"), "--trace", path("t.txt")}, 30000,
                  environment);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(load(path("got.ddb")), deskset_);
    EXPECT_TRUE(read(path("t.txt")).contains("connecting to " + sim_->pty()));

    const CtlRun com1 = runTrvctl({"download", "--port", "COM1", "-o", path("no.ddb")}, 30000, environment);
    EXPECT_EQ(com1.exitCode, 3);
    EXPECT_TRUE(com1.err.contains(text::kUnableToConnect)) << com1.err.toStdString();
    EXPECT_TRUE(com1.err.contains(QString(text::kPortIsDevice).arg("COM1", dead))) << com1.err.toStdString();
    EXPECT_TRUE(com1.err.contains(QString(text::kPortMissing).arg(dead))) << com1.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("no.ddb")));
}

TEST_F(TrvctlTransferTest, BackupSavesTheDesksetsDatabaseBeforeTheUploadAndVerifyPasses)
{
    startSimulator();
    trv::db::Image site{};
    trv::db::newDatabase(site);
    ASSERT_TRUE(trv::db::saveDatabase(path("site.ddb").toStdString(), site).ok);
    ASSERT_TRUE(QDir(dir_.path()).mkdir("backups"));

    const CtlRun run = runTrvctl({"upload", "--port", sim_->pty(), path("site.ddb"), "--backup",
                                  path("backups"), "--verify", "--trace", path("trace.txt")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString() << run.out.toStdString();
    const QStringList backups = QDir(path("backups")).entryList({"site-backup-*.ddb"}, QDir::Files);
    ASSERT_EQ(backups.size(), 1);
    // Named after the device the deskset is on and the millisecond.
    EXPECT_TRUE(QRegularExpression("^site-backup-" +
                                   QRegularExpression::escape(QFileInfo(sim_->pty()).fileName()) +
                                   R"(-\d{8}-\d{6}-\d{3}\.ddb$)")
                    .match(backups[0])
                    .hasMatch())
        << backups[0].toStdString();
    EXPECT_EQ(load(path("backups/" + backups[0])), deskset_); // what the deskset held before
    EXPECT_TRUE(run.out.contains("Backup saved to "));
    EXPECT_TRUE(run.out.contains("Verified: the deskset holds the uploaded database byte for byte."));
    // Three connections, one after the other; the trace keeps the last one.
    EXPECT_EQ(run.out.count(text::kLinkEstablished), 3);

    const CtlRun after = runTrvctl({"download", "--port", sim_->pty(), "-o", path("after.ddb")});
    ASSERT_EQ(after.exitCode, 0);
    EXPECT_EQ(load(path("after.ddb")), site);
}

TEST_F(TrvctlTransferTest, VerifyCatchesADesksetThatStoresSomethingElse)
{
    startSimulator({"--store-altered", "0x0015"}); // deskset.muteTimer
    trv::db::Image site{};
    trv::db::newDatabase(site);
    ASSERT_TRUE(trv::db::saveDatabase(path("site.ddb").toStdString(), site).ok);

    const CtlRun run = runTrvctl({"upload", "--port", sim_->pty(), path("site.ddb"), "--verify"});
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_TRUE(run.out.contains(QString(text::kUploading) + text::kCompleted));
    EXPECT_TRUE(
        run.err.contains("Verification failed: the deskset holds something other than what was uploaded:\n"
                         "  deskset.muteTimer: 30 s -> raw E1\n"))
        << run.err.toStdString();
}

TEST_F(TrvctlTransferTest, AVerifyThatCannotReconnectFailsTheRun)
{
    startSimulator({"--once"}); // the deskset is gone after the upload's session
    ASSERT_TRUE(trv::db::saveDatabase(path("site.ddb").toStdString(), deskset_).ok);
    const CtlRun run = runTrvctl({"upload", "--port", sim_->pty(), path("site.ddb"), "--verify"});
    EXPECT_EQ(run.exitCode, 5);
    EXPECT_TRUE(run.out.contains(QString(text::kUploading) + text::kCompleted));
    EXPECT_TRUE(run.err.contains("Verification was not possible")) << run.err.toStdString();
}

TEST_F(TrvctlTransferTest, AFailedBackupSendsNoUploadBlock)
{
    startSimulator({"--hw-id", "1"});
    ASSERT_TRUE(trv::db::saveDatabase(path("site.ddb").toStdString(), deskset_).ok);
    const CtlRun run =
        runTrvctl({"upload", "--port", sim_->pty(), path("site.ddb"), "--backup", dir_.path()});
    EXPECT_EQ(run.exitCode, 1); // the status of the backup's failing step
    EXPECT_TRUE(run.err.contains(text::kWrongHardware));
    EXPECT_TRUE(run.err.contains("The backup failed, so nothing was uploaded."));
    for (const QString& frame : sim_->frames("RX")) {
        const QStringList bytes = frame.split(' ');
        EXPECT_FALSE(bytes.size() > 4 && bytes[0] == "04" && bytes[4] == "04")
            << "upload block " << frame.toStdString();
    }
    EXPECT_TRUE(QDir(dir_.path()).entryList({"site-backup-*"}).isEmpty());

    EXPECT_EQ(
        runTrvctl({"upload", "--port", sim_->pty(), path("site.ddb"), "--backup", path("missing")}).exitCode,
        2);
}

// A deskset that answers the version with 15 bytes is ignored, as the protocol says; --timeout
// bounds the wait. Each attempt is on stderr, and the status bar's idle prompt is nowhere.
TEST_F(TrvctlTransferTest, TimeoutEndsTheWaitForADesksetThatNeverAnswersTheVersion)
{
    startSimulator({"--version-text", "VXR DESKSET V00"});
    QElapsedTimer clock;
    clock.start();
    const CtlRun run =
        runTrvctl({"download", "--port", sim_->pty(), "-o", path("got.ddb"), "--timeout", "5"});
    const qint64 took = clock.elapsed();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Stopped after 5 s (--timeout).")) << run.err.toStdString();
    EXPECT_TRUE(
        run.err.startsWith("Connecting to the deskset on COM1 (" + sim_->pty() + "), attempt 1 of 6.\n"))
        << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(text::kLinkEstablished));
    EXPECT_FALSE(run.out.contains(text::kIdlePrompt));
    EXPECT_GE(took, 5000);
    EXPECT_LT(took, 20000);
    EXPECT_FALSE(QFile::exists(path("got.ddb")));
}

// Nobody asks the Retry/Cancel question of a deskset that never answers: --retries answers it,
// and each answer is said. Two series of 6 attempts on the connect period: about 84 s.
TEST_F(TrvctlTransferTest, RetriesAnswerTheQuestionOfADesksetThatNeverAnswers)
{
    startSimulator({"--silent"});
    const CtlRun run =
        runTrvctl({"download", "--port", sim_->pty(), "-o", path("got.ddb"), "--retries", "1"}, 150000);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_TRUE(run.err.contains("The deskset did not answer 6 attempts: answered Retry (0 left).\n"))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(
        "The deskset did not answer 6 attempts: answered Cancel (use --retries N to retry).\n"))
        << run.err.toStdString();
    EXPECT_EQ(run.err.count("attempt 6 of 6."), 2);
    EXPECT_FALSE(QFile::exists(path("got.ddb")));
}

// An output that cannot be written is found before anything is sent: the database is never lost
// after a whole download.
TEST_F(TrvctlTransferTest, DownloadToAPathThatCannotBeWrittenConnectsNowhere)
{
    startSimulator();
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder"));
    const struct {
        QString output;
        QString message;
    } rows[] = {
        {path("folder"), path("folder") + " is a folder, not a file."},
        {path("missing/got.ddb"), "The folder " + path("missing") + " does not exist."},
        {"/sys/got.ddb", "Access to /sys was denied."}, // no file may be created there, not even by root
    };
    for (const auto& row : rows) {
        const CtlRun run = runTrvctl({"download", "--port", sim_->pty(), "-o", row.output});
        EXPECT_EQ(run.exitCode, 2) << row.output.toStdString();
        EXPECT_EQ(run.err, row.message + "\n");
        EXPECT_FALSE(run.out.contains(text::kLinkEstablished));
    }
    EXPECT_TRUE(sim_->frames("RX").isEmpty()) << sim_->log().toStdString();
}

// One row a status of trvctl --help; a second run of the simulator where a row needs its own.
TEST_F(TrvctlTransferTest, EveryExitStatus)
{
    trv::db::Image faulty{};
    trv::db::newDatabase(faulty);
    faulty[trv::db::deskset::kMuteTimer] = 0xE1;
    ASSERT_GT(trv::db::errorCount(trv::db::checkImage(faulty)), 0);
    ASSERT_TRUE(trv::db::saveDatabase(path("faulty.ddb").toStdString(), faulty).ok);
    ASSERT_TRUE(trv::db::saveDatabase(path("site.ddb").toStdString(), deskset_).ok);

    const struct {
        QStringList simulator; // empty: none needed
        QStringList arguments; // "PTY" is the simulator's device
        int status;
        QString err; // on stderr
    } rows[] = {
        {{"--once"}, {"download", "--port", "PTY", "-o", path("a.ddb")}, 0, ""},
        {{"--hw-id", "1"}, {"download", "--port", "PTY", "-o", path("b.ddb")}, 1, text::kWrongHardware},
        {{}, {"download", "--port", "COM9", "-o", path("c.ddb")}, 2, "Unknown port 'COM9'"},
        {{},
         {"download", "--port", path("site.ddb"), "-o", path("c.ddb")},
         2,
         "Not a device: '" + path("site.ddb") + "' is a file, not a character device."},
        {{},
         {"download", "--port", "/dev/nonexistent", "-o", path("c.ddb")},
         3,
         QString(text::kUnableToConnect) + "\nCOM1 is the device /dev/nonexistent.\n" +
             QString(text::kPortMissing).arg("/dev/nonexistent")},
        {{"--store-altered", "0x0015"},
         {"upload", "--port", "PTY", path("site.ddb"), "--verify"},
         4,
         "Verification failed: the deskset holds something other than what was uploaded:"},
        {{"--once"},
         {"upload", "--port", "PTY", path("site.ddb"), "--verify"},
         5,
         "Verification was not possible"},
        {{},
         {"upload", "--port", "/dev/nonexistent", path("faulty.ddb"), "--backup", dir_.path()},
         6,
         "error: deskset.muteTimer: "},
    };
    for (const auto& row : rows) {
        std::unique_ptr<Simulator> sim;
        QStringList arguments = row.arguments;
        if (!row.simulator.isEmpty()) {
            sim = std::make_unique<Simulator>(DESKSETSIM_PATH, row.simulator);
            ASSERT_TRUE(sim->ok()) << sim->errorText().toStdString();
            arguments.replaceInStrings(QRegularExpression("^PTY$"), sim->pty());
        }
        const CtlRun run = runTrvctl(arguments);
        EXPECT_EQ(run.exitCode, row.status) << arguments.join(' ').toStdString() << "\n"
                                            << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(row.err)) << run.err.toStdString();
    }
}

// The rules run before the backup and anything else; --force sends such a database all the same.
TEST_F(TrvctlTransferTest, ADatabaseWithErrorsIsUploadedOnlyWithForce)
{
    startSimulator();
    trv::db::Image faulty{};
    trv::db::newDatabase(faulty);
    faulty[trv::db::deskset::kMuteTimer] = 0xE1;
    ASSERT_TRUE(trv::db::saveDatabase(path("faulty.ddb").toStdString(), faulty).ok);
    const std::vector<trv::db::Problem> problems = trv::db::checkImage(faulty);
    QString list;
    for (const auto& problem : problems)
        list += QString::fromStdString(trv::db::formatProblem(problem)) + "\n";
    const QString count = QString::fromStdString(trv::db::errorCountText(trv::db::errorCount(problems)));

    const CtlRun refused =
        runTrvctl({"upload", "--port", sim_->pty(), path("faulty.ddb"), "--backup", dir_.path()});
    EXPECT_EQ(refused.exitCode, 6);
    EXPECT_EQ(refused.err,
              list + "The database has " + count + ": nothing was sent (use --force to upload it anyway).\n");
    EXPECT_TRUE(sim_->frames("RX").isEmpty());
    EXPECT_TRUE(QDir(dir_.path()).entryList({"faulty-backup-*"}).isEmpty());

    const CtlRun forced = runTrvctl({"upload", "--port", sim_->pty(), path("faulty.ddb"), "--force"});
    EXPECT_EQ(forced.exitCode, 0) << forced.err.toStdString();
    EXPECT_TRUE(
        forced.err.startsWith(list + "The database has " + count + ": uploading it anyway (--force).\n"));
    const CtlRun after = runTrvctl({"download", "--port", sim_->pty(), "-o", path("after.ddb")});
    ASSERT_EQ(after.exitCode, 0);
    EXPECT_EQ(load(path("after.ddb")), faulty);
}

// SIGTERM during an upload: the link is closed, the user is told the deskset may hold part of the
// database, and trvctl ends by the signal.
TEST_F(TrvctlTransferTest, ASignalDuringAnUploadSaysTheDesksetMayHoldAnIncompleteDatabase)
{
    startSimulator({"--line-rate", "9600"});
    ASSERT_TRUE(trv::db::saveDatabase(path("site.ddb").toStdString(), deskset_).ok);
    QProcess ctl;
    trv::testsupport::TieToThisProcess(ctl);
    ctl.start(TRVCTL_PATH, {"upload", "--port", sim_->pty(), path("site.ddb")});
    ASSERT_TRUE(ctl.waitForStarted());
    QString out;
    ASSERT_TRUE(waitUntil(
        [&] {
            out += QString::fromLocal8Bit(ctl.readAllStandardOutput());
            return out.contains(text::kUploading);
        },
        20000))
        << out.toStdString();
    ctl.terminate();
    ASSERT_TRUE(ctl.waitForFinished(10000));
    EXPECT_EQ(ctl.exitStatus(), QProcess::CrashExit);
    const QString err = QString::fromLocal8Bit(ctl.readAllStandardError());
    EXPECT_TRUE(err.endsWith("Stopped by SIGTERM.\nThe deskset may hold an incomplete database: upload again "
                             "before use.\n"))
        << err.toStdString();
}
