// The record tables as CSV: export then import gives a table back as its editors wrote it, Speed
// Page buttons follow their pages, and every refusal names the file's line and column.
#include "interchange/TableCsv.h"

#include "database/FieldCatalog.h"
#include "database/NewDatabase.h"
#include "database/Rules.h"

#include <gtest/gtest.h>

using namespace trv;
using namespace trv::interchange;
namespace f = trv::db::fields;

namespace {

constexpr int kSpeedPageButton = 5;
constexpr int kManualPageButton = 4;

// A site as the editors leave it: three paging formats, speed pages and aliases packed and sorted
// with a deleted record's leftovers after them, custom tones 0, 5 and 99, and buttons that call
// speed pages 2 and 3 and paging format 1.
db::Image siteImage()
{
    db::Image image{};
    db::newDatabase(image);
    const struct {
        const char* label;
        int type;
    } formats[] = {{"DTMF", 18}, {"MOT5", 13}, {"CUSTOM", 20}};
    for (int r = 0; r < 3; ++r) {
        db::writeFieldText(image, f::pagingLabel, formats[r].label, r);
        db::writeField(image, f::formatType, formats[r].type, r);
    }
    const struct {
        const char* label;
        int format;
        const char* digits;
    } pages[] = {{"ALPHA", 0, "12*#"}, {"BRAVO", 1, "12345"}, {"Charlie", 2, "7"}, {"DELTA", 1, "99999"}};
    for (int r = 0; r < 4; ++r) {
        db::writeFieldText(image, f::speedPageLabel, pages[r].label, r);
        db::writeField(image, f::speedPageFormat, pages[r].format, r);
        db::writeFieldText(image, f::speedPageDigits, pages[r].digits, r);
    }
    image[f::speedPageLabel.at(3)] = 0; // deleted: only its first byte
    const struct {
        const char* label;
        const char* id;
        int unit;
    } aliases[] = {{"alpha", "12AB", 0}, {"Bravo", "*#0D", 3}, {"Zulu", "0001", 0}, {"Gone", "FFFF", 0}};
    for (int r = 0; r < 4; ++r) {
        db::writeFieldText(image, f::aliasLabel, aliases[r].label, r);
        db::writeFieldText(image, f::aliasPttId, aliases[r].id, r);
        db::writeField(image, f::aliasUnitType, aliases[r].unit, r);
    }
    image[f::aliasLabel.at(3)] = 0;
    const struct {
        int number, first, firstMs, gapMs, second, secondMs, inhibitMs;
    } tones[] = {{0, 2000, 1000, 0, 2000, 3000, 3000},
                 {5, 12345, 250, 50, 34000, 60000, 0},
                 {99, 10000, 1, 2, 20001, 3, 4}};
    for (const auto& t : tones) {
        db::writeFieldText(image, f::toneNumber, std::to_string(t.number), t.number);
        db::writeField(image, f::firstToneFrequency, t.first, t.number);
        db::writeField(image, f::firstToneDuration, t.firstMs, t.number);
        db::writeField(image, f::intertoneDelay, t.gapMs, t.number);
        db::writeField(image, f::secondToneFrequency, t.second, t.number);
        db::writeField(image, f::secondToneDuration, t.secondMs, t.number);
        db::writeField(image, f::inhibitDelay, t.inhibitMs, t.number);
    }
    const struct {
        int button, kind, parameter;
    } buttons[] = {{0, kManualPageButton, 1}, {2, kSpeedPageButton, 2}, {4, kSpeedPageButton, 3}};
    for (const auto& b : buttons) {
        db::writeField(image, f::buttonKind, b.kind, b.button);
        db::writeField(image, f::buttonParameter, b.parameter, b.button);
    }
    return image;
}

std::string exportOf(const db::Image& image, CsvTableKind kind)
{
    const TableExportResult result = exportTableCsv(image, kind);
    return result.ok() ? result.csv().toStdString() : "refused: " + result.error().toStdString();
}

TableImportResult importInto(const db::Image& base, CsvTableKind kind, const QByteArray& csv)
{
    return importTableCsv(csv, QString::fromLatin1(csvTable(kind).fileName), kind, base);
}

db::Image imported(const db::Image& base, CsvTableKind kind, const QByteArray& csv)
{
    const TableImportResult result = importInto(base, kind, csv);
    EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.error().toStdString());
    return result.ok() ? result.image() : db::Image{};
}

