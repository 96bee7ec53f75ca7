// trvctl fleet end to end: several desksetsim desksets at once, some of them faulty, through a site
// list; what each site ends with, the files left, the summary, stopping, and the list's refusals.
#include "Simulator.h"
#include "TestSupport.h"
#include "TrvctlRun.h"

#include "database/DdbFile.h"
#include "database/NewDatabase.h"
#include "tests/support/TiedChild.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace trv::transfer::testing;

namespace {

// A fleet run never waits longer than this; sites that would take longer end by --timeout.
constexpr int kRunLimitMs = 15000;

class TrvctlFleetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        qputenv("TRV_CONFIG_DIR", dir_.path().toUtf8());
        trv::db::newDatabase(deskset_);
        deskset_[trv::db::deskset::kMuteTimer] = 45; // each deskset holds something of its own
        ASSERT_TRUE(trv::db::saveDatabase(path("deskset.ddb").toStdString(), deskset_).ok);
    }

    // A deskset named name on a pseudo-terminal of its own, with desksetsim's extra arguments.
    void addDeskset(const QString& name, const QStringList& arguments = {})
    {
        auto sim = std::make_unique<Simulator>(DESKSETSIM_PATH,
                                               QStringList{"--image", path("deskset.ddb")} + arguments);
        ASSERT_TRUE(sim->ok()) << sim->errorText().toStdString();
        rows_ << name + "," + sim->pty();
        sims_[name] = std::move(sim);
    }
    void addRow(const QString& row) { rows_ << row; }
    QString writeSites(const QString& header = "name,port")
    {
        QFile file(path("sites.csv"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write((header + "\n" + rows_.join("\n") + "\n").toUtf8());
        return file.fileName();
    }
    QString path(const QString& name) const { return dir_.filePath(name); }
    Simulator& sim(const QString& name) { return *sims_.at(name); }

    // The JSON object of each site, by name.
    static std::map<QString, QJsonObject> sites(const QString& out)
    {
        std::map<QString, QJsonObject> byName;
        for (const QString& line : out.split('\n', Qt::SkipEmptyParts)) {
            const QJsonObject object = QJsonDocument::fromJson(line.toUtf8()).object();
            byName[object["name"].toString()] = object;
        }
        return byName;
    }
    static QStringList filesUnder(const QString& folder)
    {
        QStringList files;
        for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            files << QDir(folder).relativeFilePath(it.next());
        files.sort();
        return files;
    }
    trv::db::Image load(const QString& file) const
    {
        trv::db::Image image{};
        EXPECT_TRUE(trv::db::loadDatabase(file.toStdString(), image).ok) << file.toStdString();
        return image;
    }

    QTemporaryDir dir_;
    trv::db::Image deskset_{};
    QStringList rows_;
    std::map<QString, std::unique_ptr<Simulator>> sims_;
};

} // namespace

// Two good desksets complete while the others fail, each for its own reason and with the status
// its single command would give; only complete backups are left.
TEST_F(TrvctlFleetTest, BackupCompletesTheGoodDesksetsAndSaysWhichFailedAndWhy)
{
    addDeskset("DESK-1");
    addDeskset("DESK-2");
    addDeskset("DROPS", {"--stop-after", "40"});
    addDeskset("OLD", {"--version-text", "VXR DESKSET V002"});
    addRow("GONE,/dev/ttyTRVFLEETGONE0");
    QDir(dir_.path()).mkdir("out");

    const CtlRun run =
        runTrvctl({"fleet", "backup", writeSites(), "-d", path("out"), "--json", "--timeout", "12"},
                  kRunLimitMs + 5000);
    ASSERT_EQ(run.exitCode, 1) << run.err.toStdString();
    const auto result = sites(run.out);
    ASSERT_EQ(result.size(), 5u) << run.out.toStdString();
    const struct {
        const char* name;
        const char* result;
        int status;
        const char* message;
    } expected[] = {
        {"DESK-1", "ok", 0, "backed up"},
        {"DESK-2", "ok", 0, "backed up"},
        {"DROPS", "failed", 1, "ERROR : Disconnected with the Deskset"},
        {"OLD", "failed", 1, "ERROR : Wrong database version"},
        {"GONE", "failed", 3, "no connection: "},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        const QJsonObject& site = result.at(e.name);
        EXPECT_EQ(site["result"].toString(), e.result);
        EXPECT_EQ(site["status"].toInt(), e.status);
        EXPECT_EQ(site["operation"].toString(), "backup");
        EXPECT_TRUE(site["message"].toString().startsWith(e.message))
            << site["message"].toString().toStdString();
    }
    EXPECT_TRUE(result.at("GONE")["message"].toString().contains("/dev/ttyTRVFLEETGONE0 does not exist"));

    // Only the two complete backups, each in its site's folder, named as every backup is.
    const QStringList files = filesUnder(path("out"));
    ASSERT_EQ(files.size(), 2) << files.join(' ').toStdString();
    for (const QString& name : {QString("DESK-1"), QString("DESK-2")}) {
        const QString file = result.at(name)["file"].toString();
        EXPECT_TRUE(file.startsWith(path("out/" + name + "/" + name + "-backup-"))) << file.toStdString();
        EXPECT_EQ(load(file), deskset_);
    }
    EXPECT_TRUE(
        run.err.contains("2 of 5 desksets backed up; failed: DROPS (ERROR : Disconnected with the Deskset), "
                         "OLD (ERROR : Wrong database version), GONE (no connection)\n"))
        << run.err.toStdString();
}

