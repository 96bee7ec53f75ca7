// The texts of the fleet: site lists, runs over many desksets and their reports.
#pragma once

namespace trv::fleet::text {

// Site lists. A problem of a row or of the header goes after interchange's kCsvAt place
// ("line 4, column 2: <problem>"); the column is the field's column in the spreadsheet, from 1.
inline constexpr const char* kSiteListUnreadable = "Cannot read the site list %1: %2";
inline constexpr const char* kSiteListEmpty = "the site list names no site";
inline constexpr const char* kSiteListMissingColumn =
    "the header has no %1 column (the columns are name, port and, optionally, database)";
inline constexpr const char* kSiteListUnknownColumn =
    "%1 is not a column of a site list (the columns are name, port and, optionally, database)";
inline constexpr const char* kSiteListColumnTwice = "the header names the %1 column twice";
inline constexpr const char* kSiteNameEmpty = "the name is empty: every site needs one";
inline constexpr const char* kSiteNameTooLong = "%1 is longer than %2 characters";
inline constexpr const char* kSiteNameBadCharacter = "%1 holds '%2': a name holds only A-Z a-z 0-9 . _ -";
inline constexpr const char* kSiteNameLeadingDot = "%1 starts with '.'";
inline constexpr const char* kSiteNameTwice = "%1 is also the name on line %2";
inline constexpr const char* kSitePortEmpty =
    "the port is empty: use COM1 to COM4, a device path or tcp://HOST:PORT";
inline constexpr const char* kSitePortTwice = "%1 reaches the same device as %2 on line %3 (%4)";

// Choosing sites of a list by name.
inline constexpr const char* kSiteNotInList = "--only names no site \"%1\"";

} // namespace trv::fleet::text
