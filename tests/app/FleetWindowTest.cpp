// The Fleet window against several desksetsim desksets on pseudo-terminals: the table's states,
// progress and results, the log beside the list, Stop and closing during a run, the one transfer
// owner at a time, and the copy of the open database that every deskset receives.
#include "ShellTestSupport.h"

#include "../transfer/Simulator.h"
#include "app/FleetTableModel.h"
#include "app/FleetWindow.h"
#include "app/HelpWindow.h"
#include "app/ShellTexts.h"
#include "app/ShortcutDialogs.h"
#include "app/TransferWindows.h"
#include "database/DdbFile.h"
#include "database/Layout.h"
#include "database/NewDatabase.h"
#include "tests/support/ComEnvironment.h"
#include "transfer/TransferTexts.h"

#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>

#include <map>

namespace trv::app::test {
namespace {

using transfer::testing::Simulator;

constexpr int kRunLimitMs = 60000; // an upper bound only, for a loaded machine

class FleetWindowTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        storePort(1);
        db::newDatabase(deskset_);
        deskset_[db::deskset::kMuteTimer] = 45; // what each deskset holds before a run
        ASSERT_TRUE(db::saveDatabase(path("deskset.ddb").toStdString(), deskset_).ok);
        options_.chooseSiteList = [this](const QString&) { return path("sites.csv"); };
        options_.chooseBackupFolder = [this](const QString&) { return path("backups"); };
        QDir(dir_.path()).mkdir("backups");
    }
    void TearDown() override
    {
        ShellFixture::TearDown();
        sims_.clear();
    }