// Each site receives its own database after its backup, and the verify reads it back.
TEST_F(TrvctlFleetTest, UploadsEachSitesOwnDatabaseWithBackupAndVerify)
{
    std::map<QString, trv::db::Image> own;
    for (const QString& name : {QString("NORTH"), QString("SOUTH")}) {
        trv::db::Image image{};
        trv::db::newDatabase(image);
        image[trv::db::deskset::kMuteTimer] = name == "NORTH" ? 10 : 20;
        ASSERT_TRUE(trv::db::saveDatabase(path(name + ".ddb").toStdString(), image).ok);
        own[name] = image;
        auto sim = std::make_unique<Simulator>(DESKSETSIM_PATH, QStringList{"--image", path("deskset.ddb")});
        ASSERT_TRUE(sim->ok());
        addRow(name + ";" + sim->pty() + ";" + name + ".ddb"); // relative to the list's folder
        sims_[name] = std::move(sim);
    }
    QDir(dir_.path()).mkdir("backups");
    const CtlRun run = runTrvctl({"fleet", "upload", writeSites("name;port;database"), "--backup",
                                  path("backups"), "--verify", "--json"},
                                 kRunLimitMs);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString() << run.out.toStdString();
    for (const auto& [name, site] : sites(run.out)) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(site["message"].toString(), "uploaded and verified");
        EXPECT_EQ(site["file"].toString(), path(name + ".ddb"));
        EXPECT_EQ(load(site["backup"].toString()), deskset_);
        const CtlRun after =
            runTrvctl({"download", "--port", sim(name).pty(), "-o", path(name + "-after.ddb")});
        ASSERT_EQ(after.exitCode, 0);
        EXPECT_EQ(load(path(name + "-after.ddb")), own[name]);
    }
    EXPECT_TRUE(run.out.isEmpty() || sites(run.out).size() == 2u);
    EXPECT_TRUE(run.err.endsWith("2 of 2 desksets uploaded and verified\n")) << run.err.toStdString();
}

// Whatever is wrong with the list, the options or a database is found before anything connects.
TEST_F(TrvctlFleetTest, ARefusedRunConnectsNowhere)
{
    addDeskset("DESK-1");
    addDeskset("DESK-2");
    trv::db::Image faulty{};
    trv::db::newDatabase(faulty);
    faulty[trv::db::deskset::kMuteTimer] = 0xE1;
    ASSERT_TRUE(trv::db::saveDatabase(path("faulty.ddb").toStdString(), faulty).ok);
    const QString sites = writeSites();
    QDir(dir_.path()).mkdir("out");

    const struct {
        QStringList arguments;
        const char* says;
    } cases[] = {
        {{"upload", sites, path("faulty.ddb")}, ": nothing was sent (use --force to upload it anyway)"},
        {{"upload", sites}, "DESK-1 (line 2) has no database"},
        {{"status", sites, "--only", "DESK-1,DESK-9"}, "--only names no site \"DESK-9\""},
        {{"backup", sites, "-d", path("missing")}, "missing"},
        {{"status", path("deskset.ddb")}, "line 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CtlRun run = runTrvctl(QStringList{"fleet"} + c.arguments, kRunLimitMs);
        EXPECT_EQ(run.exitCode, 2) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.says)) << run.err.toStdString();
    }
    EXPECT_TRUE(sim("DESK-1").frames("RX").isEmpty());
    EXPECT_TRUE(sim("DESK-2").frames("RX").isEmpty());
    EXPECT_TRUE(filesUnder(path("out")).isEmpty());
}

