// The modem transport against a scripted fake modem on a pseudo-terminal: the test holds the
// master side and answers (or does not answer) the Hayes commands; time is a manual clock,
// and the hang-up guard times advance it instead of sleeping.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>

#include <atomic>
#include <memory>
#include <optional>
#include <thread>

#include "comms/CModemLayer1.h"
#include "comms/ResultCodes.h"
#include "comms/TransportCodes.h"
#include "comms/TransportTexts.h"
#include "tests/support/ComDevice.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/transports/TransportTestSupport.h"

namespace comms::test {
namespace {

using Stage = CModemLayer1::Stage;
using Reply = CModemLayer1::Reply;

constexpr const char* kHangUp = "+++ATH0\r";

// A pseudo-terminal: the transport opens the slave as its serial port, the test speaks as the
// modem on the master.
class Pty : public trv::testsupport::PseudoTerminal {
public:
    void Send(std::string_view text) const
    {
        ASSERT_EQ(::write(Master(), text.data(), text.size()), ssize_t(text.size()));
    }
    // Everything the transport wrote; waits up to waitMs for the first byte.
    std::string Take(int waitMs = 200) const
    {
        std::string text;
        char buffer[512];
        pollfd p{Master(), POLLIN, 0};
        while (::poll(&p, 1, text.empty() ? waitMs : 0) > 0) {
            const ssize_t n = ::read(Master(), buffer, sizeof buffer);
            if (n <= 0)
                break;
            text.append(buffer, static_cast<size_t>(n));
        }
        return text;
    }
};

using trv::testsupport::ComSettings;

// One modem on one fake modem, with a manual clock and recorded guard-time waits.
struct ModemRig {
    explicit ModemRig(const std::string& modeAndNumber = "DIAL:5551234 MODE:D")
        : modem(("8 8 0 0 19200 INIT:&F " + modeAndNumber).c_str(), ComSettings(8, pty.Path()), clock,
                [this](uint32_t ms) {
                    waits.push_back(ms);
                    clock.Advance(ms);
                })
    {
        modem.AttachQueues(&queues.events, &queues.notifications);
    }
    // Runs the dialogue once (a read by the link).
    int Step()
    {
        uint8_t buffer[64];
        return modem.Read(buffer, sizeof buffer);
    }
    // The fake modem says text; the dialogue runs once it has come through the terminal.
    void Feed(std::string_view text)
    {
        pty.Send(text);
        pollfd p{modem.PollFd(), POLLIN, 0};
        ::poll(&p, 1, 1000);
        Step();
    }
    void OpenAndTakeHangUp()
    {
        ASSERT_EQ(modem.Open(), 0);
        ASSERT_EQ(pty.Take(), kHangUp);
        waits.clear();
    }
    // Answers the hang-up's and the init string's OK: the modem is then dialling (or waiting).
    void ReachCall()
    {
        OpenAndTakeHangUp();
        Feed("\r\nOK\r\n");
        ASSERT_EQ(pty.Take(), "AT&F\r");
        Feed("\r\nOK\r\n");
    }

