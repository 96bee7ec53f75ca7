#include "database/CTRVDoc.h"
#include "database/Image.h"
#include "database/NewDatabase.h"
#include "database/SignallingFlags.h"
#include "database/TextSlot.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace trv::db;

namespace {

Image freshDatabase()
{
    Image image{};
    newDatabase(image);
    return image;
}

} // namespace

TEST(NewDatabase, WritesHeaderSettingsAndButtonDefaults)
{
    const Image image = freshDatabase();
    EXPECT_EQ(std::string(image.begin(), image.begin() + 16), "VXR DESKSET V001");
    const std::pair<int, int> settings[] = {{0x10, 1},  {0x11, 0}, {0x12, 3}, {0x13, 0}, {0x14, 1},
                                            {0x15, 30}, {0x16, 0}, {0x17, 2}, {0x18, 0}, {0x19, 0},
                                            {0x1A, 0},  {0x1B, 0}, {0x1C, 0}, {0x1D, 0}, {0x1E, 1},
                                            {0x1F, 1},  {0x20, 0}, {0x21, 1}, {0x22, 0}};
    for (auto [offset, value] : settings)
        EXPECT_EQ(image[offset], value) << "offset " << offset;
    for (int b = 0; b < 18; ++b) {
        EXPECT_EQ(image[0x80 + 2 * b], 0x00);
        EXPECT_EQ(image[0x81 + 2 * b], 0xFF);
    }
}

TEST(NewDatabase, WritesEveryChannelRecordDefaultByteForByte)
{
    const Image image = freshDatabase();
    // The expected record, built independently of the defaults table.
    std::array<std::uint8_t, 448> expected{};
    auto put16 = [&](int at, int v) {
        expected[at] = v & 0xFF;
        expected[at + 1] = (v >> 8) & 0xFF;
    };
    for (int i = 0; i < 4; ++i) {
        const std::string label = "Freq " + std::to_string(i + 1);
        std::copy(label.begin(), label.end(), expected.begin() + 12 * i);
        put16(0xD9 + 2 * i, 19500 - 1000 * i);
    }
    const std::pair<int, int> bytes[] = {
        {0xC0, 1},     {0xC2, 0xE8},  {0xC6, 2},     {0xC7, 1},     {0xD6, 10}, {0xD8, 0xEC}, {0x10B, 0x0B},
        {0x10C, 0x19}, {0x10D, 0xF5}, {0x10E, 0xE7}, {0x10F, 0xFB}, {0x133, 3}, {0x148, 1}};
    for (auto [at, v] : bytes)
        expected[at] = static_cast<std::uint8_t>(v);
    const std::pair<int, int> words[] = {{0xC4, 2000},  {0xD0, 21750}, {0xD2, 125},   {0xD4, 40},
                                         {0xF9, 20500}, {0x12B, 3500}, {0x12D, 9000}, {0x12F, 20},
                                         {0x131, 20},   {0x134, 20}};
    for (auto [at, v] : words)
        put16(at, v);

    for (int c = 0; c < 4; ++c) {
        const int base = 0x100 + 448 * c;
        for (int k = 0; k < 448; ++k)
            ASSERT_EQ(image[base + k], expected[k]) << "channel " << c + 1 << " record offset " << k;
    }
    // The example bytes of the file format: "Freq 1" at 0x0100, 19500 at 0x01D9.
    EXPECT_EQ(image[0x1D9], 0x2C);
    EXPECT_EQ(image[0x1DA], 0x4C);
}

TEST(NewDatabase, LeavesReservedAreasAndTablesZero)
{
    const Image image = freshDatabase();
    auto allZero = [&](int from, int to) {
        return std::all_of(image.begin() + from, image.begin() + to + 1, [](auto b) { return b == 0; });
    };
    EXPECT_TRUE(allZero(0x0023, 0x007F));
    EXPECT_TRUE(allZero(0x00A4, 0x00FF));
    EXPECT_TRUE(allZero(0x0800, 0x3FFF));
}

TEST(NewDatabase, ResetChannelChangesOnlyDefaultBytes)
{
    Image image = freshDatabase();
    const int base = kChannels.record(2);
    std::fill(image.begin() + base, image.begin() + base + 448, 0x5A);
    resetChannelRecord(2, image);
    EXPECT_EQ(readText(image, base, 12), "Freq 1");
    EXPECT_EQ(readU16(image, base + channel::kFunctionToneFrequency), 19500);
    EXPECT_EQ(image[base + 0x0C8], 0);    // keying and I/O bytes are defaults too
    EXPECT_EQ(image[base + 0x111], 0);    // deskset ID emptied
    EXPECT_EQ(image[base + 0x112], 0x5A); // rest of the ID slot is not a default byte
    EXPECT_EQ(image[base + 0x113], 0x5A);
    EXPECT_EQ(image[base + 0x136], 0x5A);
    // Neighbouring records are untouched.
    EXPECT_EQ(readText(image, kChannels.record(1), 12), "Freq 1");
    EXPECT_EQ(image[kChannels.record(3) - 1], 0x5A);
}