// --jobs 1 runs the sites one after the other, --only picks them, --trace records each, and a
// deskset that never answers ends by --timeout without holding up the others.
TEST_F(TrvctlFleetTest, StatusRunsOneAtATimeOnlyForTheChosenSitesWithATraceEach)
{
    addDeskset("A");
    addDeskset("B");
    addDeskset("C");
    addDeskset("MUTE", {"--silent"});
    QDir(dir_.path()).mkdir("traces");
    const CtlRun run = runTrvctl({"fleet", "status", writeSites(), "--jobs", "1", "--only", "mute,c,A",
                                  "--trace", path("traces"), "--timeout", "2", "--json"},
                                 kRunLimitMs);
    ASSERT_EQ(run.exitCode, 1) << run.err.toStdString();
    const auto result = sites(run.out);
    ASSERT_EQ(result.size(), 3u);
    EXPECT_EQ(result.at("A")["message"].toString(), "the deskset answered: version and hardware accepted");
    EXPECT_EQ(result.at("C")["status"].toInt(), 0);
    EXPECT_EQ(result.at("MUTE")["message"].toString(), "no result after 2 s (--timeout)");
    EXPECT_EQ(result.at("MUTE")["status"].toInt(), 1);
    // List order, and C connects only once A has ended.
    const qsizetype aEnds = run.err.indexOf("A: ok: ");
    const qsizetype cStarts = run.err.indexOf("C: Connecting");
    ASSERT_GE(aEnds, 0) << run.err.toStdString();
    EXPECT_GT(cStarts, aEnds) << run.err.toStdString();
    EXPECT_TRUE(sim("B").frames("RX").isEmpty());
    EXPECT_EQ(filesUnder(path("traces")), (QStringList{"A.trace", "C.trace", "MUTE.trace"}));
    QFile trace(path("traces/A.trace"));
    ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
    EXPECT_TRUE(trace.readAll().contains("Check Deskset"));
    EXPECT_TRUE(
        run.err.endsWith("2 of 3 desksets answered; failed: MUTE (no result after 2 s (--timeout))\n"))
        << run.err.toStdString();
}

// The first SIGINT stops what has not begun sending and lets an upload that is sending blocks
// finish; a second stops that one too, which may then hold an incomplete database.
TEST_F(TrvctlFleetTest, CtrlCOnceLetsSendingUploadsFinishTwiceStopsThem)
{
    for (const int interrupts : {1, 2}) {
        SCOPED_TRACE(interrupts);
        sims_.clear();
        rows_.clear();
        addDeskset("SENDING", {"--line-rate", "38400"});
        addDeskset("WAITING", {"--silent"});
        QProcess ctl;
        trv::testsupport::TieToThisProcess(ctl);
        ctl.start(TRVCTL_PATH, {"fleet", "upload", writeSites(), path("deskset.ddb"), "--json"});
        ASSERT_TRUE(ctl.waitForStarted());
        // Blocks are on their way once the deskset has received one.
        ASSERT_TRUE(waitUntil([&] { return sim("SENDING").frames("RX").size() > 8; }, 10000));
        for (int i = 0; i < interrupts; ++i) {
            ::kill(pid_t(ctl.processId()), SIGINT);
            waitUntil([&] { return false; }, 200);
        }
        ASSERT_TRUE(ctl.state() == QProcess::NotRunning || ctl.waitForFinished(kRunLimitMs));
        EXPECT_EQ(ctl.exitStatus(), QProcess::CrashExit); // ended by SIGINT, as the shell expects
        const QString out = QString::fromLocal8Bit(ctl.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(ctl.readAllStandardError());
        const auto result = sites(out);
        ASSERT_EQ(result.size(), 2u) << out.toStdString() << err.toStdString();
        EXPECT_EQ(result.at("WAITING")["message"].toString(), "stopped");
        EXPECT_EQ(result.at("WAITING")["status"].toInt(), 130);
        if (interrupts == 1) {
            EXPECT_EQ(result.at("SENDING")["result"].toString(), "ok") << err.toStdString();
            EXPECT_TRUE(err.contains("the uploads that were sending blocks when stopped were let finish"));
        } else {
            EXPECT_EQ(result.at("SENDING")["message"].toString(),
                      "stopped: the deskset may hold an incomplete database");
            EXPECT_FALSE(err.contains("were let finish")) << err.toStdString();
        }
    }
}
