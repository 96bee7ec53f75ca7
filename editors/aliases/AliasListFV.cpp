#include "editors/aliases/AliasListFV.h"

#include "database/FieldCatalog.h"
#include "editors/aliases/AliasTexts.h"
#include "editors/aliases/EditAliasFV.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace trv::editors {

namespace f = db::fields;
namespace atext = aliases::text;

AliasListFV::AliasListFV(EditorHost& host, QWidget* parent)
    : ListWindow(host,
                 {.title = atext::kTitle,
                  .prompt = atext::kPrompt,
                  .columns = {{atext::kLabelColumn, 200}, {atext::kPttIdColumn, 80}},
                  .capacity = db::kPttAliases.count,
                  .placeholder = atext::kNoAlias},
                 parent)
{
}

// Every record in use, in table order; a table loaded with gaps shows all its aliases.
std::vector<ListWindow::Row> AliasListFV::rows() const
{
    const db::Image& img = image();
    const db::SortedTable& table = EditAliasFV::table();
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(table.capacity()));
    for (int r = 0; r < table.capacity(); ++r)
        if (!table.isFree(img, r))
            rows.push_back({{QString::fromLatin1(table.label(img, r)),
                             QString::fromLatin1(db::readFieldText(img, f::aliasPttId, r))},
                            r});
    return rows;
}

void AliasListFV::add()
{
    EditAliasFV dialog(host(), EditAliasFV::kNewAlias, this);
    if (dialog.run() != QDialog::Accepted)
        return;
    refill(kLastRow);
    announce(dialog.moves());
}

void AliasListFV::edit(int record)
{
    const int row = selectedRow();
    EditAliasFV dialog(host(), record, this);
    if (dialog.run() != QDialog::Accepted)
        return;
    refill(row);
    announce(dialog.moves());
}

bool AliasListFV::remove(int record)
{
    announce(EditAliasFV::table().remove(image(), record));
    return true;
}

void AliasListFV::announce(const db::RecordMoves& moves)
{
    host().notifyImageChanged({ChangedArea::PttAliases, moves}, this);
}

void AliasListFV::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape) {
        ListWindow::keyPressEvent(event);
        return;
    }
    QWidget* target = focusWidget() ? focusWidget() : this;
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, event->modifiers());
    QCoreApplication::sendEvent(target, &enter);
}

} // namespace trv::editors
