// Deskset messages on the wire, the upload blocks and the download's receive buffer.
#include "database/NewDatabase.h"
#include "transfer/DesksetMessage.h"
#include "transfer/ImageBlocks.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace trv::transfer;
using Bytes = std::vector<std::uint8_t>;

namespace {

trv::db::Image patternedImage()
{
    trv::db::Image image{};
    trv::db::newDatabase(image);
    for (int i = trv::db::kHeaderSize; i < trv::db::kImageSize; ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + (i >> 8));
    return image;
}

Bytes block(int offset, Bytes bytes)
{
    bytes.insert(bytes.begin(),
                 {static_cast<std::uint8_t>(offset & 0xFF), static_cast<std::uint8_t>(offset >> 8)});
    return bytes;
}

} // namespace

TEST(DesksetMessage, EncodesLengthTypeAndData)
{
    EXPECT_EQ(DesksetMessage(MessageType::DownloadBlock, {0}).encode(), (Bytes{0x02, 0x03, 0x00}));
    EXPECT_EQ(DesksetMessage(MessageType::Hardware).encode(), (Bytes{0x01, 0x02}));
    EXPECT_EQ(DesksetMessage(MessageType::Version).encode(), (Bytes{0x01, 0x01}));
}

TEST(DesksetMessage, SendingCutsDataTo248Bytes)
{
    const Bytes bytes = DesksetMessage(9, Bytes(300, 0xAA)).encode();
    ASSERT_EQ(bytes.size(), 250u);
    EXPECT_EQ(bytes[0], 249);
    EXPECT_EQ(bytes[1], 9);

    const Bytes exact = DesksetMessage(9, Bytes(248, 0x55)).encode();
    EXPECT_EQ(exact.size(), 250u);
}

TEST(DesksetMessage, DecodingIgnoresMessagesWithoutType)
{
    EXPECT_FALSE(DesksetMessage::decode(Bytes{}));
    EXPECT_FALSE(DesksetMessage::decode(Bytes{0x01}));
    EXPECT_FALSE(DesksetMessage::decode(Bytes{0x00, 0x05, 0x01}));

    const auto typeOnly = DesksetMessage::decode(Bytes{0x01, 0x05});
    ASSERT_TRUE(typeOnly);
    EXPECT_EQ(typeOnly->type, 5);
    EXPECT_TRUE(typeOnly->data.empty());
}

TEST(DesksetMessage, DecodingTakesAtMostTheDeclaredThePresentAnd247Bytes)
{
    // Declared length shorter than what arrived: the declared count wins.
    auto m = DesksetMessage::decode(Bytes{0x03, 0x02, 0x00, 0x01, 0x09, 0x09});
    ASSERT_TRUE(m);
    EXPECT_EQ(m->data, (Bytes{0x00, 0x01}));

    // Declared longer than what arrived: only the bytes present.
    m = DesksetMessage::decode(Bytes{0x20, 0x02, 0x07});
    ASSERT_TRUE(m);
    EXPECT_EQ(m->data, (Bytes{0x07}));

    // A full 250-byte message carries 248 data bytes; 247 are taken.
    Bytes full = DesksetMessage(3, Bytes(248, 0x11)).encode();
    m = DesksetMessage::decode(full);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->data.size(), 247u);
}

TEST(DesksetMessage, RoundTripsEveryLengthUpTo247)
{
    for (int n = 0; n <= DesksetMessage::kMaxReceiveData; ++n) {
        Bytes data(n);
        std::iota(data.begin(), data.end(), std::uint8_t(n));
        const auto m = DesksetMessage::decode(DesksetMessage(4, data).encode());
        ASSERT_TRUE(m) << n;
        EXPECT_EQ(m->type, 4);
        EXPECT_EQ(m->data, data) << n;
    }
}

