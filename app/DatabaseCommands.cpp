#include "app/DatabaseCommands.h"

#include "app/DatabasePaths.h"
#include "app/DocTemplate.h"
#include "app/DocumentHolder.h"
#include "app/RecentFileList.h"
#include "app/ShellTexts.h"
#include "database/DdbFile.h"
#include "database/NewDatabase.h"
#include "database/SignallingFlags.h"

#include <QFileInfo>

namespace trv::app {
namespace {

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

QString fileNameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

QString withPath(const std::string& message, const QString& path)
{
    QString text = QString::fromStdString(message);
    return text.contains(QLatin1String("%1")) ? text.arg(path) : text;
}

} // namespace

DatabaseCommands::DatabaseCommands(DatabaseUi& ui, DocumentHolder& documents, RecentFileList& recentFiles)
    : ui_(ui), documents_(documents), recentFiles_(recentFiles)
{
}

MsgAnswer DatabaseCommands::showMessage(const QString& text, MsgButtons buttons, MsgIcon icon)
{
    return ui_.showMessage({text, buttons, icon});
}

bool DatabaseCommands::closeDatabaseRequest()
{
    proceed_ = mayCloseDatabase();
    return proceed_;
}

// The close request's questions; closes the open database when it may go.
bool DatabaseCommands::mayCloseDatabase()
{
    // Closing would take the windows from under a modal dialog's event loop (a command can still
    // arrive then, through accessibility): refused without a word, as if cancelled.
    if (ui_.modalDialogOpen())
        return false;
    if (!documents_.hasDocument())
        return true;
    db::CTRVDoc& doc = documents_.document();
    if (doc.isModified()) {
        // The document's title: the file name without its folder, or "New" before the first save.
        const QString name = doc.pathName().empty() ? QString::fromStdString(doc.title())
                                                    : fileNameOf(QString::fromStdString(doc.pathName()));
        const MsgAnswer answer =
            showMessage(QString(text::kSavePrompt).arg(name), MsgButtons::YesNoCancel, MsgIcon::Exclamation);
        // A save that fails or is cancelled counts as Cancel.
        if (answer == MsgAnswer::Cancel || (answer == MsgAnswer::Yes && !saveDatabase(false, true)))
            return false;
    } else if (showMessage(text::kCloseQuestion, MsgButtons::OkCancel, MsgIcon::Question) != MsgAnswer::Ok) {
        return false;
    }
    closeDatabase();
    return true;
}

void DatabaseCommands::closeDatabase()
{
    db::closeDatabase();
    ui_.databaseClosing();
    documents_.deleteDocument();
    ui_.documentChanged();
}

bool DatabaseCommands::newDatabase()
{
    if (!closeDatabaseRequest())
        return false;
    db::signallingFlags().clear();
    documents_.createDocument();
    db::newDatabase();
    const QString name = docString(DocString::NewName);
    ui_.databaseOpened(name, name);
    ui_.documentChanged();
    return true;
}

void DatabaseCommands::open()
{
    if (!closeDatabaseRequest())
        return;
    const QString path = ui_.chooseOpenPath(lastDatabaseFolder(recentFiles_.paths()));
    if (!path.isEmpty())
        openDatabaseFile(path);
}

bool DatabaseCommands::openNamedFile(const QString& path)
{
    if (!closeDatabaseRequest())
        return true; // the user kept the open database; the command counts as done
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    if (openDatabaseFile(fullPath))
        return true;
    recentFiles_.remove(fullPath);
    ui_.recentFilesChanged();
    return false;
}

bool DatabaseCommands::openStartupFile(const QString& path)
{
    startupOpen_ = true;
    const bool opened = openNamedFile(path);
    startupOpen_ = false;
    return opened;
}

void DatabaseCommands::openRecentFile(int index)
{
    const QStringList& paths = recentFiles_.paths();
    if (index < paths.size())
        openNamedFile(paths[index]);
}

// The open itself, from creating the document on.
bool DatabaseCommands::openDatabaseFile(const QString& path)
{
    db::CTRVDoc& doc = documents_.createDocument();
    const db::FileResult result = db::loadDatabase(path.toStdString());
    if (!result.ok) {
        // At start-up the program ends after this: the error comes alone, after the splash.
        if (startupOpen_)
            ui_.startupOpenFailed();
        if (!result.message.empty())
            showMessage(withPath(result.message, path), MsgButtons::Ok, MsgIcon::Exclamation);
        documents_.deleteDocument();
        ui_.documentChanged();
        return false;
    }
    doc.setPathName(path.toStdString());
    doc.setModified(false);
    db::signallingFlags().recompute();
    ui_.databaseOpened(path, fileNameOf(path));
    recentFiles_.add(path);
    ui_.recentFilesChanged();
    ui_.documentChanged();
    return true;
}

bool DatabaseCommands::saveDatabase(bool askForPath)
{
    return saveDatabase(askForPath, false);
}

bool DatabaseCommands::saveDatabase(bool askForPath, bool fromClosePrompt)
{
    if (!documents_.hasDocument())
        return false;
    db::CTRVDoc& doc = documents_.document();
    // Editors keep their values in their controls until their OK: saving now would lose them.
    if (!fromClosePrompt && doc.anyEditorWindowOpen()) {
        showMessage(text::kCloseWindowsToSave, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    QString path = QString::fromStdString(doc.pathName());
    if (askForPath || path.isEmpty()) {
        path = ui_.chooseSavePath(proposedSavePath(path, ui_.shownName(), recentFiles_.paths()));
        if (path.isEmpty())
            return false;
        path = QFileInfo(withDatabaseExtension(path)).absoluteFilePath();
    }
    const db::FileResult result = db::saveDatabase(path.toStdString());
    if (!result.ok) {
        showMessage(withPath(result.message, path), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    doc.setPathName(path.toStdString());
    doc.setModified(false);
    ui_.setDatabaseName(path, fileNameOf(path));
    recentFiles_.add(path);
    ui_.recentFilesChanged();
    return true;
}

} // namespace trv::app
