// The transfer session against a fake link: the test posts the library's notifications and the
// deskset's messages as events and watches what the session sends and shows.
#include "TestSupport.h"

#include "database/NewDatabase.h"
#include "platform/MachineSettings.h"
#include "tests/support/TempConfigDir.h"
#include "transfer/ImageBlocks.h"
#include "transfer/OpenFailureText.h"
#include "transfer/TransferSession.h"
#include "transfer/TransferTexts.h"

#include <gtest/gtest.h>

using namespace trv::transfer;
using namespace trv::transfer::testing;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

namespace {

trv::db::Image desksetImage()
{
    trv::db::Image image{};
    trv::db::newDatabase(image);
    for (int i = trv::db::kHeaderSize; i < trv::db::kImageSize; ++i)
        image[i] = static_cast<std::uint8_t>((i * 31) ^ (i >> 7));
    return image;
}

// The deskset's blocks of an image: its own upload cut, sent back as type 3.
std::vector<DesksetMessage> downloadBlocks(const trv::db::Image& image)
{
    std::vector<DesksetMessage> blocks = uploadBlocks(image);
    for (auto& b : blocks)
        b.type = static_cast<std::uint8_t>(MessageType::DownloadBlock);
    return blocks;
}

class SessionTest : public ::testing::Test {
protected:
    SessionTest()
    {
        trv::db::newDatabase(image);
        newSession();
    }

    // A session of its own on a fake link of its own, in place of the last.
    void newSession()
    {
        auto fake = std::make_unique<FakeLink>();
        link = fake.get();
        session = std::make_unique<TransferSession>(ui, std::move(fake));
        session->setPeriods({20ms, 5ms, 40ms});
        session->setPortSource([] { return QStringLiteral("3"); });
        session->setImage(image);
    }

    // Delivers one message from the deskset and lets the session handle it.
    void receive(const DesksetMessage& message, bool process = true)
    {
        const Bytes bytes = message.encode();
        post(new LinkReceiveEvent(QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size()))),
             process);
    }
    void post(QEvent* event, bool process = true)
    {
        QCoreApplication::postEvent(session.get(), event);
        if (process)
            drain();
    }
    // Handles the posted events and those their handling posts.
    static void drain()
    {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    void linkComesUp() { post(new QEvent(MSG_LINK_CONNECTED)); }
    void linkGoesDown() { post(new QEvent(MSG_LINK_DISCONNECTED)); }
    void versionReply(std::string text = "VXR DESKSET V001")
    {
        receive(DesksetMessage(MessageType::Version, Bytes(text.begin(), text.end())));
    }
    void hardwareReply(std::uint8_t result) { receive(DesksetMessage(MessageType::Hardware, {result})); }

    // Command, link up, version and hardware accepted.
    void startUp(void (TransferSession::*command)())
    {
        (session.get()->*command)();
        linkComesUp();
        versionReply();
        hardwareReply(0);
    }

    const DesksetMessage& lastSent() const { return link->sent.back(); }

    trv::test::TempConfigDir config; // the settings each attempt reads
    RecordingUi ui;
    FakeLink* link = nullptr;
    std::unique_ptr<TransferSession> session;
    trv::db::Image image{};
};

} // namespace

// --- connection attempts ---

TEST_F(SessionTest, CommandMakesAConnectionAttemptOnTheStoredPort)
{
    session->download();
    EXPECT_TRUE(session->downloadPending());
    EXPECT_FALSE(session->uploadPending());
    ASSERT_EQ(link->connects.size(), 1u);
    EXPECT_EQ(link->connects[0], "3 8 0 0 19200");
    EXPECT_EQ(link->disconnects, 1); // a half-open connection is cleared first
    EXPECT_TRUE(session->timerActive(TransferSession::ConnectRetryTimer));
    EXPECT_TRUE(link->sent.empty());
}

