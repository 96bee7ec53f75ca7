// Whole sessions over a pseudo-terminal against desksetsim: the real CslNimb, serial transport
// and frame link, with the simulator's frame log as the witness of what went over the line.
#include "Simulator.h"
#include "TestSupport.h"
#include "TrvctlRun.h"

#include "database/DdbFile.h"
#include "database/NewDatabase.h"
#include "tests/support/ComEnvironment.h"
#include "tests/support/TiedChild.h"
#include "transfer/ImageBlocks.h"
#include "transfer/TransferSession.h"
#include "transfer/TransferTexts.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace trv::transfer;
using namespace trv::transfer::testing;
using namespace std::chrono_literals;

namespace {

constexpr int kSessionLimitMs = 30000; // an upper bound only: a session takes about 2 s

trv::db::Image desksetImage()
{
    trv::db::Image image{};
    trv::db::newDatabase(image);
    for (int i = trv::db::kHeaderSize; i < trv::db::kImageSize; ++i)
        image[i] = static_cast<std::uint8_t>((i * 13) ^ (i >> 6));
    return image;
}

QString hex(const std::vector<std::uint8_t>& bytes)
{
    QStringList parts;
    for (std::uint8_t b : bytes)
        parts << QString("%1").arg(b, 2, 16, QChar('0')).toUpper();
    return parts.join(' ');
}

// The payload of a logged data frame (type 4): after type, number and length, before the CRC.
QString dataPayload(const QString& frame)
{
    const QStringList bytes = frame.split(' ');
    if (bytes.size() < 6 || bytes[0] != "04")
        return {};
    return bytes.mid(3, bytes.size() - 5).join(' ');
}

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(config_.isValid());
        qputenv("TRV_CONFIG_DIR", config_.path().toUtf8());
        source = desksetImage();
        trv::db::newDatabase(image);
    }

    // Starts the simulator with the deskset image and builds a session on its pseudo-terminal.
    void startSimulator(QStringList arguments = {})
    {
        const QString imageFile = config_.filePath("deskset.ddb");
        ASSERT_TRUE(trv::db::saveDatabase(imageFile.toStdString(), source).ok);
        sim = std::make_unique<Simulator>(DESKSETSIM_PATH, QStringList{"--image", imageFile} + arguments);
        ASSERT_TRUE(sim->ok()) << sim->errorText().toStdString();
        com1.emplace(1, sim->pty());
        session = std::make_unique<TransferSession>(ui);
        session->setPortSource([] { return QStringLiteral("1"); });
        session->setImage(image);
    }

    // What went wrong, for a failure message: the status texts and the simulator's frame log.
    std::string diagnosis() const
    {
        return ("status: " + ui.statusTexts.join(" | ") +
                "\nsimulator sent: " + QString::number(sim ? sim->frames("TX").size() : 0) +
                " frames, received: " + QString::number(sim ? sim->frames("RX").size() : 0) + " frames\n" +
                (sim ? sim->log().left(6000) : QString()))
            .toStdString();
    }

    QStringList receivedPayloads() const
    {
        QStringList payloads;
        for (const QString& frame : sim->frames("RX"))
            if (const QString p = dataPayload(frame); !p.isEmpty())
                payloads << p;
        return payloads;
    }

    QTemporaryDir config_;
    RecordingUi ui;
    std::unique_ptr<Simulator> sim;
    std::optional<trv::testsupport::ComEnvironment> com1; // COM1 stands for the simulator's terminal
    std::unique_ptr<TransferSession> session;
    trv::db::Image source{};
    trv::db::Image image{};
};

} // namespace

TEST_F(EndToEndTest, DownloadEqualsTheDesksetImage)
{
    startSimulator();
    session->download();
    ASSERT_TRUE(waitUntil([&] { return ui.ended; }, kSessionLimitMs)) << diagnosis();
    EXPECT_EQ(ui.text, QString(text::kDownloading) + text::kCompleted);
    EXPECT_EQ(ui.statusTexts.first(), text::kLinkEstablished);
    EXPECT_EQ(ui.position, TransferSession::kProgressEnd);
    EXPECT_EQ(image, source);
    EXPECT_EQ(ui.refreshes, 1);
    EXPECT_EQ(ui.databaseName, text::kDownloadName);
    EXPECT_TRUE(ui.messages.isEmpty());

    // The start-up exchange as the deskset saw it.
    const QStringList payloads = receivedPayloads();
    ASSERT_GE(payloads.size(), 3);
    EXPECT_EQ(payloads.mid(0, 3), (QStringList{"01 01", "01 02", "02 03 00"}));
}

