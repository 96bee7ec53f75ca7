#include "interchange/Json.h"

#include "database/NewDatabase.h"
#include "database/Rules.h"
#include "interchange/FieldCodec.h"
#include "interchange/InterchangeTexts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <initializer_list>
#include <set>
#include <string>

namespace trv::interchange {

namespace {

QString nameOf(std::string_view name)
{
    return QString::fromLatin1(name.data(), static_cast<int>(name.size()));
}

// ---- export ------------------------------------------------------------------------------------

// The field elements an error of the rules names, by image offset: export writes them raw, so that
// an import of the export never meets an error on a typed value.
using RawOffsets = std::set<int>;

RawOffsets errorOffsets(const db::Image& image)
{
    RawOffsets offsets;
    for (const db::Problem& p : db::checkImage(image))
        if (p.isError())
            offsets.insert(p.offset);
    return offsets;
}

QJsonValue elementJson(const db::Image& image, const Slot& slot, const RawOffsets& raw)
{
    return raw.count(slot.offset()) ? rawValue(image, range(slot.offset(), slot.size()))
                                    : jsonValue(image, slot);
}

QJsonValue fieldJson(const db::Image& image, const db::CatalogueArea& area, const db::Field& field,
                     int record, const RawOffsets& raw)
{
    if (field.kind == db::FieldKind::Area) {
        const db::AreaLayout* layout = layoutOf(image, area, field, record);
        if (layout == nullptr)
            return rawValue(image, range(field.at(record), field.size()));
        QJsonObject object{{text::kLayoutKey, nameOf(layout->name)}};
        for (const db::Field& inner : layout->fields)
            object.insert(nameOf(inner.name), fieldJson(image, area, inner, record, raw));
        const std::vector<int> unused = unusedOffsets(field, *layout, record);
        if (std::any_of(unused.begin(), unused.end(), [&](int o) { return image[o] != 0; }))
            object.insert(text::kUnusedKey, rawValue(image, unused));
        return object;
    }
    if (field.count == 1)
        return elementJson(image, {&field, record, 0}, raw);
    QJsonArray elements;
    for (int e = 0; e < field.count; ++e)
        elements.append(elementJson(image, {&field, record, e}, raw));
    return elements;
}

QJsonObject recordJson(const db::Image& image, const db::CatalogueArea& area, int record,
                       const RawOffsets& raw)
{
    QJsonObject object;
    for (const db::Field* field : area.fields)
        object.insert(nameOf(field->name), fieldJson(image, area, *field, record, raw));
    return object;
}

// ---- import ------------------------------------------------------------------------------------

// The first problem found, with its path; import stops at it.
class Importer {
public:
    db::Image image{};
    QString error;

    bool fail(const QString& path, const QString& problem)
    {
        error = path + QStringLiteral(": ") + problem;
        return false;
    }

    bool root(const QJsonObject& object);

private:
    bool area(const db::CatalogueArea& area, const QJsonValue& value);
    bool record(const db::CatalogueArea& area, int record, const QJsonObject& object, const QString& path);
    bool field(const db::CatalogueArea& area, const db::Field& field, int record, const QJsonValue& value,
               const QString& path);
    bool areaField(const db::CatalogueArea& area, const db::Field& field, int record, const QJsonValue& value,
                   const QString& path);
    bool reserved(const QJsonValue& value);
    bool store(const QJsonValue& value, const Slot& slot, std::optional<QString>& problem);
    void startRecord(const db::CatalogueArea& area, int record);
    bool rules();

    std::optional<QString> keepRaw(const QJsonValue& value, const std::vector<int>& offsets);

