// Feeds a transfer session an arbitrary stream of deskset messages and link events after its
// start-up. Input: one byte choosing the command (bit 0: upload), then records [n][n bytes],
// each a received message; n = 0 is a lost link. Whatever arrives, the image is either left
// as it was or replaced by a whole image with the right header.
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
    for (std::size_t at = 1; at < size;) {
        const std::size_t n = std::min<std::size_t>(data[at], size - at - 1);
        ++at;
        if (n == 0)
            QCoreApplication::postEvent(&session, new QEvent(MSG_LINK_DISCONNECTED));
        else
            QCoreApplication::postEvent(
                &session, new LinkReceiveEvent(QByteArray(reinterpret_cast<const char*>(data + at), int(n))));
        at += n;
        QCoreApplication::sendPostedEvents();
    }
    QCoreApplication::sendPostedEvents();

    if (image != before && !trv::db::hasMagic(image))
        std::abort();
    if (ui.position < 0 || ui.position > TransferSession::kProgressEnd)
        std::abort();
    return 0;
}
