// Helpers shared by the transfer tests: a user interface that records what the session shows,
// a fake link, and an event-loop wait.
#pragma once

#include "transfer/DesksetLink.h"
#include "transfer/TransferUi.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace trv::transfer::testing {

// Runs the event loop until pred holds or the limit passes; returns whether it held. The loop
// sleeps until an event comes; a 10 ms tick makes it look at pred between events.
inline bool waitUntil(const std::function<bool()>& pred, int limitMs = 10000)
{
    QDeadlineTimer deadline(limitMs);
    QTimer tick;
    tick.start(10);
    bool held = pred();
    while (!held && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        held = pred();
    }
    return held;
}

class RecordingUi : public TransferUi {
public:
    QStringList messages;
    QStringList questions;
    QStringList statusTexts;
    std::vector<int> connectingAttempts; // attempt numbers announced, in order
    QString connectingPort;
    QString connectingDevice;
    QStringList connectFailureDetails; // the details of each connection failure shown
    int connectingEnds = 0;
    std::deque<bool> retryAnswers; // answers to the Retry/Cancel question; Cancel when empty
    std::function<void()> onAsk;   // runs while the question is shown
    bool acceptClose = true;
    int closeRequests = 0;
    QString databaseName;
    int refreshes = 0;

    bool open = false;
    int opens = 0;
    QString text;
    int position = 0;
    bool ended = false;
    EndButton button = EndButton::Ok;

    bool askRetry(const QString& question) override
    {
        questions << question;
        if (onAsk)
            onAsk();
        if (retryAnswers.empty())
            return false;
        const bool retry = retryAnswers.front();
        retryAnswers.pop_front();
        return retry;
    }
    void showMessage(const QString& message) override { messages << message; }
    void setStatusText(const QString& status) override { statusTexts << status; }
    void connectingStarted(int attempt, const QString& portDigit, const QString& device) override
    {
        connectingAttempts.push_back(attempt);
        connectingPort = portDigit;
        connectingDevice = device;
    }
    void showConnectFailure(const QString& message, const QString& details) override
    {
        messages << message;
        connectFailureDetails << details;
    }
    void connectingEnded() override { ++connectingEnds; }
    bool closeDatabaseAndStartNew() override
    {
        ++closeRequests;
        return acceptClose;
    }
    void setDatabaseName(const QString& name) override { databaseName = name; }
    void refreshAfterDownload() override { ++refreshes; }

    void progressOpen(const QString& openText) override
    {
        open = true;
        ++opens;
        ended = false;
        text = openText;
        position = 100;
    }
    bool progressIsOpen() const override { return open; }
    int progressPosition() const override { return position; }
    void progressSetPosition(int newPosition) override { position = newPosition; }
    void progressEnd(const QString& endText, EndButton endButton) override
    {
        text = endText;
        button = endButton;
        ended = true;
    }
    QString progressText() const override { return text; }
};

class FakeLink : public DesksetLink {
public:
    comms::Result connectResult = comms::Result::Ok;
    std::optional<comms::OpenFailure> openFailure; // what a failed connect reports
    std::vector<std::string> connects;
    std::vector<comms::LinkSettings> connectSettings; // the settings of each connect
    int disconnects = 0;
    std::vector<DesksetMessage> sent;
    std::optional<int> notYetSent = 0;

    comms::Result connectSerial(const std::string& params, const comms::LinkSettings& settings) override
    {
        connects.push_back(params);
        connectSettings.push_back(settings);
        return connectResult;
    }
    std::optional<comms::OpenFailure> lastOpenFailure() const override
    {
        return connectResult == comms::Result::Layer1OpenFailed ? openFailure : std::nullopt;
    }
    void disconnect() override { ++disconnects; }
    comms::Result send(const DesksetMessage& message) override
    {
        sent.push_back(message);
        return comms::Result::Ok;
    }
    std::optional<int> messagesNotYetSent() const override { return notYetSent; }
};

} // namespace trv::transfer::testing