    Pty pty;
    ManualClock clock{1000};
    std::vector<uint32_t> waits;
    Queues queues;
    TraceCapture trace;
    CModemLayer1 modem;
};

TEST(ModemReplies, AreClassifiedByTheirFirstLetters)
{
    const std::pair<const char*, Reply> cases[] = {
        {"OK", Reply::Ok},
        {"RING", Reply::Ring},
        {"ERROR", Reply::Error},
        {"BUSY", Reply::Busy},
        {"CONNECT 9600", Reply::Connect},
        {"NO ANSWER", Reply::NoAnswer},
        {"NO CARRIER", Reply::NoCarrier},
        {"NO DIALTONE", Reply::NoDialtone},
        {"NO", Reply::Other},
        {"", Reply::Other},
        {"ok", Reply::Other},
        {"ATE", Reply::Other},
    };
    for (const auto& [line, reply] : cases)
        EXPECT_EQ(CModemLayer1::Classify(line), reply) << line;
}

TEST(ModemParams, AreSplitIntoInitNumberAndMode)
{
    Queues queues;
    CModemLayer1 dial("1 8 0 0 9600 INIT:&FE0 DIAL:0123,456 MODE:D");
    dial.AttachQueues(&queues.events, &queues.notifications);
    EXPECT_EQ(dial.InitString(), "&FE0");
    EXPECT_EQ(dial.Number(), "0123,456");
    EXPECT_FALSE(dial.AnswerMode());
    EXPECT_TRUE(queues.TakeEvents().empty());
    CModemLayer1 answer("1 8 0 0 9600 INIT: DIAL: MODE:A");
    EXPECT_TRUE(answer.AnswerMode());
    EXPECT_EQ(answer.BaudRate(), 9600);
    EXPECT_EQ(answer.IsAttached(), 1);
}

TEST(ModemParams, FewerThanEightFieldsReportEvent10Once)
{
    for (const char* text : {"1 8 0 0 9600 INIT:&F DIAL:1", "INIT:&F DIAL:1 MODE:A", ""}) {
        Queues queues;
        CModemLayer1 modem(text);
        modem.AttachQueues(&queues.events, &queues.notifications);
        EXPECT_EQ(queues.TakeEventCodes(), std::vector<int>{kEventMalformedParams}) << text;
    }
}

TEST(ModemOpen, APortThatCannotBeOpenedFailsWithTheSerialEvent)
{
    Queues queues;
    CModemLayer1 modem("8 8 0 0 19200 INIT:&F DIAL:1 MODE:D", ComSettings(8, "/nonexistent/tty"));
    modem.AttachQueues(&queues.events, &queues.notifications);
    EXPECT_EQ(modem.Open(), -1);
    EXPECT_EQ(queues.TakeEventCodes(), std::vector<int>{kEventPortOpenFailed});
    ASSERT_TRUE(modem.LastOpenFailure().has_value()) << "the serial port's reason is the modem's";
    EXPECT_EQ(modem.LastOpenFailure()->reason, OpenReason::NoSuchDevice);
}

TEST(ModemOpen, HangsUpWithThreeSpacedPlusesAGuardTimeAndATH0)
{
    ModemRig rig;
    ASSERT_EQ(rig.modem.Open(), 0);
    EXPECT_EQ(rig.pty.Take(), kHangUp);
    EXPECT_EQ(rig.waits, (std::vector<uint32_t>{200, 200, 1300}));
    EXPECT_EQ(rig.trace.Count(texts::kModemHangUp), 1);
    EXPECT_EQ(rig.modem.CurrentStage(), Stage::Idle);
}

TEST(ModemKeepAlive, AModemThatNeverAnswersGetsFiveKeepAlivesThenEvent12AndAHangUp)
{
    ModemRig rig;
    rig.OpenAndTakeHangUp();
    for (int keepAlive = 1; keepAlive <= 5; ++keepAlive) {
        rig.clock.Advance(2999);
        EXPECT_EQ(rig.Step(), 0);
        EXPECT_EQ(rig.pty.Take(20), "") << "early keep-alive " << keepAlive;
        rig.clock.Advance(1);
        rig.Step();
        EXPECT_EQ(rig.pty.Take(), "ATE\r") << "keep-alive " << keepAlive;
    }
    EXPECT_TRUE(rig.queues.TakeEvents().empty());
    rig.clock.Advance(3000);
    rig.Step();
    EXPECT_EQ(rig.queues.TakeEventCodes(), std::vector<int>{kEventModemSilent});
    EXPECT_EQ(rig.pty.Take(), kHangUp);
    EXPECT_EQ(rig.trace.Count(texts::kModemHeartBeat), 5);
    EXPECT_EQ(rig.trace.Count(texts::kModemHangUp), 2);
    // The dialogue starts over: the next keep-alive follows 3000 ms later.
    rig.clock.Advance(3000);
    rig.Step();
    EXPECT_EQ(rig.pty.Take(), "ATE\r");
}

TEST(ModemKeepAlive, AnyReplyResetsTheUnansweredCount)
{
    ModemRig rig;
    rig.OpenAndTakeHangUp();
    for (int round = 0; round < 8; ++round) {
        rig.clock.Advance(3000);
        rig.Step();
        ASSERT_EQ(rig.pty.Take(), "ATE\r");
        if (round == 3) {
            rig.Feed("\r\nERROR\r\n");
        }
    }
    EXPECT_TRUE(rig.queues.TakeEvents().empty());
    EXPECT_EQ(rig.queues.TakeNotifications(), std::vector<int>{kNotifyError});
}

TEST(ModemDial, OkStartsTheInitStringWhoseOkDialsAndConnectGoesOnLine)
{
    ModemRig rig;
    rig.OpenAndTakeHangUp();
    const uint8_t early[] = {1, 2, 3};
    EXPECT_EQ(rig.modem.Write(early, 3), 3); // discarded before the call
    EXPECT_EQ(rig.pty.Take(20), "");
    rig.Feed("\r\nOK\r\n");
    EXPECT_EQ(rig.pty.Take(), "AT&F\r");
    EXPECT_EQ(rig.trace.Count(texts::kModemInit), 1);
    EXPECT_EQ(rig.modem.CurrentStage(), Stage::WaitInitOk);
    rig.Feed("AT&F\r\r\nOK\r\n"); // with the command echoed
    EXPECT_EQ(rig.pty.Take(), "ATD5551234\r");
    EXPECT_EQ(rig.trace.Count(texts::kModemDialing), 1);
    EXPECT_EQ(rig.queues.TakeNotifications(), (std::vector<int>{kNotifyInitOk, kNotifyDialing}));
    EXPECT_EQ(rig.modem.BytesWaiting(), 0);

    rig.Feed("\r\nCONNECT 9600\r\nhello"); // the peer's data follows at once
    EXPECT_EQ(rig.modem.CurrentStage(), Stage::OnLine);
    EXPECT_EQ(rig.queues.TakeNotifications(), std::vector<int>{kNotifyConnect});
    EXPECT_EQ(ReadBytes(rig.modem, 5), ToBytes("hello"));
    rig.pty.Send("more");
    pollfd p{rig.modem.PollFd(), POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 1000), 1);
    EXPECT_EQ(rig.modem.BytesWaiting(), 4);
    EXPECT_EQ(ReadBytes(rig.modem, 4), ToBytes("more"));
    const Bytes out = ToBytes("to the peer");
    EXPECT_EQ(rig.modem.Write(out.data(), static_cast<int>(out.size())), static_cast<int>(out.size()));
    EXPECT_EQ(rig.pty.Take(), "to the peer");
    EXPECT_TRUE(rig.queues.TakeEvents().empty());
}

TEST(ModemDial, FailedCallsNotifyTheirCodeAndReturnToIdle)
{
    const std::pair<const char*, int> cases[] = {
        {"BUSY", kNotifyBusy},          {"NO CARRIER", kNotifyNoCarrier}, {"NO DIALTONE", kNotifyNoDialtone},
        {"NO ANSWER", kNotifyNoAnswer}, {"ERROR", kNotifyError},          {"VOICE", kNotifyOther},
    };
    for (const auto& [reply, code] : cases) {
        ModemRig rig;
        rig.ReachCall();
        ASSERT_EQ(rig.pty.Take(), "ATD5551234\r");
        rig.queues.TakeNotifications();
        rig.Feed("\r\n" + std::string(reply) + "\r\n");
        EXPECT_EQ(rig.queues.TakeNotifications(), std::vector<int>{code}) << reply;
        EXPECT_EQ(rig.modem.CurrentStage(), Stage::Idle) << reply;
    }
}

TEST(ModemDial, AnInitStringWithoutOkTimesOutWithNotify8)
{
    ModemRig rig;
    rig.OpenAndTakeHangUp();
    rig.Feed("\r\nOK\r\n");
    ASSERT_EQ(rig.pty.Take(), "AT&F\r");
    rig.clock.Advance(2999);
    rig.Step();
    EXPECT_EQ(rig.modem.CurrentStage(), Stage::WaitInitOk);
    rig.clock.Advance(1);
    rig.Step();
    EXPECT_EQ(rig.trace.Count(texts::kModemTimeout), 1);
    EXPECT_EQ(rig.queues.TakeNotifications(), std::vector<int>{kNotifyTimeout});
    EXPECT_EQ(rig.modem.CurrentStage(), Stage::Idle);
}

TEST(ModemDial, ALineLongerThan99CharactersIsDiscarded)
{
    ModemRig rig;
    rig.OpenAndTakeHangUp();
    rig.Feed("\r\nOK" + std::string(120, 'x') + "\r\n");
    EXPECT_EQ(rig.pty.Take(20), "");
    EXPECT_EQ(rig.modem.CurrentStage(), Stage::Idle);
    rig.Feed("\r\nOK\r\n");
    EXPECT_EQ(rig.pty.Take(), "AT&F\r");
}

TEST(ModemAnswer, WaitsForRingAndAnswersIt)
{
    ModemRig rig("DIAL: MODE:A");
    rig.ReachCall();
    EXPECT_EQ(rig.modem.CurrentStage(), Stage::WaitingForRing);
    EXPECT_EQ(rig.queues.TakeNotifications(), std::vector<int>{kNotifyInitOk});
    rig.clock.Advance(5000); // the waiting stage keeps the modem alive every 5000 ms
    rig.Step();
    EXPECT_EQ(rig.pty.Take(), "ATE\r");
    rig.Feed("\r\nRING\r\n");
    EXPECT_EQ(rig.pty.Take(), "ATA\r");
    EXPECT_EQ(rig.trace.Count(texts::kModemAnswering), 1);
    EXPECT_EQ(rig.queues.TakeNotifications(), (std::vector<int>{kNotifyRing, kNotifyAnswering}));
    EXPECT_EQ(rig.modem.CurrentStage(), Stage::WaitAnswerResult);
    rig.Feed("\r\nCONNECT\r\n");
    EXPECT_EQ(rig.modem.CurrentStage(), Stage::OnLine);
    EXPECT_EQ(rig.queues.TakeNotifications(), std::vector<int>{kNotifyConnect});
}

TEST(ModemAnswer, ADialingModemOnlyNotifiesARing)
{
    ModemRig rig;
    rig.OpenAndTakeHangUp();
    rig.Feed("\r\nRING\r\n");
    EXPECT_EQ(rig.queues.TakeNotifications(), std::vector<int>{kNotifyRing});
    EXPECT_EQ(rig.pty.Take(20), "");
}

TEST(ModemOnLine, ALostCarrierIsReportedOnce)
{
    ModemRig rig;
    rig.ReachCall();
    rig.Feed("\r\nCONNECT\r\n");
    ASSERT_EQ(rig.modem.CurrentStage(), Stage::OnLine);
    rig.Step();
    EXPECT_TRUE(rig.queues.TakeEvents().empty());
    rig.pty.CloseMaster(); // the far end is gone
    rig.Step();
    rig.Step();
    EXPECT_EQ(rig.queues.TakeEventCodes(), std::vector<int>{kEventCarrierLost});
}

TEST(ModemClose, LeavesTheCallHangsUpAndWaits)
{
    ModemRig rig;
    rig.ReachCall();
    rig.Feed("\r\nCONNECT\r\n");
    rig.pty.Take();
    rig.waits.clear();
    rig.modem.Close();
    EXPECT_EQ(rig.pty.Take(), kHangUp);
    EXPECT_EQ(rig.waits, (std::vector<uint32_t>{200, 200, 1300, 200}));
    EXPECT_EQ(rig.modem.Read(reinterpret_cast<uint8_t*>(rig.waits.data()), 1), 0);
}

// Two fake modems joined by a fake telephone line: each answers AT commands with OK, a dial
// rings the other one, ATA connects both, and from then on bytes pass between them.
class FakeTelephoneLine {
public:
    FakeTelephoneLine()
    {
        thread_ = std::thread([this] { Run(); });
    }
    ~FakeTelephoneLine()
    {
        stop_ = true;
        thread_.join();
    }
    const std::string& Path(int side) const { return ends_[side].pty.Path(); }

private:
    struct End {
        Pty pty;
        std::string command;
        bool online = false;
        std::string held; // data that came before the other end was on line
    };

