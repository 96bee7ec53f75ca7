#include "transfer/TransferSession.h"

#include "comms/SerialLayer1.h"
#include "transfer/ComPortSetting.h"
#include "transfer/CslNimb.h"
#include "transfer/LinkConfig.h"
#include "transfer/LinkTrace.h"
#include "transfer/OpenFailureText.h"
#include "transfer/ReceiveHandlers.h"
#include "transfer/TransferTexts.h"

#include <QCoreApplication>

#include <algorithm>
#include <utility>

namespace trv::transfer {

namespace {

// How each way of ending shows in the progress window.
struct EndForm {
    QLatin1StringView text;
    bool appended; // appended to the current text, else replacing it
    EndButton button;
};

QString textOf(TransferKind kind)
{
    return kind == TransferKind::Download ? text::kDownloading : text::kUploading;
}

} // namespace

void TRVDkReceiveDbVersion::run()
{
    link_.send(DesksetMessage(MessageType::Hardware));
}

void TRVDkReceiveHwConfig::run()
{
    session_.transferStart();
}

bool TransferSession::Watchdog::startOnce()
{
    if (!armed_)
        return false;
    timer.start();
    armed_ = false;
    return true;
}

void TransferSession::Reception::restart()
{
    buffer.reset();
    blocks = 0;
    startAnnounced = false;
}

TransferSession::TransferSession(TransferUi& ui, QObject* parent) : TransferSession(ui, nullptr, parent)
{
    link_ = std::make_unique<CslNimb>(this);
}

TransferSession::TransferSession(TransferUi& ui, std::unique_ptr<DesksetLink> link, QObject* parent)
    : QObject(parent), ui_(ui), link_(std::move(link)), portSource_(&ComPortSetting::portDigit),
      linkSettingsSource_(&LinkConfig::load), image_(&db::theImage()), clock_(&comms::SystemClock())
{
    // Coarse timers may fire 5 % early; these periods are part of the behaviour.
    for (QTimer* timer : {&connectRetryTimer_, &uploadProgressTimer_, &watchdog_.timer, &idleTimer_})
        timer->setTimerType(Qt::PreciseTimer);
    connectRetryTimer_.setSingleShot(true);
    watchdog_.timer.setSingleShot(true);
    idleTimer_.setSingleShot(true);
    idleTimer_.callOnTimeout(this, &TransferSession::idleExpired);
    connectRetryTimer_.callOnTimeout(this, &TransferSession::connectRetryExpired);
    uploadProgressTimer_.callOnTimeout(this, &TransferSession::uploadProgressTick);
    watchdog_.timer.callOnTimeout(this, [this] { finish(Outcome::CommunicationError); });
    setPeriods(Periods{});
}

TransferSession::~TransferSession()
{
    // The link goes first: its threads post to this object.
    link_.reset();
}

void TransferSession::setPeriods(const Periods& periods)
{
    connectRetryTimer_.setInterval(periods.connectRetry);
    uploadProgressTimer_.setInterval(periods.uploadProgress);
    watchdog_.timer.setInterval(periods.watchdog);
    idleLimit_ = periods.idle;
}

bool TransferSession::timerActive(TimerId id) const
{
    switch (id) {
    case ConnectRetryTimer:
        return connectRetryTimer_.isActive();
    case UploadProgressTimer:
        return uploadProgressTimer_.isActive();
    case CompletionWatchdog:
        return watchdog_.timer.isActive();
    case IdleTimer:
        return idleTimer_.isActive();
    }
    return false;
}

void TransferSession::setTrace(LinkTrace* trace)
{
    trace_ = trace;
    link_->setTrace(trace);
}

void TransferSession::expireTimer(TimerId id)
{
    if (!timerActive(id))
        return;
    switch (id) {
    case ConnectRetryTimer:
        connectRetryExpired(); // stops the single-shot timer itself
        return;
    case UploadProgressTimer:
        uploadProgressTick(); // a repeating timer stays active
        return;
    case CompletionWatchdog:
        watchdog_.timer.stop();
        finish(Outcome::CommunicationError);
        return;
    case IdleTimer:
        idleTimer_.stop();
        idleExpired();
        return;
    }
}

// A command replaces what is pending, so an abandoned attempt can never turn one direction into
// the other.
void TransferSession::download()
{
    pending_ = TransferKind::Download;
    if (trace_ != nullptr)
        trace_->beginSession(text::trace::kDownloadSession);
    begin();
}

void TransferSession::upload()
{
    pending_ = TransferKind::Upload;
    if (trace_ != nullptr)
        trace_->beginSession(text::trace::kUploadSession);
    begin();
}

void TransferSession::checkDeskset()
{
    pending_.reset();
    if (trace_ != nullptr)
        trace_->beginSession(text::trace::kCheckSession);
    begin();
}

void TransferSession::setTarget(const PortTarget& target)
{
    if (target.kind == PortTarget::Kind::ComPort) {
        portSource_ = [digit = QString::number(target.comPort)] { return digit; };
        linkSettingsSource_ = &LinkConfig::load;
        return;
    }
    portSource_ = [] { return QString::number(kDirectTargetPort); };
    linkSettingsSource_ = [device = target.text()] {
        comms::LinkSettings settings = LinkConfig::load();
        settings.comDevices[kDirectTargetPort] = device;
        return settings;
    };
}

void TransferSession::begin()
{
    if (phase_ == Phase::LinkUp)
        transferStart();
    else
        connectionAttempt();
}

void TransferSession::connectionAttempt()
{
    if (phase_ == Phase::LinkUp)
        return;
    link_->disconnect();
    const QString portDigit = portSource_();
    const std::string params = (portDigit + kLineSettings).toStdString();
    // Read now, not once per session: a mapping changed since the last attempt applies.
    const comms::LinkSettings settings = linkSettingsSource_();
    const int port = comms::ParseSerialSettings(params.c_str()).settings.port;
    const QString portName = ComPortSetting::kPrefix + QString::number(port);
    const QString device = QString::fromStdString(settings.ComDevice(port));
    if (link_->connectSerial(params, settings) != comms::Result::Ok) {
        endConnecting();
        pending_.reset();
        ui_.setStatusText(text::kIdlePrompt);
        ui_.showConnectFailure(text::kUnableToConnect,
                               connectFailureDetails(portName, device, link_->lastOpenFailure()));
        return;
    }
    connectRetryTimer_.start();
    phase_ = Phase::Connecting;
    ui_.connectingStarted(attempts_ + 1, portDigit, device);
}

void TransferSession::stopConnecting()
{
    if (phase_ != Phase::Connecting)
        return;
    connectRetryTimer_.stop();
    link_->disconnect();
    attempts_ = 0;
    endConnecting();
    pending_.reset();
    ui_.setStatusText(text::kIdlePrompt);
}

void TransferSession::endConnecting()
{
    if (phase_ != Phase::Connecting)
        return;
    phase_ = Phase::Idle;
    ui_.connectingEnded();
}

void TransferSession::connectRetryExpired()
{
    connectRetryTimer_.stop();
    ++attempts_;
    if (attempts_ <= kRetriesBeforeQuestion) {
        connectionAttempt();
        return;
    }
    link_->disconnect();
    attempts_ = 0;
    endConnecting();
    ui_.setStatusText(QString()); // the series has ended: no attempt is under way while the question is up
    if (ui_.askRetry(text::kRetryQuestion)) {
        connectionAttempt();
    } else {
        pending_.reset();
        ui_.setStatusText(text::kIdlePrompt);
    }
}

bool TransferSession::event(QEvent* event)
{
    switch (static_cast<int>(event->type())) {
    case MSG_LINK_RECEIVE: {
        // Messages still queued from a link this session has already closed are stale.
        if (phase_ != Phase::LinkUp)
            return true;
        noteActivity();
        const QByteArray& bytes = static_cast<LinkReceiveEvent*>(event)->bytes();
        const auto message = DesksetMessage::decode(
            std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())));
        if (message)
            dispatch(*message);
        return true;
    }
    case MSG_LINK_CONNECTED:
        linkConnected();
        return true;
    case MSG_LINK_DISCONNECTED:
        linkDisconnected();
        return true;
    case MSG_TRANSFER_START:
        openProgress(static_cast<TransferStartEvent*>(event)->kind());
        return true;
    default:
        return QObject::event(event);
    }
}

