// Every text of the configuration sheet of its own. Section titles, field labels and list texts are
// the editors' (their Texts headers) and the field catalogue's, shown as the editors show them.
#pragma once

#include <QLatin1StringView>

namespace trv::sheet::text {

using namespace Qt::StringLiterals;

inline constexpr QLatin1StringView kTitle = "Deskset Configuration Sheet"_L1;
// The running header of each printed page: file name, date, digest, page.
inline constexpr QLatin1StringView kHeaderFile = "File: %1"_L1;
inline constexpr QLatin1StringView kHeaderDate = "Date: %1"_L1;
inline constexpr QLatin1StringView kHeaderDigest = "SHA-256: %1"_L1;
inline constexpr QLatin1StringView kPageOf = "Page %1 of %2"_L1;
// A database not yet saved to a file.
inline constexpr QLatin1StringView kUnsavedName = "(not saved)"_L1;

// Column heads.
inline constexpr QLatin1StringView kGroupColumn = "Group"_L1;
inline constexpr QLatin1StringView kSettingColumn = "Setting"_L1;
inline constexpr QLatin1StringView kValueColumn = "Value"_L1;
inline constexpr QLatin1StringView kFunctionKeyColumn = "Function"_L1;
inline constexpr QLatin1StringView kButtonColumn = "Button"_L1;
inline constexpr QLatin1StringView kButtonFunctionColumn = "Function"_L1;
inline constexpr QLatin1StringView kButtonLabelColumn = "Label"_L1;
inline constexpr QLatin1StringView kRefersToColumn = "Refers to"_L1;
inline constexpr QLatin1StringView kParametersColumn = "Parameters"_L1;
inline constexpr QLatin1StringView kProtocolColumn = "Protocol"_L1;
inline constexpr QLatin1StringView kSeverityColumn = "Severity"_L1;
inline constexpr QLatin1StringView kFieldColumn = "Field"_L1;
inline constexpr QLatin1StringView kProblemColumn = "Problem"_L1;

// Records in use of a table; free records are left out.
inline constexpr QLatin1StringView kRecordsInUse = "%1 of %2 records in use."_L1;
// The channels a single-channel deskset does not use.
inline constexpr QLatin1StringView kChannelsNotInUse =
    "Channels 2, 3 and 4 are not in use on a single-channel deskset."_L1;
// A stored value the editor does not offer, shown as stored.
inline constexpr QLatin1StringView kNotOffered = "%1 (not offered)"_L1;
// A button that refers to a free or missing record.
inline constexpr QLatin1StringView kMissingRecord = "record %1, not configured"_L1;
inline constexpr QLatin1StringView kUnknownFormat = "format %1"_L1;

inline constexpr QLatin1StringView kProblemsTitle = "Problems"_L1;
inline constexpr QLatin1StringView kProblemsIntro = "The rules of a valid database find:"_L1;

// The parameter list of a paging format: "Code plan: B; Group call delay (ms): 8000".
inline constexpr QLatin1StringView kParameter = "%1: %2"_L1;
inline constexpr QLatin1StringView kParameterSeparator = "; "_L1;

// File output.
inline constexpr QLatin1StringView kCannotWrite = "The file %1 cannot be written: %2"_L1;

} // namespace trv::sheet::text
