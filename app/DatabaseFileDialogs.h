// The file dialogs of Open Database and Save Database As (what they propose: DatabasePaths.h).
#pragma once

#include <QString>

class QWidget;

namespace trv::app {

// The standard dialogs; an empty result means the user cancelled.
QString askOpenPath(QWidget* parent, const QString& folder);
QString askSavePath(QWidget* parent, const QString& proposed);

} // namespace trv::app