void TransferSession::linkConnected()
{
    connectRetryTimer_.stop();
    endConnecting();
    phase_ = Phase::LinkUp;
    lastWaiting_.reset();
    noteActivity();
    if (idleLimit_.count() > 0)
        idleTimer_.start(idleLimit_);
    ui_.setStatusText(text::kLinkEstablished);
    link_->send(DesksetMessage(MessageType::Version));
}

void TransferSession::linkDisconnected()
{
    // A notification that comes after the session closed the link itself must not overwrite
    // the result in the progress window.
    // A notification of a link this session has closed itself is no loss.
    if (phase_ != Phase::LinkUp)
        return;
    phase_ = Phase::Idle;
    idleTimer_.stop();
    ui_.setStatusText(text::kLinkLost);
    if (ui_.progressIsOpen())
        finish(Outcome::Disconnected);
}

void TransferSession::openProgress(TransferKind kind)
{
    if (ui_.progressIsOpen())
        return;
    ui_.progressOpen(textOf(kind));
    // Blocks that arrived while the window was on its way count as well.
    if (kind == TransferKind::Download && reception_.blocks > 1)
        advanceProgress(reception_.blocks * kProgressStep);
}

void TransferSession::dispatch(const DesksetMessage& message)
{
    switch (static_cast<MessageType>(message.type)) {
    case MessageType::Version: {
        if (message.data.size() != db::kMagic.size())
            return;
        if (!std::equal(message.data.begin(), message.data.end(), db::kMagic.begin()))
            ui_.showMessage(text::kWrongVersion);
        else
            TRVDkReceiveDbVersion(*link_).run();
        return;
    }
    case MessageType::Hardware:
        if (message.data.empty())
            return;
        if (message.data[0] != 0)
            ui_.showMessage(text::kWrongHardware);
        else
            TRVDkReceiveHwConfig(*this).run();
        return;
    case MessageType::DownloadBlock:
        downloadBlock(message);
        return;
    case MessageType::UploadBlock:
        return;
    case MessageType::UploadDone:
        endMessage(Outcome::Completed, TransferKind::Upload);
        return;
    case MessageType::UploadFailed:
        endMessage(Outcome::Incomplete, TransferKind::Upload);
        return;
    case MessageType::DownloadDone:
        downloadDone();
        return;
    case MessageType::DownloadFailed:
        endMessage(Outcome::Incomplete, TransferKind::Download);
        return;
    }
    ui_.showMessage(text::kUnknownRequest);
}

