// The serial devices present on this machine, with the adapter behind each (maker, product, serial
// number, the stable /dev/serial/by-id name) and whether this user may open it. Listed with Qt's
// serial port information classes; QtCore only, for trvctl and the COM Port dialog alike. The
// transport itself stays on termios.
#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace trv::platform {

struct SerialAdapter {
    QString device;       // "/dev/ttyUSB0"
    QString byIdPath;     // "/dev/serial/by-id/usb-...", empty when there is none
    QString manufacturer; // empty when the adapter does not say
    QString product;
    QString serialNumber;
    int vendorId = -1; // -1 when unknown
    int productId = -1;
    bool userMayOpen = false; // this user may open it for reading and writing

    // "FTDI FT232R USB UART, serial A10K1234 (0403:6001)"; empty for a plain port.
    QString adapterText() const;
};

class SerialAdapters {
public:
    using Source = std::function<QList<SerialAdapter>()>;

    static constexpr const char* kByIdFolder = "/dev/serial/by-id";

    // The devices present, sorted by device path (the system's list unless a test set a source).
    static QList<SerialAdapter> list();
    // Tests put a fake list in place; an empty function restores the system's.
    static void setSource(Source source);
    static QList<SerialAdapter> systemList();

    // The link in `folder` that resolves to `device`; empty when none does.
    static QString byIdPathOf(const QString& device, const QString& folder = QString::fromLatin1(kByIdFolder));
    // The adapter whose device (or by-id link) is `path` once links are resolved; null when none is.
    static const SerialAdapter* find(const QList<SerialAdapter>& adapters, const QString& path);
};

} // namespace trv::platform
