// The user interface of the download and upload sessions in the main window: the progress
// window, the Retry/Cancel question and messages, the status bar texts, and the database the
// download replaces. It owns the session and its link, the trace of the last session, and the
// steps of a safe upload (Options: a backup download before, a read-back after), each its own
// session whose progress window the user closes before the next step starts.
#pragma once

#include "database/Image.h"
#include "transfer/LinkTrace.h"
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

    // The Options menu's choices for Upload Database, kept in the user settings; off by default.
    struct UploadChoices {
        bool backup = false;
        bool verify = false;
    };
    static UploadChoices storedUploadChoices();
    static void storeUploadChoices(const UploadChoices& choices);
    // Where backups go: "backups" in the settings folder.
    static QString backupFolder();

    // Download Database and Upload Database, after the shell's own checks.
    void start(bool upload);
    // Help > "Save communication log...": the last session's frames to a text file.
    void saveCommunicationLog();
    const transfer::LinkTrace& trace() const { return trace_; }
    // Ends a session still running (the main window closes): progress window and link go.
    void end();

    // TransferUi
    bool askRetry(const QString& text) override;
    void showMessage(const QString& text) override;
    void setStatusText(const QString& text) override;
    void connectingStarted(int attempt, const QString& portDigit, const QString& device) override;
    void connectingEnded() override;
    void showConnectFailure(const QString& text, const QString& details) override;
    bool mayStartUpload() override;
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
    // The step of Upload Database that the session runs; Plain for everything else.
    enum class Step { Plain, Backup, Upload, Verify };

    void onProgressFinished();
    void runStep(Step step);
    void stepEnded(bool completed);
    bool intoOwnBuffer() const { return step_ == Step::Backup || step_ == Step::Verify; }

    CMainFrame& frame_;
    transfer::LinkTrace trace_;
    std::unique_ptr<transfer::TransferSession> session_;
    TransferProgressDlg* progress_ = nullptr;
    QShortcut* stopConnecting_ = nullptr; // Escape while connecting
    bool busyPointer_ = false;
    Step step_ = Step::Plain;
    UploadChoices choices_;
    db::Image ownBuffer_{}; // the backup, or the database read back
};

} // namespace trv::app
