// How the database commands speak to their user and to the window that shows the database. The
// main window implements it with message boxes, the file dialogs, its menus, tree and caption.
#pragma once

#include "platform/MessageRequest.h"

#include <QString>

namespace trv::app {

class DatabaseUi {
public:
    virtual ~DatabaseUi() = default;

    // A message box; the button the user pressed.
    virtual platform::MsgAnswer showMessage(const platform::MessageRequest& request) = 0;
    // The file dialogs of Open (in the folder given) and Save As (proposing the path given); an
    // empty result means the user cancelled.
    virtual QString chooseOpenPath(const QString& folder) = 0;
    virtual QString chooseSavePath(const QString& proposed) = 0;
    // A modal dialog is running its event loop: closing the database now would take windows from
    // under it.
    virtual bool modalDialogOpen() const = 0;
    // The name the open database is shown under ("New", a file name, "download.ddb"): Save As
    // proposes it for a database without a file.
    virtual QString shownName() const = 0;

    // A database was created or loaded into the image: the menus of an open database, the tree
    // shown with the image's states, and the names of setDatabaseName().
    virtual void databaseOpened(const QString& captionName, const QString& rootLabel) = 0;
    // The caption's name and the tree root's label of the open database (after a save, a file's
    // full path and its file name).
    virtual void setDatabaseName(const QString& captionName, const QString& rootLabel) = 0;
    // The image has been zeroed and the document goes once this returns: the windows that show the
    // database close, and menus, tree and caption become those of no database.
    virtual void databaseClosing() = 0;
    // The document was created or deleted (whether a database is open may have changed).
    virtual void documentChanged() = 0;
    // The recent-file list changed.
    virtual void recentFilesChanged() = 0;
    // The file named on the command line could not be opened: the program ends after the error,
    // which comes alone (the start-up screen goes first, without the port check that follows it).
    virtual void startupOpenFailed() = 0;
};

} // namespace trv::app
