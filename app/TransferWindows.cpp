#include "app/TransferWindows.h"

#include "app/CDockingWnd.h"
#include "app/CMainFrame.h"
#include "app/CTRVApp.h"
#include "app/DatabaseCommands.h"
#include "app/Registry.h"
#include "app/ShellTexts.h"
#include "app/TransferProgressDlg.h"
#include "database/DdbFile.h"
#include "database/SignallingFlags.h"
#include "interchange/Diff.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "transfer/BackupFile.h"
#include "transfer/ComPortSetting.h"
#include "transfer/OpenFailureText.h"
#include "transfer/SafeUpload.h"
#include "transfer/TransferTexts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <QShortcut>
#include <QTimer>

#include <utility>

namespace trv::app {

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::SettingsStore;
namespace safe = transfer::text::safe;

namespace {
constexpr const char* kBackupValue = "Backup";
constexpr const char* kVerifyValue = "Verify";
// A read-back that differs lists at most this many fields in its message.
constexpr int kDifferencesShown = 20;
} // namespace

TransferWindows::TransferWindows(CMainFrame& frame)
    : frame_(frame), session_(std::make_unique<transfer::TransferSession>(*this))
{
    if (frame_.app().options().transferPeriods)
        session_->setPeriods(*frame_.app().options().transferPeriods);
    stopConnecting_ = new QShortcut(QKeySequence(Qt::Key_Escape), &frame_);
    stopConnecting_->setEnabled(false);
    connect(stopConnecting_, &QShortcut::activated, this, [this] { session_->stopConnecting(); });
    session_->setTrace(&trace_);
}

TransferWindows::~TransferWindows()
{
    end();
    session_.reset(); // destroys the link
}

TransferWindows::UploadChoices TransferWindows::storedUploadChoices()
{
    const auto read = [](const char* name) {
        return SettingsStore::read(platform::Hive::CurrentUser, key::kUpload, name, false).toBool();
    };
    return {read(kBackupValue), read(kVerifyValue)};
}

void TransferWindows::storeUploadChoices(const UploadChoices& choices)
{
    SettingsStore::write(platform::Hive::CurrentUser, key::kUpload, kBackupValue, choices.backup);
    SettingsStore::write(platform::Hive::CurrentUser, key::kUpload, kVerifyValue, choices.verify);
}

QString TransferWindows::backupFolder()
{
    return QDir(SettingsStore::configDir()).filePath(text::kBackupFolder);
}

void TransferWindows::start(bool upload)
{
    choices_ = upload ? storedUploadChoices() : UploadChoices{};
    runStep(!upload ? Step::Plain : choices_.backup ? Step::Backup : Step::Upload);
}

void TransferWindows::runStep(Step step)
{
    step_ = step;
    // A backup and a read-back go into a buffer of their own, never into the open database.
    session_->setImage(intoOwnBuffer() ? ownBuffer_ : db::theImage());
    if (step == Step::Backup || step == Step::Verify)
        frame_.setStatusText(
            QString::fromLatin1(step == Step::Backup ? safe::kBackupStarting : safe::kVerifyStarting));
    if (step == Step::Upload)
        session_->upload();
    else
        session_->download();
}

// Runs when the user closed the progress window of a step.
void TransferWindows::stepEnded(bool completed)
{
    const Step ended = std::exchange(step_, Step::Plain);
    session_->setImage(db::theImage());
    switch (ended) {
    case Step::Plain:
        return;
    case Step::Backup: {
        if (!completed) {
            showMessage(QString::fromLatin1(safe::kBackupFailed));
            return;
        }
        const transfer::BackupFile::Result saved =
            QDir().mkpath(backupFolder())
                ? transfer::BackupFile(backupFolder())
                      .write(QString::fromStdString(frame_.app().document().title()),
                             transfer::PortTarget::com(transfer::ComPortSetting::portNumber()), ownBuffer_)
                : transfer::BackupFile::Result{{}, backupFolder()};
        if (!saved.ok()) {
            showMessage(QString::fromLatin1(safe::kBackupNotSaved).arg(saved.error));
            return;
        }
        frame_.setStatusText(QString::fromLatin1(safe::kBackupSaved).arg(saved.path));
        QTimer::singleShot(0, this, [this] { runStep(Step::Upload); });
        return;
    }
    case Step::Upload:
        if (completed && choices_.verify)
            QTimer::singleShot(0, this, [this] { runStep(Step::Verify); });
        return;
    case Step::Verify: {
        if (!completed) {
            showMessage(QString::fromLatin1(safe::kVerifyImpossible));
            return;
        }
        if (ownBuffer_ == db::theImage()) {
            frame_.setStatusText(QString::fromLatin1(safe::kVerifyPassed));
            platform::showMessage(QString::fromLatin1(safe::kVerifyPassed), MsgButtons::Ok,
                                  MsgIcon::Information, &frame_);
            return;
        }
        const QStringList lines = interchange::diffImages(db::theImage(), ownBuffer_).lines();
        QString message = QString::fromLatin1(safe::kVerifyFailed);
        for (const QString& line : lines.mid(0, kDifferencesShown))
            message += QStringLiteral("\n") + line;
        if (lines.size() > kDifferencesShown)
            message += QStringLiteral("\n...");
        showMessage(message);
        return;
    }
    }
}

void TransferWindows::saveCommunicationLog()
{
    if (trace_.isEmpty()) {
        platform::showMessage(text::kNoCommunicationLog, MsgButtons::Ok, MsgIcon::Information, &frame_);
        return;
    }
    QString path;
    if (frame_.app().options().chooseLogPath)
        path = frame_.app().options().chooseLogPath();
    else
        path = QFileDialog::getSaveFileName(&frame_, QString(), text::kLogName, text::kLogFilter);
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const QByteArray log = trace_.text().toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(log) != log.size() || !file.commit())
        showMessage(QString(text::kLogNotSaved).arg(file.errorString()));
}

