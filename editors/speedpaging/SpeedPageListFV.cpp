#include "editors/speedpaging/SpeedPageListFV.h"

#include "database/FieldCatalog.h"
#include "editors/common/ButtonTable.h"
#include "editors/speedpaging/EditSpeedPageFV.h"
#include "editors/speedpaging/SpeedPages.h"
#include "editors/speedpaging/SpeedPagingTexts.h"
#include "platform/MessageBox.h"

namespace trv::editors {

namespace f = db::fields;
namespace stext = speedpaging::text;

namespace {
constexpr int kColumnWidth = 175;
}

SpeedPageListFV::SpeedPageListFV(EditorHost& host, QWidget* parent)
    : ListWindow(host,
                 {.title = stext::kTitle,
                  .prompt = stext::kPrompt,
                  .columns = {{stext::kLabelColumn, kColumnWidth}, {stext::kBaseFormatColumn, kColumnWidth}},
                  .capacity = f::speedPageLabel.region->count,
                  .placeholder = stext::kPlaceholder},
                 parent)
{
}

void SpeedPageListFV::initialFill()
{
    ListWindow::initialFill();
    host().setTreeItemDisabled(EditorKind::Buttons, true);
}

void SpeedPageListFV::viewClosing()
{
    host().setTreeItemDisabled(EditorKind::Buttons, false);
}

// Every record in use, in record order; a format index that names no paging format shows none.
std::vector<ListWindow::Row> SpeedPageListFV::rows() const
{
    const db::SortedTable& table = speedpaging::speedPageTable();
    std::vector<Row> rows;
    for (int r = 0; r < table.capacity(); ++r) {
        if (table.isFree(image(), r))
            continue;
        const int format = db::readField(image(), f::speedPageFormat, r);
        rows.push_back({{QString::fromLatin1(table.label(image(), r)),
                         speedpaging::formatText(image(), format).value_or(QString())},
                        r});
    }
    return rows;
}

void SpeedPageListFV::add()
{
    if (runEditor(EditSpeedPageFV::kNewPage))
        refill(kLastRow);
}

void SpeedPageListFV::edit(int record)
{
    const int row = selectedRow();
    if (runEditor(record))
        refill(row);
}

bool SpeedPageListFV::runEditor(int record)
{
    EditSpeedPageFV editor(host(), record, this);
    if (editor.run() != QDialog::Accepted)
        return false;
    announce(editor.moves());
    return true;
}

// A speed page that a button calls stays: a button of the image's table, or of the buttons editor's
// unsaved table while it is open.
bool SpeedPageListFV::mayRemove(int record)
{
    if (!anyButtonRefersTo(host().buttonTables(), ButtonKind::SpeedPage, record))
        return true;
    platform::showMessage(stext::kOnButton, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, this);
    return false;
}

bool SpeedPageListFV::remove(int record)
{
    announce(speedpaging::deleteSpeedPage(image(), record));
    return true;
}

void SpeedPageListFV::announce(const db::RecordMoves& moves)
{
    host().notifyImageChanged({ChangedArea::SpeedPages, moves}, this);
}

} // namespace trv::editors
