#include "app/DatabasePaths.h"

#include "app/DocTemplate.h"

#include <QDir>
#include <QFileInfo>

namespace trv::app {
namespace {

QString extension()
{
    return docString(DocString::FilterExtension); // ".ddb"
}

} // namespace

QString lastDatabaseFolder(const QStringList& recentFiles)
{
    if (!recentFiles.isEmpty()) {
        const QFileInfo last(recentFiles.first());
        if (last.absoluteDir().exists())
            return last.absolutePath();
    }
    return QDir::homePath();
}

QString proposedSavePath(const QString& path, const QString& name, const QStringList& recentFiles)
{
    if (!path.isEmpty())
        return QFileInfo(path).absoluteFilePath();
    QString file = name;
    if (!file.endsWith(extension(), Qt::CaseInsensitive))
        file += extension();
    return QDir(lastDatabaseFolder(recentFiles)).filePath(file);
}

QString withDatabaseExtension(const QString& path)
{
    return QFileInfo(path).suffix().isEmpty() && !path.endsWith(QLatin1Char('.')) ? path + extension() : path;
}

} // namespace trv::app
