#include "interchange/Diff.h"

#include "interchange/FieldCodec.h"
#include "interchange/InterchangeTexts.h"

namespace trv::interchange {

namespace {

bool sameBytes(const db::Image& a, const db::Image& b, int offset, int size)
{
    return std::equal(a.begin() + offset, a.begin() + offset + size, b.begin() + offset);
}

QString layoutText(const db::Image& image, const db::AreaLayout* layout, const db::Field& field, int record)
{
    const QString bytes = text::kRawPrefix + hexText(image, field.at(record), field.size());
    return layout == nullptr ? bytes
                             : QString::fromLatin1(layout->name.data(), int(layout->name.size())) +
                                   QLatin1Char(' ') + bytes;
}

void diffField(QStringList& lines, const db::Image& a, const db::Image& b, const db::CatalogueArea& area,
               const db::Field& field, int record, const QString& prefix)
{
    if (sameBytes(a, b, field.at(record), field.size()))
        return;
    if (field.kind != db::FieldKind::Area) {
        for (int e = 0; e < field.count; ++e)
            if (const Slot slot{&field, record, e}; !sameBytes(a, b, slot.offset(), slot.size()))
                lines << prefix + elementName(field, e) + QStringLiteral(": ") + displayValue(a, slot) +
                             text::kArrow + displayValue(b, slot);
        return;
    }
    const QString path = prefix + elementName(field, 0);
    const db::AreaLayout* layoutA = layoutOf(a, area, field, record);
    const db::AreaLayout* layoutB = layoutOf(b, area, field, record);
    if (layoutA == nullptr || layoutA != layoutB) {
        lines << path + QStringLiteral(": ") + layoutText(a, layoutA, field, record) + text::kArrow +
                     layoutText(b, layoutB, field, record);
        return;
    }
    for (const db::Field& inner : layoutA->fields)
        diffField(lines, a, b, area, inner, record, path + QLatin1Char('.'));
    const std::vector<int> unused = unusedOffsets(field, *layoutA, record);
    const auto unusedText = [&](const db::Image& image) { return rawHex(image, unused); };
    if (unusedText(a) != unusedText(b))
        lines << path + QLatin1Char('.') + text::kUnusedKey + QStringLiteral(": ") + unusedText(a) +
                     text::kArrow + unusedText(b);
}

} // namespace

QStringList ImageDiff::lines() const
{
    QStringList all = fields;
    if (reservedBytes == 1)
        all << text::kReservedDifferOne;
    else if (reservedBytes > 1)
        all << QString(text::kReservedDiffer).arg(reservedBytes);
    return all;
}

ImageDiff diffImages(const db::Image& a, const db::Image& b)
{
    ImageDiff diff;
    for (const db::CatalogueArea& area : db::catalogue())
        for (int record = 0; record < area.region->count; ++record) {
            const QString prefix = recordPath(area, record) + QLatin1Char('.');
            for (const db::Field* field : area.fields)
                diffField(diff.fields, a, b, area, *field, record, prefix);
        }
    for (const ReservedRun& run : reservedRuns())
        for (int offset = run.offset; offset < run.offset + run.size; ++offset)
            diff.reservedBytes += a[offset] != b[offset] ? 1 : 0;
    return diff;
}

} // namespace trv::interchange