void TransferWindows::end()
{
    if (progress_) {
        progress_->disconnect(this);
        delete progress_;
        progress_ = nullptr;
    }
    session_->progressClosed(); // the session's end: the link is disconnected
}

bool TransferWindows::askRetry(const QString& text)
{
    return platform::showMessage(text, MsgButtons::RetryCancel, MsgIcon::Exclamation, &frame_) ==
           MsgAnswer::Retry;
}

void TransferWindows::showMessage(const QString& text)
{
    platform::showMessage(text, MsgButtons::Ok, MsgIcon::Exclamation, &frame_);
}

void TransferWindows::setStatusText(const QString& text)
{
    frame_.setStatusText(text);
}

void TransferWindows::connectingStarted(int attempt, const QString& portDigit, const QString& device)
{
    setStatusText(transfer::connectingText(QStringLiteral("COM") + portDigit,
                                           portDigit.isEmpty() ? text::kNoPortChosen : device, attempt) +
                  text::kPressEscToStop);
    if (!std::exchange(busyPointer_, true))
        QApplication::setOverrideCursor(Qt::BusyCursor);
    stopConnecting_->setEnabled(true);
}

void TransferWindows::connectingEnded()
{
    if (std::exchange(busyPointer_, false))
        QApplication::restoreOverrideCursor();
    stopConnecting_->setEnabled(false);
}

void TransferWindows::showConnectFailure(const QString& text, const QString& details)
{
    platform::showMessage(text, MsgButtons::Ok, MsgIcon::Exclamation, &frame_, details);
}

// The shell refused the command while editor windows were open; one opened while the link came up
// holds values the image has not got yet, so the deskset would receive something other than shown.
bool TransferWindows::mayStartUpload()
{
    if (!frame_.isDatabaseOpen() || !frame_.app().document().anyEditorWindowOpen())
        return true;
    showMessage(transfer::text::kCloseWindowsBeforeUpload);
    return false;
}

bool TransferWindows::closeDatabaseAndStartNew()
{
    return intoOwnBuffer() || frame_.databaseCommands().newDatabase();
}

void TransferWindows::setDatabaseName(const QString& name)
{
    if (!intoOwnBuffer())
        frame_.setDatabaseName(name, name);
}

void TransferWindows::refreshAfterDownload()
{
    if (intoOwnBuffer())
        return;
    db::signallingFlags().recompute();
    frame_.treeWindow()->refreshAllStates();
}

void TransferWindows::progressOpen(const QString& text)
{
    // A start announcement still queued when its session has already ended (a fast link can
    // deliver every block and the end message first) must not open a window that never ends.
    if (progress_ || (!session_->downloadPending() && !session_->uploadPending()))
        return;
    progress_ = new TransferProgressDlg(text, &frame_);
    connect(progress_, &QDialog::finished, this, &TransferWindows::onProgressFinished);
    progress_->start();
}

void TransferWindows::onProgressFinished()
{
    // The window is forgotten first, so the session's end sees no progress window.
    TransferProgressDlg* closed = std::exchange(progress_, nullptr);
    const bool completed = closed->text().endsWith(QLatin1String(transfer::text::kCompleted));
    closed->deleteLater();
    if (session_) {
        session_->progressClosed();
        stepEnded(completed);
    }
}

bool TransferWindows::progressIsOpen() const
{
    return progress_ != nullptr;
}

int TransferWindows::progressPosition() const
{
    return progress_ ? progress_->position() : 0;
}

void TransferWindows::progressSetPosition(int position)
{
    if (progress_)
        progress_->setPosition(position);
}

void TransferWindows::progressEnd(const QString& text, transfer::EndButton button)
{
    if (progress_)
        progress_->end(text, button == transfer::EndButton::Cancel);
}

QString TransferWindows::progressText() const
{
    return progress_ ? progress_->text() : QString();
}

} // namespace trv::app
