// CModemLayer1 (Layer1 type 4): a Hayes-command modem on a serial port. Parameter text:
// "port databits parity stopbits baud INIT:<init> DIAL:<number> MODE:<letter>"; the first five
// numbers open the serial port (an inner SerialLayer1 built from the same text), MODE:A
// answers incoming calls, any other letter dials the number.
//
// Until the modem reports CONNECT, every Read runs the modem dialogue and returns no data, and
// writes are discarded (reported as written). In the idle stage a keep-alive "ATE\r" goes out
// every 3000 ms; the modem's OK starts the init string, whose OK starts dialling (or, in answer
// mode, waiting for RING). After CONNECT, reads and writes pass to the serial port, and a lost
// carrier is reported once as event 9. Replies are read as lines ending in LF (CR is dropped);
// a verbose reply is framed by two line ends, so every second line end closes a result line.
//
// Time comes from an injectable clock; the guard times of the hang-up sequence go through an
// injectable sleep, so tests can run the dialogue without waiting.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "comms/Clock.h"
#include "comms/EventQueue.h"
#include "comms/Layer1.h"
#include "comms/SerialLayer1.h"

namespace comms {

class CModemLayer1 final : public Layer1 {
public:
    using Sleep = std::function<void(uint32_t ms)>;

    enum class Stage { Idle, WaitInitOk, WaitDialResult, WaitingForRing, WaitAnswerResult, OnLine };
    enum class Reply { Ok, Ring, Error, Busy, Connect, NoAnswer, NoCarrier, NoDialtone, Other };

    static constexpr uint32_t kKeepAliveMs = 3000;
    static constexpr uint32_t kAnswerKeepAliveMs = 5000;
    static constexpr uint32_t kInitWaitMs = 3000;
    static constexpr uint32_t kCallWaitMs = 50000;
    static constexpr int kMaxUnanswered = 4; // one more unanswered keep-alive hangs up
    static constexpr size_t kMaxLine = 99;

    // The first number of params is the serial port, whose device the link settings give.
    explicit CModemLayer1(const char* params, const LinkSettings& settings = {});
    CModemLayer1(const char* params, const LinkSettings& settings, Clock& clock, Sleep sleep);
    // Same over a port built by the caller (an in-memory line for tests and the fuzz target);
    // the first five numbers of params are then not used.
    CModemLayer1(const char* params, std::unique_ptr<Layer1> port, Clock& clock, Sleep sleep);
    ~CModemLayer1() override;

    int IsAttached() override { return 1; }
    int BaudRate() override { return 9600; }
    int FreeRoom() override { return port_->FreeRoom(); }
    int BytesWaiting() override;
    int Open() override;
    void Close() override;
    int Write(const uint8_t* data, int length) override;
    int Read(uint8_t* buffer, int max) override;
    int PollFd() const override { return port_->PollFd(); }
    int MsUntilDeadline() override; // the dialogue's next keep-alive or time-out
    std::optional<OpenFailure> LastOpenFailure() const override { return port_->LastOpenFailure(); }

    static Reply Classify(std::string_view line);

    Stage CurrentStage() const { return stage_; }
    const std::string& InitString() const { return init_; }
    const std::string& Number() const { return number_; }
    bool AnswerMode() const { return answerMode_; }

private:
    void RunDialogue();
    void Collect(uint8_t byte);
    void OnReply(Reply reply);
    void OnTimers();
    void Enter(Stage stage, uint32_t waitMs);
    void ResetDialogue();
    void HangUp();
    void SendText(std::string_view text);
    bool CarrierPresent();
    void ForwardSerialEvents();

    EventQueue serialEvents_;
    NotifyQueue serialNotifications_;
    std::unique_ptr<Layer1> port_; // the serial port the modem is on
    Clock& clock_;
    Sleep sleep_;

    std::string init_;
    std::string number_;
    bool answerMode_ = false;
    bool open_ = false;

    Stage stage_ = Stage::Idle;
    uint32_t stageStart_ = 0;
    uint32_t waitMs_ = kKeepAliveMs;
    int unanswered_ = 0;

    std::string line_;
    bool lineTooLong_ = false;
    unsigned lineEnds_ = 0;
    std::vector<uint8_t> earlyData_; // bytes that followed CONNECT in the same read
    bool carrierLossReported_ = false;
};

} // namespace comms
