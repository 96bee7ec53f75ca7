// trvctl dump / diff / export / import as a user runs them: exit statuses, files written or not.
#include "database/DdbFile.h"
#include "database/FieldCatalog.h"
#include "database/NewDatabase.h"
#include "tests/support/TiedChild.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CtlResult {
    int status;
    QString out;
    QString err;
};

CtlResult trvctl(const QStringList& args)
{
    QProcess p;
    trv::testsupport::TieToThisProcess(p);
    p.start(TRVCTL_PATH, args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(TrvctlInterchange, DiffExitsAsDiffDoes)
{
    QTemporaryDir dir;
    const QString a = dir.filePath("a.ddb");
    const QString b = dir.filePath("b.ddb");
    trv::db::Image image{};
    trv::db::newDatabase(image);
    ASSERT_TRUE(trv::db::saveDatabase(a.toStdString(), image).ok);
    image[trv::db::deskset::kMuteTimer] = 45;
    image[trv::db::kReservedTail.base] = 1;
    ASSERT_TRUE(trv::db::saveDatabase(b.toStdString(), image).ok);

    EXPECT_EQ(trvctl({"diff", a, a}).status, 0);
    const CtlResult differ = trvctl({"diff", a, b});
    EXPECT_EQ(differ.status, 1);
    EXPECT_EQ(differ.out, "deskset.muteTimer: 30 s -> 45 s\nreserved areas: 1 byte differs\n");
    const CtlResult missing = trvctl({"diff", a, dir.filePath("none.ddb")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains("none.ddb"));
    EXPECT_EQ(trvctl({"diff", a}).status, 2);
    EXPECT_TRUE(trvctl({"dump", b}).out.contains("deskset.muteTimer = 45 s\n"));
}

TEST(TrvctlInterchange, ExportImportRoundTripAndRefusalsWriteNothing)
{
    QTemporaryDir dir;
    const QString site = dir.filePath("site.ddb");
    ASSERT_EQ(trvctl({"new", site}).status, 0);
    ASSERT_EQ(trvctl({"export", site, "-o", dir.filePath("site.json")}).status, 0);
    ASSERT_EQ(trvctl({"import", dir.filePath("site.json"), "-o", dir.filePath("back.ddb")}).status, 0);
    EXPECT_EQ(contents(dir.filePath("back.ddb")), contents(site));
    EXPECT_EQ(trvctl({"export", site}).out.toUtf8(), contents(dir.filePath("site.json")));

    QByteArray json = contents(dir.filePath("site.json"));
    json.replace("\"muteTimer\": 30", "\"muteTimer\": 61");
    write(dir.filePath("bad.json"), json);
    const CtlResult refused = trvctl({"import", dir.filePath("bad.json"), "-o", dir.filePath("new.ddb")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              dir.filePath("bad.json") +
                  ": deskset.muteTimer: 61 is out of range (0 s to 60 s)\nNothing was written.\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("new.ddb")));
    // An offset where 32-bit arithmetic wraps is refused like any other entry.
    write(dir.filePath("wrap.json"),
          R"({"format":"TRV database","version":1,"reserved":[{"offset":"0x7FFFFFFF","bytes":"AB"}]})");
    const CtlResult wrapped = trvctl({"import", dir.filePath("wrap.json"), "-o", dir.filePath("new.ddb")});
    EXPECT_EQ(wrapped.status, 1);
    EXPECT_EQ(wrapped.err, dir.filePath("wrap.json") +
                               ": reserved[#1]: offset 0x7FFFFFFF and its 1 bytes are not all reserved\n"
                               "Nothing was written.\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("new.ddb")));
    // An existing file is left as it was.
    EXPECT_EQ(trvctl({"import", dir.filePath("bad.json"), "-o", site}).status, 1);
    EXPECT_EQ(contents(site), contents(dir.filePath("back.ddb")));
}

TEST(TrvctlInterchange, TablesGoThroughCsvAndARefusedFileWritesNothing)
{
    namespace f = trv::db::fields;
    QTemporaryDir dir;
    const QString site = dir.filePath("site.ddb");
    trv::db::Image image{};
    trv::db::newDatabase(image);
    trv::db::writeFieldText(image, f::aliasLabel, "Zulu", 0);
    trv::db::writeFieldText(image, f::aliasPttId, "0001", 0);
    trv::db::writeFieldText(image, f::toneNumber, "3", 3);
    for (const trv::db::Field* hz : {&f::firstToneFrequency, &f::secondToneFrequency})
        trv::db::writeField(image, *hz, 4000, 3);
    ASSERT_TRUE(trv::db::saveDatabase(site.toStdString(), image).ok);

    for (const char* table : {"pttAliases", "speedPages", "customTones"}) {
        const QString csv = dir.filePath(QString::fromLatin1(table) + ".csv");
        ASSERT_EQ(trvctl({"export", site, "--table", table, "-o", csv}).status, 0) << table;
        const QString back = dir.filePath("back.ddb");
        const CtlResult imported = trvctl({"import", csv, "--table", table, "--into", site, "-o", back});
        EXPECT_EQ(imported.status, 0) << imported.err.toStdString();
        EXPECT_EQ(contents(back), contents(site)) << table;
    }
    EXPECT_EQ(contents(dir.filePath("pttAliases.csv")),
              "\xEF\xBB\xBFlabel,pttId,unitType\r\nZulu,0001,MDC1200\r\n");

    write(dir.filePath("aliases.csv"), "label,pttId,unitType\nZulu,0001,MDC1200\nalpha,12G,MDC1200\n");
    const QString out = dir.filePath("out.ddb");
    const CtlResult refused =
        trvctl({"import", dir.filePath("aliases.csv"), "--table", "pttAliases", "--into", site, "-o", out});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              "aliases.csv line 3, pttId: \"12G\" is not a valid MDC1200 PTT ID: 4 characters of 0 "
              "to 9 and A to F [pttAlias.pttId]\nNothing was written.\n");
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(trvctl({"import", dir.filePath("aliases.csv"), "--table", "pttAliases", "-o", out}).status, 2)
        << "--table needs --into";

    trv::db::writeField(image, f::secondToneFrequency, 100, 3);
    ASSERT_TRUE(trv::db::saveDatabase(site.toStdString(), image).ok);
    const CtlResult raw = trvctl({"export", site, "--table", "customTones", "-o", dir.filePath("tones.csv")});
    EXPECT_EQ(raw.status, 1);
    EXPECT_EQ(raw.err, "customTones[4].secondToneFrequency holds a value no editor writes: use trvctl export "
                       "(JSON)\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("tones.csv")));
}

// trvctl --help lists the statuses of the transfer commands; diff's own are in diff --help only.
TEST(TrvctlHelp, DiffSaysItsStatusesInItsOwnHelpOnly)
{
    const CtlResult help = trvctl({"--help"});
    EXPECT_TRUE(help.out.contains("  6  the database check found errors and --force was not given\n"));
    EXPECT_FALSE(help.out.contains("databases are equal"));
    EXPECT_TRUE(
        trvctl({"diff", "--help"}).out.contains("Exit status: 0 the databases are equal, 1 they differ"));
}
