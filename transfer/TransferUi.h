// How a download or upload session speaks to its user. The application implements it with the
// progress dialog, message boxes and the status bar; trvctl implements it on the terminal.
#pragma once

#include <QString>

namespace trv::transfer {

// How the progress window's button looks when a session ends.
enum class EndButton {
    Ok,     // "Ok" shown (the deskset sent an end message)
    Cancel, // caption "Cancel", shown (link lost, watchdog)
};

class TransferUi {
public:
    virtual ~TransferUi() = default;

    // The Retry/Cancel question; true = Retry.
    virtual bool askRetry(const QString& text) = 0;
    // A message box with an exclamation icon and an OK button.
    virtual void showMessage(const QString& text) = 0;
    // The status bar's message pane.
    virtual void setStatusText(const QString& text) = 0;

    // A connection attempt is under way: attempt 1..TransferSession::kAttemptsPerSeries of a
    // series, on the port with that digit (empty: none chosen), whose device this attempt opens.
    // The user may stop the attempts (TransferSession::stopConnecting). connectingEnded(): no
    // attempt is under way any more.
    virtual void connectingStarted(int /*attempt*/, const QString& /*portDigit*/, const QString& /*device*/)
    {
    }
    virtual void connectingEnded() {}
    // The port could not be opened: a message with the text, and the details of which device it
    // was and why it failed (OpenFailureText.h).
    virtual void showConnectFailure(const QString& text, const QString& details)
    {
        showMessage(text + QLatin1Char('\n') + details);
    }

    // Upload start, before any block is queued: false when the image may not be sent as it is (the
    // application refuses while an editor window holds values not written to it yet), after telling
    // the user why. The session then ends without sending a block.
    virtual bool mayStartUpload() { return true; }
    // Every block of the upload has been handed to the library: from here a stopped session may
    // leave the deskset with part of the new database.
    virtual void uploadBlocksQueued() {}
    // TransferSession::checkDeskset(): the deskset's version and hardware replies were accepted.
    virtual void desksetConfirmed() {}
    // Download start: runs the close database request and then New. False when the user declined.
    virtual bool closeDatabaseAndStartNew() = 0;
    // Names the open database (title bar and tree root), e.g. "download.ddb".
    virtual void setDatabaseName(const QString& name) = 0;
    // After a successful download: recompute the signalling flags and refresh every tree state.
    virtual void refreshAfterDownload() = 0;

    // The progress window. progressOpen() shows it (modal, without blocking the caller) with the
    // text, range 0..16400, step 100, position 100; when the user closes it, the implementation
    // calls TransferSession::progressClosed().
    virtual void progressOpen(const QString& text) = 0;
    virtual bool progressIsOpen() const = 0;
    virtual int progressPosition() const = 0;
    virtual void progressSetPosition(int position) = 0;
    // Sets the text line (replacing it) and shows the button in the given form.
    virtual void progressEnd(const QString& text, EndButton button) = 0;
    virtual QString progressText() const = 0;
};

} // namespace trv::transfer
