#include "database/NewDatabase.h"

#include "database/FieldCatalog.h"

#include <algorithm>
#include <cstdlib>

namespace trv::db {
namespace {

// Writes the defaults of every field of an area into one of its records.
void writeAreaDefaults(Image& image, const CatalogueArea& area, int record)
{
    for (const Field* field : area.fields)
        writeDefault(image, *field, record);
}

const CatalogueArea& areaOf(const Region& region)
{
    for (const CatalogueArea& area : catalogue())
        if (area.region == &region)
            return area;
    std::abort(); // every region with fields has an area
}

} // namespace

void resetChannelRecord(int channelIndex, Image& image)
{
    writeAreaDefaults(image, areaOf(kChannels), channelIndex);
}

// Every field's default in every record: the settings, the channels, the buttons and the free
// records of the label-keyed tables (only their first byte is zeroed).
void newDatabase(Image& image)
{
    std::copy(kMagic.begin(), kMagic.end(), image.begin() + kHeader.base);
    for (const CatalogueArea& area : catalogue())
        for (int record = 0; record < area.region->count; ++record)
            writeAreaDefaults(image, area, record);
}

void closeDatabase(Image& image)
{
    image.fill(0);
}

} // namespace trv::db