    // A deskset on a pseudo-terminal of its own, with desksetsim's extra arguments.
    Simulator& addDeskset(const QString& name, const QStringList& arguments = {})
    {
        auto sim = std::make_unique<Simulator>(DESKSETSIM_PATH,
                                               QStringList{"--image", path("deskset.ddb")} + arguments);
        EXPECT_TRUE(sim->ok()) << sim->errorText().toStdString();
        rows_ << name + "," + sim->pty();
        return *(sims_[name] = std::move(sim));
    }
    // Starts the shell, opens the Fleet window and, through its Open... button, the list.
    FleetWindow* openFleet(const QString& header = "name,port")
    {
        QFile file(path("sites.csv"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write((header + "\n" + rows_.join("\n") + "\n").toUtf8());
        file.close();
        if (!app_)
            start();
        run(cmd::kFleet);
        FleetWindow* fleet = frame()->fleetWindow();
        EXPECT_TRUE(fleet && fleet->isVisible());
        for (QPushButton* b : fleet->findChildren<QPushButton*>())
            if (b->text() == text::kFleetOpenList)
                b->click();
        EXPECT_EQ(fleet->listPath(), path("sites.csv"));
        QObject::connect(fleet, &FleetWindow::runFinished, [this] { ++runsEnded_; });
        return fleet;
    }
    static QString cell(const FleetWindow* fleet, int row, int column)
    {
        return fleet->model()->index(row, column).data().toString();
    }
    // Waits until count runs of the window have ended (the summary is then in the log).
    bool waitForRuns(int count)
    {
        return QTest::qWaitFor([this, count] { return runsEnded_ >= count; }, kRunLimitMs);
    }
    static QString readAll(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    db::Image deskset_{};
    QStringList rows_;
    std::map<QString, std::unique_ptr<Simulator>> sims_;
    int runsEnded_ = 0;
};

} // namespace

// A run over the selected rows: each deskset shows its phases and progress, ends with its result
// and why; rows not selected stay as they were; the log beside the list holds the run's lines.
TEST_F(FleetWindowTest, BackUpShowsEachDesksetsProgressAndResultAndKeepsTheLog)
{
    addDeskset("DESK-1", {"--line-rate", "230400"}); // paced, so that its progress shows between 0 and 100
    addDeskset("SPARE");
    addDeskset("OLD", {"--version-text", "VXR DESKSET V002"});
    rows_ << "GONE,/dev/ttyTRVFLEETGONE0"
          << "ROAD,COM3"; // not in the run
    const testsupport::ComEnvironment com3(3, "/dev/ttyTRVFLEETCOM3");
    FleetWindow* fleet = openFleet();
    ASSERT_EQ(fleet->model()->rowCount(), 5);
    EXPECT_EQ(cell(fleet, 4, FleetTableModel::kPort), "COM3 (/dev/ttyTRVFLEETCOM3)")
        << "a COM port with its device";
    EXPECT_EQ(cell(fleet, 3, FleetTableModel::kPort), "/dev/ttyTRVFLEETGONE0");
    EXPECT_FALSE(fleet->stopButton()->isEnabled());
    for (QPushButton* b : fleet->findChildren<QPushButton*>())
        if (b->text() == text::kFleetChooseFolder)
            b->click();
    EXPECT_EQ(fleet->backupFolder(), path("backups"));

    QItemSelectionModel* selection = fleet->table()->selectionModel();
    for (const int row : {0, 2, 3})
        selection->select(fleet->model()->index(row, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    std::map<QString, int> percentSeen; // the largest percent short of the end each state showed
    QObject::connect(fleet->model(), &QAbstractItemModel::dataChanged, [&](const QModelIndex& from) {
        const int percent =
            from.siblingAtColumn(FleetTableModel::kProgress).data(FleetTableModel::kPercentRole).toInt();
        if (from.row() == 0 && percent < 100)
            percentSeen[cell(fleet, 0, FleetTableModel::kState)] =
                std::max(percentSeen[cell(fleet, 0, FleetTableModel::kState)], percent);
    });
    fleet->backUpButton()->click();
    EXPECT_TRUE(fleet->stopButton()->isEnabled());
    ASSERT_TRUE(waitForRuns(1));
    EXPECT_GT(percentSeen["backing up"], 0);

    const struct {
        int row;
        const char* state;
        const char* result; // the start of the result
        const char* progress;
    } expected[] = {
        {0, "ok", "backed up", "100 %"},
        {1, "", "", ""},
        {2, "failed", "ERROR : Wrong database version", ""},
        {3, "failed", "no connection: ", ""},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.row);
        EXPECT_EQ(cell(fleet, e.row, FleetTableModel::kState), e.state);
        EXPECT_TRUE(cell(fleet, e.row, FleetTableModel::kResult).startsWith(QLatin1String(e.result)) ||
                    !*e.result)
            << cell(fleet, e.row, FleetTableModel::kResult).toStdString();
        EXPECT_EQ(cell(fleet, e.row, FleetTableModel::kProgress), e.progress);
        EXPECT_EQ(cell(fleet, e.row, FleetTableModel::kTime).isEmpty(), e.row == 1);
    }
    EXPECT_TRUE(cell(fleet, 3, FleetTableModel::kResult).contains("/dev/ttyTRVFLEETGONE0 does not exist"));

    const QStringList backups = QDir(path("backups/DESK-1")).entryList(QDir::Files);
    ASSERT_EQ(backups.size(), 1);
    db::Image backup{};
    ASSERT_TRUE(db::loadDatabase(path("backups/DESK-1/" + backups[0]).toStdString(), backup).ok);
    EXPECT_EQ(backup, deskset_);
    EXPECT_FALSE(QDir(path("backups/SPARE")).exists());

    // The log: named after the list and the run's start, beside the list; trvctl fleet's lines.
    EXPECT_TRUE(
        QFileInfo(fleet->logPath()).fileName().contains(QRegularExpression("^sites-\\d{8}-\\d{6}\\.log$")))
        << fleet->logPath().toStdString();
    EXPECT_EQ(QFileInfo(fleet->logPath()).absolutePath(), QFileInfo(path("sites.csv")).absolutePath());
    const QString log = readAll(fleet->logPath());
    for (const char* line : {"DESK-1: backing up\n", "DESK-1: ok: backed up (",
                             "OLD: failed: ERROR : Wrong database version", "GONE: failed: no connection: "})
        EXPECT_TRUE(log.contains(line)) << line << "\n" << log.toStdString();
    EXPECT_FALSE(log.contains("SPARE"));
    EXPECT_FALSE(log.contains("ROAD"));
    EXPECT_TRUE(log.endsWith("1 of 3 desksets backed up; failed: OLD (ERROR : Wrong database version), "
                             "GONE (no connection)\n"))
        << log.toStdString();
    EXPECT_TRUE(fleet->summary()->text().startsWith("1 of 3 desksets backed up"));
    EXPECT_EQ(editorCount(), 0) << "the Fleet window is no editor window";
    QTest::keyClick(fleet->table(), Qt::Key_F1);
    EXPECT_EQ(frame()->helpWindow()->currentContext(), FleetWindow::kHelpContext);
    EXPECT_TRUE(HelpWindow::hasContext(FleetWindow::kHelpContext));
    // Shortcut Keys offers the command as it offers every other.
    ShortcutKeysDlg keys(frame()->shortcuts(), [](int) {});
    QStringList listed;
    for (int r = 0; r < keys.commandList()->topLevelItemCount(); ++r)
        listed << keys.commandList()->topLevelItem(r)->text(0);
    EXPECT_TRUE(listed.contains("Fleet...")) << listed.join(", ").toStdString();
}

// Stop is the command line's first stop; closing the window during a run asks, and on Yes stops
// it and closes when it has ended.
TEST_F(FleetWindowTest, StopAndClosingDuringARunStopIt)
{
    addDeskset("MUTE", {"--silent"});
    FleetWindow* fleet = openFleet();
    const auto connecting = [fleet] {
        return QTest::qWaitFor([fleet] { return cell(fleet, 0, FleetTableModel::kState) == "connecting"; },
                               kRunLimitMs);
    };

    fleet->statusButton()->click();
    ASSERT_TRUE(connecting());
    fleet->stopButton()->click();
    EXPECT_EQ(fleet->run()->stops(), 1);
    ASSERT_TRUE(waitForRuns(1));
    EXPECT_EQ(cell(fleet, 0, FleetTableModel::kState), "stopped");
    EXPECT_TRUE(readAll(fleet->logPath()).endsWith("0 of 1 deskset answered; stopped: MUTE (stopped)\n"))
        << readAll(fleet->logPath()).toStdString();

    fleet->statusButton()->click();
    ASSERT_TRUE(connecting());
    boxes_.expect(text::kFleetCloseQuestion, MsgAnswer::No);
    fleet->close();
    EXPECT_TRUE(fleet->isVisible());
    EXPECT_TRUE(fleet->runActive());
    boxes_.expect(text::kFleetCloseQuestion, MsgAnswer::Yes);
    fleet->close();
    EXPECT_EQ(fleet->run()->stops(), 1);
    ASSERT_TRUE(waitForRuns(2));
    settle();
    EXPECT_FALSE(fleet->isVisible());
    EXPECT_EQ(cell(fleet, 0, FleetTableModel::kState), "stopped");

    // Closing the main window asks the same; the run's end closes it.
    run(cmd::kFleet);
    fleet->statusButton()->click();
    ASSERT_TRUE(connecting());
    ASSERT_TRUE(frame()->isVisible());
    boxes_.expect(text::kFleetCloseQuestion, MsgAnswer::Yes);
    frame()->close();
    ASSERT_TRUE(waitForRuns(3));
    settle();
    EXPECT_FALSE(frame()->isVisible());
}

// Without an open database each site receives its own; the first Stop lets an upload that is
// sending blocks finish, the second stops it too.
TEST_F(FleetWindowTest, StopLetsAnUploadSendingBlocksGoOnAndTheSecondStopsIt)
{
    addDeskset("SLOW", {"--line-rate", "19200"}); // a real line's pace: the upload takes seconds
    rows_.last() += ",deskset.ddb";
    FleetWindow* fleet = openFleet("name,port,database");
    fleet->uploadButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return fleet->runActive() && fleet->run()->progress(0).blocksSent; },
                                kRunLimitMs));
    fleet->stopButton()->click();
    EXPECT_EQ(fleet->summary()->text(), text::kFleetStopping);
    EXPECT_TRUE(fleet->runActive()) << "the upload sending blocks goes on";
    EXPECT_TRUE(readAll(fleet->logPath()).contains("SLOW: stop asked: this upload is sending blocks"));
    fleet->stopButton()->click();
    EXPECT_EQ(fleet->run()->stops(), 2) << "a stop counts only while the run is active";
    ASSERT_TRUE(waitForRuns(1));
    EXPECT_EQ(cell(fleet, 0, FleetTableModel::kState), "stopped");
    EXPECT_EQ(cell(fleet, 0, FleetTableModel::kResult),
              "stopped: the deskset may hold an incomplete database");
}

