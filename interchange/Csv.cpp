#include "interchange/Csv.h"

#include "interchange/InterchangeTexts.h"

#include <QStringDecoder>

#include <optional>

namespace trv::interchange {

namespace {

constexpr QChar kQuote = u'"';
const QByteArray kByteOrderMark("\xEF\xBB\xBF");

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// Where the first byte that is not UTF-8 lies, as a line and a character of that line.
CsvError notUtf8At(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    int line = 1;
    int column = 1;
    for (const char byte : bytes) {
        const QString decoded = decoder.decode(QByteArrayView(&byte, 1));
        if (decoder.hasError())
            break;
        for (const QChar c : decoded) {
            if (c == u'\n') {
                ++line;
                column = 1;
            } else {
                ++column;
            }
        }
    }
    return {line, column, text::kCsvNotUtf8};
}

// Reads records from decoded text, keeping the line and column of every position for messages.
class CsvParser {
public:
    explicit CsvParser(const QString& text) : s_(text) {}

    bool atEnd() const { return i_ >= s_.size(); }

    // Passes blank lines (spaces and tabs at most) and comment lines; true when a record starts here.
    bool skipToRecord()
    {
        while (!atEnd()) {
            qsizetype end = i_;
            while (end < s_.size() && (s_[end] == u' ' || s_[end] == u'\t'))
                ++end;
            const bool blank = end == s_.size() || isLineBreak(s_[end]);
            if (!blank && s_[i_] != u'#')
                return true;
            while (!atEnd() && !isLineBreak(s_[i_]))
                ++i_;
            if (!atEnd())
                endLine();
        }
        return false;
    }

    // ',' unless the line ahead holds more ';' than ',' outside quotes.
    QChar separatorAhead() const
    {
        int commas = 0;
        int semicolons = 0;
        bool quoted = false;
        for (qsizetype at = i_; at < s_.size() && (quoted || !isLineBreak(s_[at])); ++at) {
            quoted = s_[at] == kQuote ? !quoted : quoted;
            commas += !quoted && s_[at] == u',';
            semicolons += !quoted && s_[at] == u';';
        }
        return semicolons > commas ? u';' : u',';
    }

    struct Record {
        int line;
        QStringList fields;
        std::vector<std::pair<int, int>> starts; // line and column where each field starts
    };

    std::variant<Record, CsvError> record(QChar separator)
    {
        Record r{line_, {}, {}};
        for (;;) {
            r.starts.emplace_back(line_, column());
            std::variant<QString, CsvError> field = this->field(separator);
            if (auto* error = std::get_if<CsvError>(&field))
                return *error;
            r.fields << std::get<QString>(field);
            if (atEnd())
                return r;
            if (isLineBreak(s_[i_])) {
                endLine();
                return r;
            }
            ++i_; // the separator
        }
    }

    int line() const { return line_; }
    int column() const { return static_cast<int>(i_ - lineStart_) + 1; }

private:
    CsvError errorHere(const QString& problem) const { return {line_, column(), problem}; }

    void endLine()
    {
        i_ += s_[i_] == u'\r' && i_ + 1 < s_.size() && s_[i_ + 1] == u'\n' ? 2 : 1;
        ++line_;
        lineStart_ = i_;
    }

    std::variant<QString, CsvError> field(QChar separator)
    {
        QString value;
        if (atEnd() || s_[i_] != kQuote) {
            for (; !atEnd() && s_[i_] != separator && !isLineBreak(s_[i_]); ++i_) {
                if (s_[i_] == kQuote)
                    return errorHere(text::kCsvQuoteInField);
                value += s_[i_];
            }
            return value;
        }
        const CsvError open = errorHere(text::kCsvOpenQuote);
        ++i_;
        for (;;) {
            if (atEnd())
                return open;
            if (s_[i_] == kQuote) {
                if (i_ + 1 < s_.size() && s_[i_ + 1] == kQuote) {
                    value += kQuote;
                    i_ += 2;
                    continue;
                }
                ++i_;
                break;
            }
            if (isLineBreak(s_[i_])) {
                value += u'\n';
                endLine();
                continue;
            }
            value += s_[i_++];
        }
        if (!atEnd() && s_[i_] != separator && !isLineBreak(s_[i_]))
            return errorHere(QString(text::kCsvAfterQuote).arg(QStringLiteral("'%1'").arg(s_[i_])));
        return value;
    }

    const QString& s_;
    qsizetype i_ = 0;
    int line_ = 1;
    qsizetype lineStart_ = 0;
};

QString csvField(const QString& value, bool firstOfRow, bool onlyOfRow)
{
    const bool quote = value.contains(u',') || value.contains(kQuote) || value.contains(u'\r') ||
                       value.contains(u'\n') || (firstOfRow && value.startsWith(u'#')) ||
                       (onlyOfRow && value.isEmpty());
    if (!quote)
        return value;
    QString quoted = value;
    quoted.replace(kQuote, QStringLiteral("\"\""));
    return kQuote + quoted + kQuote;
}

} // namespace

QString CsvError::text() const
{
    return QString(text::kCsvAt).arg(line).arg(column).arg(problem);
}

std::variant<CsvTable, CsvError> readCsv(const QByteArray& bytes)
{
    QByteArrayView body(bytes);
    if (body.startsWith(kByteOrderMark))
        body = body.sliced(kByteOrderMark.size());
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(body);
    if (decoder.hasError())
        return notUtf8At(body);

    CsvParser parser(text);
    if (!parser.skipToRecord())
        return CsvError{parser.line(), 1, text::kCsvNoHeader};
    CsvTable table;
    table.separator = parser.separatorAhead();
    auto header = parser.record(table.separator);
    if (auto* error = std::get_if<CsvError>(&header))
        return *error;
    const CsvParser::Record& names = std::get<CsvParser::Record>(header);
    table.headerLine = names.line;
    for (qsizetype c = 0; c < names.fields.size(); ++c) {
        const QString name = names.fields[c].trimmed();
        if (name.isEmpty())
            return CsvError{names.line, names.starts[static_cast<std::size_t>(c)].second,
                            QString(text::kCsvEmptyColumnName).arg(c + 1)};
        if (table.header.contains(name))
            return CsvError{names.line, names.starts[static_cast<std::size_t>(c)].second,
                            QString(text::kCsvColumnTwice).arg(name)};
        table.header << name;
    }
    while (parser.skipToRecord()) {
        auto row = parser.record(table.separator);
        if (auto* error = std::get_if<CsvError>(&row))
            return *error;
        CsvParser::Record& r = std::get<CsvParser::Record>(row);
        if (r.fields.size() != table.header.size()) {
            // More fields: where the first extra one starts; fewer: the record's start.
            const auto [line, column] = r.fields.size() > table.header.size()
                                            ? r.starts[static_cast<std::size_t>(table.header.size())]
                                            : std::pair{r.line, 1};
            return CsvError{line, column,
                            QString(text::kCsvFieldCount).arg(r.fields.size()).arg(table.header.size())};
        }
        table.rows.push_back({r.line, std::move(r.fields)});
    }
    return table;
}

QByteArray writeCsv(const QStringList& header, const std::vector<QStringList>& rows)
{
    QString out;
    const auto line = [&](const QStringList& fields) {
        QStringList written;
        for (qsizetype f = 0; f < fields.size(); ++f)
            written << csvField(fields[f], f == 0, fields.size() == 1);
        out += written.join(u',') + QStringLiteral("\r\n");
    };
    line(header);
    for (const QStringList& row : rows)
        line(row);
    return kByteOrderMark + out.toUtf8();
}

} // namespace trv::interchange
