// trvctl's transfer commands end to end against desksetsim: the communication trace, a deskset
// behind a serial device server, and the safe upload (backup before, verify after).
#include "Simulator.h"
#include "TcpRelay.h"
#include "TrvctlRun.h"

#include "database/DdbFile.h"
#include "database/NewDatabase.h"
#include "platform/SettingsStore.h"
#include "transfer/TransferTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
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

    EXPECT_EQ(runTrvctl({"download", "--port", "tcp://127.0.0.1:0", "-o", path("c.ddb")}).exitCode, 1);
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
    EXPECT_EQ(com1.exitCode, 1);
    EXPECT_TRUE(com1.err.contains(text::kUnableToConnect)) << com1.err.toStdString();
    EXPECT_TRUE(com1.err.contains(QString::fromUtf8(text::kPortIsDevice).arg("COM1", dead)))
        << com1.err.toStdString();
    EXPECT_TRUE(com1.err.contains(QString::fromUtf8(text::kPortMissing).arg(dead))) << com1.err.toStdString();
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
    EXPECT_TRUE(QRegularExpression("^site-backup-" + QRegularExpression::escape(QFileInfo(sim_->pty()).fileName()) +
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
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.contains(QString(text::kUploading) + text::kCompleted));
    EXPECT_TRUE(run.err.contains("Verification failed: the deskset holds something else than was uploaded:\n"
                                 "  deskset.muteTimer: 30 s -> raw E1\n"))
        << run.err.toStdString();
}

TEST_F(TrvctlTransferTest, AVerifyThatCannotReconnectFailsTheRun)
{
    startSimulator({"--once"}); // the deskset is gone after the upload's session
    ASSERT_TRUE(trv::db::saveDatabase(path("site.ddb").toStdString(), deskset_).ok);
    const CtlRun run = runTrvctl({"upload", "--port", sim_->pty(), path("site.ddb"), "--verify"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.contains(QString(text::kUploading) + text::kCompleted));
    EXPECT_TRUE(run.err.contains("Verification was not possible")) << run.err.toStdString();
}

TEST_F(TrvctlTransferTest, AFailedBackupSendsNoUploadBlock)
{
    startSimulator({"--hw-id", "1"});
    ASSERT_TRUE(trv::db::saveDatabase(path("site.ddb").toStdString(), deskset_).ok);
    const CtlRun run =
        runTrvctl({"upload", "--port", sim_->pty(), path("site.ddb"), "--backup", dir_.path()});
    EXPECT_EQ(run.exitCode, 1);
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
        1);
}
