#include "app/DatabaseFileDialogs.h"

#include "app/DocTemplate.h"

#include <QFileDialog>
#include <QFileInfo>

namespace trv::app {
namespace {

// Shows the dialog in the folder with the file name given (none for Open); the path chosen.
QString runDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& folder, const QString& file)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(docString(DocString::FilterName));
    dialog.setDefaultSuffix(docString(DocString::FilterExtension).mid(1));
    dialog.setDirectory(folder);
    if (!file.isEmpty())
        dialog.selectFile(file);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace

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
