#include "editors/customtones/CustomPageListFV.h"

#include "database/FieldCatalog.h"
#include "database/SortedTable.h"
#include "editors/customtones/CustomTonesTexts.h"
#include "editors/customtones/EditCustomPageFV.h"

#include <numeric>

namespace trv::editors {

namespace f = db::fields;
namespace ctext = customtones::text;

namespace {

constexpr int kListWidth = 260;

// Every tone stays where it is, except `from`, which went to `to` (-1: deleted).
db::RecordMoves renumbered(int from, int to)
{
    db::RecordMoves moves(static_cast<std::size_t>(f::toneNumber.region->count));
    std::iota(moves.begin(), moves.end(), 0);
    moves[static_cast<std::size_t>(from)] = to;
    return moves;
}

} // namespace

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

// Each tone in use shows its stored number text; Edit and Delete act on the record the row came
// from, whatever number a loaded file wrote into it.
std::vector<ListWindow::Row> CustomPageListFV::rows() const
{
    std::vector<Row> rows;
    for (int number = 0; number < f::toneNumber.region->count; ++number)
        if (image()[f::toneNumber.at(number)] != 0)
            rows.push_back(
                {{QString::fromLatin1(db::readFieldText(image(), f::toneNumber, number))}, number});
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
    db::RecordMoves moves; // none, unless the tone was given another number
    if (number != EditCustomPageFV::kNewTone && editor.savedNumber() != number)
        moves = renumbered(number, editor.savedNumber());
    host().notifyImageChanged({ChangedArea::CustomTones, moves}, this);
    refill(kLastRow);
    for (int row = 0; row < rowCount(); ++row)
        if (shownRows()[static_cast<std::size_t>(row)].record == editor.savedNumber())
            selectRow(row);
}

bool CustomPageListFV::remove(int record)
{
    image()[f::toneNumber.at(record)] = 0; // the other bytes stay; the number is free again
    host().notifyImageChanged({ChangedArea::CustomTones, renumbered(record, -1)}, this);
    return true;
}

} // namespace trv::editors
