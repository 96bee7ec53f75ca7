// Feeds a transfer session an arbitrary stream of deskset messages, link events and timer
// expiries after its start-up. Input: one byte choosing the command (bit 0: upload) and the
// record format (bit 1), then records. Format 0: [n][n bytes], each a received message; n = 0
// is a lost link. Format 1: [op][...]: op % 4 == 0: [n][n bytes] a received message; 1: the
// link is lost; 2: the link comes up; 3: timer op / 4 % 3 (connect retry, upload progress,
// watchdog) expires. Whatever arrives, the image is either left as it was or replaced by a
// whole image with the right header, and the progress stays within its range.
#include "database/NewDatabase.h"
#include "tests/transfer/TestSupport.h"
#include "transfer/TransferSession.h"

#include <QCoreApplication>

#include <cstdlib>

using namespace trv::transfer;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    if (size == 0)
        return 0;

    testing::RecordingUi ui;
    TransferSession session(ui, std::make_unique<testing::FakeLink>());
    trv::db::Image image{};
    trv::db::newDatabase(image);
    const trv::db::Image before = image;
    session.setImage(image);
    session.setPortSource([] { return QStringLiteral("1"); });

    if (data[0] & 1)
        session.upload();
    else
        session.download();
    QCoreApplication::postEvent(&session, new QEvent(MSG_LINK_CONNECTED));
    auto receive = [&](std::size_t at, std::size_t n) {
        QCoreApplication::postEvent(
            &session, new LinkReceiveEvent(QByteArray(reinterpret_cast<const char*>(data + at), int(n))));
    };
    const bool records = (data[0] & 2) != 0;
    for (std::size_t at = 1; at < size;) {
        const std::uint8_t op = records ? data[at++] : 0;
        switch (op % 4) {
        case 0: {
            const std::size_t n = at < size ? std::min<std::size_t>(data[at], size - at - 1) : 0;
            ++at;
            if (n == 0 && !records)
                QCoreApplication::postEvent(&session, new QEvent(MSG_LINK_DISCONNECTED));
            else
                receive(at, n);
            at += n;
            break;
        }
        case 1:
            QCoreApplication::postEvent(&session, new QEvent(MSG_LINK_DISCONNECTED));
            break;
        case 2:
            QCoreApplication::postEvent(&session, new QEvent(MSG_LINK_CONNECTED));
            break;
        case 3: {
            static constexpr TransferSession::TimerId kTimers[] = {TransferSession::ConnectRetryTimer,
                                                                   TransferSession::UploadProgressTimer,
                                                                   TransferSession::CompletionWatchdog};
            QCoreApplication::sendPostedEvents();
            session.expireTimer(kTimers[op / 4 % 3]);
            break;
        }
        }
        QCoreApplication::sendPostedEvents();
    }
    QCoreApplication::sendPostedEvents();

    if (image != before && !trv::db::hasMagic(image))
        std::abort();
    if (ui.position < 0 || ui.position > TransferSession::kProgressEnd)
        std::abort();
    return 0;
}
