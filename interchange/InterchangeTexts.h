// Every text the interchange module writes: the dump and diff wording, the JSON form's names and
// the messages of a refused import.
#pragma once

#include <QLatin1StringView>

namespace trv::interchange::text {

using namespace Qt::StringLiterals;

// The JSON form.
inline constexpr QLatin1StringView kFormatKey = "format"_L1;
inline constexpr QLatin1StringView kFormatName = "TRV database"_L1;
inline constexpr QLatin1StringView kVersionKey = "version"_L1;
inline constexpr int kFormatVersion = 1;
inline constexpr QLatin1StringView kRecordKey = "record"_L1;
inline constexpr QLatin1StringView kFreeKey = "free"_L1;
inline constexpr QLatin1StringView kRawKey = "raw"_L1;
inline constexpr QLatin1StringView kLayoutKey = "layout"_L1;
inline constexpr QLatin1StringView kUnusedKey = "unused"_L1;
inline constexpr QLatin1StringView kReservedKey = "reserved"_L1;
inline constexpr QLatin1StringView kOffsetKey = "offset"_L1;
inline constexpr QLatin1StringView kBytesKey = "bytes"_L1;

// Dump and diff.
inline constexpr QLatin1StringView kRawPrefix = "raw "_L1;
inline constexpr QLatin1StringView kFreeMark = " (free)"_L1;
inline constexpr QLatin1StringView kReservedHeading = "reserved"_L1;
inline constexpr QLatin1StringView kReservedDiffer = "reserved areas: %1 bytes differ"_L1;
inline constexpr QLatin1StringView kReservedDifferOne = "reserved areas: 1 byte differs"_L1;
inline constexpr QLatin1StringView kArrow = " -> "_L1;

// Headings of the records of each area; an area not named here is headed by its own name.
struct AreaHeading {
    const char* area;
    const char* heading;
};
inline constexpr AreaHeading kAreaHeadings[] = {
    {"deskset", "deskset"},         {"buttons", "button"},
    {"channels", "channel"},        {"pagingFormats", "paging format"},
    {"customTones", "custom tone"}, {"speedPages", "speed page"},
    {"pttAliases", "PTT ID alias"},
};

// A refused import: "<path>: <problem>".
inline constexpr QLatin1StringView kNotJson = "the file is not JSON: %1 (at byte %2)"_L1;
inline constexpr QLatin1StringView kNotAnObject = "expected a JSON object"_L1;
inline constexpr QLatin1StringView kNotAnArray = "expected a JSON array"_L1;
inline constexpr QLatin1StringView kWrongFormat = "is not \"TRV database\""_L1;
inline constexpr QLatin1StringView kWrongVersion = "%1 is not supported (this tool reads version %2)"_L1;
inline constexpr QLatin1StringView kUnknownField = "unknown field"_L1;
inline constexpr QLatin1StringView kBadRecord = "%1 is not a record number from 1 to %2"_L1;
inline constexpr QLatin1StringView kRecordTwice = "record %1 is given twice"_L1;
inline constexpr QLatin1StringView kExpectedNumber = "%1 is not a number"_L1;
inline constexpr QLatin1StringView kNotWhole = "%1 is not a whole number of %2"_L1;
inline constexpr QLatin1StringView kOutOfRange = "%1 is out of range (%2 to %3)"_L1;
inline constexpr QLatin1StringView kNotInList = "%1 is not in the list (%2)"_L1;
inline constexpr QLatin1StringView kExpectedText = "%1 is not a text"_L1;
inline constexpr QLatin1StringView kTextTooLong = "%1 is longer than its %2-byte slot"_L1;
inline constexpr QLatin1StringView kNotSingleByte =
    "%1 holds a character that is not a single byte (Latin-1)"_L1;
inline constexpr QLatin1StringView kBadHex = "%1 is not %2 bytes in hexadecimal"_L1;
inline constexpr QLatin1StringView kWrongCount = "expected %1 values, not %2"_L1;
inline constexpr QLatin1StringView kWrongLayout = "layout %1 does not fit %2 (it holds %3)"_L1;
inline constexpr QLatin1StringView kNoLayout = "%1 chooses no layout: give the bytes as \"raw\""_L1;
inline constexpr QLatin1StringView kRawAlone = "\"raw\" stands alone"_L1;
inline constexpr QLatin1StringView kFreeNeedsRaw =
    "a free record gives its bytes as \"raw\" and nothing else"_L1;
inline constexpr QLatin1StringView kNotReserved = "offset %1 and its %2 bytes are not all reserved"_L1;
inline constexpr QLatin1StringView kMissingKey = "\"%1\" is missing"_L1;

// A refused CSV file: "line 3, column 14: <problem>".
inline constexpr QLatin1StringView kCsvAt = "line %1, column %2: %3"_L1;
inline constexpr QLatin1StringView kCsvNotUtf8 = "not UTF-8 (save the file as CSV UTF-8)"_L1;
inline constexpr QLatin1StringView kCsvNoHeader = "the file has no header line"_L1;
inline constexpr QLatin1StringView kCsvEmptyColumnName = "column %1 of the header has no name"_L1;
inline constexpr QLatin1StringView kCsvColumnTwice = "the header names %1 twice"_L1;
inline constexpr QLatin1StringView kCsvQuoteInField =
    "a quote inside a field that does not start with one"_L1;
inline constexpr QLatin1StringView kCsvAfterQuote =
    "%1 after a closing quote (a field ends at the separator or the line's end)"_L1;
inline constexpr QLatin1StringView kCsvOpenQuote = "the quoted field starting here is not closed"_L1;
inline constexpr QLatin1StringView kCsvFieldCount = "%1 fields, the header has %2"_L1;

// Record tables as CSV. A refused export names the first field element; a refused import names the
// file, the line and the column: "aliases.csv line 17, pttId: <problem>".
inline constexpr QLatin1StringView kTableNotExported =
    "%1 holds a value no editor writes: use trvctl export (JSON)"_L1;
inline constexpr QLatin1StringView kTableAt = "%1 line %2, %3: %4"_L1;
inline constexpr QLatin1StringView kTableFileAt = "%1 %2"_L1;
inline constexpr QLatin1StringView kTableNotAColumn = "is not a column of %1 (its columns are %2)"_L1;
inline constexpr QLatin1StringView kTableMissingColumn =
    "the header has no such column (the columns of %1 are %2)"_L1;
inline constexpr QLatin1StringView kTableTooManyRows = "one row too many: the table holds %1 records"_L1;
inline constexpr QLatin1StringView kTableEmptyKey = "is empty: every row needs one"_L1;
inline constexpr QLatin1StringView kTableKeyTwice = "\"%1\" is also on line %2"_L1;
inline constexpr QLatin1StringView kTableBadToneNumber = "\"%1\" is not a custom tone number from 0 to %2"_L1;
inline constexpr QLatin1StringView kTablePageNotInFile = "speed page \"%1\" is not in %2"_L1;
inline constexpr QLatin1StringView kTablePageNotConfigured =
    "names speed page %1, which is not configured: set the button first, then import"_L1;
inline constexpr QLatin1StringView kTableRule = "%1 [%2]"_L1;
inline constexpr QLatin1StringView kTableLine = "line %1"_L1; // another row, in a message of the rules

} // namespace trv::interchange::text
