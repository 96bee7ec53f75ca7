#include "app/TableCommands.h"

#include "app/CDockingWnd.h"
#include "app/CMainFrame.h"
#include "app/CTRVApp.h"
#include "app/ShellTexts.h"
#include "database/CTRVDoc.h"
#include "editors/EditorCatalog.h"
#include "platform/MessageBox.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QSaveFile>

namespace trv::app {
namespace {

using interchange::CsvTableKind;
using platform::MsgButtons;
using platform::MsgIcon;

// The tables as the configuration tree names them (by their editor windows), in the order the
// choice offers them.
struct TableChoice {
    CsvTableKind kind;
    editors::EditorKind editor;
};
constexpr TableChoice kTableChoices[] = {
    {CsvTableKind::PttAliases, editors::EditorKind::PttAliases},
    {CsvTableKind::SpeedPages, editors::EditorKind::SpeedPaging},
    {CsvTableKind::CustomTones, editors::EditorKind::CustomPagingTones},
};

QString caption(bool import)
{
    return QString(import ? text::kImportTableCaption : text::kExportTableCaption);
}

std::optional<CsvTableKind> chooseTable(CMainFrame& frame, bool import)
{
    if (frame.app().options().chooseTable)
        return frame.app().options().chooseTable(import);
    QStringList labels;
    for (const TableChoice& choice : kTableChoices)
        labels << editors::findEditor(choice.editor)->treeLabel;
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(&frame, caption(import), text::kTableChoiceLabel, labels, 0, false, &ok);
    const qsizetype index = labels.indexOf(chosen);
    if (!ok || index < 0)
        return std::nullopt;
    return kTableChoices[index].kind;
}

QString choosePath(CMainFrame& frame, bool import, CsvTableKind table)
{
    // Beside the open database, under the name the table's messages use.
    const QString folder = QFileInfo(QString::fromStdString(frame.app().document().pathName())).path();
    const QString name = QString::fromLatin1(interchange::csvTable(table).fileName);
    const QString proposed = frame.app().document().pathName().empty()
                                 ? name
                                 : QFileInfo(folder + QLatin1Char('/') + name).filePath();
    if (frame.app().options().chooseTablePath)
        return frame.app().options().chooseTablePath(import, proposed);
    const QString filter = text::kTableFilter;
    return import ? QFileDialog::getOpenFileName(&frame, caption(import), QFileInfo(proposed).path(), filter)
                  : QFileDialog::getSaveFileName(&frame, caption(import), proposed, filter);
}

void tell(CMainFrame& frame, const QString& message, MsgIcon icon = MsgIcon::Exclamation)
{
    platform::showMessage(message, MsgButtons::Ok, icon, &frame);
}

void exportTable(CMainFrame& frame, CsvTableKind table, const QString& path)
{
    const interchange::TableExportResult exported = interchange::exportTableCsv(db::theImage(), table);
    if (!exported.ok()) {
        tell(frame, exported.error());
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(exported.csv()) != exported.csv().size() ||
        !file.commit())
        tell(frame, QString(text::kTableFileNotWritten).arg(path, file.errorString()));
}

void importTable(CMainFrame& frame, CsvTableKind table, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        tell(frame, QString(text::kTableFileNotRead).arg(path, file.errorString()));
        return;
    }
    const interchange::TableImportResult imported =
        interchange::importTableCsv(file.readAll(), QFileInfo(path).fileName(), table, db::theImage());
    if (!imported.ok()) {
        tell(frame, QString(text::kTableNotImported).arg(imported.error()));
        return;
    }
    db::theImage() = imported.image();
    frame.app().document().setModified(true);
    frame.treeWindow()->refreshAllStates();
    if (!imported.warnings.isEmpty())
        tell(frame, QString(text::kTableImportWarnings).arg(imported.warnings.join(QLatin1Char('\n'))),
             MsgIcon::Information);
}

} // namespace

void runTableCommand(CMainFrame& frame, bool import)
{
    const std::optional<CsvTableKind> table = chooseTable(frame, import);
    if (!table)
        return;
    const QString path = choosePath(frame, import, *table);
    if (path.isEmpty())
        return;
    if (import)
        importTable(frame, *table, path);
    else
        exportTable(frame, *table, path);
}

} // namespace trv::app
