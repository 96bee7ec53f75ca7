#include "interchange/FieldCodec.h"

#include "interchange/InterchangeTexts.h"

#include "database/TextSlot.h"

#include <QJsonObject>
#include <QStringList>

#include <cctype>
#include <cmath>

namespace trv::interchange {

namespace {

using db::FieldKind;

QString fromView(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<int>(text.size()));
}

int scaleOf(const db::Field& field)
{
    return field.scale();
}

bool hasList(const db::Field& field)
{
    return (field.kind == FieldKind::List || field.kind == FieldKind::Flag) && !field.choices.empty();
}

QString hexNumber(const db::Field& field, int value)
{
    return QStringLiteral("0x%1")
        .arg(value, field.width * 2, 16, QLatin1Char('0'))
        .toUpper()
        .replace(QLatin1String("0X"), QLatin1String("0x"));
}

// A number in its shown unit: 1950.0 Hz keeps its tenth, 5.5 mA its half.
QString numberText(const db::Field& field, int stored)
{
    if (field.kind == FieldKind::Hex)
        return hexNumber(field, stored);
    const int scale = scaleOf(field);
    const QString number =
        scale == 1 ? QString::number(stored) : QString::number(double(stored) / scale, 'f', 1);
    return field.unit.empty() ? number : number + QLatin1Char(' ') + fromView(field.unit);
}

QString listTexts(const db::Field& field)
{
    QStringList texts;
    for (const db::Choice& c : field.choices)
        texts << QLatin1Char('"') + fromView(c.text) + QLatin1Char('"');
    return texts.join(QStringLiteral(", "));
}

std::optional<QString> storeText(const QJsonValue& value, db::Image& image, const Slot& slot)
{
    if (!value.isString())
        return QString(text::kExpectedText).arg(jsonText(value));
    const QString textValue = value.toString();
    QByteArray bytes;
    for (const QChar c : textValue) {
        if (!db::isStorableChar(c.unicode()))
            return QString(text::kNotSingleByte).arg(jsonText(value));
        bytes += static_cast<char>(c.unicode());
    }
    if (bytes.size() > slot.size())
        return QString(text::kTextTooLong).arg(jsonText(value)).arg(slot.size());
    db::writeText(image, slot.offset(), slot.size(), std::string_view(bytes.constData(), bytes.size()));
    return std::nullopt;
}

std::optional<QString> storeNumber(const QJsonValue& value, db::Image& image, const Slot& slot)
{
    const db::Field& field = *slot.field;
    double shown = 0;
    if (field.kind == FieldKind::Hex) {
        const std::optional<qint64> number = parseHex(value.toString());
        if (!value.isString() || !number)
            return QString(text::kExpectedNumber).arg(jsonText(value));
        shown = double(*number);
    } else if (!value.isDouble()) {
        return QString(text::kExpectedNumber).arg(jsonText(value));
    } else {
        shown = value.toDouble();
    }
    const double stored = shown * scaleOf(field);
    const double rounded = std::round(stored);
    if (std::isfinite(stored) && std::abs(stored - rounded) > 1e-6) {
        const QString step = scaleOf(field) == 1 ? QStringLiteral("1")
                                                 : QString::number(1.0 / scaleOf(field), 'f', 1) +
                                                       QLatin1Char(' ') + fromView(field.unit);
        return QString(text::kNotWhole).arg(jsonText(value), step);
    }
    // Compared as doubles, so that no value of any size is narrowed before it is known to fit.
    if (!std::isfinite(rounded) || rounded < field.minimum || rounded > field.maximum)
        return text::kOutOfRange.arg(jsonText(value), numberText(field, field.minimum),
                                     numberText(field, field.maximum));
    db::writeNumber(image, slot.offset(), field.width, static_cast<int>(rounded));
    return std::nullopt;
}

std::optional<QString> storeChoice(const QJsonValue& value, db::Image& image, const Slot& slot)
{
    const db::Field& field = *slot.field;
    for (const db::Choice& c : field.choices)
        if (value.isString() && value.toString() == fromView(c.text)) {
            db::writeNumber(image, slot.offset(), field.width, c.value);
            return std::nullopt;
        }
    return QString(text::kNotInList).arg(jsonText(value), listTexts(field));
}

} // namespace

std::vector<int> range(int offset, int size)
{
    std::vector<int> offsets(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i)
        offsets[static_cast<std::size_t>(i)] = offset + i;
    return offsets;
}