    void Reply(End& end, std::string_view text) { end.pty.Send(text); }

    void Command(int side, std::string line)
    {
        End& end = ends_[side];
        End& other = ends_[1 - side];
        std::erase(line, '+'); // the escape sequence
        if (line.empty())
            return;
        if (line.starts_with("ATD")) {
            Reply(other, "\r\nRING\r\n");
            return; // the caller hears CONNECT once the other end answers
        }
        if (line.starts_with("ATA")) {
            end.online = other.online = true;
            Reply(end, "\r\nCONNECT 9600\r\n");
            Reply(other, "\r\nCONNECT 9600\r\n");
            return;
        }
        Reply(end, "\r\nOK\r\n");
    }

    void Run()
    {
        char buffer[512];
        while (!stop_) {
            pollfd fds[2] = {{ends_[0].pty.Master(), POLLIN, 0}, {ends_[1].pty.Master(), POLLIN, 0}};
            if (::poll(fds, 2, 10) <= 0)
                continue;
            for (int side = 0; side < 2; ++side) {
                if ((fds[side].revents & POLLIN) == 0)
                    continue;
                const ssize_t n = ::read(ends_[side].pty.Master(), buffer, sizeof buffer);
                if (n <= 0)
                    continue;
                End& end = ends_[side];
                if (end.online) {
                    ends_[1 - side].pty.Send(std::string_view(buffer, static_cast<size_t>(n)));
                    continue;
                }
                for (ssize_t i = 0; i < n; ++i) {
                    if (buffer[i] == '\r') {
                        Command(side, std::exchange(end.command, {}));
                    } else {
                        end.command += buffer[i];
                    }
                }
            }
        }
    }

