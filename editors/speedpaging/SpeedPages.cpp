#include "editors/speedpaging/SpeedPages.h"

#include "database/FieldCatalog.h"
#include "editors/common/ButtonTable.h"

namespace trv::editors::speedpaging {

namespace f = db::fields;

namespace {
// The Speed Page buttons of the image follow the moved records.
void followMoves(db::Image& image, const db::RecordMoves& moves)
{
    ButtonEntries buttons = imageButtonTable(image);
    followSpeedPageMoves(buttons, moves);
    writeImageButtonTable(image, buttons);
}
} // namespace

const db::SortedTable& speedPageTable()
{
    return db::speedPageTable();
}

db::RecordMoves storeSpeedPage(db::Image& image, int record, const SpeedPage& page)
{
    const db::SortedTable& table = speedPageTable();
    const int target = record >= 0 ? record : table.firstFree(image);
    if (target < 0)
        return {};
    db::writeFieldText(image, f::speedPageLabel, page.label, target);
    db::writeField(image, f::speedPageFormat, page.formatIndex, target);
    db::writeFieldText(image, f::speedPageDigits, page.digits, target);
    db::RecordMoves moves = table.resort(image, target);
    followMoves(image, moves);
    return moves;
}

db::RecordMoves deleteSpeedPage(db::Image& image, int record)
{
    db::RecordMoves moves = speedPageTable().remove(image, record);
    followMoves(image, moves);
    return moves;
}

std::optional<QString> formatText(const db::Image& image, int formatIndex)
{
    if (formatIndex < 0 || formatIndex >= f::pagingLabel.region->count ||
        image[f::pagingLabel.at(formatIndex)] == 0)
        return std::nullopt;
    const std::optional<db::Choice> type =
        f::formatType.choice(db::readField(image, f::formatType, formatIndex));
    const std::string_view name = type ? type->text : std::string_view();
    return QString::fromLatin1(db::readFieldText(image, f::pagingLabel, formatIndex)) + QStringLiteral(" (") +
           QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())) + QLatin1Char(')');
}

} // namespace trv::editors::speedpaging