    // The bytes the file gives raw: what the rules find there stays as the file has it.
    std::set<int> raw_;
};

// What a record given in the file needs besides its defaults.
struct RequiredFields {
    const db::Region* table;
    std::initializer_list<const char*> names;
};
const RequiredFields kRequiredFields[] = {
    {&db::kSpeedPages, {"label", "formatIndex", "digits"}},
    {&db::kPttAliases, {"label", "pttId"}},
};

bool Importer::store(const QJsonValue& value, const Slot& slot, std::optional<QString>& problem)
{
    problem = storeJsonValue(value, image, slot);
    if (!problem && value.isObject())
        for (int offset : range(slot.offset(), slot.size()))
            raw_.insert(offset);
    return !problem;
}

std::optional<QString> Importer::keepRaw(const QJsonValue& value, const std::vector<int>& offsets)
{
    std::optional<QString> problem = storeRaw(value, image, offsets);
    if (!problem)
        raw_.insert(offsets.begin(), offsets.end());
    return problem;
}

// A record given in the file starts from what its editor starts a new record with: a custom tone
// from the dialog's new-tone values and its own number.
void Importer::startRecord(const db::CatalogueArea& area, int record)
{
    if (area.region != &db::kCustomTones)
        return;
    for (const db::Field* f : area.fields)
        if (f->isText())
            db::writeFieldText(image, *f, std::to_string(record), record);
        else
            db::writeField(image, *f, f->newRecordValue, record);
}

// Every error of the rules refuses the file, whether a typed value breaks it or a left-out field's
// default does, unless it names a byte the file gives raw: that stays as it is (an export writes
// what the rules refuse raw, so its import is never refused).
bool Importer::rules()
{
    for (const db::Problem& p : db::checkImage(image))
        if (p.isError() && !raw_.count(p.offset))
            return fail(QString::fromStdString(p.path),
                        QString::fromStdString(p.message) + QStringLiteral(" [") +
                            QString::fromLatin1(p.rule.data(), static_cast<qsizetype>(p.rule.size())) +
                            QLatin1Char(']'));
    return true;
}

bool Importer::root(const QJsonObject& object)
{
    if (object.value(text::kFormatKey) != QJsonValue(text::kFormatName))
        return fail(text::kFormatKey, text::kWrongFormat);
    const QJsonValue version = object.value(text::kVersionKey);
    if (version != QJsonValue(text::kFormatVersion))
        return fail(
            text::kVersionKey,
            text::kWrongVersion
                .arg(
                    version.isUndefined()
                        ? QStringLiteral("none")
                        : QJsonDocument(QJsonArray{version}).toJson(QJsonDocument::Compact).mid(1).chopped(1))
                .arg(text::kFormatVersion));
    for (auto it = object.begin(); it != object.end(); ++it) {
        const bool known =
            it.key() == text::kFormatKey || it.key() == text::kVersionKey || it.key() == text::kReservedKey ||
            std::any_of(db::catalogue().begin(), db::catalogue().end(),
                        [&](const db::CatalogueArea& a) { return nameOf(a.name) == it.key(); });
        if (!known)
            return fail(it.key(), text::kUnknownField);
    }
    db::newDatabase(image);
    for (const db::CatalogueArea& a : db::catalogue())
        if (const QJsonValue value = object.value(nameOf(a.name)); !value.isUndefined() && !area(a, value))
            return false;
    return reserved(object.value(text::kReservedKey)) && rules();
}

bool Importer::area(const db::CatalogueArea& area, const QJsonValue& value)
{
    const QString path = nameOf(area.name);
    if (area.region->count == 1)
        return value.isObject() ? record(area, 0, value.toObject(), path) : fail(path, text::kNotAnObject);
    if (!value.isArray())
        return fail(path, text::kNotAnArray);
    std::set<int> seen;
    for (int i = 0; i < value.toArray().size(); ++i) {
        const QJsonValue item = value.toArray().at(i);
        const QString itemPath = QStringLiteral("%1[#%2]").arg(path).arg(i + 1);
        if (!item.isObject())
            return fail(itemPath, text::kNotAnObject);
        QJsonObject object = item.toObject();
        const QJsonValue number = object.take(text::kRecordKey);
        if (number.isUndefined())
            return fail(itemPath, QString(text::kMissingKey).arg(text::kRecordKey));
        const double n = number.toDouble(-1);
        if (!number.isDouble() || n != std::floor(n) || n < 1 || n > area.region->count)
            return fail(itemPath, QString(text::kBadRecord).arg(jsonText(number)).arg(area.region->count));
        const int k = static_cast<int>(n) - 1;
        if (!seen.insert(k).second)
            return fail(itemPath, QString(text::kRecordTwice).arg(k + 1));
        if (!record(area, k, object, recordPath(area, k)))
            return false;
    }
    return true;
}

bool Importer::record(const db::CatalogueArea& area, int record, const QJsonObject& object,
                      const QString& path)
{
    if (object.contains(text::kFreeKey)) {
        // A free record with leftovers: its bytes as they are.
        if (object.value(text::kFreeKey) != QJsonValue(true) || object.size() != 2 ||
            !object.contains(text::kRawKey))
            return fail(path, text::kFreeNeedsRaw);
        QJsonObject raw{{text::kRawKey, object.value(text::kRawKey)}};
        if (auto problem = keepRaw(raw, range(area.region->record(record), area.region->recordSize)))
            return fail(path, *problem);
        return true;
    }
    for (auto it = object.begin(); it != object.end(); ++it)
        if (std::none_of(area.fields.begin(), area.fields.end(),
                         [&](const db::Field* f) { return nameOf(f->name) == it.key(); }))
            return fail(path + QLatin1Char('.') + it.key(), text::kUnknownField);
    for (const RequiredFields& required : kRequiredFields)
        if (required.table == area.region)
            for (const char* name : required.names)
                if (!object.contains(QLatin1StringView(name)))
                    return fail(path, text::kMissingKey.arg(QLatin1StringView(name)));
    startRecord(area, record);
    // Area fields last: their layout follows a selector field of the same record. An area left
    // out takes the defaults of the layout its selector chooses, as the page that claims it writes.
    for (const bool areas : {false, true})
        for (const db::Field* f : area.fields) {
            const QJsonValue value = object.value(nameOf(f->name));
            if ((f->kind == db::FieldKind::Area) != areas)
                continue;
            if (value.isUndefined()) {
                if (const db::AreaLayout* layout = areas ? layoutOf(image, area, *f, record) : nullptr)
                    for (const db::Field& inner : layout->fields)
                        db::writeDefault(image, inner, record);
                continue;
            }
            if (!field(area, *f, record, value, path + QLatin1Char('.') + nameOf(f->name)))
                return false;
        }
    return true;
}

bool Importer::field(const db::CatalogueArea& area, const db::Field& f, int record, const QJsonValue& value,
                     const QString& path)
{
    if (f.kind == db::FieldKind::Area)
        return areaField(area, f, record, value, path);
    std::optional<QString> problem;
    if (f.count == 1)
        return store(value, {&f, record, 0}, problem) || fail(path, *problem);
    if (!value.isArray())
        return fail(path, text::kNotAnArray);
    const QJsonArray elements = value.toArray();
    if (elements.size() != f.count)
        return fail(path, QString(text::kWrongCount).arg(f.count).arg(elements.size()));
    for (int e = 0; e < f.count; ++e)
        if (!store(elements.at(e), {&f, record, e}, problem))
            return fail(path.section(QLatin1Char('.'), 0, -2) + QLatin1Char('.') + elementName(f, e),
                        *problem);
    return true;
}

bool Importer::areaField(const db::CatalogueArea& area, const db::Field& f, int record,
                         const QJsonValue& value, const QString& path)
{
    if (!value.isObject())
        return fail(path, text::kNotAnObject);
    QJsonObject object = value.toObject();
    const db::AreaLayout* layout = layoutOf(image, area, f, record);
    const QString selector = nameOf(f.selector);
    if (object.contains(text::kRawKey)) {
        const auto problem = keepRaw(object, range(f.at(record), f.size()));
        return !problem || fail(path, *problem);
    }
    if (layout == nullptr)
        return fail(path, QString(text::kNoLayout).arg(selector));
    const QJsonValue name = object.take(text::kLayoutKey);
    if (name != QJsonValue(nameOf(layout->name)))
        return fail(path + QLatin1Char('.') + text::kLayoutKey,
                    text::kWrongLayout.arg(name.isString() ? name.toString() : QStringLiteral("(none)"),
                                           selector, nameOf(layout->name)));
    // The area starts empty but for its layout's defaults: what the layout leaves out is zero unless
    // given as "unused".
    std::fill_n(image.begin() + f.at(record), f.size(), 0);
    for (const db::Field& inner : layout->fields)
        db::writeDefault(image, inner, record);
    if (const QJsonValue unused = object.take(text::kUnusedKey); !unused.isUndefined())
        if (const auto problem = keepRaw(unused, unusedOffsets(f, *layout, record)))
            return fail(path + QLatin1Char('.') + text::kUnusedKey, *problem);
    for (auto it = object.begin(); it != object.end(); ++it)
        if (std::none_of(layout->fields.begin(), layout->fields.end(),
                         [&](const db::Field& inner) { return nameOf(inner.name) == it.key(); }))
            return fail(path + QLatin1Char('.') + it.key(), text::kUnknownField);
    for (const db::Field& inner : layout->fields)
        if (const QJsonValue v = object.value(nameOf(inner.name));
            !v.isUndefined() && !field(area, inner, record, v, path + QLatin1Char('.') + nameOf(inner.name)))
            return false;
    return true;
}

bool Importer::reserved(const QJsonValue& value)
{
    const QString path = text::kReservedKey;
    if (value.isUndefined())
        return true;
    if (!value.isArray())
        return fail(path, text::kNotAnArray);
    for (int i = 0; i < value.toArray().size(); ++i) {
        const QString itemPath = QStringLiteral("%1[#%2]").arg(path).arg(i + 1);
        QJsonObject object = value.toArray().at(i).toObject();
        const QString offsetText = object.take(text::kOffsetKey).toString();
        const std::optional<qint64> offset = parseHex(offsetText);
        const QJsonValue bytes = object.take(text::kBytesKey);
        if (!offset || !object.isEmpty() || !bytes.isString())
            return fail(itemPath, QString(text::kMissingKey).arg(text::kOffsetKey) + QStringLiteral(", ") +
                                      QString(text::kMissingKey).arg(text::kBytesKey));
        // 64-bit, and the run is placed inside the image before any byte of it is looked at.
        const qint64 size = bytes.toString().remove(QLatin1Char(' ')).size() / 2;
        const qint64 end = *offset + std::max<qint64>(size, 1);
        bool reservedRun = *offset < db::kImageSize && end <= db::kImageSize;
        for (qint64 at = *offset; reservedRun && at < end; ++at)
            reservedRun = isReserved(static_cast<int>(at));
        if (!reservedRun)
            return fail(itemPath, QString(text::kNotReserved).arg(offsetText).arg(size));
        if (const auto problem = keepRaw(QJsonObject{{text::kRawKey, bytes}},
                                         range(static_cast<int>(*offset), static_cast<int>(size))))
            return fail(itemPath, *problem);
    }
    return true;
}

} // namespace

QByteArray exportJson(const db::Image& image)
{
    QJsonObject root{{text::kFormatKey, text::kFormatName}, {text::kVersionKey, text::kFormatVersion}};
    const RawOffsets raw = errorOffsets(image);
    for (const db::CatalogueArea& area : db::catalogue()) {
        if (area.region->count == 1) {
            root.insert(nameOf(area.name), recordJson(image, area, 0, raw));
            continue;
        }
        QJsonArray records;
        for (int record = 0; record < area.region->count; ++record) {
            const int base = area.region->record(record);
            QJsonObject object;
            if (!isFreeRecord(image, area, record))
                object = recordJson(image, area, record, raw);
            else if (!allZero(image, base, area.region->recordSize))
                object = QJsonObject{{text::kFreeKey, true},
                                     {text::kRawKey, rawHex(image, range(base, area.region->recordSize))}};
            else
                continue; // free and empty: an import leaves it so
            object.insert(text::kRecordKey, record + 1);
            records.append(object);
        }
        root.insert(nameOf(area.name), records);
    }
    QJsonArray reserved;
    for (const ReservedRun& run : reservedRuns())
        if (!allZero(image, run.offset, run.size))
            reserved.append(QJsonObject{{text::kOffsetKey, offsetText(run.offset)},
                                        {text::kBytesKey, hexText(image, run.offset, run.size)}});
    root.insert(text::kReservedKey, reserved);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

ImportResult importJson(const QByteArray& json)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return {QString(text::kNotJson).arg(parseError.errorString()).arg(parseError.offset)};
    if (!document.isObject())
        return {QStringLiteral("(top): ") + text::kNotAnObject};
    Importer importer;
    if (!importer.root(document.object()))
        return {importer.error};
    return {importer.image};
}

} // namespace trv::interchange
