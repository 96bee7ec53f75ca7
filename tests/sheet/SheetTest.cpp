#include "sheet/ConfigurationSheet.h"

#include "database/NewDatabase.h"
#include "sheet/DesksetArt.h"
#include "tests/sheet/SampleDatabase.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

namespace trv::sheet {
namespace {

const QDateTime kPrinted(QDate(2026, 3, 14), QTime(9, 30));

db::Image newImage()
{
    db::Image image{};
    db::newDatabase(image);
    return image;
}

// The document in reading order: each heading or paragraph as one line, each table row as its
// cells joined by " | ".
QStringList linesOf(const QTextDocument& document)
{
    QStringList lines;
    for (QTextFrame::iterator it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
            for (int r = 0; r < table->rows(); ++r) {
                QStringList cells;
                for (int c = 0; c < table->columns(); ++c) {
                    const QTextTableCell cell = table->cellAt(r, c);
                    QTextCursor cursor = cell.firstCursorPosition();
                    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                    cells << cursor.selectedText();
                }
                lines << cells.join(QStringLiteral(" | "));
            }
        } else if (it.currentBlock().isValid() && !it.currentBlock().text().isEmpty()) {
            lines << it.currentBlock().text();
        }
    }
    return lines;
}

// Each expected line appears, in this order (other lines may come between them).
void expectInOrder(const QStringList& lines, const QStringList& expected)
{
    qsizetype at = 0;
    for (const QString& line : expected) {
        const qsizetype found = lines.indexOf(line, at);
        ASSERT_GE(found, 0) << "missing or out of order: " << line.toStdString() << "\nafter line " << at
                            << "; the sheet:\n"
                            << lines.join('\n').toStdString();
        at = found + 1;
    }
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    EXPECT_TRUE(p.waitForFinished(30000)) << program.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << program.toStdString() << ": " << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(SheetText, NewDatabaseShowsEverySectionInTreeOrderWithTheEditorsDefaults)
{
    const ConfigurationSheet sheet = buildSheet(newImage(), QStringLiteral("site.ddb"), kPrinted);
    const QStringList lines = linesOf(sheet.document());
    expectInOrder(lines, {
                             "Deskset Configuration Sheet",
                             "Deskset Configuration",
                             "Group | Setting | Value",
                             "Settings | Type of deskset | Advanced Single Channel",
                             " | Mute timer (sec) | 30",
                             " | Printer baud rate | 9600 bps",
                             " | Mic AGC | On",
                             "Relay | Relay latching 1 | Off",
                             "Channel 1",
                             "Channel Configuration Page",
                             "Channel Keying |  | Tone",
                             "Tx / Rx Levels | Tx (dBm) | 0",
                             " | Rx AGC (dBm) | -24",
                             " | 8 Hangover delay (ms) | 2000",
                             "Tone Signalling Plan - page 1 of 2",
                             "Guard Tone | Frequency (Hz) | 2175",
                             "Encryption | Coded frequency (Hz) | None",
                             "Tone Signalling Plan - page 2 of 2",
                             "Function | Label | Freq (Hz) | *",
                             "F 1 | Freq 1 | 1950 | ",
                             "F 16 |  | None | ",
                             "Talk Permit Tone",
                             "Setting | Value",
                             "Frequency (Hz) | 900",
                             "Number of beeps | 3",
                             "Channels 2, 3 and 4 are not in use on a single-channel deskset.",
                             "Buttons Configuration",
                             "Button | Function | Label | Refers to",
                             "1 | Not Defined | ND | ",
                             "18 | Not Defined | ND | ",
                             "Paging Formats",
                             "0 of 16 records in use.",
                             "<No paging format defined>",
                             "Speed Paging",
                             "0 of 250 records in use.",
                             "Custom Paging Tones",
                             "<No custom pages defined>",
                             "PTT ID Aliases",
                             "<No PTT ID alias defined>",
                             "Problems",
                             "No problems found.",
                         });
    for (const char* absent : {"Channel 2", "Stat Alert", "DC Signalling Plan"})
        EXPECT_FALSE(lines.contains(absent)) << absent;
}

TEST(SheetText, FilledDatabaseShowsEachChannelsPagesTheButtonsReferencesAndTheProblems)
{
    const db::Image image = test::sampleDatabase();
    const ConfigurationSheet sheet = buildSheet(image, QStringLiteral("north.ddb"), kPrinted);
    const QStringList lines = linesOf(sheet.document());
    expectInOrder(
        lines,
        {
            "Settings | Type of deskset | Advanced Multi-Channel",
            " | Transmit delay (ms) | 250",
            " | Relay latching 3 | On",
            "Channel 1",
            "Channel Keying |  | DC",
            "Tx / Rx Levels | Tx (dBm) | -6",
            "Signaling |  | Stat Alert",
            " | Deskset ID | 1A2B",
            "DC Signalling Plan",
            "Function | Label | Current (mA) | *",
            "F 1 | Freq 1 | 5.5 | ",
            "F 2 | Freq 2 | 1.5 | ",
            "Monitor (mA) | -2.5",
            "Talk Permit Tone",
            "Stat Alert",
            " | Leading pretime (ms) | 200",
            "Channel 2",
            "Channel Keying |  | Tone",
            "Encryption | Coded frequency (Hz) | 1250",
            "F 5 | Dispatch | 550 | *",
            "Talk Permit Tone",
            "DTMF Decode Setup",
            "Min digits | 3",
            "Channel 3",
            "Channel Keying |  | None",
            " | Deskset ID | 77",
            "Channel / Frequency label |  | Yard",
            "DTMF Selective Call Setup",
            "Channel 4",
            "Guard Tone | Frequency (Hz) | 2200 (not offered)",
            "Buttons Configuration",
            "1 | Manual Page | MPg | FIRE",
            "2 | Speed Page | SPg | CHIEF",
            "3 | Frequency | Fq | 3/4",
            "4 | Mute | Mute | 2",
            "6 | Alert Tone | AlrtT | 3",
            "Paging Formats",
            "3 of 16 records in use.",
            "Label | Base Format | Parameters",
            "FIRE | Motorola 5 Tone | M5 preamble: 0; Preamble duration (ms): 673; Gap duration (ms): 65; "
            "Tone duration (ms): 33",
            "EMS | DTMF Page Format | Inhibit delay (ms): 500; Tone duration (ms): 60; Intertone delay "
            "(ms): 40",
            "CHIEFS | Motorola 1+1 | Code plan: E; Group call delay (ms): 8000; Inhibit delay (ms): 3000; "
            "Tone 1 duration (ms): 1000; Intertone delay (ms): 0; Tone 2 duration (ms): 3000",
            "Speed Paging",
            "Label | Paging format | Digit sequence / Custom page label",
            "AMBUL | EMS | 555*12#",
            "CHIEF | FIRE | 12345",
            "Custom Paging Tones",
            "7 | 3000 | 1234.5 | 1000 | 0 | 200.2 | 3000",
            "PTT ID Aliases",
            "70 of 250 records in use.",
            "Unit 01 | 1000 | MDC1200 unit",
            "Unit 02 | *3# | DTMF unit",
            "Problems",
            "The rules of a valid database find: 1 error.",
            "Severity | Field | Problem",
            "error | channels[4].guardToneFrequency | 2200.0 Hz is not one of 2100, 2175, 2300, 2325 Hz",
        });
    // Free records are left out: one row per alias in use, after the header.
    const qsizetype header = lines.indexOf("Label | PTT ID | Protocol");
    ASSERT_GE(header, 0);
    EXPECT_EQ(lines.at(header + test::kSampleAliases), "Unit 70 | 1045 | MDC1200 unit");
    EXPECT_EQ(lines.at(header + test::kSampleAliases + 1), "Problems");
}

TEST(SheetText, DigestIsTheStartOfTheImagesSha256)
{
    db::Image image = newImage();
    const QString digest = imageDigest(image);
    const QByteArray bytes(reinterpret_cast<const char*>(image.data()), image.size());
    EXPECT_EQ(digest, QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(16));
    EXPECT_EQ(digest, "38ef177f85469617"); // a new database, as `sha256sum` of `trvctl new` starts
    image[0x3FFF] ^= 1;
    EXPECT_NE(imageDigest(image), digest);
    const ConfigurationSheet sheet = buildSheet(image, QString(), kPrinted);
    EXPECT_EQ(sheet.pageHeader(2, 7),
              "File: (not saved)    Date: 2026-03-14    SHA-256: " + imageDigest(image) + "    Page 2 of 7");
}

// Poppler reads the PDF: its pages, their size, and on each page the header with its page number;
// a table that runs onto the next page repeats its header row there.
TEST(SheetPdf, PopplerReadsEveryPageWithItsHeaderOnA4AndLetter)
{
    QTemporaryDir dir;
    const ConfigurationSheet sheet =
        buildSheet(test::sampleDatabase(), QStringLiteral("north.ddb"), kPrinted);
    const struct {
        QPageSize::PageSizeId size;
        const char* name;
        const char* info;
    } sizes[] = {{QPageSize::A4, "a4.pdf", "595 x 842 pts (A4)"},
                 {QPageSize::Letter, "letter.pdf", "612 x 792 pts (letter)"}};
    for (const auto& s : sizes) {
        const QString pdf = dir.filePath(s.name);
        QString error;
        ASSERT_TRUE(writePdf(sheet, pdf, s.size, &error)) << error.toStdString();
        const QString info = run("pdfinfo", {pdf});
        EXPECT_TRUE(info.contains(s.info)) << info.toStdString();
        const QRegularExpressionMatch pages = QRegularExpression("Pages:\\s+(\\d+)").match(info);
        ASSERT_TRUE(pages.hasMatch());
        const int count = pages.captured(1).toInt();
        EXPECT_GE(count, 6); // four channels, the buttons and the tables
        const QStringList text = run("pdftotext", {"-layout", pdf, "-"}).split('\f');
        ASSERT_GE(text.size(), count);
        int aliasHeaders = 0;
        for (int n = 1; n <= count; ++n) {
            const QString& page = text[n - 1];
            EXPECT_TRUE(page.contains(QStringLiteral("Page %1 of %2").arg(n).arg(count))) << n;
            EXPECT_TRUE(page.contains("SHA-256: " + sheet.header().digest)) << n;
            EXPECT_TRUE(page.contains("File: north.ddb")) << n;
            EXPECT_TRUE(page.contains("Date: 2026-03-14")) << n;
            aliasHeaders += QRegularExpression("Label\\s+PTT ID\\s+Protocol").match(page).hasMatch() ? 1 : 0;
        }
        EXPECT_GE(aliasHeaders, 2) << "the alias table's header row is not repeated";
    }
}

TEST(SheetPdf, UnwritablePathIsRefusedWithItsReason)
{
    const ConfigurationSheet sheet = buildSheet(newImage(), QStringLiteral("a.ddb"), kPrinted);
    QString error;
    EXPECT_FALSE(writePdf(sheet, "/nonexistent-folder/a.pdf", QPageSize::A4, &error));
    EXPECT_TRUE(error.startsWith("The file /nonexistent-folder/a.pdf cannot be written: "))
        << error.toStdString();
}

// One file: the header lines, the sections, and the deskset picture inline as a PNG data: URL.
TEST(SheetHtml, IsOneSelfContainedFileWithThePictureAsDataUrl)
{
    QTemporaryDir dir;
    const ConfigurationSheet sheet =
        buildSheet(test::sampleDatabase(), QStringLiteral("north.ddb"), kPrinted);
    const QString path = dir.filePath("north.html");
    ASSERT_TRUE(writeHtml(sheet, path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    for (const QString& expected :
         {QStringLiteral("File: north.ddb"), "SHA-256: " + sheet.header().digest, QStringLiteral("Channel 4"),
          QStringLiteral("DTMF Selective Call Setup"), QStringLiteral("Unit 70"), QStringLiteral("Problems")})
        EXPECT_TRUE(html.contains(expected)) << expected.toStdString();
    const QRegularExpression source("src=\"([^\"]*)\"");
    int pictures = 0;
    for (const QRegularExpressionMatch& m : source.globalMatch(html)) {
        ++pictures;
        const QString url = m.captured(1);
        ASSERT_TRUE(url.startsWith("data:image/png;base64,")) << url.left(60).toStdString();
        const QImage picture = QImage::fromData(QByteArray::fromBase64(url.mid(22).toLatin1()), "PNG");
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), (art::kDesignSize * 2).toSize());
    }
    EXPECT_EQ(pictures, 1);
    EXPECT_FALSE(html.contains("file:"));
    EXPECT_FALSE(html.contains("<link"));
}

} // namespace
} // namespace trv::sheet
