#include "database/Image.h"
#include "database/NewDatabase.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Result {
    int status;
    QString out;
    QString err;
};

Result trvctl(const QStringList& args)
{
    QProcess p;
    p.start(TRVCTL_PATH, args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(Trvctl, NewWritesTheNewDatabaseAndInfoSummarisesIt)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("x.ddb");
    ASSERT_EQ(trvctl({"new", file}).status, 0);

    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    trv::db::Image expected{};
    trv::db::newDatabase(expected);
    EXPECT_EQ(bytes, QByteArray(reinterpret_cast<const char*>(expected.data()), expected.size()));

    const Result info = trvctl({"info", file});
    EXPECT_EQ(info.status, 0);
    EXPECT_TRUE(info.out.contains("Advanced Single Channel"));
    EXPECT_TRUE(info.out.contains("Speed pages:          0 of 250"));
}

TEST(Trvctl, InfoPrintsTheLoadersMessage)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("bad.ddb");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("VXR DESKSET V002").append(16368, '\0'));
    f.close();
    const Result info = trvctl({"info", file});
    EXPECT_EQ(info.status, 1);
    EXPECT_EQ(info.err, "Unknown database version.\n");
}

TEST(Trvctl, UsageAndUnknownCommands)
{
    const Result help = trvctl({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("new FILE"));
    EXPECT_EQ(trvctl({"frobnicate"}).status, 2);
    EXPECT_EQ(trvctl({"new"}).status, 2);
    EXPECT_EQ(trvctl({}).status, 2);
}
