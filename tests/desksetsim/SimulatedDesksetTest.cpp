// The simulated deskset's answers to the tool's messages.
#include "tools/desksetsim/SimulatedDeskset.h"

#include "database/NewDatabase.h"

#include <gtest/gtest.h>

#include <numeric>

namespace desksetsim {
namespace {

using trv::db::Image;
using trv::db::kImageSize;

Image PatternImage()
{
    Image image{};
    trv::db::newDatabase(image);
    for (int i = trv::db::kHeaderSize; i < kImageSize; ++i)
        image[i] = static_cast<uint8_t>(i * 31 + 7);
    return image;
}

DesksetResponse Ask(SimulatedDeskset& deskset, const Message& message)
{
    return deskset.Handle(message.data(), static_cast<int>(message.size()));
}

Message UploadBlock(const Image& image, int offset)
{
    const int count = std::min(kBlockBytes, kImageSize - offset);
    Message data{static_cast<uint8_t>(offset & 0xFF), static_cast<uint8_t>(offset >> 8)};
    data.insert(data.end(), image.begin() + offset, image.begin() + offset + count);
    return MakeMessage(kTypeUploadBlock, data.data(), static_cast<int>(data.size()));
}

TEST(SimulatedDeskset, AnswersVersionAndHardware)
{
    SimulatedDeskset deskset({}, PatternImage());
    const DesksetResponse version = Ask(deskset, {1, kTypeVersion});
    ASSERT_EQ(version.messages.size(), 1u);
    const Message expected = {0x11, 0x01, 'V', 'X', 'R', ' ', 'D', 'E', 'S',
                              'K',  'S',  'E', 'T', ' ', 'V', '0', '0', '1'};
    EXPECT_EQ(version.messages[0], expected);
    EXPECT_EQ(Ask(deskset, {1, kTypeHardware}).messages, (std::vector<Message>{{2, kTypeHardware, 0}}));

    DesksetProfile other;
    other.versionText = "VXR DESKSET V00"; // 15 characters: sent as given
    other.hardwareId = 1;
    other.unknownType = 9;
    SimulatedDeskset odd(other, PatternImage());
    const DesksetResponse oddVersion = Ask(odd, {1, kTypeVersion});
    ASSERT_EQ(oddVersion.messages.size(), 2u);
    EXPECT_EQ(oddVersion.messages[0].size(), 17u);
    EXPECT_EQ(oddVersion.messages[0][0], 16);
    EXPECT_EQ(oddVersion.messages[1], (Message{1, 9}));
    EXPECT_EQ(Ask(odd, {1, kTypeHardware}).messages, (std::vector<Message>{{2, kTypeHardware, 1}}));
}

TEST(SimulatedDeskset, DownloadSends164BlocksOfTheImageThenTypeSeven)
{
    const Image image = PatternImage();
    SimulatedDeskset deskset({}, image);
    const DesksetResponse response = Ask(deskset, {2, kTypeDownloadBlock, 0});
    ASSERT_EQ(response.messages.size(), 165u);
    EXPECT_EQ(response.silentAfterDataFrames, -1);
    Image rebuilt{};
    for (int i = 0; i < kBlockCount; ++i) {
        const Message& block = response.messages[i];
        const int offset = block[2] | block[3] << 8;
        ASSERT_EQ(offset, i * 100);
        ASSERT_EQ(block[1], kTypeDownloadBlock);
        ASSERT_EQ(block[0], block.size() - 1);
        std::copy(block.begin() + 4, block.end(), rebuilt.begin() + offset);
    }
    // The last block: 84 bytes at offset 16300 (0x3FAC).
    const Message& last = response.messages[163];
    EXPECT_EQ((Message{last.begin(), last.begin() + 4}), (Message{0x57, 0x03, 0xAC, 0x3F}));
    EXPECT_EQ(last.size(), 88u);
    EXPECT_EQ(response.messages[0][0], 0x67);
    EXPECT_EQ(rebuilt, image);
    EXPECT_EQ(response.messages.back(), (Message{1, kTypeDownloadComplete}));

    // Only the request with data 0 starts a download.
    EXPECT_TRUE(Ask(deskset, {2, kTypeDownloadBlock, 1}).messages.empty());
    EXPECT_TRUE(Ask(deskset, {1, kTypeDownloadBlock}).messages.empty());
}

TEST(SimulatedDeskset, NoEndAndStopAfterShapeTheDownload)
{
    DesksetProfile noEnd;
    noEnd.noEnd = true;
    SimulatedDeskset quiet(noEnd, PatternImage());
    const DesksetResponse all = Ask(quiet, {2, kTypeDownloadBlock, 0});
    EXPECT_EQ(all.messages.size(), 164u);
    EXPECT_EQ(all.messages.back()[1], kTypeDownloadBlock);

    DesksetProfile stop;
    stop.stopAfterBlocks = 10;
    SimulatedDeskset stopping(stop, PatternImage());
    const DesksetResponse some = Ask(stopping, {2, kTypeDownloadBlock, 0});
    EXPECT_EQ(some.messages.size(), 10u);
    EXPECT_EQ(some.silentAfterDataFrames, 10);
    EXPECT_EQ(some.messages.back()[1], kTypeDownloadBlock);
}

TEST(SimulatedDeskset, UploadCompletesWhenEveryByteArrivedAndIsKept)
{
    Image blank{};
    trv::db::newDatabase(blank);
    SimulatedDeskset deskset({}, blank);
    const Image uploaded = PatternImage();
    // Blocks in any order, one of them twice: completion counts bytes, not messages.
    std::vector<int> offsets(kBlockCount);
    for (int i = 0; i < kBlockCount; ++i)
        offsets[i] = (i * 37 % kBlockCount) * kBlockBytes;
    offsets.insert(offsets.begin() + 5, offsets[3]);
    for (size_t i = 0; i + 1 < offsets.size(); ++i) {
        const DesksetResponse response = Ask(deskset, UploadBlock(uploaded, offsets[i]));
        ASSERT_TRUE(response.messages.empty()) << i;
        ASSERT_FALSE(response.upload);
    }
    const DesksetResponse done = Ask(deskset, UploadBlock(uploaded, offsets.back()));
    EXPECT_EQ(done.messages, (std::vector<Message>{{1, kTypeUploadComplete}}));
    ASSERT_TRUE(done.upload);
    EXPECT_EQ(*done.upload, uploaded);
    EXPECT_EQ(deskset.Image(), uploaded) << "a later download serves the upload";
    EXPECT_EQ(deskset.UploadBytesReceived(), 0) << "ready for the next upload";
}

TEST(SimulatedDeskset, FailUploadAnswersSixAndKeepsTheOldImage)
{
    DesksetProfile failing;
    failing.failUpload = true;
    const Image original = PatternImage();
    SimulatedDeskset deskset(failing, original);
    Image uploaded{};
    trv::db::newDatabase(uploaded);
    DesksetResponse last;
    for (int offset = 0; offset < kImageSize; offset += kBlockBytes)
        last = Ask(deskset, UploadBlock(uploaded, offset));
    EXPECT_EQ(last.messages, (std::vector<Message>{{1, kTypeUploadIncomplete}}));
    EXPECT_TRUE(last.upload);
    EXPECT_EQ(deskset.Image(), original);
}

TEST(SimulatedDeskset, RefusesBlocksOutsideTheImageAndForgetsAHalfUpload)
{
    SimulatedDeskset deskset({}, PatternImage());
    // 100 bytes at 16300 would reach 16400: refused whole, nothing counted.
    Message beyond{0x67, kTypeUploadBlock, 0xAC, 0x3F};
    beyond.resize(104, 0x55);
    EXPECT_TRUE(Ask(deskset, beyond).messages.empty());
    EXPECT_EQ(deskset.UploadBytesReceived(), 0);

    const Image image = PatternImage();
    Ask(deskset, UploadBlock(image, 0));
    EXPECT_EQ(deskset.UploadBytesReceived(), 100);
    deskset.StartSession();
    EXPECT_EQ(deskset.UploadBytesReceived(), 0);

    // A length byte larger than the message: only the bytes present count.
    Message shortBlock{0x67, kTypeUploadBlock, 100, 0, 1, 2, 3};
    Ask(deskset, shortBlock);
    EXPECT_EQ(deskset.UploadBytesReceived(), 3);
}

TEST(SimulatedDeskset, StopAfterDuringUploadFallsSilentAtOnce)
{
    DesksetProfile stop;
    stop.stopAfterBlocks = 3;
    SimulatedDeskset deskset(stop, PatternImage());
    const Image image = PatternImage();
    EXPECT_FALSE(Ask(deskset, UploadBlock(image, 0)).silentNow);
    EXPECT_FALSE(Ask(deskset, UploadBlock(image, 100)).silentNow);
    EXPECT_TRUE(Ask(deskset, UploadBlock(image, 200)).silentNow);
}

TEST(SimulatedDeskset, IgnoresShortEmptyAndUnknownMessages)
{
    SimulatedDeskset deskset({}, PatternImage());
    const uint8_t one = 1;
    EXPECT_TRUE(deskset.Handle(&one, 1).messages.empty());
    EXPECT_TRUE(deskset.Handle(nullptr, 0).messages.empty());
    EXPECT_TRUE(Ask(deskset, {0, kTypeVersion}).messages.empty()) << "length 0 carries no type";
    EXPECT_TRUE(Ask(deskset, {1, 9}).messages.empty());
    EXPECT_TRUE(Ask(deskset, {1, kTypeDownloadComplete}).messages.empty());
}

TEST(SimulatedDeskset, MakeMessageCutsDataTo248Bytes)
{
    std::vector<uint8_t> data(300);
    std::iota(data.begin(), data.end(), uint8_t{0});
    const Message message = MakeMessage(4, data.data(), 300);
    EXPECT_EQ(message.size(), 250u);
    EXPECT_EQ(message[0], 249);
    EXPECT_EQ(message[1], 4);
    EXPECT_EQ(message.back(), 247);
    EXPECT_EQ(MakeMessage(7), (Message{1, 7}));
}

} // namespace
} // namespace desksetsim
