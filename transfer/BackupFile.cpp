#include "transfer/BackupFile.h"

#include "database/DdbFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <string>
#include <utility>

namespace trv::transfer {

namespace {
constexpr const char* kStamp = "yyyyMMdd-HHmmss-zzz";
constexpr const char* kBackupInfix = "-backup-";
constexpr const char* kTcpPrefix = "tcp-";
constexpr const char* kExtension = ".ddb";
} // namespace

BackupFile::BackupFile(QString folder, Clock clock) : folder_(std::move(folder)), clock_(std::move(clock))
{
}

QString BackupFile::portPart(const PortTarget& port)
{
    switch (port.kind) {
    case PortTarget::Kind::ComPort:
        return QString::fromStdString(port.text());
    case PortTarget::Kind::Device:
        return QFileInfo(QString::fromStdString(port.device)).fileName();
    case PortTarget::Kind::Tcp:
        return QString::fromLatin1(kTcpPrefix) +
               QString::fromStdString(port.host).replace(QLatin1Char(':'), QLatin1Char('-')) +
               QLatin1Char('-') + QString::number(port.tcpPort);
    }
    return {};
}

QString BackupFile::stem(const QString& databaseName, const PortTarget& port, const QDateTime& when)
{
    return QFileInfo(databaseName).completeBaseName() + QLatin1String(kBackupInfix) + portPart(port) +
           QLatin1Char('-') + when.toString(QLatin1String(kStamp));
}

BackupFile::Result BackupFile::write(const QString& databaseName, const PortTarget& port,
                                     const db::Image& image) const
{
    const QString base = QDir(folder_).filePath(stem(databaseName, port, clock_()));
    const auto candidate = [&base](int attempt) {
        const QString name =
            attempt == 1 ? base + QLatin1String(kExtension)
                         : QStringLiteral("%1-%2%3").arg(base).arg(attempt).arg(QLatin1String(kExtension));
        return QFile::encodeName(name).toStdString();
    };
    std::string placed;
    const db::FileResult saved = db::saveDatabaseAsNew(candidate, image, placed);
    if (!saved.ok)
        return {{}, QString::fromStdString(saved.message)};
    return {QFile::decodeName(placed.c_str()), {}};
}

} // namespace trv::transfer
