// The record tables technicians keep in spreadsheets (PTT ID aliases, speed pages, custom tones) as
// CSV files. A row is a JSON record flattened: the header names the fields of the table's JSON
// records and each line holds one record in use, its values in their JSON form (list texts,
// numbers in their units), so a field's name, unit and list live in the catalogue and the codec
// only. An import replaces one table of a database with the rows of a file: every value goes
// through the JSON codec, the whole database through the rules, the packed tables are sorted and
// packed as their editors keep them, and Speed Page buttons follow their pages by label.
#pragma once

#include "database/Image.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <span>
#include <variant>

namespace trv::interchange {

enum class CsvTableKind { PttAliases, SpeedPages, CustomTones };

struct CsvTableInfo {
    CsvTableKind kind;
    const char* name;     // the table's area in the catalogue and JSON: "pttAliases"
    const char* fileName; // what an export proposes and messages assume: "aliases.csv"
};
std::span<const CsvTableInfo> csvTables();
const CsvTableInfo& csvTable(CsvTableKind kind);

struct TableExportResult {
    std::variant<QByteArray, QString> result;

    bool ok() const { return result.index() == 0; }
    const QByteArray& csv() const { return std::get<QByteArray>(result); }
    const QString& error() const { return std::get<QString>(result); }
};

// The records in use, in record order, as CSV (byte-order mark, ',' and CRLF). A table holding a
// value no editor writes (one the codec would write raw, or one an error rule names) is refused:
// "customTones[1].secondToneFrequency holds a value no editor writes: use trvctl export (JSON)".
TableExportResult exportTableCsv(const db::Image& image, CsvTableKind kind);

struct TableImportResult {
    std::variant<db::Image, QString> result;
    // The warnings of the rules on the imported rows: "aliases.csv line 4, unitType: ... [rule]".
    QStringList warnings;

    bool ok() const { return result.index() == 0; }
    const db::Image& image() const { return std::get<db::Image>(result); }
    const QString& error() const { return std::get<QString>(result); }
};

// `base` with the table replaced by the rows of `csv`, or the first problem in file order:
// "aliases.csv line 17, pttId: ..." (fileName is how messages name the file). Every byte outside
// the table stays as `base` holds it, except the parameters of Speed Page buttons, which follow
// their pages to their new records.
TableImportResult importTableCsv(const QByteArray& csv, const QString& fileName, CsvTableKind kind,
                                 const db::Image& base);

} // namespace trv::interchange