    End ends_[2];
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST(ModemExchange, FiveHundredMessagesEachWayThroughTheFrameLink)
{
    FakeTelephoneLine line;
    ScaledClock modemClock(100); // keep-alives and call waits pass quickly
    const auto noGuardTime = [](uint32_t) {};
    ScaledClock clockA(4);
    ScaledClock clockB(5);
    RecordingNimb dialer(250, clockA);
    RecordingNimb answerer(250, clockB);
    ASSERT_EQ(answerer.Connect(0, nullptr,
                               std::make_unique<CModemLayer1>("9 8 0 0 19200 INIT:&F DIAL: MODE:A",
                                                              ComSettings(9, line.Path(1)), modemClock,
                                                              noGuardTime)),
              Result::Ok);
    ASSERT_EQ(
        dialer.Connect(0, nullptr,
                       std::make_unique<CModemLayer1>("8 8 0 0 19200 INIT:&F DIAL:5551234 MODE:D",
                                                      ComSettings(8, line.Path(0)), modemClock, noGuardTime)),
        Result::Ok);
    ExpectExchange(dialer, answerer);
    std::lock_guard lock(dialer.mutex);
    EXPECT_NE(std::find(dialer.notifications.begin(), dialer.notifications.end(), kNotifyConnect),
              dialer.notifications.end());
}

} // namespace
} // namespace comms::test