TEST(UploadBlocks, CutTheImageInto164BlocksInOffsetOrder)
{
    const trv::db::Image image = patternedImage();
    const auto blocks = uploadBlocks(image);
    ASSERT_EQ(blocks.size(), 164u);

    const Bytes first = blocks.front().encode();
    ASSERT_EQ(first.size(), 104u);
    EXPECT_EQ((Bytes(first.begin(), first.begin() + 4)), (Bytes{0x67, 0x04, 0x00, 0x00}));
    EXPECT_EQ(std::string(first.begin() + 4, first.begin() + 20), "VXR DESKSET V001");
    EXPECT_TRUE(std::equal(first.begin() + 20, first.end(), image.begin() + 16));

    const Bytes last = blocks.back().encode();
    ASSERT_EQ(last.size(), 88u);
    EXPECT_EQ((Bytes(last.begin(), last.begin() + 4)), (Bytes{0x57, 0x04, 0xAC, 0x3F}));
    EXPECT_TRUE(std::equal(last.begin() + 4, last.end(), image.begin() + 16300));

    // Together the blocks are the image, each at its own offset.
    Bytes joined;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        EXPECT_TRUE(blocks[i].is(MessageType::UploadBlock));
        EXPECT_EQ(readOffset(blocks[i].data), int(i) * 100);
        EXPECT_EQ(blocks[i].data.size(), i + 1 < blocks.size() ? 102u : 86u);
        joined.insert(joined.end(), blocks[i].data.begin() + 2, blocks[i].data.end());
    }
    EXPECT_TRUE(std::equal(joined.begin(), joined.end(), image.begin(), image.end()));
}

TEST(ReceiveBuffer, HoldsAnImageOnlyWhenEveryByteArrived)
{
    const trv::db::Image image = patternedImage();
    ReceiveBuffer buffer;
    const auto blocks = uploadBlocks(image);
    for (std::size_t i = 0; i + 1 < blocks.size(); ++i)
        ASSERT_TRUE(buffer.store(blocks[i].data));
    EXPECT_EQ(buffer.bytesArrived(), 16300);
    EXPECT_FALSE(buffer.holdsImage());

    // The last block fills exactly the last 84 bytes.
    ASSERT_TRUE(buffer.store(blocks.back().data));
    EXPECT_EQ(buffer.bytesArrived(), trv::db::kImageSize);
    EXPECT_TRUE(buffer.holdsImage());
    EXPECT_EQ(buffer.bytes(), image);

    buffer.reset();
    EXPECT_EQ(buffer.bytesArrived(), 0);
    EXPECT_FALSE(buffer.holdsImage());
}

TEST(ReceiveBuffer, BlocksInAnyOrderAndSizeMakeTheImage)
{
    const trv::db::Image image = patternedImage();
    ReceiveBuffer buffer;
    // Blocks of 247-2 bytes, sent backwards, overlapping once.
    const int size = DesksetMessage::kMaxReceiveData - 2;
    for (int offset = (trv::db::kImageSize / size) * size; offset >= 0; offset -= size) {
        const int n = std::min(size, trv::db::kImageSize - offset);
        ASSERT_TRUE(buffer.store(block(offset, Bytes(image.begin() + offset, image.begin() + offset + n))));
    }
    ASSERT_TRUE(buffer.store(block(50, Bytes(image.begin() + 50, image.begin() + 150))));
    EXPECT_TRUE(buffer.holdsImage());
    EXPECT_EQ(buffer.bytes(), image);
}

TEST(ReceiveBuffer, RefusesBlocksOutsideTheBufferAndRemembersIt)
{
    const trv::db::Image image = patternedImage();
    ReceiveBuffer buffer;
    for (const auto& b : uploadBlocks(image))
        buffer.store(b.data);
    ASSERT_TRUE(buffer.holdsImage());

    EXPECT_FALSE(buffer.store(block(16300, Bytes(85, 0xEE)))); // one byte beyond the end
    EXPECT_TRUE(buffer.refusedBlock());
    EXPECT_FALSE(buffer.holdsImage());
    EXPECT_EQ(buffer.bytes(), image); // nothing of the refused block was copied

    buffer.reset();
    EXPECT_FALSE(buffer.store(Bytes{0x10})); // too short to carry an offset
    EXPECT_TRUE(buffer.refusedBlock());
    EXPECT_FALSE(buffer.store(block(0xFFFF, {}))); // even an empty block must lie inside

    buffer.reset();
    EXPECT_TRUE(buffer.store(block(100, {}))); // an empty block inside changes nothing
    EXPECT_EQ(buffer.bytesArrived(), 0);
    EXPECT_FALSE(buffer.refusedBlock());
}

TEST(ReceiveBuffer, WantsTheRightHeader)
{
    trv::db::Image image = patternedImage();
    image[3] = 'x';
    ReceiveBuffer buffer;
    for (const auto& b : uploadBlocks(image))
        buffer.store(b.data);
    EXPECT_EQ(buffer.bytesArrived(), trv::db::kImageSize);
    EXPECT_FALSE(buffer.holdsImage());
}