TEST(NewDatabase, CloseZeroesEverythingSoNewStartsClean)
{
    Image image = freshDatabase();
    image[0x3FFF] = 7;
    closeDatabase(image);
    EXPECT_TRUE(std::all_of(image.begin(), image.end(), [](auto b) { return b == 0; }));
    newDatabase(image);
    EXPECT_EQ(image, freshDatabase());
}

TEST(ImageHelpers, LittleEndianAndTextSlots)
{
    Image image{};
    writeU16(image, 0x18, 500);
    EXPECT_EQ(image[0x18], 0xF4);
    EXPECT_EQ(image[0x19], 0x01);
    EXPECT_EQ(readU16(image, 0x18), 500);

    std::fill(image.begin() + 0x200, image.begin() + 0x210, 'x');
    writeText(image, 0x200, 8, "ABC");
    EXPECT_EQ(readText(image, 0x200, 8), "ABC");
    EXPECT_EQ(image[0x207], 0);   // the rest of the slot is zero
    EXPECT_EQ(image[0x208], 'x'); // nothing past the slot is touched

    writeText(image, 0x200, 8, "ABCDEFGHIJ"); // fills the slot: no terminator, cut to 8
    EXPECT_EQ(image[0x208], 'x');
    EXPECT_EQ(readText(image, 0x200, 8), "ABCDEFGH");
}

TEST(RegionMap, TilesTheWholeImage)
{
    int next = 0;
    for (const Region& r : kRegionMap) {
        EXPECT_EQ(r.base, next);
        next = r.end();
    }
    EXPECT_EQ(next, kImageSize);
}

TEST(SignallingFlags, FollowEachChannelsSignallingType)
{
    Image image = freshDatabase();
    const std::uint8_t types[] = {1, 2, 3, 0};
    for (int c = 0; c < 4; ++c)
        image[kChannels.record(c) + channel::kSignalingType] = types[c];
    SignallingFlags flags;
    flags.recompute(image);
    EXPECT_EQ(flags.statAlertAreaValid, (std::array<std::uint8_t, 4>{1, 0, 0, 0}));
    EXPECT_EQ(flags.dtmfAreaValid, (std::array<std::uint8_t, 4>{0, 1, 1, 0}));
    flags.clear();
    EXPECT_EQ(flags.statAlertAreaValid, (std::array<std::uint8_t, 4>{}));
    EXPECT_EQ(flags.dtmfAreaValid, (std::array<std::uint8_t, 4>{}));
}

TEST(CTRVDoc, TitleFollowsPathAndEditorWindowsAreTracked)
{
    CTRVDoc doc;
    EXPECT_EQ(doc.title(), "New");
    EXPECT_FALSE(doc.isModified());
    doc.setPathName("/tmp/site/east.ddb");
    EXPECT_EQ(doc.title(), "east.ddb");

    EditorWindow a, b;
    doc.addEditorWindow(&a);
    doc.addEditorWindow(&a);
    doc.addEditorWindow(&b);
    EXPECT_EQ(doc.editorWindows().size(), 2u);
    doc.removeEditorWindow(&a);
    doc.removeEditorWindow(&b);
    EXPECT_FALSE(doc.anyEditorWindowOpen());
}

TEST(TextSlot, StoresPrintableLatin1Only)
{
    // Every code point at the edges of the two storable ranges, and a few beyond one byte.
    const std::pair<char32_t, bool> cases[] = {
        {0x00, false}, {0x1F, false}, {0x20, true},   {0x7E, true},   {0x7F, false},   {0x9F, false},
        {0xA0, true},  {0xFF, true},  {0x100, false}, {0x3A9, false}, {0xFFFD, false}, {0x1F600, false}};
    for (auto [c, storable] : cases)
        EXPECT_EQ(isStorableChar(c), storable) << "U+" << std::hex << static_cast<unsigned>(c);

    EXPECT_TRUE(isStorableText("Caf\xE9 ~"));
    EXPECT_FALSE(isStorableText("Tab\there"));
    EXPECT_EQ(storableBytes(U"\u03A9mega\u00E9\u0007!"), "mega\xE9!");
}
