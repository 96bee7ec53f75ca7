#include "interchange/TableCsv.h"

#include "database/ButtonFunctions.h"
#include "database/FieldCatalog.h"
#include "database/Rules.h"
#include "database/SortedTable.h"
#include "interchange/Csv.h"
#include "interchange/FieldCodec.h"
#include "interchange/ImageModel.h"
#include "interchange/InterchangeTexts.h"

#include <QJsonValue>
#include <QRegularExpression>

#include <algorithm>
#include <climits>
#include <map>
#include <numeric>
#include <optional>
#include <set>
#include <tuple>

namespace trv::interchange {

namespace {

constexpr CsvTableInfo kTables[] = {
    {CsvTableKind::PttAliases, "pttAliases", "aliases.csv"},
    {CsvTableKind::SpeedPages, "speedPages", "speedpages.csv"},
    {CsvTableKind::CustomTones, "customTones", "customtones.csv"},
};

QString nameOf(std::string_view name)
{
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QString latin1(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

const db::CatalogueArea& areaNamed(std::string_view name)
{
    const auto areas = db::catalogue();
    const auto it =
        std::find_if(areas.begin(), areas.end(), [&](const db::CatalogueArea& a) { return a.name == name; });
    return it != areas.end() ? *it : areas.front();
}

const db::CatalogueArea& areaOf(CsvTableKind kind)
{
    return areaNamed(csvTable(kind).name);
}

// The order a packed table keeps, or null for the custom tones, whose number is their record.
const db::SortedTable* sortedTableOf(CsvTableKind kind)
{
    switch (kind) {
    case CsvTableKind::PttAliases:
        return &db::aliasTable();
    case CsvTableKind::SpeedPages:
        return &db::speedPageTable();
    case CsvTableKind::CustomTones:
        break;
    }
    return nullptr;
}

QStringList columnNames(const db::CatalogueArea& area)
{
    QStringList names;
    for (const db::Field* field : area.fields)
        names << nameOf(field->name);
    return names;
}

// A value as its JSON form writes it, as the text of a cell: numbers in their unit, with the one
// decimal of a scaled unit ("1000.0").
QString cellText(const db::Image& image, const Slot& slot)
{
    const QJsonValue value = jsonValue(image, slot);
    if (value.isString())
        return value.toString();
    return slot.field->scale() == 1 ? QString::number(value.toInt())
                                    : QString::number(value.toDouble(), 'f', 1);
}

// A cell as the JSON value the codec checks: texts and list texts as strings, numbers as JSON
// numbers. Spreadsheets that separate by ';' write decimals with a comma, which is read as a point.
QJsonValue cellValue(const db::Field& field, const QString& cell, QChar separator)
{
    if (field.isText() || !field.choices.empty() || field.kind == db::FieldKind::Hex)
        return cell;
    QString number = cell.trimmed();
    if (separator == u';' && !number.contains(u'.'))
        number.replace(u',', u'.');
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? QJsonValue(value) : QJsonValue(cell);
}

// Replaces one table of a copy of the base with the rows of a file; the first problem in file
// order refuses it.
class TableImporter {
public:
    TableImporter(const QString& fileName, CsvTableKind kind, const db::Image& base)
        : image(base), file_(fileName), kind_(kind), area_(areaOf(kind)), region_(*area_.region), base_(base),
          lines_(static_cast<std::size_t>(region_.count), 0)
    {
    }

    // The problem that refuses the file, if any.
    std::optional<QString> run(const QByteArray& csv);

    db::Image image;
    QStringList warnings;

private:
    QString at(int line, const QString& column, const QString& problem) const
    {
        return QString(text::kTableAt).arg(file_).arg(line).arg(column, problem);
    }
    std::optional<QString> header(const CsvTable& table) const;
    std::optional<QString> rows(const CsvTable& table);
    void sortAndPack(int count);
    std::optional<QString> followSpeedPages();
    std::optional<QString> rules();
    QString byLines(QString message) const;

    QString file_;
    CsvTableKind kind_;
    const db::CatalogueArea& area_;
    const db::Region& region_;
    const db::Image& base_;
    std::vector<int> lines_; // the file's line of each record in use, by record
};

std::optional<QString> TableImporter::run(const QByteArray& csv)
{
    const std::variant<CsvTable, CsvError> parsed = readCsv(csv);
    if (const auto* error = std::get_if<CsvError>(&parsed))
        return QString(text::kTableFileAt).arg(file_, error->text());
    const CsvTable& table = std::get<CsvTable>(parsed);
    if (auto problem = header(table))
        return problem;
    if (auto problem = rows(table))
        return problem;
    if (kind_ == CsvTableKind::SpeedPages)
        if (auto problem = followSpeedPages())
            return problem;
    return rules();
}

// The header names every field of the table's records, each once, in any order.
std::optional<QString> TableImporter::header(const CsvTable& table) const
{
    const QStringList columns = columnNames(area_);
    const QString tableName = nameOf(area_.name);
    const QString list = columns.join(QStringLiteral(", "));
    for (const QString& name : table.header)
        if (!columns.contains(name))
            return at(table.headerLine, name, QString(text::kTableNotAColumn).arg(tableName, list));
    for (const QString& name : columns)
        if (!table.header.contains(name))
            return at(table.headerLine, name, QString(text::kTableMissingColumn).arg(tableName, list));
    return std::nullopt;
}

// Each row through the codec, into the record its number names (custom tones) or, for the packed
// tables, into records 0..n-1 in file order, sorted afterwards.
std::optional<QString> TableImporter::rows(const CsvTable& table)
{
    const db::Field& key = *area_.fields.front();
    const QString keyName = nameOf(key.name);
    const bool byNumber = kind_ == CsvTableKind::CustomTones;
    if (byNumber)
        for (int r = 0; r < region_.count; ++r)
            image[region_.record(r)] = 0;
    std::map<QString, int> keyLines;
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const CsvRow& row = table.rows[i];
        const auto cell = [&](const db::Field& f) { return row.fields[table.column(nameOf(f.name))]; };
        if (static_cast<int>(i) >= region_.count)
            return at(row.line, keyName, QString(text::kTableTooManyRows).arg(region_.count));
        QString keyText = cell(key);
        if (keyText.isEmpty())
            return at(row.line, keyName, text::kTableEmptyKey);
        int record = static_cast<int>(i);
        if (byNumber) {
            const bool digits =
                std::all_of(keyText.begin(), keyText.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
            record = digits && keyText.size() <= 3 ? keyText.toInt() : region_.count;
            if (record >= region_.count)
                return at(row.line, keyName,
                          QString(text::kTableBadToneNumber).arg(keyText).arg(region_.count - 1));
            keyText = QString::number(record); // the number text a record holds: no leading zeros
        }
        if (const auto seen = keyLines.find(keyText); seen != keyLines.end())
            return at(row.line, keyName, QString(text::kTableKeyTwice).arg(keyText).arg(seen->second));
        keyLines.emplace(keyText, row.line);
        for (const db::Field* field : area_.fields) {
            const QJsonValue value =
                field == &key ? QJsonValue(keyText) : cellValue(*field, cell(*field), table.separator);
            if (const auto problem = storeJsonValue(value, image, {field, record, 0}))
                return at(row.line, nameOf(field->name), *problem);
        }
        lines_[static_cast<std::size_t>(record)] = row.line;
    }
    if (!byNumber)
        sortAndPack(static_cast<int>(table.rows.size()));
    return std::nullopt;
}

// Records 0..count-1 into the table's order (stable, so rows of equal labels keep the file's
// order); the records after them are freed by their first byte, as the editors free them.
void TableImporter::sortAndPack(int count)
{
    const db::SortedTable& table = *sortedTableOf(kind_);
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return table.before(table.label(image, a), table.label(image, b));
    });
    const int size = region_.recordSize;
    const std::vector<std::uint8_t> rows(image.begin() + region_.base,
                                         image.begin() + region_.base + count * size);
    const std::vector<int> lines = lines_;
    for (int to = 0; to < count; ++to) {
        const int from = order[static_cast<std::size_t>(to)];
        std::copy_n(rows.begin() + from * size, size, image.begin() + region_.record(to));
        lines_[static_cast<std::size_t>(to)] = lines[static_cast<std::size_t>(from)];
    }
    for (int r = count; r < region_.count; ++r)
        image[region_.record(r)] = 0;
}

// Each Speed Page button calls the page of the same label in its new record.
std::optional<QString> TableImporter::followSpeedPages()
{
    namespace f = db::fields;
    const db::CatalogueArea& buttons = areaNamed("buttons");
    for (int k = 0; k < db::kButtonTable.count; ++k) {
        const db::ButtonFunction* function =
            db::buttonFunction(base_, static_cast<std::uint8_t>(db::readField(base_, f::buttonKind, k)));
        if (function == nullptr || function->source != db::ParameterSource::SpeedPage)
            continue;
        const QString path = recordPath(buttons, k) + QStringLiteral(": ");
        const int parameter = db::readField(base_, f::buttonParameter, k);
        if (parameter < 1 || parameter > region_.count || base_[f::speedPageLabel.at(parameter - 1)] == 0)
            return path + QString(text::kTablePageNotConfigured).arg(parameter);
        const std::string label = db::readFieldText(base_, f::speedPageLabel, parameter - 1);
        const int now = db::speedPageTable().find(image, label);
        if (now < 0)
            return path + QString(text::kTablePageNotInFile).arg(latin1(label), file_);
        db::writeField(image, f::buttonParameter, now + 1, k);
    }
    return std::nullopt;
}

// A rule's message names another record of the table as the dump heads it ("PTT ID alias 3");
// the file's user knows that row by its line.
QString TableImporter::byLines(QString message) const
{
    const QString heading = recordHeading(area_, 0).section(QLatin1Char(' '), 0, -2);
    static const QString pattern = QStringLiteral("%1 (\\d+)\\b");
    const QRegularExpression other(pattern.arg(QRegularExpression::escape(heading)));
    QRegularExpressionMatch match = other.match(message);
    while (match.hasMatch()) {
        const int record = match.captured(1).toInt() - 1;
        if (record < 0 || record >= region_.count || lines_[static_cast<std::size_t>(record)] == 0)
            break;
        const QString line = QString(text::kTableLine).arg(lines_[static_cast<std::size_t>(record)]);
        message.replace(match.capturedStart(), match.capturedLength(), line);
        match = other.match(message, match.capturedStart() + line.size());
    }
    return message;
}

// The rules on the whole database: a problem of the table is the file's, named by its line and
// column; one elsewhere counts only when the base did not have it already. The first error in
// file order refuses the file; warnings are kept for the caller to show.
std::optional<QString> TableImporter::rules()
{
    std::set<std::tuple<std::string, std::string_view, std::string>> known;
    for (const db::Problem& p : db::checkImage(base_))
        known.emplace(p.path, p.rule, p.message);
    std::optional<std::pair<int, QString>> refusal;
    for (const db::Problem& p : db::checkImage(image)) {
        const bool inTable = p.offset >= region_.base && p.offset < region_.end();
        if (!inTable && known.count({p.path, p.rule, p.message}))
            continue;
        const QString message = text::kTableRule.arg(
            inTable ? byLines(QString::fromStdString(p.message)) : QString::fromStdString(p.message),
            QString::fromLatin1(p.rule.data(), static_cast<qsizetype>(p.rule.size())));
        int line = INT_MAX;
        QString problem;
        if (inTable) {
            line = lines_[static_cast<std::size_t>((p.offset - region_.base) / region_.recordSize)];
            problem = at(line, QString::fromStdString(p.path).section(QLatin1Char('.'), -1), message);
        } else {
            problem = QString::fromStdString(p.path) + QStringLiteral(": ") + message;
        }
        if (!p.isError())
            warnings << problem;
        else if (!refusal || line < refusal->first)
            refusal.emplace(line, problem);
    }
    if (refusal)
        return refusal->second;
    return std::nullopt;
}

} // namespace

std::span<const CsvTableInfo> csvTables()
{
    return kTables;
}

const CsvTableInfo& csvTable(CsvTableKind kind)
{
    for (const CsvTableInfo& table : kTables)
        if (table.kind == kind)
            return table;
    return kTables[0];
}

TableExportResult exportTableCsv(const db::Image& image, CsvTableKind kind)
{
    const db::CatalogueArea& area = areaOf(kind);
    std::set<int> errors;
    for (const db::Problem& p : db::checkImage(image))
        if (p.isError())
            errors.insert(p.offset);
    std::vector<QStringList> rows;
    for (int record = 0; record < area.region->count; ++record) {
        if (isFreeRecord(image, area, record))
            continue;
        QStringList row;
        for (const db::Field* field : area.fields) {
            const Slot slot{field, record, 0};
            if (!holdsTypedValue(image, slot) || errors.count(slot.offset()))
                return {text::kTableNotExported.arg(recordPath(area, record) + QLatin1Char('.') +
                                                    elementName(*field, 0))};
            row << cellText(image, slot);
        }
        rows.push_back(row);
    }
    return {writeCsv(columnNames(area), rows)};
}

TableImportResult importTableCsv(const QByteArray& csv, const QString& fileName, CsvTableKind kind,
                                 const db::Image& base)
{
    TableImporter importer(fileName, kind, base);
    if (const std::optional<QString> problem = importer.run(csv))
        return {*problem, {}};
    return {importer.image, importer.warnings};
}

} // namespace trv::interchange