QString jsonText(const QJsonValue& value)
{
    if (value.isString())
        return QLatin1Char('"') + value.toString() + QLatin1Char('"');
    if (value.isDouble())
        return QString::number(value.toDouble(), 'g', 12);
    if (value.isBool())
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    if (value.isNull())
        return QStringLiteral("null");
    return value.isArray() ? QStringLiteral("an array") : QStringLiteral("an object");
}

std::optional<qint64> parseHex(const QString& text)
{
    if (text.size() < 3 || !text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : QStringView(text).mid(2)) {
        const char16_t u = c.unicode();
        const char16_t lower = u | 0x20;
        const int digit = u >= '0' && u <= '9'           ? u - '0'
                          : lower >= 'a' && lower <= 'f' ? lower - 'a' + 10
                                                         : -1;
        if (digit < 0)
            return std::nullopt;
        value = std::min(value * 16 + digit, kHexCeiling);
    }
    return value;
}

bool holdsTypedValue(const db::Image& image, const Slot& slot)
{
    const db::Field& field = *slot.field;
    if (field.isText()) {
        const int start = slot.offset();
        int end = start;
        while (end < start + slot.size() && image[end] != 0)
            if (!db::isStorableChar(image[end++]))
                return false;
        return allZero(image, end, start + slot.size() - end);
    }
    if (field.kind == FieldKind::Area)
        return false;
    return field.offers(db::readNumber(image, slot.offset(), field.width, field.isSigned));
}

QString displayValue(const db::Image& image, const Slot& slot)
{
    const db::Field& field = *slot.field;
    if (!holdsTypedValue(image, slot))
        return text::kRawPrefix + hexText(image, slot.offset(), slot.size());
    if (field.isText())
        return QLatin1Char('"') + QString::fromLatin1(db::readText(image, slot.offset(), slot.size())) +
               QLatin1Char('"');
    const int value = db::readNumber(image, slot.offset(), field.width, field.isSigned);
    if (hasList(field))
        return fromView(field.choice(value)->text);
    return numberText(field, value);
}

QJsonValue jsonValue(const db::Image& image, const Slot& slot)
{
    const db::Field& field = *slot.field;
    if (!holdsTypedValue(image, slot))
        return rawValue(image, range(slot.offset(), slot.size()));
    if (field.isText())
        return QString::fromLatin1(db::readText(image, slot.offset(), slot.size()));
    const int value = db::readNumber(image, slot.offset(), field.width, field.isSigned);
    if (hasList(field))
        return fromView(field.choice(value)->text);
    if (field.kind == FieldKind::Hex)
        return hexNumber(field, value);
    const int scale = scaleOf(field);
    return scale == 1 ? QJsonValue(value) : QJsonValue(double(value) / scale);
}

std::optional<QString> storeJsonValue(const QJsonValue& value, db::Image& image, const Slot& slot)
{
    if (value.isObject())
        return storeRaw(value, image, range(slot.offset(), slot.size()));
    if (slot.field->isText())
        return storeText(value, image, slot);
    if (hasList(*slot.field))
        return storeChoice(value, image, slot);
    return storeNumber(value, image, slot);
}

QString rawHex(const db::Image& image, const std::vector<int>& offsets)
{
    QByteArray bytes;
    for (int offset : offsets)
        bytes += static_cast<char>(image[offset]);
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QJsonValue rawValue(const db::Image& image, const std::vector<int>& offsets)
{
    return QJsonObject{{QLatin1String(text::kRawKey), rawHex(image, offsets)}};
}

std::optional<QString> storeRaw(const QJsonValue& value, db::Image& image, const std::vector<int>& offsets)
{
    const QJsonObject object = value.toObject();
    const QJsonValue raw = object.value(QLatin1String(text::kRawKey));
    const QString badHex = QString(text::kBadHex).arg(jsonText(raw)).arg(offsets.size());
    if (object.size() != 1 || !raw.isString())
        return object.size() != 1 && raw.isString() ? text::kRawAlone : badHex;
    QString digits = raw.toString();
    digits.remove(QLatin1Char(' '));
    const QByteArray bytes = QByteArray::fromHex(digits.toLatin1());
    const bool hexOnly =
        std::all_of(digits.begin(), digits.end(), [](QChar c) { return std::isxdigit(c.toLatin1()); });
    if (!hexOnly || digits.size() != static_cast<int>(offsets.size()) * 2)
        return badHex;
    for (std::size_t i = 0; i < offsets.size(); ++i)
        image[offsets[i]] = static_cast<std::uint8_t>(bytes[static_cast<int>(i)]);
    return std::nullopt;
}

} // namespace trv::interchange
