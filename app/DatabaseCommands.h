// The File menu's commands on the one database: New, Open, Close, Save, Save As and the recent
// files, with the close request that comes before anything replaces the open database (asked by
// New, Open, a download and the end of the program). They speak to the user and to the window
// only through DatabaseUi.
#pragma once

#include "app/DatabaseUi.h"

#include <QString>

namespace trv::app {

class DocumentHolder;
class RecentFileList;

class DatabaseCommands {
public:
    DatabaseCommands(DatabaseUi& ui, DocumentHolder& documents, RecentFileList& recentFiles);

    // Asks whether the open database may go (saving it first when the user says so) and closes
    // it. False when it stays: the user cancelled, its save failed, or a modal dialog is open.
    bool closeDatabaseRequest();
    // The answer of the last close request.
    bool proceed() const { return proceed_; }

    // After the close request; false when the user kept the open database.
    bool newDatabase();
    // File > Open: the close request, then the file the user chooses.
    void open();
    // After the close request; false when the load failed (the file then leaves the recent files).
    bool openNamedFile(const QString& path);
    // The file named on the command line; a load error ends the start-up first (startupOpenFailed).
    bool openStartupFile(const QString& path);
    // File > recent file 1..4, by index from 0.
    void openRecentFile(int index);
    // Save, or Save As when askForPath (a database without a file always asks). False when
    // refused, cancelled or failed.
    bool saveDatabase(bool askForPath);

private:
    bool mayCloseDatabase();
    void closeDatabase();
    bool openDatabaseFile(const QString& path);
    bool saveDatabase(bool askForPath, bool fromClosePrompt);
    platform::MsgAnswer showMessage(const QString& text, platform::MsgButtons buttons,
                                    platform::MsgIcon icon);

    DatabaseUi& ui_;
    DocumentHolder& documents_;
    RecentFileList& recentFiles_;
    bool proceed_ = true;
    bool startupOpen_ = false;
};

} // namespace trv::app