TEST_F(SessionTest, PortThatCannotBeOpenedEndsTheAttempt)
{
    link->connectResult = comms::Result::Layer1OpenFailed;
    link->openFailure =
        comms::OpenFailure{"/dev/ttyS2", EBUSY, comms::OpenReason::InUse, {}, 4242, "minicom"};
    session->upload();
    EXPECT_EQ(ui.messages, QStringList{text::kUnableToConnect});
    // The details name the port's device and the link's reason for it.
    EXPECT_EQ(ui.connectFailureDetails,
              QStringList{"COM3 is the device /dev/ttyS2.\n/dev/ttyS2 is in use by minicom (process 4242)."});
    EXPECT_FALSE(session->timerActive(TransferSession::ConnectRetryTimer));
    EXPECT_FALSE(session->uploadPending());
    EXPECT_FALSE(session->downloadPending());
}

// Each attempt reads the machine settings afresh: a mapping changed between two attempts (here in
// the settings store, as the COM Port dialog or trvctl would) is the one the second attempt uses.
TEST_F(SessionTest, AMappingChangedBetweenTwoAttemptsIsUsedByTheSecond)
{
    qunsetenv("TRV_COM3");
    ASSERT_TRUE(trv::platform::MachineSettings::storeDevice(3, "/dev/ttyUSB4"));
    session->download();
    ASSERT_EQ(link->connectSettings.size(), 1u);
    EXPECT_EQ(link->connectSettings[0].ComDevice(3), "/dev/ttyUSB4");
    EXPECT_EQ(ui.connectingDevice, "/dev/ttyUSB4");

    ASSERT_TRUE(trv::platform::MachineSettings::storeDevice(3, "tcp://[::1]:4001"));
    session->expireTimer(TransferSession::ConnectRetryTimer);
    ASSERT_EQ(link->connectSettings.size(), 2u);
    EXPECT_EQ(link->connectSettings[1].ComDevice(3), "tcp://[::1]:4001");
    EXPECT_EQ(ui.connectingDevice, "tcp://[::1]:4001");
    session->stopConnecting();
}

TEST_F(SessionTest, SilentDesksetBringsTheQuestionAfterSixAttemptsAndRetryStartsSixMore)
{
    std::vector<std::size_t> connectsAtQuestion;
    ui.onAsk = [&] {
        connectsAtQuestion.push_back(link->connects.size());
        EXPECT_EQ(ui.statusTexts.back(), "") << "no attempt is announced while the question is up";
        EXPECT_EQ(session->attempts(), 0);
        EXPECT_FALSE(session->timerActive(TransferSession::ConnectRetryTimer));
    };
    ui.retryAnswers = {true};
    session->download();
    ASSERT_TRUE(waitUntil([&] { return ui.questions.size() == 1; }));
    EXPECT_EQ(ui.questions[0], text::kRetryQuestion);

    // Retry: a new series of six attempts, then the question again (answered Cancel).
    ASSERT_TRUE(waitUntil([&] { return ui.questions.size() == 2; }));
    EXPECT_EQ(connectsAtQuestion, (std::vector<std::size_t>{6, 12}));
    EXPECT_EQ(link->connects.size(), 12u);
    EXPECT_EQ(ui.statusTexts.back(), text::kIdlePrompt);
    EXPECT_FALSE(session->timerActive(TransferSession::ConnectRetryTimer));
    EXPECT_FALSE(session->downloadPending());
}