// Upload... sends the open database, refused while an editor window is open, copied when the run
// starts; meanwhile the main window's Download and Upload wait, as the Fleet window waits for a
// transfer of the main window.
TEST_F(FleetWindowTest, UploadSendsTheOpenDatabaseAsItWasAtTheStartAndOneTransferOwnerAtATime)
{
    addDeskset("NORTH", {"--save-upload", path("north.ddb")});
    addDeskset("SOUTH", {"--save-upload", path("south.ddb")});
    Simulator& mainDeskset = addDeskset("MAIN", {"--silent"});
    rows_.removeLast(); // the main window's deskset is no site
    start();
    run(cmd::kNewDatabase);
    db::theImage()[db::deskset::kMuteTimer] = 12;
    const db::Image sent = db::theImage();
    FleetWindow* fleet = openFleet();

    // The main window is connecting: the Fleet window's runs wait.
    const testsupport::ComEnvironment com1(1, mainDeskset.pty());
    run(cmd::kUpload);
    ASSERT_TRUE(frame()->transferActive());
    for (QPushButton* b : {fleet->backUpButton(), fleet->uploadButton(), fleet->statusButton()}) {
        boxes_.expect(text::kFleetMainTransfer, MsgAnswer::Ok);
        b->click();
        EXPECT_FALSE(fleet->runActive());
    }
    frame()->transferSession().stopConnecting();
    ASSERT_FALSE(frame()->transferActive());

    const QString question = QString(text::kFleetOpenDatabaseQuestion).arg("New");
    run(cmd::kViewDeskset);
    ASSERT_EQ(editorCount(), 1);
    boxes_.expect(question, MsgAnswer::Yes);
    boxes_.expect(transfer::text::kCloseWindowsBeforeUpload, MsgAnswer::Ok);
    fleet->uploadButton()->click();
    EXPECT_FALSE(fleet->runActive());
    activeView()->requestClose();
    settle();

    boxes_.expect(question, MsgAnswer::Yes);
    fleet->uploadButton()->click();
    ASSERT_TRUE(fleet->runActive());
    db::theImage()[db::deskset::kMuteTimer] = 59; // the editors change the image during the run
    for (const int command : {cmd::kDownload, cmd::kUpload}) {
        boxes_.expect(text::kFleetRunActive, MsgAnswer::Ok);
        run(command);
    }
    EXPECT_FALSE(frame()->transferActive());
    ASSERT_TRUE(waitForRuns(1));
    for (const QString& name : {QString("north"), QString("south")}) {
        SCOPED_TRACE(name.toStdString());
        db::Image arrived{};
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return db::loadDatabase(path(name + ".ddb").toStdString(), arrived).ok; }, 5000));
        EXPECT_EQ(arrived, sent);
    }
    EXPECT_EQ(cell(fleet, 0, FleetTableModel::kResult), "uploaded");
    EXPECT_TRUE(fleet->summary()->text().startsWith("2 of 2 desksets uploaded"));
}

} // namespace trv::app::test
