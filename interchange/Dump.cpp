#include "interchange/Dump.h"

#include "interchange/FieldCodec.h"
#include "interchange/InterchangeTexts.h"

#include <QStringList>

namespace trv::interchange {

namespace {

void dumpField(QStringList& lines, const db::Image& image, const db::CatalogueArea& area,
               const db::Field& field, int record, const QString& prefix)
{
    if (field.kind != db::FieldKind::Area) {
        for (int e = 0; e < field.count; ++e)
            lines << prefix + elementName(field, e) + QStringLiteral(" = ") +
                         displayValue(image, {&field, record, e});
        return;
    }
    const QString path = prefix + elementName(field, 0);
    const db::AreaLayout* layout = layoutOf(image, area, field, record);
    if (layout == nullptr) {
        lines << path + QStringLiteral(" = ") + text::kRawPrefix +
                     hexText(image, field.at(record), field.size());
        return;
    }
    lines << path + QStringLiteral(" = ") +
                 QString::fromLatin1(layout->name.data(), int(layout->name.size()));
    for (const db::Field& inner : layout->fields)
        dumpField(lines, image, area, inner, record, path + QLatin1Char('.'));
    const std::vector<int> unused = unusedOffsets(field, *layout, record);
    if (std::any_of(unused.begin(), unused.end(), [&](int o) { return image[o] != 0; }))
        lines << path + QLatin1Char('.') + text::kUnusedKey + QStringLiteral(" = ") + rawHex(image, unused);
}

} // namespace

QString dumpImage(const db::Image& image, bool withFreeRecords)
{
    QStringList lines;
    for (const db::CatalogueArea& area : db::catalogue())
        for (int record = 0; record < area.region->count; ++record) {
            const bool free = isFreeRecord(image, area, record);
            if (free && !withFreeRecords)
                continue;
            lines << QStringLiteral("# ") + recordHeading(area, record) +
                         (free ? text::kFreeMark : QLatin1StringView());
            const QString prefix = recordPath(area, record) + QLatin1Char('.');
            for (const db::Field* field : area.fields)
                dumpField(lines, image, area, *field, record, prefix);
        }
    bool headed = false;
    for (const ReservedRun& run : reservedRuns()) {
        if (allZero(image, run.offset, run.size) && !withFreeRecords)
            continue;
        if (!headed)
            lines << QStringLiteral("# ") + text::kReservedHeading;
        headed = true;
        // Sixteen bytes a line, each line led by its image offset.
        for (int at = run.offset; at < run.offset + run.size; at += 16)
            lines << text::kReservedHeading + QLatin1Char(' ') + offsetText(at) + QStringLiteral(" = ") +
                         hexText(image, at, std::min(16, run.offset + run.size - at));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace trv::interchange
