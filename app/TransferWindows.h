// The user interface of the download and upload sessions in the main window: the progress
// window, the Retry/Cancel question and messages, the status bar texts, and the database the
// download replaces. It owns the session and its link.
#pragma once

#include "transfer/TransferSession.h"
#include "transfer/TransferUi.h"

#include <QObject>

class QShortcut;

#include <memory>

namespace trv::app {

class CMainFrame;
class TransferProgressDlg;

class TransferWindows : public QObject, public transfer::TransferUi {
    Q_OBJECT
public:
    explicit TransferWindows(CMainFrame& frame);
    ~TransferWindows() override;

    transfer::TransferSession& session() const { return *session_; }
    TransferProgressDlg* progressDialog() const { return progress_; }

    // Download Database and Upload Database, after the shell's own checks.
    void start(bool upload);
    // Ends a session still running (the main window closes): progress window and link go.
    void end();

    // TransferUi
    bool askRetry(const QString& text) override;
    void showMessage(const QString& text) override;
    void setStatusText(const QString& text) override;
    void connectingStarted(int attempt, const QString& portDigit) override;
    void connectingEnded() override;
    void showConnectFailure(const QString& text, const QString& portDigit) override;
    bool closeDatabaseAndStartNew() override;
    void setDatabaseName(const QString& name) override;
    void refreshAfterDownload() override;
    void progressOpen(const QString& text) override;
    bool progressIsOpen() const override;
    int progressPosition() const override;
    void progressSetPosition(int position) override;
    void progressEnd(const QString& text, transfer::EndButton button) override;
    QString progressText() const override;

private:
    void onProgressFinished();

    CMainFrame& frame_;
    std::unique_ptr<transfer::TransferSession> session_;
    TransferProgressDlg* progress_ = nullptr;
    QShortcut* stopConnecting_ = nullptr; // Escape while connecting
    bool busyPointer_ = false;
};

} // namespace trv::app
