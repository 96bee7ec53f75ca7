#include "comms/CModemLayer1.h"

#include <poll.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <thread>

#include "comms/FdIo.h"
#include "comms/Trace.h"
#include "comms/TransportCodes.h"
#include "comms/TransportTexts.h"

namespace comms {
namespace {

constexpr int kParamFields = 8;
constexpr uint32_t kPlusGapMs = 200;
constexpr uint32_t kEscapeGuardMs = 1300;
constexpr uint32_t kCloseSettleMs = 200;

struct ReplyText {
    std::string_view prefix;
    CModemLayer1::Reply reply;
};
// Checked in order; the first matching prefix classifies the line.
constexpr std::array<ReplyText, 8> kReplies{{
    {"OK", CModemLayer1::Reply::Ok},
    {"RING", CModemLayer1::Reply::Ring},
    {"ERROR", CModemLayer1::Reply::Error},
    {"BUSY", CModemLayer1::Reply::Busy},
    {"CONNECT", CModemLayer1::Reply::Connect},
    {"NO ANSWER", CModemLayer1::Reply::NoAnswer},
    {"NO CARRIER", CModemLayer1::Reply::NoCarrier},
    {"NO DIALTONE", CModemLayer1::Reply::NoDialtone},
}};

// The notify code of a reply that ends the call attempt and returns the dialogue to idle.
int FailureNotifyCode(CModemLayer1::Reply reply)
{
    switch (reply) {
    case CModemLayer1::Reply::Error:
        return kNotifyError;
    case CModemLayer1::Reply::Busy:
        return kNotifyBusy;
    case CModemLayer1::Reply::NoAnswer:
        return kNotifyNoAnswer;
    case CModemLayer1::Reply::NoCarrier:
        return kNotifyNoCarrier;
    case CModemLayer1::Reply::NoDialtone:
        return kNotifyNoDialtone;
    default:
        return kNotifyOther;
    }
}

void RealSleep(uint32_t ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

CModemLayer1::CModemLayer1(const char* params, const LinkSettings& settings)
    : CModemLayer1(params, settings, SystemClock(), RealSleep)
{
}

CModemLayer1::CModemLayer1(const char* params, const LinkSettings& settings, Clock& clock, Sleep sleep)
    : CModemLayer1(params, std::make_unique<SerialLayer1>(params, settings), clock, std::move(sleep))
{
}

CModemLayer1::CModemLayer1(const char* params, std::unique_ptr<Layer1> port, Clock& clock, Sleep sleep)
    : port_(std::move(port)), clock_(clock), sleep_(std::move(sleep))
{
    port_->AttachQueues(&serialEvents_, &serialNotifications_);
    // The serial transport's own complaint about the text is covered by ours below.
    int code = 0;
    int value = 0;
    while (serialEvents_.Take(&code, &value)) {
    }
    const auto words = SplitWords(params);
    for (size_t i = 5; i < words.size(); ++i) {
        const std::string_view word = words[i];
        if (word.starts_with("INIT:"))
            init_ = word.substr(5);
        else if (word.starts_with("DIAL:"))
            number_ = word.substr(5);
        else if (word.starts_with("MODE:"))
            answerMode_ = word.size() > 5 && word[5] == 'A';
    }
    if (words.size() < kParamFields)
        PostEvent(kEventMalformedParams);
}

CModemLayer1::~CModemLayer1()
{
    Close();
}

CModemLayer1::Reply CModemLayer1::Classify(std::string_view line)
{
    for (const auto& [prefix, reply] : kReplies)
        if (line.starts_with(prefix))
            return reply;
    return Reply::Other;
}

int CModemLayer1::Open()
{
    if (open_)
        return -1;
    const int result = port_->Open();
    ForwardSerialEvents();
    if (result != 0)
        return -1;
    open_ = true;
    line_.clear();
    lineTooLong_ = false;
    lineEnds_ = 0;
    earlyData_.clear();
    HangUp();
    ResetDialogue();
    return 0;
}

void CModemLayer1::Close()
{
    if (open_) {
        stage_ = Stage::Idle; // leave on-line mode, so the escape goes to the modem
        HangUp();
        sleep_(kCloseSettleMs);
        open_ = false;
    }
    port_->Close();
}

void CModemLayer1::HangUp()
{
    for (int plus = 0; plus < 3; ++plus) {
        if (plus > 0)
            sleep_(kPlusGapMs);
        SendText("+");
    }
    sleep_(kEscapeGuardMs);
    SendText("ATH0\r");
    Trace(texts::kModemHangUp);
}

void CModemLayer1::ResetDialogue()
{
    unanswered_ = 0;
    carrierLossReported_ = false;
    Enter(Stage::Idle, kKeepAliveMs);
}

void CModemLayer1::Enter(Stage stage, uint32_t waitMs)
{
    stage_ = stage;
    stageStart_ = clock_.NowMs();
    waitMs_ = waitMs;
}

void CModemLayer1::SendText(std::string_view text)
{
    port_->Write(reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()));
}

int CModemLayer1::BytesWaiting()
{
    if (!open_ || stage_ != Stage::OnLine)
        return 0;
    return static_cast<int>(earlyData_.size()) + port_->BytesWaiting();
}

int CModemLayer1::Read(uint8_t* buffer, int max)
{
    if (!open_ || max <= 0)
        return 0;
    if (stage_ != Stage::OnLine) {
        RunDialogue();
        return 0;
    }
    if (!carrierLossReported_ && !CarrierPresent()) {
        carrierLossReported_ = true;
        PostEvent(kEventCarrierLost);
    }
    if (!earlyData_.empty()) {
        const int count = std::min(max, static_cast<int>(earlyData_.size()));
        std::memcpy(buffer, earlyData_.data(), count);
        earlyData_.erase(earlyData_.begin(), earlyData_.begin() + count);
        return count;
    }
    return port_->Read(buffer, max);
}

int CModemLayer1::Write(const uint8_t* data, int length)
{
    if (!open_)
        return 0;
    if (stage_ != Stage::OnLine)
        return length; // no call yet: the bytes have nowhere to go
    return port_->Write(data, length);
}

int CModemLayer1::MsUntilDeadline()
{
    if (!open_ || stage_ == Stage::OnLine)
        return -1;
    const uint32_t elapsed = TicksBetween(stageStart_, clock_.NowMs());
    return elapsed >= waitMs_ ? 0 : static_cast<int>(waitMs_ - elapsed);
}

void CModemLayer1::RunDialogue()
{
    std::array<uint8_t, 256> chunk;
    int count;
    while (stage_ != Stage::OnLine &&
           (count = port_->Read(chunk.data(), static_cast<int>(chunk.size()))) > 0) {
        for (int i = 0; i < count; ++i) {
            if (stage_ == Stage::OnLine) {
                // The peer's data may follow CONNECT at once; keep it for the first on-line read.
                earlyData_.insert(earlyData_.end(), chunk.begin() + i, chunk.begin() + count);
                break;
            }
            Collect(chunk[i]);
        }
    }
    if (stage_ != Stage::OnLine)
        OnTimers();
}

void CModemLayer1::Collect(uint8_t byte)
{
    if (byte == '\r')
        return;
    if (byte == '\n') {
        const bool resultLine = ++lineEnds_ % 2 == 0;
        const bool usable = !lineTooLong_;
        const std::string line = std::move(line_);
        line_.clear();
        lineTooLong_ = false;
        if (resultLine && usable)
            OnReply(Classify(line));
        return;
    }
    if (lineTooLong_)
        return;
    if (line_.size() >= kMaxLine) {
        lineTooLong_ = true;
        line_.clear();
        return;
    }
    line_ += static_cast<char>(byte);
}

void CModemLayer1::OnReply(Reply reply)
{
    unanswered_ = 0;
    switch (reply) {
    case Reply::Ok:
        if (stage_ == Stage::Idle) {
            SendText("AT" + init_ + "\r");
            Trace(texts::kModemInit);
            Enter(Stage::WaitInitOk, kInitWaitMs);
        } else if (stage_ == Stage::WaitInitOk) {
            PostNotify(kNotifyInitOk);
            if (answerMode_) {
                Enter(Stage::WaitingForRing, kAnswerKeepAliveMs);
            } else {
                PostNotify(kNotifyDialing);
                SendText("ATD" + number_ + "\r");
                Trace(texts::kModemDialing);
                Enter(Stage::WaitDialResult, kCallWaitMs);
            }
        }
        // Otherwise it answers a keep-alive: the modem is alive, nothing else to do.
        return;
    case Reply::Ring:
        PostNotify(kNotifyRing);
        if (answerMode_) {
            PostNotify(kNotifyAnswering);
            SendText("ATA\r");
            Trace(texts::kModemAnswering);
            Enter(Stage::WaitAnswerResult, kCallWaitMs);
        }
        return;
    case Reply::Connect:
        PostNotify(kNotifyConnect);
        stage_ = Stage::OnLine;
        carrierLossReported_ = false;
        return;
    default:
        PostNotify(FailureNotifyCode(reply));
        Enter(Stage::Idle, kKeepAliveMs);
        return;
    }
}

void CModemLayer1::OnTimers()
{
    if (TicksBetween(stageStart_, clock_.NowMs()) < waitMs_)
        return;
    switch (stage_) {
    case Stage::Idle:
    case Stage::WaitingForRing:
        if (unanswered_ > kMaxUnanswered) {
            PostEvent(kEventModemSilent);
            HangUp();
            ResetDialogue();
            return;
        }
        SendText("ATE\r");
        Trace(texts::kModemHeartBeat);
        ++unanswered_;
        Enter(stage_, stage_ == Stage::Idle ? kKeepAliveMs : kAnswerKeepAliveMs);
        return;
    case Stage::WaitInitOk:
    case Stage::WaitDialResult:
    case Stage::WaitAnswerResult:
        Trace(texts::kModemTimeout);
        PostNotify(kNotifyTimeout);
        Enter(Stage::Idle, kKeepAliveMs);
        return;
    case Stage::OnLine:
        return;
    }
}

bool CModemLayer1::CarrierPresent()
{
    const int fd = port_->PollFd();
    int lines = 0;
    if (::ioctl(fd, TIOCMGET, &lines) == 0)
        return (lines & TIOCM_CD) != 0;
    // A line without modem-status signals (a pseudo-terminal) shows a lost far end as a hang-up.
    pollfd p{fd, POLLIN, 0};
    return !(::poll(&p, 1, 0) > 0 && (p.revents & POLLHUP) != 0);
}

void CModemLayer1::ForwardSerialEvents()
{
    int code = 0;
    int value = 0;
    while (serialEvents_.Take(&code, &value))
        PostEvent(code, value);
    while (serialNotifications_.Take(&code))
        PostNotify(code);
}

} // namespace comms