TEST_F(EndToEndTest, DownloadThroughACorruptingLineStillCompletesIntact)
{
    startSimulator({"--corrupt-frames", "0.005", "--seed", "7"});
    session->download();
    ASSERT_TRUE(waitUntil([&] { return ui.ended; }, kSessionLimitMs)) << diagnosis();
    EXPECT_EQ(ui.text, QString(text::kDownloading) + text::kCompleted);
    EXPECT_EQ(image, source);
}

TEST_F(EndToEndTest, UploadArrivesByteForByte)
{
    image = desksetImage();
    image[0x3FFF] = 0x5A;
    const QString saved = config_.filePath("uploaded.ddb");
    startSimulator({"--save-upload", saved});
    session->upload();
    ASSERT_TRUE(waitUntil([&] { return ui.ended; }, kSessionLimitMs)) << diagnosis();
    EXPECT_EQ(ui.text, QString(text::kUploading) + text::kCompleted);

    trv::db::Image arrived{};
    ASSERT_TRUE(waitUntil([&] { return trv::db::loadDatabase(saved.toStdString(), arrived).ok; }, 5000));
    EXPECT_EQ(arrived, image);

    // The first and the last block message, exactly.
    const auto blocks = uploadBlocks(image);
    const QStringList payloads = receivedPayloads();
    const QString first = hex(blocks.front().encode());
    const QString last = hex(blocks.back().encode());
    EXPECT_TRUE(first.startsWith("67 04 00 00 56 58 52 20 44 45 53 4B 53 45 54 20 56 30 30 31"));
    EXPECT_TRUE(last.startsWith("57 04 AC 3F"));
    EXPECT_EQ(payloads.count(first), 1);
    EXPECT_EQ(payloads.count(last), 1);
    EXPECT_EQ(payloads.indexOf(first) + kBlocksPerImage - 1, payloads.indexOf(last));
}

TEST_F(EndToEndTest, UploadRefusedByTheDesksetEndsIncomplete)
{
    startSimulator({"--fail-upload"});
    session->upload();
    ASSERT_TRUE(waitUntil([&] { return ui.ended; }, kSessionLimitMs)) << diagnosis();
    EXPECT_EQ(ui.text, QString(text::kUploading) + text::kIncomplete);
}

TEST_F(EndToEndTest, StartUpChecksGiveTheirMessages)
{
    const struct {
        QStringList arguments;
        QString message;
    } cases[] = {
        {{"--version-text", "VXR DESKSET V002"}, text::kWrongVersion},
        {{"--hw-id", "1"}, text::kWrongHardware},
        {{"--unknown-type", "9"}, text::kUnknownRequest},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        ui = RecordingUi{};
        session.reset();
        startSimulator(c.arguments);
        session->download();
        ASSERT_TRUE(waitUntil([&] { return !ui.messages.isEmpty(); }, kSessionLimitMs)) << diagnosis();
        EXPECT_EQ(ui.messages.first(), c.message);
        EXPECT_TRUE(session->linkUp());
    }
}

TEST_F(EndToEndTest, SilentDesksetBringsTheQuestionAfterSixAttemptsAndRetryStartsSixMore)
{
    startSimulator({"--silent"});
    constexpr auto kRetry = 150ms;
    session->setPeriods({kRetry, 100ms, 10000ms});
    std::vector<qint64> askedAt;
    QElapsedTimer clock;
    ui.onAsk = [&] { askedAt.push_back(clock.elapsed()); };
    ui.retryAnswers = {true};
    clock.start();
    session->download();
    ASSERT_TRUE(waitUntil([&] { return ui.questions.size() == 2; }, kSessionLimitMs));
    EXPECT_EQ(ui.questions[0], text::kRetryQuestion);
    EXPECT_GE(askedAt[0], 6 * kRetry.count());
    EXPECT_GE(askedAt[1] - askedAt[0], 6 * kRetry.count());
    EXPECT_EQ(ui.statusTexts.back(), text::kIdlePrompt);
    EXPECT_FALSE(session->linkUp());
    EXPECT_FALSE(session->downloadPending());
}

TEST_F(EndToEndTest, AllBlocksButNoEndMessageEndWithTheWatchdog)
{
    startSimulator({"--no-end"});
    session->setPeriods({7000ms, 100ms, 500ms});
    const trv::db::Image before = image;
    session->download();
    ASSERT_TRUE(waitUntil([&] { return ui.ended; }, kSessionLimitMs)) << diagnosis();
    EXPECT_EQ(ui.text, text::kCommunicationError);
    EXPECT_EQ(ui.button, EndButton::Cancel);
    EXPECT_EQ(ui.position, TransferSession::kProgressEnd);
    EXPECT_EQ(image, before);
}

