// Whole downloads and uploads through the real main window against desksetsim on a
// pseudo-terminal: the progress window, its texts and button, the image and the tree.
#include "ShellTestSupport.h"

#include "../transfer/Simulator.h"
#include "app/ShellTexts.h"
#include "app/TransferProgressDlg.h"
#include "app/TransferWindows.h"
#include "database/DdbFile.h"
#include "database/FieldCatalog.h"
#include "database/Layout.h"
#include "database/NewDatabase.h"
#include "tests/support/ComEnvironment.h"
#include "transfer/SafeUpload.h"
#include "transfer/TransferTexts.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <optional>

namespace trv::app::test {
namespace {

using transfer::testing::Simulator;
using namespace std::chrono_literals;
namespace ttext = transfer::text;

constexpr int kSessionLimitMs = 60000; // an upper bound only, for a loaded machine

// The deskset's database: multi-channel, one paging format, a pattern in the free areas.
db::Image desksetImage()
{
    db::Image image{};
    db::newDatabase(image);
    image[db::deskset::kDesksetType] = db::deskset::kMultiChannel;
    db::writeText(image, db::kPagingFormats.record(2), db::paging::kLabelSize, "FIRE");
    for (int i = db::kReservedTail.base; i < db::kReservedTail.end(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7);
    return image;
}

class TransferWindowsTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        storePort(1);
        source_ = desksetImage();
        // The connect retry stays as it is; the watchdog is short so its end is quick to see.
        options_.transferPeriods = transfer::TransferSession::Periods{7000ms, 100ms, 1500ms};
    }

    void startSimulator(QStringList arguments = {})
    {
        const QString imageFile = path("deskset.ddb");
        ASSERT_TRUE(db::saveDatabase(imageFile.toStdString(), source_).ok);
        sim_ = std::make_unique<Simulator>(DESKSETSIM_PATH, QStringList{"--image", imageFile} + arguments);
        ASSERT_TRUE(sim_->ok()) << sim_->errorText().toStdString();
        com1_.emplace(1, sim_->pty());
    }

    // Waits until the progress window shows its button; false when the session never ended.
    // Events already queued are handled too, as the event loop does before the user can click.
    bool waitForEnd()
    {
        const bool ended = QTest::qWaitFor(
            [this] { return frame()->progressDialog() && frame()->progressDialog()->hasEnded(); },
            kSessionLimitMs);
        settle();
        return ended;
    }

    TransferProgressDlg* progress() const { return frame()->progressDialog(); }

    void closeProgress()
    {
        progress()->button()->click();
        settle();
    }

    void TearDown() override
    {
        ShellFixture::TearDown();
        sim_.reset();
        com1_.reset();
    }

