// Every text the interchange module writes: the dump and diff wording, the JSON form's names and
// the messages of a refused import.
#pragma once

namespace trv::interchange::text {

// The JSON form.
inline constexpr const char* kFormatKey = "format";
inline constexpr const char* kFormatName = "TRV database";
inline constexpr const char* kVersionKey = "version";
inline constexpr int kFormatVersion = 1;
inline constexpr const char* kRecordKey = "record";
inline constexpr const char* kFreeKey = "free";
inline constexpr const char* kRawKey = "raw";
inline constexpr const char* kLayoutKey = "layout";
inline constexpr const char* kUnusedKey = "unused";
inline constexpr const char* kReservedKey = "reserved";
inline constexpr const char* kOffsetKey = "offset";
inline constexpr const char* kBytesKey = "bytes";

// Dump and diff.
inline constexpr const char* kRawPrefix = "raw ";
inline constexpr const char* kFreeMark = " (free)";
inline constexpr const char* kReservedHeading = "reserved";
inline constexpr const char* kReservedDiffer = "reserved areas: %1 bytes differ";
inline constexpr const char* kReservedDifferOne = "reserved areas: 1 byte differs";
inline constexpr const char* kArrow = " -> ";

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
inline constexpr const char* kNotJson = "the file is not JSON: %1 (at byte %2)";
inline constexpr const char* kNotAnObject = "expected a JSON object";
inline constexpr const char* kNotAnArray = "expected a JSON array";
inline constexpr const char* kWrongFormat = "is not \"TRV database\"";
inline constexpr const char* kWrongVersion = "%1 is not supported (this tool reads version %2)";
inline constexpr const char* kUnknownField = "unknown field";
inline constexpr const char* kBadRecord = "%1 is not a record number from 1 to %2";
inline constexpr const char* kRecordTwice = "record %1 is given twice";
inline constexpr const char* kExpectedNumber = "%1 is not a number";
inline constexpr const char* kNotWhole = "%1 is not a whole number of %2";
inline constexpr const char* kOutOfRange = "%1 is out of range (%2 to %3)";
inline constexpr const char* kNotInList = "%1 is not in the list (%2)";
inline constexpr const char* kExpectedText = "%1 is not a text";
inline constexpr const char* kTextTooLong = "%1 is longer than its %2-byte slot";
inline constexpr const char* kNotSingleByte = "%1 holds a character that is not a single byte (Latin-1)";
inline constexpr const char* kBadHex = "%1 is not %2 bytes in hexadecimal";
inline constexpr const char* kWrongCount = "expected %1 values, not %2";
inline constexpr const char* kWrongLayout = "layout %1 does not fit %2 (it holds %3)";
inline constexpr const char* kNoLayout = "%1 chooses no layout: give the bytes as \"raw\"";
inline constexpr const char* kRawAlone = "\"raw\" stands alone";
inline constexpr const char* kFreeNeedsRaw = "a free record gives its bytes as \"raw\" and nothing else";
inline constexpr const char* kNotReserved = "offset %1 and its %2 bytes are not all reserved";
inline constexpr const char* kMissingKey = "\"%1\" is missing";

// A refused CSV file: "line 3, column 14: <problem>".
inline constexpr const char* kCsvAt = "line %1, column %2: %3";
inline constexpr const char* kCsvNotUtf8 = "not UTF-8 (save the file as CSV UTF-8)";
inline constexpr const char* kCsvNoHeader = "the file has no header line";
inline constexpr const char* kCsvEmptyColumnName = "column %1 of the header has no name";
inline constexpr const char* kCsvColumnTwice = "the header names %1 twice";
inline constexpr const char* kCsvQuoteInField = "a quote inside a field that does not start with one";
inline constexpr const char* kCsvAfterQuote =
    "%1 after a closing quote (a field ends at the separator or the line's end)";
inline constexpr const char* kCsvOpenQuote = "the quoted field starting here is not closed";
inline constexpr const char* kCsvFieldCount = "%1 fields, the header has %2";

// Record tables as CSV. A refused export names the first field element; a refused import names the
// file, the line and the column: "aliases.csv line 17, pttId: <problem>".
inline constexpr const char* kTableNotExported = "%1 holds a value no editor writes: use trvctl export (JSON)";
inline constexpr const char* kTableAt = "%1 line %2, %3: %4";
inline constexpr const char* kTableFileAt = "%1 %2";
inline constexpr const char* kTableNotAColumn = "is not a column of %1 (its columns are %2)";
inline constexpr const char* kTableMissingColumn = "the header has no such column (the columns of %1 are %2)";
inline constexpr const char* kTableTooManyRows = "one row too many: the table holds %1 records";
inline constexpr const char* kTableEmptyKey = "is empty: every row needs one";
inline constexpr const char* kTableKeyTwice = "\"%1\" is also on line %2";
inline constexpr const char* kTableBadToneNumber = "\"%1\" is not a custom tone number from 0 to %2";
inline constexpr const char* kTablePageNotInFile = "speed page \"%1\" is not in %2";
inline constexpr const char* kTablePageNotConfigured =
    "names speed page %1, which is not configured: set the button first, then import";
inline constexpr const char* kTableRule = "%1 [%2]";
inline constexpr const char* kTableLine = "line %1"; // another row, in a message of the rules

} // namespace trv::interchange::text