TEST_F(EndToEndTest, DesksetSilentMidDownloadGivesDisconnected)
{
    startSimulator({"--stop-after", "40"});
    const trv::db::Image before = image;
    session->download();
    ASSERT_TRUE(waitUntil([&] { return ui.ended; }, kSessionLimitMs)) << diagnosis();
    EXPECT_EQ(ui.text, text::kDisconnected);
    EXPECT_EQ(ui.button, EndButton::Cancel);
    EXPECT_TRUE(ui.statusTexts.contains(text::kLinkLost));
    EXPECT_EQ(image, before);
    EXPECT_FALSE(session->linkUp());
    ui.open = false;
    session->progressClosed();
    EXPECT_FALSE(session->downloadPending());
}

TEST_F(EndToEndTest, DecliningTheCloseQuestionSendsNothingMore)
{
    startSimulator();
    ui.acceptClose = false;
    const trv::db::Image before = image;
    session->download();
    ASSERT_TRUE(waitUntil([&] { return ui.closeRequests == 1; }, kSessionLimitMs)) << diagnosis();
    EXPECT_FALSE(ui.open);
    EXPECT_EQ(image, before);

    // The link stays up; an upload now goes out at once. Nothing came between the start-up
    // exchange and its first block.
    session->upload();
    ASSERT_TRUE(waitUntil([&] { return ui.ended; }, kSessionLimitMs)) << diagnosis();
    const QStringList payloads = receivedPayloads();
    ASSERT_GE(payloads.size(), 3);
    EXPECT_EQ(payloads.mid(0, 2), (QStringList{"01 01", "01 02"}));
    EXPECT_TRUE(payloads[2].startsWith("67 04 00 00")) << payloads[2].toStdString();
    EXPECT_FALSE(payloads.contains("02 03 00"));
}

// --- trvctl over the same line ---

TEST_F(EndToEndTest, TrvctlDownloadWritesTheDesksetImage)
{
    startSimulator();
    const QString out = config_.filePath("got.ddb");
    const CtlRun run = runTrvctl({"download", "--port", sim->pty(), "-o", out});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(text::kLinkEstablished));
    EXPECT_TRUE(run.out.contains(QString(text::kDownloading) + text::kCompleted)) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains("Downloading data... 100%"));
    trv::db::Image got{};
    ASSERT_TRUE(trv::db::loadDatabase(out.toStdString(), got).ok);
    EXPECT_EQ(got, source);
}

TEST_F(EndToEndTest, TrvctlUploadReportsTheDesksetsRefusal)
{
    startSimulator({"--fail-upload"});
    const QString file = config_.filePath("send.ddb");
    ASSERT_TRUE(trv::db::saveDatabase(file.toStdString(), source).ok);
    // The source image breaks the rules: --force sends it all the same.
    const CtlRun run = runTrvctl({"upload", "--port", sim->pty(), file, "--force"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QString(text::kUploading) + text::kIncomplete)) << run.err.toStdString();
    EXPECT_TRUE(run.err.endsWith("The deskset may hold an incomplete database: upload again before use.\n"));
}

TEST_F(EndToEndTest, TrvctlUsesTheStoredPortAndReportsAWrongVersion)
{
    startSimulator({"--version-text", "VXR DESKSET V000"});
    const QString file = config_.filePath("send.ddb");
    ASSERT_TRUE(trv::db::saveDatabase(file.toStdString(), source).ok);
    // COM2 stands for the simulator's pseudo-terminal through $TRV_COM2.
    const trv::testsupport::ComEnvironment com2(2, sim->pty());
    ASSERT_EQ(runTrvctl({"port", "COM2"}).exitCode, 0);
    EXPECT_EQ(runTrvctl({"port"}).out.trimmed(), "COM2");
    const CtlRun run = runTrvctl({"upload", file, "--force"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.endsWith("), attempt 1 of 6.\n" + QString(text::kWrongVersion) + "\n"))
        << run.err.toStdString();
}

TEST(Trvctl, RefusesBadPortsAndMissingSettings)
{
    QTemporaryDir config;
    qputenv("TRV_CONFIG_DIR", config.path().toUtf8());
    EXPECT_EQ(runTrvctl({"port"}).out.trimmed(), "(not set)");
    EXPECT_EQ(runTrvctl({"port", "COM5"}).exitCode, 2);
    const CtlRun noPort = runTrvctl({"download", "-o", config.filePath("x.ddb")});
    EXPECT_EQ(noPort.exitCode, 2);
    EXPECT_TRUE(noPort.err.contains("No COM port is set"));
    EXPECT_EQ(
        runTrvctl({"download", "--port", "/dev/nonexistent-tty", "-o", config.filePath("x.ddb")}).exitCode,
        3);
    EXPECT_EQ(runTrvctl({"download"}).exitCode, 2);
    EXPECT_EQ(runTrvctl({"upload", "--retries", "x", "f.ddb"}).exitCode, 2);
}