void TransferSession::transferStart()
{
    if (pending_ == TransferKind::Upload)
        uploadStart();
    else if (pending_ == TransferKind::Download)
        downloadStart();
    else
        ui_.desksetConfirmed();
}

void TransferSession::uploadStart()
{
    // Checked again here: the user may have opened an editor window while the link came up.
    if (!ui_.mayStartUpload()) {
        sessionEnd();
        ui_.setStatusText(text::kIdlePrompt);
        return;
    }
    // All blocks go to the library's send store at once; it keeps them in order.
    for (const DesksetMessage& block : uploadBlocks(*image_))
        link_->send(block);
    ui_.uploadBlocksQueued();
    lastWaiting_ = link_->messagesNotYetSent(); // what later ticks compare with
    QCoreApplication::postEvent(this, new TransferStartEvent(TransferKind::Upload));
    uploadProgressTimer_.start();
}

void TransferSession::downloadStart()
{
    if (!ui_.closeDatabaseAndStartNew())
        return;
    reception_.restart();
    link_->send(DesksetMessage(MessageType::DownloadBlock, {0}));
    ui_.setDatabaseName(text::kDownloadName);
}

void TransferSession::downloadBlock(const DesksetMessage& message)
{
    reception_.buffer.store(message.data);
    ++reception_.blocks;
    if (ui_.progressIsOpen()) {
        advanceProgress(reception_.blocks * kProgressStep);
    } else if (!reception_.startAnnounced) {
        reception_.startAnnounced = true;
        QCoreApplication::postEvent(this, new TransferStartEvent(TransferKind::Download));
    }
}

