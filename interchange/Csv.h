// Comma-separated tables as spreadsheets save them (RFC 4180): a header line naming the columns,
// then one record per line. The reader takes UTF-8 with or without a byte-order mark, ',' or ';' as
// the header line uses it, quoted fields with doubled quotes and line breaks, and skips blank lines
// and lines starting with '#'. The writer gives what spreadsheets open without asking: a byte-order
// mark, ',' and CRLF. One reader for every table the tools take in (site lists, record tables).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <variant>
#include <vector>

namespace trv::interchange {

struct CsvRow {
    int line;           // where the record starts, from 1
    QStringList fields; // as many as the header has columns
};

struct CsvTable {
    QChar separator;
    QStringList header; // the column names, without surrounding spaces
    int headerLine = 1; // where the header line is (blank and comment lines may come before it)
    std::vector<CsvRow> rows;

    // The column of a header name, or -1.
    int column(const QString& name) const { return header.indexOf(name); }
};

struct CsvError {
    int line;   // from 1
    int column; // character of the line, from 1
    QString problem;

    // "line 3, column 14: a quote inside a field that does not start with one"
    QString text() const;
};

std::variant<CsvTable, CsvError> readCsv(const QByteArray& bytes);

// The table as UTF-8 with a byte-order mark, ',' separators and CRLF line ends; a field is quoted
// when it holds a separator, a quote or a line break, or would read back as a comment or a blank line.
QByteArray writeCsv(const QStringList& header, const std::vector<QStringList>& rows);

} // namespace trv::interchange