TEST_F(SessionTest, EachAttemptIsAnnouncedAndTheQuestionOrTheLinkEndsTheSeries)
{
    std::vector<int> announcedBeforeQuestion;
    int endsBeforeQuestion = 0;
    ui.onAsk = [&] {
        announcedBeforeQuestion = ui.connectingAttempts;
        endsBeforeQuestion = ui.connectingEnds;
    };
    ui.retryAnswers = {true};
    session->download();
    EXPECT_TRUE(session->connecting());
    EXPECT_EQ(ui.connectingPort, "3");
    ASSERT_TRUE(waitUntil([&] { return ui.questions.size() == 1; }));
    EXPECT_EQ(announcedBeforeQuestion, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(endsBeforeQuestion, 1);

    // Retry starts a new series at attempt 1; the link coming up ends it.
    EXPECT_EQ(ui.connectingAttempts.back(), 1);
    EXPECT_TRUE(session->connecting());
    linkComesUp();
    EXPECT_FALSE(session->connecting());
    EXPECT_EQ(ui.connectingEnds, 2);
}

TEST_F(SessionTest, StoppingTheAttemptsActsAsCancelInTheQuestion)
{
    session->upload();
    const int disconnects = link->disconnects;
    session->stopConnecting();
    EXPECT_FALSE(session->connecting());
    EXPECT_FALSE(session->uploadPending());
    EXPECT_FALSE(session->timerActive(TransferSession::ConnectRetryTimer));
    EXPECT_EQ(link->disconnects, disconnects + 1);
    EXPECT_EQ(session->attempts(), 0);
    EXPECT_EQ(ui.statusTexts.back(), text::kIdlePrompt);
    EXPECT_EQ(ui.connectingEnds, 1);
    session->stopConnecting(); // nothing under way: nothing happens
    EXPECT_EQ(ui.connectingEnds, 1);
}

TEST_F(SessionTest, AClosedPortBringsTheIdlePromptBack)
{
    startUp(&TransferSession::upload);
    ASSERT_EQ(ui.statusTexts.back(), text::kLinkEstablished);
    receive(DesksetMessage(MessageType::UploadDone));
    EXPECT_EQ(ui.statusTexts.back(), text::kIdlePrompt);
    linkGoesDown(); // the notification of the port the session closed itself
    EXPECT_EQ(ui.statusTexts.back(), text::kIdlePrompt);
}

TEST_F(SessionTest, QuestionTextIsExact)
{
    EXPECT_EQ(QString(text::kRetryQuestion),
              "TRV is presently unable to establish connection with the deskset.\n\nPlease verify the "
              "following:\n1) Do you have the right COM port set in the TRV for your computer?\n2) Is the "
              "cable properly connected between computer and deskset?\n3) Is the deskset in the "
              "configuration mode? If not, simultaneously press \nand hold the Main Transmit, Speaker and "
              "* buttons until the Busy and \nTransmit LEDs blink, then release. The display should briefly "
              "show \n\"entering configuration mode\".\n\nDo you want TRV to automatically retry to connect "
              "with the deskset?");
}

TEST_F(SessionTest, LinkUpStopsTheRetriesAndAsksForTheVersion)
{
    session->download();
    linkComesUp();
    EXPECT_TRUE(session->linkUp());
    EXPECT_FALSE(session->timerActive(TransferSession::ConnectRetryTimer));
    EXPECT_EQ(ui.statusTexts.back(), text::kLinkEstablished);
    ASSERT_EQ(link->sent.size(), 1u);
    EXPECT_EQ(lastSent().encode(), (Bytes{0x01, 0x01}));
}

// --- start-up exchange ---

TEST_F(SessionTest, VersionReplyOfWrongLengthIsIgnored)
{
    session->download();
    linkComesUp();
    versionReply("VXR DESKSET V00");
    versionReply("VXR DESKSET V0012");
    EXPECT_EQ(link->sent.size(), 1u);
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(SessionTest, WrongVersionStopsTheExchangeButKeepsTheLink)
{
    session->download();
    linkComesUp();
    versionReply("VXR DESKSET V002");
    EXPECT_EQ(ui.messages, QStringList{text::kWrongVersion});
    EXPECT_EQ(link->sent.size(), 1u);
    EXPECT_TRUE(session->linkUp());

    // A later command skips the connection and starts at once.
    const int connects = int(link->connects.size());
    session->upload();
    EXPECT_EQ(int(link->connects.size()), connects);
    EXPECT_EQ(link->sent.size(), 1u + kBlocksPerImage);
}

TEST_F(SessionTest, RightVersionAsksForTheHardwareCheck)
{
    session->download();
    linkComesUp();
    versionReply();
    ASSERT_EQ(link->sent.size(), 2u);
    EXPECT_EQ(lastSent().encode(), (Bytes{0x01, 0x02}));
}

TEST_F(SessionTest, HardwareReplyDecides)
{
    session->download();
    linkComesUp();
    versionReply();
    receive(DesksetMessage(MessageType::Hardware)); // no data: ignored
    EXPECT_EQ(link->sent.size(), 2u);
    hardwareReply(1);
    EXPECT_EQ(ui.messages, QStringList{text::kWrongHardware});
    EXPECT_EQ(link->sent.size(), 2u);
    EXPECT_EQ(ui.closeRequests, 0);

    hardwareReply(0);
    EXPECT_EQ(ui.closeRequests, 1);
    EXPECT_EQ(lastSent().encode(), (Bytes{0x02, 0x03, 0x00}));
    EXPECT_EQ(ui.databaseName, text::kDownloadName);
}

TEST_F(SessionTest, DecliningTheCloseQuestionSendsNothingMore)
{
    ui.acceptClose = false;
    startUp(&TransferSession::download);
    EXPECT_EQ(ui.closeRequests, 1);
    EXPECT_EQ(link->sent.size(), 2u);
    EXPECT_TRUE(ui.databaseName.isEmpty());
    EXPECT_FALSE(ui.open);
}

TEST_F(SessionTest, UnknownTypeIsReportedAndType4Ignored)
{
    session->download();
    linkComesUp();
    receive(DesksetMessage(9));
    EXPECT_EQ(ui.messages, QStringList{text::kUnknownRequest});
    receive(DesksetMessage(MessageType::UploadBlock, {1, 2, 3}));
    receive(DesksetMessage(0xFF));
    EXPECT_EQ(ui.messages, (QStringList{text::kUnknownRequest, text::kUnknownRequest}));
}

// --- pending flags ---

TEST_F(SessionTest, StaleUploadFlagNeverTurnsADownloadIntoAnUpload)
{
    session->upload();
    session->download(); // before the link came up
    linkComesUp();
    versionReply();
    hardwareReply(0);
    EXPECT_EQ(lastSent().encode(), (Bytes{0x02, 0x03, 0x00}));
    EXPECT_EQ(link->sent.size(), 3u);
}

// However an upload's connection attempts are given up, nothing of it stays pending: the next
// download downloads.
TEST_F(SessionTest, ADownloadAfterAGivenUpUploadDownloads)
{
    struct Case {
        const char* name;
        comms::Result connect; // what the upload's Connect gives
        std::function<void()> giveUp;
    };
    const std::vector<Case> cases = {
        {"attempts stopped", comms::Result::Ok, [&] { session->stopConnecting(); }},
        {"question cancelled", comms::Result::Ok,
         [&] {
             for (int i = 0; i < TransferSession::kAttemptsPerSeries; ++i)
                 session->expireTimer(TransferSession::ConnectRetryTimer);
             EXPECT_EQ(ui.questions.size(), 1);
         }},
        {"port not opened", comms::Result::Layer1OpenFailed,
         [&] { EXPECT_EQ(ui.messages, QStringList{text::kUnableToConnect}); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui = RecordingUi{};
        newSession();
        link->connectResult = c.connect;
        session->upload();
        c.giveUp();
        link->connectResult = comms::Result::Ok;
        EXPECT_FALSE(session->connecting());
        EXPECT_FALSE(session->uploadPending());

        startUp(&TransferSession::download);
        EXPECT_EQ(ui.closeRequests, 1);
        EXPECT_EQ(link->sent.size(), 3u); // version, hardware, the download's request: no block
        EXPECT_EQ(lastSent().encode(), (Bytes{0x02, 0x03, 0x00}));
    }
}

TEST_F(SessionTest, CancelledQuestionClearsThePendingFlag)
{
    session->upload();
    ASSERT_TRUE(waitUntil([&] { return ui.questions.size() == 1; }));
    EXPECT_FALSE(session->uploadPending());
    // Even if the link now came up by itself, nothing would be uploaded.
    linkComesUp();
    versionReply();
    hardwareReply(0);
    EXPECT_EQ(link->sent.size(), 2u);
}

// --- download ---

TEST_F(SessionTest, DownloadReplacesTheImageOnType7)
{
    startUp(&TransferSession::download);
    const trv::db::Image source = desksetImage();
    const trv::db::Image before = image;
    const auto blocks = downloadBlocks(source);

    receive(blocks[0]);
    ASSERT_TRUE(ui.open);
    EXPECT_EQ(ui.text, text::kDownloading);
    EXPECT_EQ(ui.position, 100);
    for (std::size_t i = 1; i < blocks.size(); ++i) {
        receive(blocks[i]);
        EXPECT_EQ(ui.position, int(i + 1) * 100);
    }
    EXPECT_EQ(ui.position, TransferSession::kProgressEnd);
    EXPECT_TRUE(session->timerActive(TransferSession::CompletionWatchdog));
    EXPECT_FALSE(session->watchdogArmable());
    EXPECT_EQ(image, before); // nothing reaches the image before type 7

    const int disconnects = link->disconnects;
    receive(DesksetMessage(MessageType::DownloadDone));
    EXPECT_EQ(image, source);
    EXPECT_EQ(ui.text, QString(text::kDownloading) + text::kCompleted);
    EXPECT_EQ(ui.button, EndButton::Ok);
    EXPECT_EQ(ui.refreshes, 1);
    EXPECT_FALSE(session->timerActive(TransferSession::CompletionWatchdog));
    EXPECT_TRUE(session->watchdogArmable());
    EXPECT_EQ(link->disconnects, disconnects + 1);
    EXPECT_FALSE(session->linkUp());
    EXPECT_FALSE(session->downloadPending());
}

TEST_F(SessionTest, BlocksQueuedBeforeTheWindowOpensAreAllCounted)
{
    startUp(&TransferSession::download);
    const auto blocks = downloadBlocks(desksetImage());
    for (int i = 0; i < 3; ++i)
        receive(blocks[i], false);
    drain();
    ASSERT_TRUE(ui.open);
    EXPECT_EQ(ui.opens, 1);
    EXPECT_EQ(ui.position, 300);
    for (std::size_t i = 3; i < blocks.size(); ++i)
        receive(blocks[i]);
    EXPECT_EQ(ui.position, TransferSession::kProgressEnd);
    EXPECT_TRUE(session->timerActive(TransferSession::CompletionWatchdog));
}

// Counts the download start announcements delivered to the session.
class StartCounter : public QObject {
public:
    int downloadStarts = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == MSG_TRANSFER_START &&
            static_cast<TransferStartEvent*>(event)->kind() == TransferKind::Download)
            ++downloadStarts;
        return false;
    }
};

TEST_F(SessionTest, DownloadStartIsAnnouncedOncePerSession)
{
    StartCounter starts;
    session->installEventFilter(&starts);
    startUp(&TransferSession::download);
    const auto blocks = downloadBlocks(desksetImage());
    // Several blocks arrive before the window could open: one announcement.
    for (int i = 0; i < 5; ++i)
        receive(blocks[i], false);
    drain();
    EXPECT_EQ(starts.downloadStarts, 1);
    EXPECT_EQ(ui.opens, 1);
    EXPECT_EQ(ui.position, 500);

    // The session ends and its window is closed; a block left over from it announces nothing.
    linkGoesDown();
    ui.open = false;
    session->progressClosed();
    receive(blocks[5]);
    EXPECT_EQ(starts.downloadStarts, 1);
    EXPECT_FALSE(ui.open);

    // The next download announces its own start once.
    startUp(&TransferSession::download);
    for (int i = 0; i < 3; ++i)
        receive(blocks[i], false);
    drain();
    EXPECT_EQ(starts.downloadStarts, 2);
    EXPECT_EQ(ui.opens, 2);
    EXPECT_EQ(ui.position, 300);
}

TEST_F(SessionTest, IncompleteDownloadLeavesTheImageUnchanged)
{
    struct Case {
        const char* name;
        std::function<void(std::vector<DesksetMessage>&)> spoil;
    };
    const std::vector<Case> cases = {
        {"missing block", [](auto& blocks) { blocks.erase(blocks.begin() + 80); }},
        {"block beyond the buffer",
         [](auto& blocks) {
             blocks.push_back(DesksetMessage(MessageType::DownloadBlock, {0xFE, 0x3F, 0, 0, 0, 0}));
         }},
        {"wrong header", [](auto& blocks) { blocks[0].data[2] = 'W'; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingUi freshUi;
        auto fake = std::make_unique<FakeLink>();
        TransferSession s(freshUi, std::move(fake));
        trv::db::Image target{};
        trv::db::newDatabase(target);
        const trv::db::Image before = target;
        s.setImage(target);
        s.setPortSource([] { return QStringLiteral("1"); });
        s.download();
        auto deliver = [&](const DesksetMessage& m) {
            const Bytes bytes = m.encode();
            QCoreApplication::postEvent(
                &s, new LinkReceiveEvent(
                        QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size()))));
            drain();
        };
        QCoreApplication::postEvent(&s, new QEvent(MSG_LINK_CONNECTED));
        QCoreApplication::processEvents();
        deliver(DesksetMessage(MessageType::Version, Bytes(trv::db::kMagic.begin(), trv::db::kMagic.end())));
        deliver(DesksetMessage(MessageType::Hardware, {0}));

        auto blocks = downloadBlocks(desksetImage());
        c.spoil(blocks);
        for (const auto& b : blocks)
            deliver(b);
        deliver(DesksetMessage(MessageType::DownloadDone));
        EXPECT_EQ(target, before);
        EXPECT_EQ(freshUi.text, QString(text::kDownloading) + text::kIncomplete);
        EXPECT_EQ(freshUi.refreshes, 0);
        EXPECT_FALSE(s.downloadPending());
    }
}

TEST_F(SessionTest, Type8EndsTheDownloadAsIncomplete)
{
    startUp(&TransferSession::download);
    receive(downloadBlocks(desksetImage())[0]);
    receive(DesksetMessage(MessageType::DownloadFailed));
    EXPECT_EQ(ui.text, QString(text::kDownloading) + text::kIncomplete);
    EXPECT_EQ(ui.button, EndButton::Ok);
    EXPECT_FALSE(session->linkUp());
}

// A fast line can queue every block and the end message ahead of the window's start announcement.
TEST_F(SessionTest, AWholeDownloadQueuedBeforeTheWindowOpensShowsFullProgress)
{
    startUp(&TransferSession::download);
    for (const auto& b : downloadBlocks(desksetImage()))
        receive(b, false);
    receive(DesksetMessage(MessageType::DownloadDone), false);
    drain();
    EXPECT_EQ(ui.opens, 1);
    EXPECT_EQ(ui.text, QString(text::kDownloading) + text::kCompleted);
    EXPECT_EQ(ui.position, TransferSession::kProgressEnd);
    EXPECT_EQ(image, desksetImage());
}

TEST_F(SessionTest, EndMessageBeforeAnyBlockStillShowsItsResult)
{
    startUp(&TransferSession::download);
    receive(DesksetMessage(MessageType::DownloadFailed));
    EXPECT_TRUE(ui.open);
    EXPECT_EQ(ui.text, QString(text::kDownloading) + text::kIncomplete);
}

TEST_F(SessionTest, AllBlocksWithoutType7EndWithTheWatchdog)
{
    startUp(&TransferSession::download);
    const trv::db::Image before = image;
    for (const auto& b : downloadBlocks(desksetImage()))
        receive(b);
    ASSERT_TRUE(waitUntil([&] { return ui.ended; }));
    EXPECT_EQ(ui.text, text::kCommunicationError);
    EXPECT_EQ(ui.button, EndButton::Cancel);
    EXPECT_EQ(image, before);
    EXPECT_TRUE(session->watchdogArmable());
    EXPECT_FALSE(session->linkUp());
    EXPECT_FALSE(session->downloadPending());
}

TEST_F(SessionTest, LinkLostDuringDownloadWaitsForTheWindowToClose)
{
    startUp(&TransferSession::download);
    const trv::db::Image before = image;
    const auto blocks = downloadBlocks(desksetImage());
    for (int i = 0; i < 50; ++i)
        receive(blocks[i]);
    const int disconnects = link->disconnects;
    linkGoesDown();
    EXPECT_FALSE(session->linkUp());
    EXPECT_EQ(ui.statusTexts.back(), text::kLinkLost);
    EXPECT_EQ(ui.text, text::kDisconnected);
    EXPECT_EQ(ui.button, EndButton::Cancel);
    EXPECT_EQ(image, before);
    EXPECT_TRUE(session->downloadPending()); // the session ends with the window
    EXPECT_EQ(link->disconnects, disconnects);

    ui.open = false;
    session->progressClosed();
    EXPECT_EQ(link->disconnects, disconnects + 1);
    EXPECT_FALSE(session->downloadPending());
}

TEST_F(SessionTest, NotificationsOfAClosedLinkDoNotTouchTheResult)
{
    startUp(&TransferSession::download);
    const trv::db::Image source = desksetImage();
    for (const auto& b : downloadBlocks(source))
        receive(b);
    receive(DesksetMessage(MessageType::DownloadDone));
    ASSERT_EQ(ui.text, QString(text::kDownloading) + text::kCompleted);

    // Still queued when the session disconnected: a repeated end message and a link loss.
    receive(DesksetMessage(MessageType::DownloadDone));
    linkGoesDown();
    EXPECT_EQ(ui.text, QString(text::kDownloading) + text::kCompleted);
    EXPECT_EQ(ui.button, EndButton::Ok);
    EXPECT_EQ(ui.refreshes, 1);
}

TEST_F(SessionTest, LinkLostWithoutWindowOnlyChangesTheStatus)
{
    session->download();
    linkComesUp();
    linkGoesDown();
    EXPECT_FALSE(session->linkUp());
    EXPECT_EQ(ui.statusTexts.back(), text::kLinkLost);
    EXPECT_FALSE(ui.open);
}

TEST_F(SessionTest, WatchdogDisarmedByALostLinkIsArmedAgainForTheNextSession)
{
    startUp(&TransferSession::download);
    for (const auto& b : downloadBlocks(desksetImage()))
        receive(b);
    ASSERT_FALSE(session->watchdogArmable());
    linkGoesDown();
    ui.open = false;
    session->progressClosed();
    EXPECT_TRUE(session->watchdogArmable());
}

// The watchdog starts once a session: after the last block, a lost link's result stays, though
// the next tick shows the progress at its end again.
TEST_F(SessionTest, LinkLostAfterTheLastUploadBlockKeepsItsResult)
{
    session->setPeriods({1h, 1h, 1h}); // the test expires the timers itself
    startUp(&TransferSession::upload);
    ASSERT_TRUE(ui.open);
    session->expireTimer(TransferSession::UploadProgressTimer);
    ASSERT_EQ(ui.position, TransferSession::kProgressEnd);
    ASSERT_TRUE(session->timerActive(TransferSession::CompletionWatchdog));

    linkGoesDown();
    ASSERT_EQ(ui.text, text::kDisconnected);
    ASSERT_TRUE(session->timerActive(TransferSession::UploadProgressTimer));
    session->expireTimer(TransferSession::UploadProgressTimer);
    EXPECT_FALSE(session->timerActive(TransferSession::CompletionWatchdog));
    EXPECT_FALSE(session->watchdogArmable());
    EXPECT_EQ(ui.text, text::kDisconnected);
}

// --- upload ---

TEST_F(SessionTest, UploadQueuesEveryBlockAndFollowsTheSendQueue)
{
    image = desksetImage();
    link->notYetSent = kBlocksPerImage;
    startUp(&TransferSession::upload);
    ASSERT_EQ(link->sent.size(), 2u + kBlocksPerImage);
    const auto expected = uploadBlocks(image);
    for (int i = 0; i < kBlocksPerImage; ++i)
        EXPECT_EQ(link->sent[2 + i].encode(), expected[i].encode());
    EXPECT_EQ(ui.closeRequests, 0);
    EXPECT_TRUE(session->timerActive(TransferSession::UploadProgressTimer));

    ASSERT_TRUE(waitUntil([&] { return ui.open; }));
    EXPECT_EQ(ui.text, text::kUploading);
    EXPECT_EQ(ui.opens, 1);

    link->notYetSent = 100;
    ASSERT_TRUE(waitUntil([&] { return ui.position == 6400; }));
    link->notYetSent = 0;
    ASSERT_TRUE(waitUntil([&] { return ui.position == TransferSession::kProgressEnd; }));
    EXPECT_TRUE(session->timerActive(TransferSession::CompletionWatchdog));

    receive(DesksetMessage(MessageType::UploadDone));
    EXPECT_EQ(ui.text, QString(text::kUploading) + text::kCompleted);
    EXPECT_EQ(ui.button, EndButton::Ok);
    EXPECT_FALSE(session->timerActive(TransferSession::UploadProgressTimer));
    EXPECT_FALSE(session->timerActive(TransferSession::CompletionWatchdog));
    EXPECT_FALSE(session->uploadPending());
    EXPECT_FALSE(session->linkUp());
}

TEST_F(SessionTest, UploadRefusedByTheDeskset)
{
    startUp(&TransferSession::upload);
    ASSERT_TRUE(waitUntil([&] { return ui.open; }));
    receive(DesksetMessage(MessageType::UploadFailed));
    EXPECT_EQ(ui.text, QString(text::kUploading) + text::kIncomplete);
    EXPECT_FALSE(session->timerActive(TransferSession::UploadProgressTimer));
}

TEST_F(SessionTest, UploadWithoutAnswerEndsWithTheWatchdog)
{
    startUp(&TransferSession::upload);
    ASSERT_TRUE(waitUntil([&] { return ui.ended; }));
    EXPECT_EQ(ui.text, text::kCommunicationError);
    EXPECT_EQ(ui.button, EndButton::Cancel);
    EXPECT_FALSE(session->timerActive(TransferSession::UploadProgressTimer));
}

TEST_F(SessionTest, UploadProgressWaitsWhileTheLinkCannotTell)
{
    link->notYetSent = std::nullopt;
    startUp(&TransferSession::upload);
    ASSERT_TRUE(waitUntil([&] { return ui.open; }));
    const int position = ui.position;
    EXPECT_FALSE(waitUntil([&] { return ui.position != position; }, 100));
    EXPECT_FALSE(session->timerActive(TransferSession::CompletionWatchdog));
}

// --- idle time-out (trvctl's) ---

// Once the link is up the session gives up on a deskset from which, for the whole limit, no
// message has come and to which no upload block has gone; the completion watchdog, once armed,
// has the say instead. The clock is moved by hand.
TEST_F(SessionTest, IdleTimeOutEndsAQuietSessionAndYieldsToTheWatchdog)
{
    comms::ManualClock clock(1000);
    session->setClock(clock);
    session->setPeriods({20ms, 5ms, 40ms, TransferSession::kNoAnswerLimit});
    const QString noAnswer = "No answer from the deskset for 30 s.";
    // Moves the clock and lets the idle timer run out; true when the session is still up.
    const auto quietUntil = [&](std::uint32_t ms) {
        clock.Set(ms);
        session->expireTimer(TransferSession::IdleTimer);
        return session->linkUp();
    };

    // A version answer of 15 bytes is ignored; it is news all the same.
    session->download();
    linkComesUp();
    EXPECT_TRUE(session->timerActive(TransferSession::IdleTimer));
    clock.Set(5000);
    versionReply("VXR DESKSET V00");
    EXPECT_TRUE(quietUntil(34999));
    EXPECT_FALSE(quietUntil(35000));
    EXPECT_EQ(ui.messages, QStringList{noAnswer});
    EXPECT_FALSE(session->downloadPending());
    EXPECT_FALSE(session->timerActive(TransferSession::IdleTimer));

    // A download that stops half way: each block moves the limit on, the window shows the end.
    startUp(&TransferSession::download);
    const auto blocks = downloadBlocks(desksetImage());
    for (int i = 0; i < 50; ++i) {
        clock.Set(40000 + i * 1000);
        receive(blocks[i]);
    }
    EXPECT_TRUE(quietUntil(89000 + 29999)); // the last block came at 89 s
    EXPECT_FALSE(quietUntil(89000 + 30000));
    EXPECT_EQ(ui.text, noAnswer);
    EXPECT_EQ(ui.button, EndButton::Cancel);

    // An upload: a block that leaves the send store is news; once all have left, the watchdog rules.
    ui.open = false;
    link->notYetSent = kBlocksPerImage;
    clock.Set(200000);
    startUp(&TransferSession::upload);
    ASSERT_TRUE(waitUntil([&] { return ui.open; }));
    clock.Set(220000);
    link->notYetSent = 100;
    ASSERT_TRUE(waitUntil([&] { return ui.position == 6400; }));
    EXPECT_TRUE(quietUntil(249999));
    link->notYetSent = 0;
    ASSERT_TRUE(waitUntil([&] { return ui.position == TransferSession::kProgressEnd; }));
    EXPECT_TRUE(session->timerActive(TransferSession::CompletionWatchdog));
    EXPECT_FALSE(session->timerActive(TransferSession::IdleTimer));
    ASSERT_TRUE(waitUntil([&] { return ui.ended; }));
    EXPECT_EQ(ui.text, text::kCommunicationError);
}
