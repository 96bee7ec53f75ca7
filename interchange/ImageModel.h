// How the interchange tools see an image through the field catalogue: records of each area, the
// elements of each field, the layout an area field holds, the bytes outside every field, and the
// paths that name them ("channels[2].frequencyLabel[3]", records and elements counted from 1).
#pragma once

#include "database/FieldCatalog.h"

#include <QString>

#include <vector>

namespace trv::interchange {

// One element of a field in one record.
struct Slot {
    const db::Field* field;
    int record;
    int element = 0;

    int offset() const { return field->at(record, element); }
    int size() const { return field->width; }
};

// True for a table record whose first byte is zero (tables with free records only).
bool isFreeRecord(const db::Image& image, const db::CatalogueArea& area, int record);
// True when every byte of the range is zero.
bool allZero(const db::Image& image, int offset, int size);

// "deskset" for an area of one record, else "channels[2]".
QString recordPath(const db::CatalogueArea& area, int record);
// "channel 2", "deskset".
QString recordHeading(const db::CatalogueArea& area, int record);
// "txLevel", or "frequencyLabel[3]" for an element of an array field.
QString elementName(const db::Field& field, int element);

// The layout an area field holds in one record (chosen by its selector field), or null.
const db::AreaLayout* layoutOf(const db::Image& image, const db::CatalogueArea& area, const db::Field& field,
                               int record);
// The image offsets of an area field's bytes that its layout leaves unused, in order.
std::vector<int> unusedOffsets(const db::Field& area, const db::AreaLayout& layout, int record);

// A run of image bytes that belongs to no field (the header excepted).
struct ReservedRun {
    int offset;
    int size;
};
const std::vector<ReservedRun>& reservedRuns();
// True when the byte belongs to no field and is not part of the header.
bool isReserved(int offset);

// "0x0023".
QString offsetText(int offset);
// "E8 03".
QString hexText(const db::Image& image, int offset, int size);

} // namespace trv::interchange
