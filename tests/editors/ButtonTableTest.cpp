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