    db::Image source_{};
    std::unique_ptr<Simulator> sim_;
    std::optional<testsupport::ComEnvironment> com1_; // COM1 stands for the simulator's terminal
};

TEST_F(TransferWindowsTest, DownloadReplacesImageAndRefreshesTree)
{
    startSimulator();
    start();
    run(cmd::kDownload);
    EXPECT_TRUE(frame()->transferSession().downloadPending());
    ASSERT_TRUE(waitForEnd()) << frame()->statusText().toStdString();

    EXPECT_EQ(progress()->textLine()->text(), QString(ttext::kDownloading) + ttext::kCompleted);
    EXPECT_EQ(progress()->button()->text(), "Ok");
    EXPECT_EQ(progress()->position(), TransferProgressDlg::kRange);
    EXPECT_TRUE(progress()->isModal());
    EXPECT_FALSE(progress()->windowFlags() & Qt::WindowTitleHint) << "no title bar";
    EXPECT_EQ(db::theImage(), source_);
    EXPECT_EQ(frame()->windowTitle(), "Korvel TRV  - [download.ddb]");
    EXPECT_EQ(tree()->rootLabel(), "download.ddb");
    EXPECT_EQ(app_->document().title(), "New");
    EXPECT_TRUE(app_->document().pathName().empty());
    // The deskset's database is multi-channel with a paging format: every item is usable.
    for (const char* label : {"Channel 2", "Channel 4", "Speed Paging"})
        EXPECT_EQ(tree()->itemState(label), TreeState::Normal) << label;
    EXPECT_TRUE(frame()->action(cmd::kViewChannel3)->isEnabled());

    closeProgress();
    EXPECT_EQ(progress(), nullptr);
    EXPECT_FALSE(frame()->transferSession().linkUp());
    EXPECT_FALSE(frame()->transferSession().downloadPending());
}

TEST_F(TransferWindowsTest, UploadArrivesByteForByte)
{
    const QString saved = path("uploaded.ddb");
    startSimulator({"--save-upload", saved});
    start();
    run(cmd::kNewDatabase);
    db::theImage()[db::deskset::kMuteTimer] = 45;
    db::writeText(db::theImage(), db::kPttAliases.record(249), 21, "LAST ALIAS");
    db::writeFieldText(db::theImage(), db::fields::aliasPttId, "1234", 249);
    db::writeField(db::theImage(), db::fields::aliasUnitType, db::alias::kDtmf, 249);
    const db::Image sent = db::theImage();
    run(cmd::kUpload);
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(progress()->textLine()->text(), QString(ttext::kUploading) + ttext::kCompleted);
    EXPECT_EQ(progress()->button()->text(), "Ok");

    db::Image arrived{};
    ASSERT_TRUE(QTest::qWaitFor([&] { return db::loadDatabase(saved.toStdString(), arrived).ok; }, 5000));
    EXPECT_EQ(arrived, sent);
    EXPECT_EQ(db::theImage(), sent) << "an upload leaves the open database as it was";
    closeProgress();
    EXPECT_FALSE(frame()->transferSession().uploadPending());
}

// A database with errors is sent only on Yes; No leaves everything as before the command.
TEST_F(TransferWindowsTest, UploadOfADatabaseWithErrorsAsksFirst)
{
    const QString saved = path("uploaded.ddb");
    startSimulator({"--save-upload", saved});
    start();
    run(cmd::kNewDatabase);
    db::writeField(db::theImage(), db::fields::guardToneFrequency, 22000, 0);
    const db::Image sent = db::theImage();
    const QString question = QString(text::kUploadWithErrors).arg("1 error");
    boxes_.expect(question, MsgAnswer::No);
    run(cmd::kUpload);
    EXPECT_EQ(progress(), nullptr);
    EXPECT_FALSE(frame()->transferSession().uploadPending());

    boxes_.expect(question, MsgAnswer::Yes);
    run(cmd::kUpload);
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(progress()->textLine()->text(), QString(ttext::kUploading) + ttext::kCompleted);
    db::Image arrived{};
    ASSERT_TRUE(QTest::qWaitFor([&] { return db::loadDatabase(saved.toStdString(), arrived).ok; }, 5000));
    EXPECT_EQ(arrived, sent);
    closeProgress();
}

TEST_F(TransferWindowsTest, DesksetGoingSilentEndsWithDisconnectedAndCancel)
{
    startSimulator({"--stop-after", "20"});
    start();
    run(cmd::kDownload);
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(progress()->textLine()->text(), ttext::kDisconnected);
    EXPECT_EQ(progress()->button()->text(), "Cancel");
    EXPECT_EQ(frame()->statusText(), ttext::kLinkLost);
    // The blocks went to the receive buffer: the open database is still a new one.
    db::Image fresh{};
    db::newDatabase(fresh);
    EXPECT_EQ(db::theImage(), fresh);
    closeProgress();
}

TEST_F(TransferWindowsTest, MissingEndMessageEndsWithCommunicationErrorAndCancel)
{
    startSimulator({"--no-end"});
    start();
    run(cmd::kDownload);
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(progress()->textLine()->text(), ttext::kCommunicationError);
    EXPECT_EQ(progress()->button()->text(), "Cancel");
    EXPECT_EQ(progress()->position(), TransferProgressDlg::kRange);
    closeProgress();
    EXPECT_FALSE(frame()->transferSession().downloadPending());
}

TEST_F(TransferWindowsTest, DeclinedCloseQuestionAtDownloadStartKeepsTheDatabase)
{
    startSimulator();
    start();
    run(cmd::kNewDatabase);
    db::theImage()[db::deskset::kMuteTimer] = 12;
    boxes_.expect(text::kCloseQuestion, MsgAnswer::Cancel);
    run(cmd::kDownload);
    ASSERT_TRUE(QTest::qWaitFor([this] { return boxes_.allAnswered(); }, kSessionLimitMs));
    settle();
    EXPECT_EQ(db::theImage()[db::deskset::kMuteTimer], 12);
    EXPECT_EQ(progress(), nullptr);
}

} // namespace
} // namespace trv::app::test

// ---- Safe uploads (Options menu) and the communication log --------------------------------------

