// The file dialogs of Open Database and Save Database As, and what Save As proposes: an opened
// file's own name in its own folder, otherwise the database's name ("New.ddb", "download.ddb") in
// the folder last used for a database.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace trv::app {

// The folder of the most recent database (the first recent file), else the home folder.
QString lastDatabaseFolder(const QStringList& recentFiles);

// path: the database's file, empty when it has none; name: the name it is shown under.
QString proposedSavePath(const QString& path, const QString& name, const QStringList& recentFiles);

// The name with ".ddb" added when it has no extension at all (never twice).
QString withDatabaseExtension(const QString& path);

// The standard dialogs; an empty result means the user cancelled.
QString askOpenPath(QWidget* parent, const QString& folder);
QString askSavePath(QWidget* parent, const QString& proposed);

} // namespace trv::app
