#include "database/SortedTable.h"
#include "database/FieldCatalog.h"
#include "database/NewDatabase.h"

#include <gtest/gtest.h>

using namespace trv::db;

namespace {

const SortedTable kSpeedPages(fields::speedPageLabel, SortedTable::Compare::CaseSensitive,
                              SortedTable::SecondPass::OnlyIfUnmoved);
const SortedTable kAliases(fields::aliasLabel, SortedTable::Compare::UpperCased,
                           SortedTable::SecondPass::Always);

std::vector<std::string> labels(const Image& image, const SortedTable& table)
{
    std::vector<std::string> found;
    for (int r = 0; r < table.count(image); ++r)
        found.push_back(table.label(image, r));
    return found;
}

// Stores a label in `record` (default: the first free one) and re-sorts it, as the dialogs do.
RecordMoves store(Image& image, const SortedTable& table, const std::string& label, int record = -1)
{
    const int at = record < 0 ? table.firstFree(image) : record;
    writeFieldText(image, table.labelField(), label, at);
    return table.resort(image, at);
}

class SortedTableTest : public ::testing::Test {
protected:
    SortedTableTest() { newDatabase(image); }
    Image image{};
};

TEST_F(SortedTableTest, InsertKeepsOrderAndReportsWhereRecordsWent)
{
    store(image, kSpeedPages, "B");
    store(image, kSpeedPages, "C");
    const RecordMoves moves = store(image, kSpeedPages, "A");
    EXPECT_EQ(labels(image, kSpeedPages), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(std::vector<int>(moves.begin(), moves.begin() + 3), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(kSpeedPages.find(image, "C"), 2);
    EXPECT_EQ(kSpeedPages.find(image, "c"), -1);
}

TEST_F(SortedTableTest, RenameMovesTheRecordTowardsTheEnd)
{
    for (const char* l : {"A", "B", "C"})
        store(image, kSpeedPages, l);
    const RecordMoves moves = store(image, kSpeedPages, "D", 0);
    EXPECT_EQ(labels(image, kSpeedPages), (std::vector<std::string>{"B", "C", "D"}));
    EXPECT_EQ(std::vector<int>(moves.begin(), moves.begin() + 3), (std::vector<int>{2, 0, 1}));
}

TEST_F(SortedTableTest, CaseRules)
{
    for (const char* l : {"abc", "ABC"})
        store(image, kSpeedPages, l);
    EXPECT_EQ(labels(image, kSpeedPages), (std::vector<std::string>{"ABC", "abc"}));
    for (const char* l : {"Zulu", "alpha", "Bravo", "Radio", "RADIO"})
        store(image, kAliases, l);
    EXPECT_EQ(labels(image, kAliases),
              (std::vector<std::string>{"alpha", "Bravo", "Radio", "RADIO", "Zulu"}));
}

TEST_F(SortedTableTest, RemovePacksAndKeepsTheLastSlotsOtherBytes)
{
    for (const char* l : {"A", "B", "C", "D", "E"})
        store(image, kSpeedPages, l);
    writeFieldText(image, fields::speedPageDigits, "999", 4);
    const RecordMoves moves = kSpeedPages.remove(image, 1);
    EXPECT_EQ(labels(image, kSpeedPages), (std::vector<std::string>{"A", "C", "D", "E"}));
    EXPECT_EQ(std::vector<int>(moves.begin(), moves.begin() + 5), (std::vector<int>{0, -1, 1, 2, 3}));
    EXPECT_TRUE(kSpeedPages.isFree(image, 4));
    EXPECT_EQ(readFieldText(image, fields::speedPageDigits, 4), "999");
}

// With every record in use, removing one stops at the table's last record: the aliases after the
// speed page table are not touched.
TEST_F(SortedTableTest, RemoveFromAFullTableStaysInsideIt)
{
    for (int r = 0; r < kSpeedPages.capacity(); ++r)
        writeFieldText(image, fields::speedPageLabel, "P" + std::to_string(1000 + r), r);
    writeFieldText(image, fields::aliasLabel, "Alias", 0);
    const Image before = image;
    kSpeedPages.remove(image, 0);
    EXPECT_EQ(kSpeedPages.count(image), 249);
    EXPECT_EQ(kSpeedPages.firstFree(image), 249);
    EXPECT_TRUE(std::equal(image.begin() + kPttAliases.base, image.end(), before.begin() + kPttAliases.base));
}

// The duplicate checks: another record in use, not the one being edited; a freed slot's stale bytes
// never count.
TEST_F(SortedTableTest, FindOtherSkipsTheEditedRecordAndFreeRecords)
{
    for (const char* l : {"A", "B", "C"})
        store(image, kAliases, l);
    writeFieldText(image, fields::aliasPttId, "12AB", 1);
    writeFieldText(image, fields::aliasPttId, "77", 2);
    EXPECT_EQ(kAliases.findOther(image, fields::aliasPttId, "12AB", -1), 1);
    EXPECT_EQ(kAliases.findOther(image, fields::aliasPttId, "12AB", 1), -1);
    EXPECT_EQ(kAliases.findOther(image, fields::aliasPttId, "12ab", -1), -1);
    EXPECT_EQ(kAliases.findOther(image, fields::aliasLabel, "C", 0), 2);
    kAliases.remove(image, 0); // record 2 is freed and keeps the ID "77"
    EXPECT_EQ(readFieldText(image, fields::aliasPttId, 2), "77");
    EXPECT_EQ(kAliases.findOther(image, fields::aliasPttId, "77", -1), 1);
    kAliases.remove(image, 1);
    EXPECT_EQ(kAliases.findOther(image, fields::aliasPttId, "77", -1), -1);
}

} // namespace
