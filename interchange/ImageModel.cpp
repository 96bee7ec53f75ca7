#include "interchange/ImageModel.h"

#include "interchange/InterchangeTexts.h"

#include <algorithm>

namespace trv::interchange {

namespace {

// Which image bytes belong to a field or the header.
std::vector<bool> coveredBytes()
{
    std::vector<bool> covered(db::kImageSize, false);
    std::fill_n(covered.begin(), db::kHeaderSize, true);
    for (const db::CatalogueArea& area : db::catalogue())
        for (int record = 0; record < area.region->count; ++record)
            for (const db::Field* field : area.fields)
                std::fill_n(covered.begin() + field->at(record), field->size(), true);
    return covered;
}

const std::vector<bool>& covered()
{
    static const std::vector<bool> bytes = coveredBytes();
    return bytes;
}

} // namespace

bool isFreeRecord(const db::Image& image, const db::CatalogueArea& area, int record)
{
    return area.hasFreeRecords && image[area.region->record(record)] == 0;
}

bool allZero(const db::Image& image, int offset, int size)
{
    return std::all_of(image.begin() + offset, image.begin() + offset + size,
                       [](std::uint8_t b) { return b == 0; });
}

QString recordPath(const db::CatalogueArea& area, int record)
{
    const QString name = QString::fromLatin1(area.name.data(), static_cast<int>(area.name.size()));
    return area.region->count == 1 ? name : QStringLiteral("%1[%2]").arg(name).arg(record + 1);
}

QString recordHeading(const db::CatalogueArea& area, int record)
{
    QString heading = QString::fromLatin1(area.name.data(), static_cast<int>(area.name.size()));
    for (const text::AreaHeading& h : text::kAreaHeadings)
        if (area.name == h.area)
            heading = QString::fromLatin1(h.heading);
    return area.region->count == 1 ? heading : QStringLiteral("%1 %2").arg(heading).arg(record + 1);
}

QString elementName(const db::Field& field, int element)
{
    const QString name = QString::fromLatin1(field.name.data(), static_cast<int>(field.name.size()));
    return field.count == 1 ? name : QStringLiteral("%1[%2]").arg(name).arg(element + 1);
}

const db::AreaLayout* layoutOf(const db::Image& image, const db::CatalogueArea& area, const db::Field& field,
                               int record)
{
    const db::Field* selector = db::findField(area.name, field.selector);
    if (selector == nullptr || selector->isText())
        return nullptr;
    return field.layoutFor(db::readField(image, *selector, record));
}

std::vector<int> unusedOffsets(const db::Field& area, const db::AreaLayout& layout, int record)
{
    std::vector<int> unused;
    for (int offset = area.at(record); offset < area.at(record) + area.size(); ++offset) {
        const bool used = std::any_of(layout.fields.begin(), layout.fields.end(), [&](const db::Field& f) {
            return offset >= f.at(record) && offset < f.at(record) + f.size();
        });
        if (!used)
            unused.push_back(offset);
    }
    return unused;
}

const std::vector<ReservedRun>& reservedRuns()
{
    static const std::vector<ReservedRun> runs = [] {
        std::vector<ReservedRun> found;
        for (int offset = 0; offset < db::kImageSize; ++offset) {
            if (covered()[offset])
                continue;
            if (!found.empty() && found.back().offset + found.back().size == offset)
                ++found.back().size;
            else
                found.push_back({offset, 1});
        }
        return found;
    }();
    return runs;
}

bool isReserved(int offset)
{
    return offset >= 0 && offset < db::kImageSize && !covered()[offset];
}

QString offsetText(int offset)
{
    return QStringLiteral("0x%1")
        .arg(offset, 4, 16, QLatin1Char('0'))
        .toUpper()
        .replace(QLatin1String("0X"), QLatin1String("0x"));
}

QString hexText(const db::Image& image, int offset, int size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(image.data()) + offset, size);
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

} // namespace trv::interchange
