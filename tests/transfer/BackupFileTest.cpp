// Backups: the name tells the database, the port and the moment; a backup never replaces a file,
// even when many are written under the same name at the same moment.
#include "transfer/BackupFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <latch>
#include <set>
#include <thread>
#include <vector>

using trv::transfer::BackupFile;
using trv::transfer::PortTarget;

namespace {

const QDateTime kMoment(QDate(2026, 12, 8), QTime(16, 30, 5, 42));

PortTarget parsed(const char* text)
{
    return *PortTarget::parse(text).target;
}

TEST(BackupFile, NamesTheDatabaseThePortAndTheMillisecond)
{
    const struct {
        const char* port;
        const char* name;
    } table[] = {
        {"COM2", "site-backup-COM2-20261208-163005-042"},
        {"/dev/ttyUSB0", "site-backup-ttyUSB0-20261208-163005-042"},
        {"/dev/serial/by-id/usb-FTDI_A10K-if00-port0",
         "site-backup-usb-FTDI_A10K-if00-port0-20261208-163005-042"},
        {"tcp://host:4001", "site-backup-tcp-host-4001-20261208-163005-042"},
        {"tcp://[::1]:4001", "site-backup-tcp---1-4001-20261208-163005-042"},
        {"tcp://[fe80::2]:23", "site-backup-tcp-fe80--2-23-20261208-163005-042"},
    };
    for (const auto& row : table)
        EXPECT_EQ(BackupFile::stem("/data/sites/site.ddb", parsed(row.port), kMoment), row.name) << row.port;
}

// Writers racing for one name at one moment each get a file of their own, holding their own
// image, and leave no temporary file behind.
TEST(BackupFile, WritersRacingForOneNameEachKeepTheirOwnFile)
{
    QTemporaryDir folder;
    const BackupFile backups(folder.path(), [] { return kMoment; });
    constexpr int kWriters = 8;
    std::vector<BackupFile::Result> results(kWriters);
    std::latch start(kWriters);
    std::vector<std::thread> writers;
    for (int i = 0; i < kWriters; ++i) {
        writers.emplace_back([&, i] {
            trv::db::Image image{};
            image[100] = std::uint8_t(i + 1);
            start.arrive_and_wait();
            results[i] = backups.write("site.ddb", PortTarget::com(1), image);
        });
    }
    for (std::thread& writer : writers)
        writer.join();

    std::set<QString> expected{"site-backup-COM1-20261208-163005-042.ddb"};
    for (int n = 2; n <= kWriters; ++n)
        expected.insert(QStringLiteral("site-backup-COM1-20261208-163005-042-%1.ddb").arg(n));
    const QStringList present = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(std::set<QString>(present.begin(), present.end()), expected);

    std::set<int> owners;
    for (int i = 0; i < kWriters; ++i) {
        ASSERT_TRUE(results[i].ok()) << results[i].error.toStdString();
        QFile file(results[i].path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_EQ(bytes.size(), trv::db::kImageSize);
        EXPECT_EQ(bytes[100], char(i + 1)) << results[i].path.toStdString();
        owners.insert(bytes[100]);
    }
    EXPECT_EQ(owners.size(), std::size_t(kWriters));
}

TEST(BackupFile, AFolderThatCannotBeWrittenGivesTheReasonAndNoFile)
{
    QTemporaryDir folder;
    const BackupFile backups(folder.filePath("missing"), [] { return kMoment; });
    const BackupFile::Result result = backups.write("site.ddb", PortTarget::com(1), trv::db::Image{});
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.error.isEmpty());
}

} // namespace
