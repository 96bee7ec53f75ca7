#include "database/DbTexts.h"
#include "database/DdbFile.h"
#include "database/NewDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace trv::db;
namespace fs = std::filesystem;

namespace {

class DdbFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("trv-ddb-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const char* name) const { return (dir_ / name).string(); }

    void writeBytes(const std::string& file, const std::vector<std::uint8_t>& bytes)
    {
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<std::uint8_t> readBytes(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    static Image marker()
    {
        Image image{};
        image.fill(0xA5);
        return image;
    }

    fs::path dir_;
};

} // namespace

TEST_F(DdbFileTest, NewDatabaseSavesItsExactBytes)
{
    Image image{};
    newDatabase(image);
    ASSERT_TRUE(saveDatabase(path("x.ddb"), image).ok);
    const auto bytes = readBytes(path("x.ddb"));
    ASSERT_EQ(bytes.size(), 16384u);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), image.begin()));
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 16), "VXR DESKSET V001");
    EXPECT_EQ(bytes[0x10], 0x01);
    EXPECT_EQ(bytes[0x15], 0x1E);
    EXPECT_EQ(bytes[0x1E], 0x01);
    EXPECT_EQ(std::string(bytes.begin() + 0x100, bytes.begin() + 0x106), "Freq 1");
}

TEST_F(DdbFileTest, RoundTripKeepsReservedAreas)
{
    Image original{};
    newDatabase(original);
    for (const Region& r : {kReservedAfterSettings, kReservedAfterButtons, kReservedTail})
        for (int i = r.base; i < r.end(); ++i)
            original[i] = static_cast<std::uint8_t>(i * 7 + 1);
    ASSERT_TRUE(saveDatabase(path("a.ddb"), original).ok);

    Image loaded{};
    ASSERT_TRUE(loadDatabase(path("a.ddb"), loaded).ok);
    EXPECT_EQ(loaded, original);
    ASSERT_TRUE(saveDatabase(path("b.ddb"), loaded).ok);
    EXPECT_EQ(readBytes(path("a.ddb")), readBytes(path("b.ddb")));
}

TEST_F(DdbFileTest, EveryWrongHeaderIsRefusedAndLeavesTheImage)
{
    Image good{};
    newDatabase(good);
    for (int i = 0; i < 16; ++i) {
        for (std::uint8_t replacement : {std::uint8_t(0), std::uint8_t(good[i] ^ 0x20)}) {
            std::vector<std::uint8_t> bytes(good.begin(), good.end());
            bytes[i] = replacement;
            writeBytes(path("bad.ddb"), bytes);
            Image image = marker();
            const FileResult result = loadDatabase(path("bad.ddb"), image);
            EXPECT_FALSE(result.ok);
            EXPECT_EQ(result.message, text::kUnknownVersion) << "byte " << i;
            EXPECT_EQ(image, marker());
        }
    }
}

TEST_F(DdbFileTest, EmptyShortAndTruncatedFiles)
{
    Image image = marker();
    writeBytes(path("empty.ddb"), {});
    FileResult result = loadDatabase(path("empty.ddb"), image);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.empty()); // silently

    for (int size : {1, 15}) {
        writeBytes(path("short.ddb"), std::vector<std::uint8_t>(size, 'V'));
        result = loadDatabase(path("short.ddb"), image);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message, text::kUnexpectedFormat);
    }

    Image good{};
    newDatabase(good);
    writeBytes(path("cut.ddb"), std::vector<std::uint8_t>(good.begin(), good.begin() + 9000));
    result = loadDatabase(path("cut.ddb"), image);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, text::kUnexpectedFormat);
    EXPECT_EQ(image, marker());
}

TEST_F(DdbFileTest, LongFileLoadsItsFirstImage)
{
    Image good{};
    newDatabase(good);
    std::vector<std::uint8_t> bytes(good.begin(), good.end());
    bytes.resize(20000, 0xEE);
    writeBytes(path("long.ddb"), bytes);
    Image image = marker();
    ASSERT_TRUE(loadDatabase(path("long.ddb"), image).ok);
    EXPECT_EQ(image, good);
}

TEST_F(DdbFileTest, MissingFileReportsItsPath)
{
    Image image{};
    const FileResult result = loadDatabase(path("none.ddb"), image);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, path("none.ddb") +
                                  "\nCannot find this file.\nPlease verify that the correct path and file name are given.");
}

TEST_F(DdbFileTest, FailedSaveLeavesTheOldFile)
{
    Image first{};
    newDatabase(first);
    ASSERT_TRUE(saveDatabase(path("keep.ddb"), first).ok);
    const auto before = readBytes(path("keep.ddb"));

    // A file size limit makes the write of the new bytes fail half way, even for root.
    struct rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 1000;
    ::setrlimit(RLIMIT_FSIZE, &small);
    Image second = first;
    second[0x15] = 5;
    const FileResult result = saveDatabase(path("keep.ddb"), second);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.message.empty());
    EXPECT_EQ(readBytes(path("keep.ddb")), before);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(DdbFileTest, SaveIntoMissingFolderFailsWithMessage)
{
    Image image{};
    newDatabase(image);
    const FileResult result = saveDatabase(path("no/such/folder.ddb"), image);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, path("no/such/folder.ddb") +
                                  "\nCannot find this file.\nPlease verify that the correct path and file name are given.");
}