void TransferSession::downloadDone()
{
    // The image is replaced only by a complete, untouched copy of a database.
    if (!reception_.buffer.holdsImage()) {
        endMessage(Outcome::Incomplete, TransferKind::Download);
        return;
    }
    *image_ = reception_.buffer.bytes();
    endMessage(Outcome::Completed, TransferKind::Download);
    ui_.refreshAfterDownload();
}

void TransferSession::uploadProgressTick()
{
    if (!ui_.progressIsOpen())
        return;
    const std::optional<int> waiting = link_->messagesNotYetSent();
    if (!waiting)
        return;
    // A block that has left the send store shows the deskset is still taking them.
    if (lastWaiting_ && *waiting < *lastWaiting_)
        noteActivity();
    lastWaiting_ = waiting;
    advanceProgress((kBlocksPerImage - *waiting) * kProgressStep);
}

void TransferSession::advanceProgress(int position)
{
    position = std::clamp(position, 0, kProgressEnd);
    ui_.progressSetPosition(position);
    // From here the completion watchdog has the say.
    if (position == kProgressEnd && watchdog_.startOnce())
        idleTimer_.stop();
}

void TransferSession::endMessage(Outcome outcome, TransferKind kind)
{
    // An end message that comes before the window opened (before any block, or with every block
    // still ahead of the start announcement in the queue) still shows its result and the blocks
    // that did arrive.
    openProgress(kind);
    finish(outcome);
}

void TransferSession::finish(Outcome outcome)
{
    static constexpr EndForm kForms[] = {
        {text::kCompleted, true, EndButton::Ok},
        {text::kIncomplete, true, EndButton::Ok},
        {text::kDisconnected, false, EndButton::Cancel},
        {text::kCommunicationError, false, EndButton::Cancel},
        {text::kNoAnswer, false, EndButton::Cancel},
    };
    const EndForm& form = kForms[static_cast<int>(outcome)];
    const bool linkLost = outcome == Outcome::Disconnected;

    watchdog_.timer.stop();
    if (!linkLost)
        uploadProgressTimer_.stop();
    const QString endText = outcome == Outcome::NoAnswer ? noAnswerText() : QString(form.text);
    ui_.progressEnd(form.appended ? ui_.progressText() + endText : endText, form.button);
    if (linkLost)
        return; // the session ends when the user closes the progress window
    watchdog_.rearm();
    sessionEnd();
}

void TransferSession::progressClosed()
{
    sessionEnd();
}

void TransferSession::sessionEnd()
{
    connectRetryTimer_.stop();
    endConnecting();
    link_->disconnect();
    // The port is closed: the status no longer says the link is established.
    if (phase_ == Phase::LinkUp) {
        phase_ = Phase::Idle;
        ui_.setStatusText(text::kIdlePrompt);
    }
    pending_.reset();
    uploadProgressTimer_.stop();
    watchdog_.timer.stop();
    idleTimer_.stop();
    // A watchdog started before the link was lost must not stay disarmed for the next session.
    watchdog_.rearm();
}

void TransferSession::noteActivity()
{
    lastActivityMs_ = clock_->NowMs();
}

// The timer runs out at the earliest moment the limit can have passed; activity since it was
// started moves the moment on instead of restarting the timer for every message.
void TransferSession::idleExpired()
{
    if (phase_ != Phase::LinkUp || idleLimit_.count() <= 0)
        return;
    const auto quiet = std::chrono::milliseconds(clock_->NowMs() - lastActivityMs_);
    if (quiet < idleLimit_) {
        idleTimer_.start(idleLimit_ - quiet);
        return;
    }
    if (ui_.progressIsOpen()) {
        finish(Outcome::NoAnswer);
        return;
    }
    sessionEnd();
    ui_.showMessage(noAnswerText());
}

QString TransferSession::noAnswerText() const
{
    return QString(text::kNoAnswer).arg(std::chrono::duration_cast<std::chrono::seconds>(idleLimit_).count());
}

} // namespace trv::transfer
