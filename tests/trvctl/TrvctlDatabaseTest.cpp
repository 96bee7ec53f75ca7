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
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
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
        i[0x0015] = 61;                              // mute timer
    });

    const Result ok = trvctl({"check", clean});
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "No problems found.\n");
    EXPECT_EQ(trvctl({"check", warned}).status, 0);
    const Result bad = trvctl({"check", broken});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out,
              "warning: deskset.clockMode: 5 is not an entry of the list (0 \"12 Hour\", 1 \"24 Hour\") "
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

// report runs without a display: no QT_QPA_PLATFORM, no DISPLAY or WAYLAND_DISPLAY (cron, ssh).
TEST(Trvctl, ReportWritesPdfAndHtmlWithoutADisplay)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("site.ddb");
    ASSERT_EQ(trvctl({"new", file}).status, 0);
    const auto report = [&](const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(name);
        p.setProcessEnvironment(env);
        p.start(TRVCTL_PATH, QStringList{"report"} + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        return Result{p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                      QString::fromUtf8(p.readAllStandardError())};
    };
    const auto pdfInfo = [](const QString& pdf) {
        QProcess p;
        p.start("pdfinfo", {pdf});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput());
    };

    const QString a4 = dir.filePath("site.pdf");
    const Result pdf = report({file, "-o", a4});
    ASSERT_EQ(pdf.status, 0) << pdf.err.toStdString();
    EXPECT_TRUE(pdfInfo(a4).contains("(A4)"));
    const QString letter = dir.filePath("letter.pdf");
    ASSERT_EQ(report({file, "-o", letter, "--page-size", "letter"}).status, 0);
    EXPECT_TRUE(pdfInfo(letter).contains("(letter)"));

    const QString html = dir.filePath("site.html");
    ASSERT_EQ(report({file, "--output", html}).status, 0);
    QFile page(html);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray content = page.readAll();
    EXPECT_TRUE(content.contains("File: site.ddb"));
    EXPECT_TRUE(content.contains("data:image/png;base64,"));

    const Result wrongType = report({file, "-o", dir.filePath("site.txt")});
    EXPECT_EQ(wrongType.status, 2);
    // (Qt may warn first, on stderr, of a missing XDG_RUNTIME_DIR.)
    EXPECT_TRUE(
        wrongType.err.endsWith("The sheet " + dir.filePath("site.txt") + " must end in .pdf or .html.\n"))
        << wrongType.err.toStdString();
    EXPECT_EQ(report({file, "-o", a4, "--page-size", "A3"}).status, 2);
    const Result missing = report({dir.filePath("none.ddb"), "-o", a4});
    EXPECT_EQ(missing.status, 1);
    EXPECT_FALSE(missing.err.isEmpty());
}
