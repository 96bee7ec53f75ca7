// Every text of the configuration sheet of its own. Section titles, field labels and list texts are
// the editors' (their Texts headers) and the field catalogue's, shown as the editors show them.
#pragma once

namespace trv::sheet::text {

inline constexpr const char* kTitle = "Deskset Configuration Sheet";
// The running header of each printed page: file name, date, digest, page.
inline constexpr const char* kHeaderFile = "File: %1";
inline constexpr const char* kHeaderDate = "Date: %1";
inline constexpr const char* kHeaderDigest = "SHA-256: %1";
inline constexpr const char* kPageOf = "Page %1 of %2";
// A database not yet saved to a file.
inline constexpr const char* kUnsavedName = "(not saved)";

// Column heads.
inline constexpr const char* kGroupColumn = "Group";
inline constexpr const char* kSettingColumn = "Setting";
inline constexpr const char* kValueColumn = "Value";
inline constexpr const char* kFunctionKeyColumn = "Function";
inline constexpr const char* kButtonColumn = "Button";
inline constexpr const char* kButtonFunctionColumn = "Function";
inline constexpr const char* kButtonLabelColumn = "Label";
inline constexpr const char* kRefersToColumn = "Refers to";
inline constexpr const char* kParametersColumn = "Parameters";
inline constexpr const char* kProtocolColumn = "Protocol";
inline constexpr const char* kSeverityColumn = "Severity";
inline constexpr const char* kFieldColumn = "Field";
inline constexpr const char* kProblemColumn = "Problem";

// Records in use of a table; free records are left out.
inline constexpr const char* kRecordsInUse = "%1 of %2 records in use.";
// The channels a single-channel deskset does not use.
inline constexpr const char* kChannelsNotInUse =
    "Channels 2, 3 and 4 are not in use on a single-channel deskset.";
// A stored value the editor does not offer, shown as stored.
inline constexpr const char* kNotOffered = "%1 (not offered)";
// A button that refers to a free or missing record.
inline constexpr const char* kMissingRecord = "record %1, not configured";
inline constexpr const char* kUnknownFormat = "format %1";

inline constexpr const char* kProblemsTitle = "Problems";
inline constexpr const char* kProblemsIntro = "The rules of a valid database find:";

// The parameter list of a paging format: "Code plan: B; Group call delay (ms): 8000".
inline constexpr const char* kParameter = "%1: %2";
inline constexpr const char* kParameterSeparator = "; ";

// File output.
inline constexpr const char* kCannotWrite = "The file %1 cannot be written: %2";

} // namespace trv::sheet::text
