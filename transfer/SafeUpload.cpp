#include "transfer/SafeUpload.h"

#include <QDir>
#include <QFileInfo>

namespace trv::transfer {

QString backupPath(const QString& folder, const QString& databaseName, const QDateTime& when)
{
    const QString stem = QFileInfo(databaseName).completeBaseName() + QStringLiteral("-backup-") +
                         when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QDir dir(folder);
    QString path = dir.filePath(stem + QStringLiteral(".ddb"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(QStringLiteral("%1-%2.ddb").arg(stem).arg(n));
    return path;
}

} // namespace trv::transfer