std::vector<int> differingOffsets(const db::Image& a, const db::Image& b)
{
    std::vector<int> offsets;
    for (int i = 0; i < db::kImageSize; ++i)
        if (a[i] != b[i])
            offsets.push_back(i);
    return offsets;
}

} // namespace

TEST(TableCsv, ExportThenImportGivesEachTableBackByteForByte)
{
    const db::Image site = siteImage();
    ASSERT_EQ(db::errorCount(db::checkImage(site)), 0) << "the fixture is a valid site";
    EXPECT_EQ(
        exportOf(site, CsvTableKind::PttAliases),
        "\xEF\xBB\xBFlabel,pttId,unitType\r\nalpha,12AB,MDC1200\r\nBravo,*#0D,DTMF\r\nZulu,0001,MDC1200\r\n");
    EXPECT_EQ(exportOf(site, CsvTableKind::SpeedPages),
              "\xEF\xBB\xBFlabel,formatIndex,digits\r\nALPHA,0,12*#\r\nBRAVO,1,12345\r\nCharlie,2,7\r\n");
    EXPECT_EQ(exportOf(site, CsvTableKind::CustomTones),
              "\xEF\xBB\xBFnumber,firstToneFrequency,firstToneDuration,intertoneDelay,secondToneFrequency,"
              "secondToneDuration,inhibitDelay\r\n0,200.0,1000,0,200.0,3000,3000\r\n"
              "5,1234.5,250,50,3400.0,60000,0\r\n99,1000.0,1,2,2000.1,3,4\r\n");
    for (const CsvTableInfo& table : csvTables()) {
        const TableExportResult csv = exportTableCsv(site, table.kind);
        ASSERT_TRUE(csv.ok());
        const TableImportResult back = importInto(site, table.kind, csv.csv());
        ASSERT_TRUE(back.ok()) << back.error().toStdString();
        EXPECT_EQ(differingOffsets(back.image(), site), std::vector<int>{}) << table.name;
        EXPECT_TRUE(back.warnings.isEmpty()) << back.warnings.join('\n').toStdString();
        // Into a database that holds none of it: the same records and values.
        db::Image other{};
        db::newDatabase(other);
        for (int r = 0; r < 3; ++r) // the paging formats the speed pages use
            std::copy_n(site.begin() + db::kPagingFormats.record(r), db::kPagingFormats.recordSize,
                        other.begin() + db::kPagingFormats.record(r));
        EXPECT_EQ(exportOf(imported(other, table.kind, csv.csv()), table.kind), csv.csv().toStdString());
    }
}

TEST(TableCsv, RowsAreSortedAndPackedAndSpeedPageButtonsFollowTheirPages)
{
    const db::Image site = siteImage();
    // Out of order, lower-case rows, a ';' file without a byte-order mark.
    const db::Image pages =
        imported(site, CsvTableKind::SpeedPages,
                 "label;formatIndex;digits\nCharlie;2;7\nBRAVO;1;12345\nAB;0;1\nAA;0;2\n");
    EXPECT_EQ(exportOf(pages, CsvTableKind::SpeedPages),
              "\xEF\xBB\xBFlabel,formatIndex,digits\r\nAA,0,2\r\nAB,0,1\r\nBRAVO,1,12345\r\nCharlie,2,7\r\n");
    EXPECT_EQ(db::readField(pages, f::buttonParameter, 2), 3); // BRAVO
    EXPECT_EQ(db::readField(pages, f::buttonParameter, 4), 4); // Charlie
    EXPECT_EQ(db::readField(pages, f::buttonParameter, 0), 1); // a Manual Page button stays
    for (const int offset : differingOffsets(site, pages))
        EXPECT_TRUE((offset >= db::kSpeedPages.base && offset < db::kSpeedPages.end()) ||
                    offset == f::buttonParameter.at(2) || offset == f::buttonParameter.at(4))
            << "offset " << offset << " outside the table changed";

    // Aliases by their upper-cased labels, equal ones in the file's order.
    const db::Image aliases = imported(site, CsvTableKind::PttAliases,
                                       "label,pttId,unitType\nzulu,0002,MDC1200\nRADIO,1,DTMF\nRadio,2,DTMF\n"
                                       "alpha,12AB,DTMF\n");
    EXPECT_EQ(exportOf(aliases, CsvTableKind::PttAliases),
              "\xEF\xBB\xBFlabel,pttId,unitType\r\nalpha,12AB,DTMF\r\nRADIO,1,DTMF\r\nRadio,2,DTMF\r\n"
              "zulu,0002,MDC1200\r\n");
    // Fewer rows than the table had: the records after them are free.
    EXPECT_EQ(exportOf(imported(site, CsvTableKind::PttAliases, "label,pttId,unitType\nX,1,DTMF\n"),
                       CsvTableKind::PttAliases),
              "\xEF\xBB\xBFlabel,pttId,unitType\r\nX,1,DTMF\r\n");

    // Custom tones at their numbers; a decimal comma in a ';' file.
    const db::Image tones = imported(site, CsvTableKind::CustomTones,
                                     "\xEF\xBB\xBFnumber;firstToneFrequency;firstToneDuration;intertoneDelay;"
                                     "secondToneFrequency;secondToneDuration;inhibitDelay\r\n"
                                     "7;1000,5;1000;0;200;3000;3000\r\n");
    EXPECT_EQ(db::readFieldText(tones, f::toneNumber, 7), "7");
    EXPECT_EQ(db::readField(tones, f::firstToneFrequency, 7), 10005);
    EXPECT_EQ(tones[f::toneNumber.at(0)], 0);
    EXPECT_EQ(tones[f::toneNumber.at(5)], 0);
}

