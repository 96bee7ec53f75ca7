// The one CSV reader and writer: what spreadsheets save is read, what is not is refused with its
// line and column, and what the writer gives reads back as it was.
#include "interchange/Csv.h"

#include <gtest/gtest.h>

using namespace trv::interchange;

namespace {

std::string errorOf(const QByteArray& bytes)
{
    const auto result = readCsv(bytes);
    return std::holds_alternative<CsvError>(result) ? std::get<CsvError>(result).text().toStdString() : "";
}

// Every field of every row, rows joined by '|' and fields by '/', each row led by its line.
std::string rowsOf(const QByteArray& bytes)
{
    const auto result = readCsv(bytes);
    if (!std::holds_alternative<CsvTable>(result))
        return "error: " + std::get<CsvError>(result).text().toStdString();
    const CsvTable& table = std::get<CsvTable>(result);
    QStringList rows{table.header.join(u'/')};
    for (const CsvRow& row : table.rows)
        rows << QStringLiteral("%1:%2").arg(row.line).arg(row.fields.join(u'/'));
    return rows.join(u'|').toStdString();
}

} // namespace

TEST(Csv, ReadsWhatSpreadsheetsSave)
{
    const struct {
        const char* what;
        QByteArray bytes;
        const char* rows;
    } cases[] = {
        {"plain, LF", "name,port\nA,COM1\nB,COM2\n", "name/port|2:A/COM1|3:B/COM2"},
        {"CRLF, no final break", "name,port\r\nA,COM1\r\nB,COM2", "name/port|2:A/COM1|3:B/COM2"},
        {"byte-order mark", "\xEF\xBB\xBFname,port\r\nA,COM1\r\n", "name/port|2:A/COM1"},
        {"semicolons from the header", "name;port;database\nA;COM1;a,b.ddb\n",
         "name/port/database|2:A/COM1/a,b.ddb"},
        {"comments and blank lines skipped, lines still counted",
         "# site list\n\nname,port\n  \n# A is out\nB,COM2\n", "name/port|6:B/COM2"},
        {"quotes, doubled quotes, separators and breaks inside",
         "name,label\nA,\"say \"\"hi\"\", then, go\"\nB,\"two\r\nlines\"\nC,x\n",
         "name/label|2:A/say \"hi\", then, go|3:B/two\nlines|5:C/x"},
        {"empty fields and a quoted '#'", "a,b\n,\n\"#1\",2\n", "a/b|2:/|3:#1/2"},
        {"header names trimmed", "name , port\nA,COM1\n", "name/port|2:A/COM1"},
        {"UTF-8 kept", "label\nNord\xC3\xA9\n", "label|2:Nord\xC3\xA9"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rowsOf(c.bytes), c.rows) << c.what;
}

TEST(Csv, RefusesWithLineAndColumn)
{
    const struct {
        QByteArray bytes;
        const char* error;
    } cases[] = {
        {"", "line 1, column 1: the file has no header line"},
        {"# only a comment\n\n", "line 3, column 1: the file has no header line"},
        {"name,,port\n", "line 1, column 6: column 2 of the header has no name"},
        {"name,port,name\n", "line 1, column 11: the header names name twice"},
        {"name,port\nA,CO\"M1\n", "line 2, column 5: a quote inside a field that does not start with one"},
        {"name,port\nA,\"COM1\"x\n",
         "line 2, column 9: 'x' after a closing quote (a field ends at the separator or the line's end)"},
        {"name,port\nA,\"COM1\nB,COM2\n", "line 2, column 3: the quoted field starting here is not closed"},
        {"name,port\nA,COM1,extra\n", "line 2, column 8: 3 fields, the header has 2"},
        {"name,port\nA\n", "line 2, column 1: 1 fields, the header has 2"},
        {"name,port\nA,\"x\ny\",z\n", "line 3, column 4: 3 fields, the header has 2"},
        {"name,port\nA,B\xC3(\n", "line 2, column 4: not UTF-8 (save the file as CSV UTF-8)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorOf(c.bytes), c.error) << c.bytes.toStdString();
}

TEST(Csv, WrittenTablesReadBackAsTheyWere)
{
    const QStringList header{"label", "pttId"};
    const std::vector<QStringList> rows{
        {"North, East", "1234"}, {"say \"hi\"", ""}, {"#7", "two\nlines"}, {"", ""}, {"Nord\u00E9", " x "}};
    const QByteArray bytes = writeCsv(header, rows);
    EXPECT_TRUE(
        bytes.startsWith("\xEF\xBB\xBFlabel,pttId\r\n\"North, East\",1234\r\n\"say \"\"hi\"\"\",\r\n"));
    const auto back = readCsv(bytes);
    ASSERT_TRUE(std::holds_alternative<CsvTable>(back));
    const CsvTable& table = std::get<CsvTable>(back);
    EXPECT_EQ(table.header, header);
    ASSERT_EQ(table.rows.size(), rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r)
        EXPECT_EQ(table.rows[r].fields, rows[r]) << r;
    // A table of one column keeps an empty row instead of writing a blank line.
    const auto single = readCsv(writeCsv({"label"}, {{""}, {"A"}}));
    ASSERT_TRUE(std::holds_alternative<CsvTable>(single));
    EXPECT_EQ(std::get<CsvTable>(single).rows.size(), 2u);
}
