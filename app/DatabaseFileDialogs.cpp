#include "app/DatabaseFileDialogs.h"

#include "app/DocTemplate.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace trv::app {
namespace {

QString extension()
{
    return docString(DocString::FilterExtension); // ".ddb"
}

// Shows the dialog in the folder with the file name given (none for Open); the path chosen.
QString runDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& folder, const QString& file)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(docString(DocString::FilterName));
    dialog.setDefaultSuffix(extension().mid(1));
    dialog.setDirectory(folder);
    if (!file.isEmpty())
        dialog.selectFile(file);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
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

QString askOpenPath(QWidget* parent, const QString& folder)
{
    return runDialog(parent, QFileDialog::AcceptOpen, folder, {});
}

QString askSavePath(QWidget* parent, const QString& proposed)
{
    const QFileInfo file(proposed);
    return runDialog(parent, QFileDialog::AcceptSave, file.absolutePath(), file.fileName());
}

} // namespace trv::app
