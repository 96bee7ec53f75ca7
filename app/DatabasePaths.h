// Where the database's files go: what Save As proposes (an opened file's own name in its own
// folder, otherwise the database's name, "New.ddb" or "download.ddb", in the folder last used for
// a database) and the extension a chosen name gets.
#pragma once

#include <QString>
#include <QStringList>

namespace trv::app {

// The folder of the most recent database (the first recent file), else the home folder.
QString lastDatabaseFolder(const QStringList& recentFiles);

// path: the database's file, empty when it has none; name: the name it is shown under.
QString proposedSavePath(const QString& path, const QString& name, const QStringList& recentFiles);

// The name with ".ddb" added when it has no extension at all (never twice).
QString withDatabaseExtension(const QString& path);

} // namespace trv::app
