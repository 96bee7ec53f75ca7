// The document template's strings, all kept in the one template text of ShellTexts.h.
#pragma once

#include "app/ShellTexts.h"

#include <QString>
#include <QStringList>

namespace trv::app {

enum class DocString {
    WindowTitle,     // empty: the caption shows the document name
    DocName,         // "TRV"
    NewName,         // "New", the name of a new database
    FilterName,      // "TRV Files (*.ddb)"
    FilterExtension, // ".ddb"
    FileTypeId,      // "TRV.Database"
    FileTypeName,    // "TRV Database"
};

inline QString docString(DocString which)
{
    return QString(text::kDocTemplate).split(QLatin1Char('\n')).value(static_cast<int>(which));
}

} // namespace trv::app
