// Every backup of a deskset's database, from trvctl upload --backup and trv's "Backup Before
// Upload" alike: named "<name>-backup-<port>-<yyyyMMdd-HHmmss-zzz>.ddb" in its folder and put in
// place without replacing any file, so that backups of many desksets taken at the same moment
// each keep their own file.
#pragma once

#include "database/Image.h"
#include "transfer/PortTarget.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace trv::transfer {

class BackupFile {
public:
    using Clock = std::function<QDateTime()>;

    // Backups go into folder, stamped with the time the clock gives (local time by default).
    explicit BackupFile(QString folder, Clock clock = &QDateTime::currentDateTime);

    // The port's part of the name: "COM2", the device's file name ("ttyUSB0"), or
    // "tcp-HOST-PORT" (an IPv6 address without its brackets, each ':' as '-').
    static QString portPart(const PortTarget& port);
    // "<name>-backup-<port>-<yyyyMMdd-HHmmss-zzz>", where <name> is the database file's name
    // without its folder and extension.
    static QString stem(const QString& databaseName, const PortTarget& port, const QDateTime& when);

    struct Result {
        QString path;  // the backup written; empty on failure
        QString error; // why nothing was written
        bool ok() const { return !path.isEmpty(); }
    };
    // Writes the image under the stem's name, or "<stem>-2.ddb", "<stem>-3.ddb", ... when that is
    // taken, never replacing a file.
    Result write(const QString& databaseName, const PortTarget& port, const db::Image& image) const;

private:
    QString folder_;
    Clock clock_;
};

} // namespace trv::transfer
