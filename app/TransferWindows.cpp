#include "app/TransferWindows.h"

#include "app/CDockingWnd.h"
#include "app/CMainFrame.h"
#include "app/CTRVApp.h"
#include "app/PortDiagnosis.h"
#include "app/ShellTexts.h"
#include "app/TransferProgressDlg.h"
#include "comms/SerialLayer1.h"
#include "database/SignallingFlags.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QShortcut>

#include <utility>

namespace trv::app {

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

TransferWindows::TransferWindows(CMainFrame& frame)
    : frame_(frame), session_(std::make_unique<transfer::TransferSession>(*this))
{
    if (frame_.app().options().transferPeriods)
        session_->setPeriods(*frame_.app().options().transferPeriods);
    stopConnecting_ = new QShortcut(QKeySequence(Qt::Key_Escape), &frame_);
    stopConnecting_->setEnabled(false);
    connect(stopConnecting_, &QShortcut::activated, this, [this] { session_->stopConnecting(); });
}

TransferWindows::~TransferWindows()
{
    end();
    session_.reset(); // destroys the link
}

void TransferWindows::start(bool upload)
{
    if (upload)
        session_->upload();
    else
        session_->download();
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

void TransferWindows::connectingStarted(int attempt, const QString& portDigit)
{
    const int port = portDigit.toInt();
    const QString device = port > 0 ? QString::fromStdString(comms::ComDevicePath(port))
                                    : QString::fromLatin1(text::kNoPortChosen);
    setStatusText(QString::fromLatin1(text::kConnecting)
                      .arg(QStringLiteral("COM") + portDigit, device)
                      .arg(attempt)
                      .arg(transfer::TransferSession::kAttemptsPerSeries));
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

void TransferWindows::showConnectFailure(const QString& text, const QString& portDigit)
{
    // The library only says the open failed: the device is tried again here to say why.
    QString details;
    if (const int port = portDigit.toInt(); port > 0) {
        const QString device = QString::fromStdString(comms::ComDevicePath(port));
        details = openFailureDetails(port, device, probePort(device));
    }
    platform::showMessage(text, MsgButtons::Ok, MsgIcon::Exclamation, &frame_, details);
}

bool TransferWindows::closeDatabaseAndStartNew()
{
    return frame_.newDatabase();
}

void TransferWindows::setDatabaseName(const QString& name)
{
    frame_.setDatabaseName(name, name);
}

void TransferWindows::refreshAfterDownload()
{
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
    closed->deleteLater();
    if (session_)
        session_->progressClosed();
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
