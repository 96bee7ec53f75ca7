#include "database/FieldCatalog.h"
#include "database/NewDatabase.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace trv::db;

namespace {

// How many fields claim each byte of one record.
std::vector<int> claims(int recordSize, std::span<const Field* const> list)
{
    std::vector<int> owners(static_cast<std::size_t>(recordSize), 0);
    for (const Field* f : list)
        for (int b = f->offset; b < f->offset + f->size(); ++b) {
            EXPECT_LT(b, recordSize) << f->name << " runs past its record";
            if (b < recordSize)
                ++owners[static_cast<std::size_t>(b)];
        }
    return owners;
}

} // namespace

// Every byte of every record belongs to exactly one field, apart from the channel record's reserved
// tail; so dump, diff and export see every stored byte once.
TEST(FieldCatalog, EachByteOfEveryRecordBelongsToExactlyOneField)
{
    for (const CatalogueArea& area : catalogue()) {
        const std::vector<int> owners = claims(area.region->recordSize, area.fields);
        const int fieldBytes = area.region == &kChannels ? channel::kReserved : area.region->recordSize;
        for (int b = 0; b < area.region->recordSize; ++b)
            EXPECT_EQ(owners[static_cast<std::size_t>(b)], b < fieldBytes ? 1 : 0)
                << area.name << " record offset 0x" << std::hex << b;
    }
}

TEST(FieldCatalog, AreaLayoutsStayInsideTheirAreaWithoutOverlap)
{
    for (const CatalogueArea& area : catalogue())
        for (const Field* f : area.fields) {
            if (f->kind != FieldKind::Area)
                continue;
            ASSERT_NE(findField(area.name, f->selector), nullptr) << f->name;
            for (const AreaLayout& layout : f->layouts) {
                std::vector<int> owners(static_cast<std::size_t>(f->width), 0);
                for (const Field& sub : layout.fields)
                    for (int b = sub.offset; b < sub.offset + sub.size(); ++b) {
                        ASSERT_GE(b, f->offset) << sub.name;
                        ASSERT_LT(b, f->offset + f->width) << sub.name;
                        EXPECT_EQ(++owners[static_cast<std::size_t>(b - f->offset)], 1)
                            << layout.name << " " << sub.name;
                    }
            }
        }
}

// Names are unique in an area; list defaults are entries of their list; number defaults are in range.
TEST(FieldCatalog, NamesAreUniqueAndDefaultsAreValidValues)
{
    for (const CatalogueArea& area : catalogue()) {
        std::set<std::string_view> names;
        for (const Field* f : area.fields) {
            EXPECT_TRUE(names.insert(f->name).second) << area.name << "." << f->name;
            EXPECT_EQ(findField(area.name, f->name), f);
            if (f->init != FieldInit::Value || f->isText())
                continue;
            for (int e = 0; e < f->count; ++e) {
                const auto i = static_cast<std::size_t>(e);
                const int value = i < f->elementDefaults.size() ? f->elementDefaults[i] : f->defaultValue;
                const bool noTone = f->kind == FieldKind::Frequency && value == 0;
                if (!f->choices.empty()) {
                    EXPECT_TRUE(f->choice(value)) << f->name << " default " << value;
                } else if (!noTone) {
                    EXPECT_TRUE(value >= f->minimum && value <= f->maximum)
                        << f->name << " default " << value;
                }
            }
        }
    }
    EXPECT_EQ(findField("channels", "noSuchField"), nullptr);
}

// The typed helpers read what the image holds: signed bytes, little-endian words, array elements.
TEST(FieldCatalog, TypedAccessFollowsWidthSignAndElement)
{
    Image image{};
    newDatabase(image);
    EXPECT_EQ(readField(image, fields::rxAgcLevel, 2), -24);
    EXPECT_EQ(readField(image, fields::hangoverDelay, 3), 2000);
    EXPECT_EQ(readField(image, fields::dcCurrent, 0, 3), -25);
    EXPECT_EQ(readField(image, fields::functionToneFrequency, 1, 2), 17500);
    EXPECT_EQ(readFieldText(image, fields::frequencyLabel, 0, 3), "Freq 4");
    writeField(image, fields::txLevel, -30, 1);
    EXPECT_EQ(image[0x02C0 + 0xC3], 0xE2);
    writeField(image, fields::transmitDelay, 500);
    EXPECT_EQ(image[0x18], 0xF4);
    EXPECT_EQ(image[0x19], 0x01);
    EXPECT_EQ(fields::signalingArea.layoutFor(3)->name, "DtmfSettings");
    EXPECT_EQ(fields::signalingArea.layoutFor(0), nullptr);
}
