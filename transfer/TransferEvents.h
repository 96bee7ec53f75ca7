// The events that carry the library's notifications (and the transfer start) to the thread of
// the session's owner. They are posted with QCoreApplication::postEvent, so every piece of
// transfer logic runs on the user-interface thread.
#pragma once

#include <QByteArray>
#include <QEvent>

namespace trv::transfer {

inline constexpr QEvent::Type MSG_LINK_RECEIVE = static_cast<QEvent::Type>(0x80C8);
inline constexpr QEvent::Type MSG_LINK_CONNECTED = static_cast<QEvent::Type>(0x80C9);
inline constexpr QEvent::Type MSG_LINK_DISCONNECTED = static_cast<QEvent::Type>(0x80CA);
inline constexpr QEvent::Type MSG_TRANSFER_START = static_cast<QEvent::Type>(0x80CB);

// One received message. The event owns its copy of the bytes, so deleting the handled event
// frees them.
class LinkReceiveEvent : public QEvent {
public:
    explicit LinkReceiveEvent(QByteArray bytes) : QEvent(MSG_LINK_RECEIVE), bytes_(std::move(bytes)) {}
    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

enum class TransferKind { Download = 1, Upload = 2 };

class TransferStartEvent : public QEvent {
public:
    explicit TransferStartEvent(TransferKind kind) : QEvent(MSG_TRANSFER_START), kind_(kind) {}
    TransferKind kind() const { return kind_; }

private:
    TransferKind kind_;
};

} // namespace trv::transfer
