#include "editors/customtones/CustomPageListFV.h"

#include "database/FieldCatalog.h"
#include "editors/customtones/CustomTonesTexts.h"
#include "editors/customtones/EditCustomPageFV.h"

namespace trv::editors {

namespace f = db::fields;
namespace ctext = customtones::text;

namespace {
constexpr int kListWidth = 260;
}

CustomPageListFV::CustomPageListFV(EditorHost& host, QWidget* parent)
    : ListWindow(host,
                 {.title = ctext::kTitle,
                  .prompt = ctext::kPrompt,
                  .columns = {{"", kListWidth}},
                  .capacity = f::toneNumber.region->count,
                  .placeholder = ctext::kPlaceholder},
                 parent)
{
}

std::vector<ListWindow::Row> CustomPageListFV::rows() const
{
    std::vector<Row> rows;
    for (int number = 0; number < f::toneNumber.region->count; ++number)
        if (image()[f::toneNumber.at(number)] != 0)
            rows.push_back({{QString::number(number)}, number});
    return rows;
}

void CustomPageListFV::add()
{
    runEditor(EditCustomPageFV::kNewTone);
}

void CustomPageListFV::edit(int record)
{
    runEditor(record);
}

void CustomPageListFV::runEditor(int number)
{
    EditCustomPageFV editor(host(), number, this);
    if (editor.run() != QDialog::Accepted)
        return;
    refill(kLastRow);
    for (int row = 0; row < rowCount(); ++row)
        if (shownRows()[static_cast<std::size_t>(row)].record == editor.savedNumber())
            selectRow(row);
}

bool CustomPageListFV::remove(int record)
{
    image()[f::toneNumber.at(record)] = 0; // the other bytes stay; the number is free again
    return true;
}

} // namespace trv::editors
