#include "database/Image.h"
#include "database/NewDatabase.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

// check: 0 clean or warnings only, 1 with an error, 2 for a file it cannot load; --json the same.
TEST(Trvctl, CheckPrintsEachProblemThenTheCountAndExitsByTheWorstOne)
{
    QTemporaryDir dir;
    auto write = [&](const char* name, void (*change)(trv::db::Image&)) {
        trv::db::Image image{};
        trv::db::newDatabase(image);
        change(image);
        const QString file = dir.filePath(name);
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(image.data()), image.size());
        return file;
    };
    const QString clean = write("clean.ddb", [](trv::db::Image&) {});
    const QString warned = write("warned.ddb", [](trv::db::Image& i) { i[0x0010] = 5; }); // clock mode
    const QString broken = write("broken.ddb", [](trv::db::Image& i) {
        i[0x0010] = 5;
        trv::db::writeU16(i, 0x02C0 + 0x0D0, 22000); // channel 2 guard tone
        i[0x0015] = 61;                                // mute timer
    });

    const Result ok = trvctl({"check", clean});
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "No problems found.\n");
    EXPECT_EQ(trvctl({"check", warned}).status, 0);
    const Result bad = trvctl({"check", broken});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "warning: deskset.clockMode: 5 is not an entry of the list (0 \"12 Hour\", 1 \"24 Hour\") "
                       "[deskset.clockMode]\n"
                       "error: deskset.muteTimer: 61 s is not between 0 and 60 s [deskset.muteTimer]\n"
                       "error: channels[2].guardToneFrequency: 2200.0 Hz is not one of 2100, 2175, 2300, 2325 Hz "
                       "[channel.guardToneFrequency]\n"
                       "warning: channels[2].guardToneFrequency: channel 2 of a single-channel deskset holds "
                       "2200.0 Hz where the channel reset leaves 2175.0 Hz [channel.unusedChannel]\n"
                       "2 errors, 2 warnings\n");
    const Result json = trvctl({"check", "--json", broken});
    EXPECT_EQ(json.status, 1);
    const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(object.value("errors").toInt(), 2);
    EXPECT_EQ(object.value("warnings").toInt(), 2);
    const QJsonObject first = object.value("problems").toArray().at(1).toObject();
    EXPECT_EQ(first.value("id").toString(), "deskset.muteTimer");
    EXPECT_EQ(first.value("severity").toString(), "error");
    EXPECT_EQ(first.value("path").toString(), "deskset.muteTimer");
    EXPECT_EQ(first.value("message").toString(), "61 s is not between 0 and 60 s");

    EXPECT_EQ(trvctl({"check", dir.filePath("missing.ddb")}).status, 2);
    EXPECT_EQ(trvctl({"check", "--json", dir.filePath("missing.ddb")}).status, 2);
}