TEST(TableCsv, RefusalsNameTheLineAndTheColumn)
{
    const db::Image site = siteImage();
    const QByteArray aliasHeader = "label,pttId,unitType\r\n";
    QByteArray tooMany = aliasHeader;
    for (int i = 0; i < 251; ++i)
        tooMany += QStringLiteral("A%1,%2,MDC1200\r\n")
                       .arg(i, 3, 10, QLatin1Char('0'))
                       .arg(i, 4, 16, QLatin1Char('0'))
                       .toLatin1();
    const struct {
        CsvTableKind table;
        QByteArray csv;
        const char* error;
    } cases[] = {
        {CsvTableKind::PttAliases, aliasHeader + "alpha,12AB,MDC\r\n",
         "aliases.csv line 2, unitType: \"MDC\" is not in the list (\"MDC1200\", \"DTMF\")"},
        // Checked by the rules after sorting; the line is still the file's.
        {CsvTableKind::PttAliases, aliasHeader + "Zulu,0001,MDC1200\r\nalpha,12G,MDC1200\r\n",
         "aliases.csv line 3, pttId: \"12G\" is not a valid MDC1200 PTT ID: 4 characters of 0 to 9 and A to "
         "F "
         "[pttAlias.pttId]"},
        // The rules name the other row by its line, not by its record after sorting.
        {CsvTableKind::PttAliases,
         aliasHeader + "Zulu,0001,MDC1200\r\nbravo,1,DTMF\r\nalpha,0001,MDC1200\r\n",
         "aliases.csv line 2, pttId: the PTT ID \"0001\" is also the PTT ID of line 4 "
         "[pttAlias.pttIdUnique]"},
        {CsvTableKind::SpeedPages, "label,formatIndex,digits\nALPHA,0,1\nALPHA,0,2\n",
         "speedpages.csv line 3, label: \"ALPHA\" is also on line 2"},
        {CsvTableKind::SpeedPages, "label,formatIndex,digits\nALPHA,0,12E\nBRAVO,1,12345\nCharlie,2,7\n",
         "speedpages.csv line 2, digits: \"12E\" is not a digit sequence of the format type \"DTMF Page "
         "Format\" "
         "(1 to 16 characters of \"0123456789ABCD*#\") [speedPage.digits]"},
        {CsvTableKind::SpeedPages, "label,formatIndex,digits\nALPHA,9,1\nBRAVO,1,12345\nCharlie,2,7\n",
         "speedpages.csv line 2, formatIndex: names paging format 10, which is not configured "
         "[speedPage.format]"},
        {CsvTableKind::PttAliases, tooMany,
         "aliases.csv line 252, label: one row too many: the table holds 250 records"},
        {CsvTableKind::PttAliases, aliasHeader + "Fire\xE2\x82\xAC,1,DTMF\r\n",
         "aliases.csv line 2, label: \"Fire\u20AC\" holds a character that is not a single byte (Latin-1)"},
        {CsvTableKind::PttAliases, aliasHeader + "ABCDEFGHIJKLM,1,DTMF\r\n",
         "aliases.csv line 2, label: \"ABCDEFGHIJKLM\" is longer than its 12-byte slot"},
        {CsvTableKind::PttAliases, aliasHeader + ",1,DTMF\r\n",
         "aliases.csv line 2, label: is empty: every row needs one"},
        {CsvTableKind::PttAliases, "label,pttID,unitType\r\n",
         "aliases.csv line 1, pttID: is not a column of pttAliases (its columns are label, pttId, unitType)"},
        {CsvTableKind::PttAliases, "# exported\r\nlabel,pttId\r\n",
         "aliases.csv line 2, unitType: the header has no such column (the columns of pttAliases are label, "
         "pttId, unitType)"},
        {CsvTableKind::PttAliases, aliasHeader + "al\xE9pha,12AB,MDC1200\r\n",
         "aliases.csv line 2, column 3: not UTF-8 (save the file as CSV UTF-8)"},
        {CsvTableKind::CustomTones,
         "number,firstToneFrequency,firstToneDuration,intertoneDelay,secondToneFrequency,secondToneDuration,"
         "inhibitDelay\n100,200,0,0,200,0,0\n",
         "customtones.csv line 2, number: \"100\" is not a custom tone number from 0 to 99"},
        {CsvTableKind::CustomTones,
         "number,firstToneFrequency,firstToneDuration,intertoneDelay,secondToneFrequency,secondToneDuration,"
         "inhibitDelay\n7,200,0,0,200,0,0\n07,199.9,0,0,200,0,0\n",
         "customtones.csv line 3, number: \"7\" is also on line 2"},
        {CsvTableKind::CustomTones,
         "number,firstToneFrequency,firstToneDuration,intertoneDelay,secondToneFrequency,secondToneDuration,"
         "inhibitDelay\n7,199.9,0,0,200,0,0\n",
         "customtones.csv line 2, firstToneFrequency: 199.9 is out of range (200.0 Hz to 3400.0 Hz)"},
        {CsvTableKind::CustomTones,
         "number,firstToneFrequency,firstToneDuration,intertoneDelay,secondToneFrequency,secondToneDuration,"
         "inhibitDelay\n7,200,1 s,0,200,0,0\n",
         "customtones.csv line 2, firstToneDuration: \"1 s\" is not a number"},
        // A page a button calls is not in the file.
        {CsvTableKind::SpeedPages, "label,formatIndex,digits\nALPHA,0,1\nCharlie,2,7\n",
         "buttons[3]: speed page \"BRAVO\" is not in speedpages.csv"},
    };
    for (const auto& c : cases) {
        const TableImportResult result = importInto(site, c.table, c.csv);
        EXPECT_FALSE(result.ok()) << c.error;
        if (!result.ok()) {
            EXPECT_EQ(result.error().toStdString(), c.error);
        }
    }
}

TEST(TableCsv, ATableHoldingWhatNoEditorWritesIsNotExported)
{
    db::Image image = siteImage();
    db::writeField(image, f::secondToneFrequency, 100, 0); // 10.0 Hz
    EXPECT_EQ(exportOf(image, CsvTableKind::CustomTones),
              "refused: customTones[1].secondToneFrequency holds a value no editor writes: use trvctl export "
              "(JSON)");
    image = siteImage();
    db::writeFieldText(image, f::aliasLabel, "alpha", 1); // a label twice: an error of the rules
    EXPECT_EQ(exportOf(image, CsvTableKind::PttAliases),
              "refused: pttAliases[2].label holds a value no editor writes: use trvctl export (JSON)");
    // A Speed Page button on a free record cannot follow any row.
    image = siteImage();
    db::writeField(image, f::buttonParameter, 9, 2);
    EXPECT_EQ(
        importInto(image, CsvTableKind::SpeedPages, exportTableCsv(image, CsvTableKind::SpeedPages).csv())
            .error()
            .toStdString(),
        "buttons[3]: names speed page 9, which is not configured: set the button first, then import");
}
