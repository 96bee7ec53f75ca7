#include "editors/common/ButtonTable.h"
#include "database/Layout.h"

#include <gtest/gtest.h>

using namespace trv;

namespace {

void setButton(db::Image& image, int k, int kind, int parameter)
{
    image[db::kButtonTable.record(k) + db::button::kKind] = static_cast<std::uint8_t>(kind);
    image[db::kButtonTable.record(k) + db::button::kParameter] = static_cast<std::uint8_t>(parameter);
}

TEST(ButtonTable, OnlyButtonsOfChannelsTwoToFourAddressOtherChannels)
{
    for (int kind = 0; kind <= 255; ++kind) {
        for (int parameter : {1, 2, 3, 4, 255}) {
            const bool expected =
                kind == 8 || kind == 13 || kind == 14 || kind == 16 || (kind == 9 && parameter != 1);
            EXPECT_EQ(editors::addressesOtherChannels(kind, parameter), expected) << kind << "/" << parameter;
        }
    }
}

TEST(ButtonTable, RemovingOtherChannelButtonsKeepsEveryOtherEntryAndByte)
{
    db::Image image{};
    image.fill(0x5A); // bytes around the table must not change
    const int entries[18][2] = {{8, 255},  {9, 1},   {9, 2},   {9, 4},    {13, 255}, {14, 255},
                                {16, 255}, {4, 3},   {5, 250}, {7, 8},    {10, 2},   {12, 1},
                                {18, 4},   {0, 255}, {1, 255}, {17, 255}, {19, 7},   {9, 255}};
    for (int k = 0; k < 18; ++k)
        setButton(image, k, entries[k][0], entries[k][1]);
    db::Image expected = image;
    for (int k : {0, 2, 3, 4, 5, 6, 17})
        setButton(expected, k, 0, 255);

    editors::removeOtherChannelButtons(image);
    EXPECT_EQ(image, expected);
}

TEST(ButtonTable, ImageTableHoldsTheEighteenPairsInTableOrder)
{
    db::Image image{};
    image.fill(0x5A);
    for (int k = 0; k < 18; ++k)
        setButton(image, k, k + 1, 100 + k);
    const editors::ButtonEntries entries = editors::imageButtonTable(image);
    for (int k = 0; k < 18; ++k) {
        EXPECT_EQ(entries[2 * k], k + 1);
        EXPECT_EQ(entries[2 * k + 1], 100 + k);
    }
}

} // namespace

namespace {

// Records 0..4 of a table in use: record 1 deleted, 2..4 moved down by one, the rest in place. A Speed
// Page button on the deleted record becomes undefined; every Speed Page parameter above it decreases,
// also past the records in use and at 255. A re-sort (no record deleted) moves only what it maps.
TEST(ButtonTable, SpeedPageButtonsFollowTheirRecordsAndLoseDeletedOnes)
{
    struct Case {
        const char* what;
        std::vector<int> moves; // records 0..4; the rest of the 250 stay
        std::vector<std::pair<int, int>> after;
    };
    const std::vector<std::pair<int, int>> before = {{5, 1}, {5, 2}, {5, 3},   {5, 5}, {5, 6},
                                                     {4, 3}, {5, 0}, {5, 255}, {6, 5}};
    const Case cases[] = {
        {"delete",
         {0, -1, 1, 2, 3},
         {{5, 1}, {0, 255}, {5, 2}, {5, 4}, {5, 5}, {4, 3}, {5, 0}, {5, 254}, {6, 5}}},
        {"re-sort",
         {2, 0, 1, 3, 4},
         {{5, 3}, {5, 1}, {5, 2}, {5, 5}, {5, 6}, {4, 3}, {5, 0}, {5, 255}, {6, 5}}},
    };
    for (const Case& c : cases) {
        editors::ButtonEntries entries{};
        editors::ButtonEntries expected{};
        for (int k = 0; k < 18; ++k) {
            const bool set = k < static_cast<int>(before.size());
            const auto [kind, parameter] = set ? before[k] : std::pair{0, 255};
            const auto [kindAfter, parameterAfter] = set ? c.after[k] : std::pair{0, 255};
            editors::setButtonEntry(entries, k, {std::uint8_t(kind), std::uint8_t(parameter)});
            editors::setButtonEntry(expected, k, {std::uint8_t(kindAfter), std::uint8_t(parameterAfter)});
        }
        std::vector<int> moves(250);
        for (int r = 0; r < 250; ++r)
            moves[static_cast<std::size_t>(r)] = r < 5 ? c.moves[static_cast<std::size_t>(r)] : r;

        editors::followSpeedPageMoves(entries, moves);
        EXPECT_EQ(entries, expected) << c.what;
    }
}

} // namespace
