#include "database/DdbFile.h"
#include "database/DbTexts.h"
#include "database/NewDatabase.h"

#include "tests/support/TiedChild.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <thread>

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
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
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
    EXPECT_EQ(result.message,
              path("none.ddb") +
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
    EXPECT_EQ(result.message,
              path("no/such/folder.ddb") +
                  "\nCannot find this file.\nPlease verify that the correct path and file name are given.");
}

namespace {

// Save number g of the kill test: the counter g in the first four bytes, every other byte g's
// low byte, so a file that mixed two saves shows.
Image numberedImage(std::uint32_t g)
{
    Image image;
    image.fill(static_cast<std::uint8_t>(g * 37 + 1));
    std::memcpy(image.data(), &g, sizeof g);
    return image;
}

// The number of the whole save the file holds, or -1 when it is missing, cut short or mixed.
std::int64_t savedNumber(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() != kImageSize)
        return -1;
    std::uint32_t g = 0;
    std::memcpy(&g, bytes.data(), sizeof g);
    const Image expected = numberedImage(g);
    return std::equal(bytes.begin(), bytes.end(), expected.begin()) ? g : -1;
}

} // namespace

// A process killed outright at any moment of a save leaves the previous database or the new
// one, whole: never a mix, never a short file, never no file. A child saves numbered images in a
// loop until it is killed at a varying point; the file must then hold the last save that
// finished or the one after it.
TEST_F(DdbFileTest, SigkillDuringSavesLeavesTheOldOrTheNewFileWhole)
{
    // In memory when the machine has a tmpfs: a kill only lands once an fsync to disk has
    // finished, and what is tested is the process dying, not the disk.
    const fs::path folder = fs::exists("/dev/shm")
                                ? fs::path("/dev/shm") / ("trv-kill-" + std::to_string(::getpid()))
                                : dir_ / "kill";
    fs::create_directories(folder);
    struct RemoveFolder {
        fs::path path;
        ~RemoveFolder() { fs::remove_all(path); }
    } removeFolder{folder};
    const std::string file = (folder / "site.ddb").string();
    ASSERT_TRUE(saveDatabase(file, numberedImage(0)).ok);
    // About how long one save takes here, to spread the kills over whole saves.
    const auto start = std::chrono::steady_clock::now();
    for (std::uint32_t g = 1; g <= 20; ++g)
        ASSERT_TRUE(saveDatabase(file, numberedImage(g)).ok);
    const auto perSave = std::max<std::int64_t>(
        1, std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start)
                   .count() /
               20);

    std::mt19937 random(19);
    std::uint32_t next = 21;
    constexpr int kKills = 200;
    for (int kill = 0; kill < kKills; ++kill) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t parent = ::getpid();
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            trv::testsupport::DieWithParent(parent);
            ::close(ready[0]);
            [[maybe_unused]] const ssize_t n = ::write(ready[1], "x", 1);
            for (std::uint32_t g = next;; ++g)
                if (!saveDatabase(file, numberedImage(g)).ok)
                    ::_exit(1);
        }
        ::close(ready[1]);
        char started = 0;
        const bool running = ::read(ready[0], &started, 1) == 1;
        ::close(ready[0]);
        // Anywhere in the first save or the next.
        std::this_thread::sleep_for(std::chrono::microseconds(
            std::uniform_int_distribution<std::int64_t>(0, 3 * perSave / 2)(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(running);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the saving child stopped on its own";

        const std::int64_t saved = savedNumber(readBytes(file));
        ASSERT_GE(saved, static_cast<std::int64_t>(next) - 1)
            << "after kill " << kill << " the file is not a whole save (or an older one)";
        next = static_cast<std::uint32_t>(saved) + 1;
    }
    std::cout << kKills << " kills, " << next << " saves, about " << perSave << " us a save\n";
}
