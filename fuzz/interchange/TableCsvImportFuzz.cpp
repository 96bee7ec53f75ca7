// Any bytes given to the CSV import of a record table (the first byte chooses the table) are
// refused with a message or replace the table so that the table's own export imports back to the
// very same image; nothing crashes.
#include "database/FieldCatalog.h"
#include "database/NewDatabase.h"
#include "interchange/TableCsv.h"

#include <cstdlib>
#include <string>

namespace {

namespace db = trv::db;
namespace ic = trv::interchange;

// A new database with a paging format of each digit rule family the speed pages may name, and a
// Speed Page button on a page, so that rows reach the rules and the buttons follow.
db::Image base()
{
    db::Image image{};
    db::newDatabase(image);
    const int types[] = {18, 13, 20, 11};
    for (int r = 0; r < 4; ++r) {
        db::writeFieldText(image, db::fields::pagingLabel, "F" + std::to_string(r), r);
        db::writeField(image, db::fields::formatType, types[r], r);
    }
    db::writeFieldText(image, db::fields::speedPageLabel, "FIRE", 0);
    db::writeFieldText(image, db::fields::speedPageDigits, "1", 0);
    db::writeField(image, db::fields::buttonKind, 5, 0);
    db::writeField(image, db::fields::buttonParameter, 1, 0);
    return image;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const db::Image start = base();
    const auto tables = ic::csvTables();
    const ic::CsvTableKind kind = tables[data[0] % tables.size()].kind;
    const QByteArray csv(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const ic::TableImportResult first = ic::importTableCsv(csv, QStringLiteral("fuzz.csv"), kind, start);
    if (!first.ok()) {
        if (first.error().isEmpty())
            std::abort();
        return 0;
    }
    const ic::TableExportResult exported = ic::exportTableCsv(first.image(), kind);
    if (!exported.ok())
        std::abort();
    const ic::TableImportResult again =
        ic::importTableCsv(exported.csv(), QStringLiteral("fuzz.csv"), kind, first.image());
    if (!again.ok() || again.image() != first.image())
        std::abort();
    return 0;
}