namespace trv::app::test {
namespace {

namespace safe = transfer::text::safe;

class SafeUploadTest : public TransferWindowsTest {
protected:
    // Ends the session whose progress window is open, as the user does, after checking its text.
    void finishStep(const QString& expectedText)
    {
        ASSERT_TRUE(waitForEnd()) << frame()->statusText().toStdString();
        EXPECT_EQ(progress()->textLine()->text(), expectedText);
        closeProgress();
    }
};

TEST_F(SafeUploadTest, ChoicesAreOffByDefaultAndRememberedInTheUserSettings)
{
    start();
    EXPECT_FALSE(frame()->action(cmd::kBackupBeforeUpload)->isChecked());
    EXPECT_FALSE(frame()->action(cmd::kVerifyAfterUpload)->isChecked());
    frame()->action(cmd::kVerifyAfterUpload)->trigger();
    EXPECT_EQ(TransferWindows::storedUploadChoices().verify, true);
    EXPECT_EQ(TransferWindows::storedUploadChoices().backup, false);
    app_.reset(); // the program ends and starts again
    start();
    EXPECT_TRUE(frame()->action(cmd::kVerifyAfterUpload)->isChecked());
    EXPECT_FALSE(frame()->action(cmd::kBackupBeforeUpload)->isChecked());
}

TEST_F(SafeUploadTest, BackupUploadAndVerifyEachRunOnTheirOwnAndTheOpenDatabaseStays)
{
    startSimulator({"--store-altered", "0x0015"}); // the deskset keeps deskset.muteTimer wrong
    const QString log = path("log.txt");
    options_.chooseLogPath = [log] { return log; };
    start();
    boxes_.expect(text::kNoCommunicationLog, MsgAnswer::Ok);
    run(cmd::kSaveCommunicationLog);
    EXPECT_FALSE(QFile::exists(log));
    frame()->action(cmd::kBackupBeforeUpload)->trigger();
    frame()->action(cmd::kVerifyAfterUpload)->trigger();
    run(cmd::kNewDatabase);
    const db::Image sent = db::theImage();

    run(cmd::kUpload);
    finishStep(QString(ttext::kDownloading) + ttext::kCompleted); // the backup
    EXPECT_EQ(db::theImage(), sent) << "the backup goes into a buffer of its own";
    EXPECT_EQ(tree()->rootLabel(), "New");
    const QStringList backups =
        QDir(TransferWindows::backupFolder()).entryList({"New-backup-*.ddb"}, QDir::Files);
    ASSERT_EQ(backups.size(), 1);
    db::Image backup{};
    ASSERT_TRUE(
        db::loadDatabase(QDir(TransferWindows::backupFolder()).filePath(backups[0]).toStdString(), backup)
            .ok);
    EXPECT_EQ(backup, source_);

    finishStep(QString(ttext::kUploading) + ttext::kCompleted);
    boxes_.expect(QString(safe::kVerifyFailed) + "\ndeskset.muteTimer: 30 s -> raw E1", MsgAnswer::Ok);
    finishStep(QString(ttext::kDownloading) + ttext::kCompleted); // the read-back
    EXPECT_TRUE(boxes_.allAnswered());
    EXPECT_EQ(db::theImage(), sent);
    EXPECT_FALSE(frame()->transferSession().linkUp());

    // Help > "Save communication log..." saves the last session: the read-back.
    run(cmd::kSaveCommunicationLog);
    QFile saved(log);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QString frames = QString::fromUtf8(saved.readAll());
    EXPECT_TRUE(frames.contains(ttext::trace::kDownloadSession));
    EXPECT_FALSE(frames.contains(ttext::trace::kUploadSession));
    EXPECT_TRUE(frames.contains("download block, offset 0x3FAC, 84 bytes"));
}

// An editor window opened while the upload connects (here after the backup step) holds values the
// image has not got: the upload is refused where its blocks would be queued, and nothing of it is
// sent. The backup already made stays saved.
TEST_F(SafeUploadTest, AnEditorOpenedWhileConnectingStopsTheUploadBeforeAnyBlock)
{
    startSimulator();
    start();
    frame()->action(cmd::kBackupBeforeUpload)->trigger();
    run(cmd::kNewDatabase);
    run(cmd::kUpload);
    finishStep(QString(ttext::kDownloading) + ttext::kCompleted); // the backup
    run(cmd::kViewDeskset);                                       // before the upload's connection is up
    ASSERT_EQ(editorCount(), 1);

    boxes_.expect(ttext::kCloseWindowsBeforeUpload, MsgAnswer::Ok);
    ASSERT_TRUE(QTest::qWaitFor([this] { return boxes_.allAnswered(); }, kSessionLimitMs));
    settle();
    const transfer::TransferSession& session = frame()->transferSession();
    EXPECT_FALSE(session.linkUp());
    EXPECT_FALSE(session.uploadPending());
    EXPECT_FALSE(session.downloadPending());
    EXPECT_EQ(frame()->statusText(), ttext::kIdlePrompt);
    EXPECT_EQ(progress(), nullptr);
    EXPECT_EQ(editorCount(), 1);
    for (const QString& received : sim_->frames("RX")) {
        const QStringList bytes = received.split(' ');
        EXPECT_FALSE(bytes.size() > 4 && bytes[0] == "04" && bytes[4] == "04")
            << "upload block " << received.toStdString();
    }
    EXPECT_EQ(QDir(TransferWindows::backupFolder()).entryList({"New-backup-*.ddb"}, QDir::Files).size(), 1);
}

} // namespace
} // namespace trv::app::test
