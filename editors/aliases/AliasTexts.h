// Texts of the PTT ID alias list and its dialog. "&" marks a label's access key; "\n" in a message is
// a line break.
#pragma once

#include <QLatin1StringView>

namespace trv::editors::aliases::text {

using namespace Qt::StringLiterals;

// Window title and tree label.
inline constexpr QLatin1StringView kTitle = "PTT ID Aliases"_L1;
inline constexpr QLatin1StringView kPrompt = "Choose an entry to edit or add a new one."_L1;
inline constexpr QLatin1StringView kLabelColumn = "Label"_L1;
inline constexpr QLatin1StringView kPttIdColumn = "PTT ID"_L1;
// The row an empty list shows; it is not an alias.
inline constexpr QLatin1StringView kNoAlias = "<No PTT ID alias defined>"_L1;

inline constexpr QLatin1StringView kDialogTitle = "Edit PTT ID Aliases"_L1;
inline constexpr QLatin1StringView kLabelLabel = "&Label"_L1;
inline constexpr QLatin1StringView kEntryConfigGroup = "Entry Config"_L1;
inline constexpr QLatin1StringView kProtocolGroup = "Protocol"_L1;
inline constexpr QLatin1StringView kMdc1200Unit = "&MDC1200 unit"_L1;
inline constexpr QLatin1StringView kDtmfUnit = "&DTMF unit"_L1;
inline constexpr QLatin1StringView kPttIdLabel = "&PTT ID"_L1;

inline constexpr QLatin1StringView kInvalidMdc1200Id =
    "You must enter a valid PTT ID before continuing.\n"
    "4 characters are required for MDC 1200.\n"
    "Valid characters are 0 to 9 and A to F for MDC 1200."_L1;
inline constexpr QLatin1StringView kInvalidDtmfId =
    "You must enter a valid PTT ID before continuing.\n"
    "Valid characters are 0 to 9, A to D, * and # for DTMF."_L1;
inline constexpr QLatin1StringView kPttIdExists = "This PTT ID already exists."_L1;
// Shown only if a new alias finds no free record (the list offers no "&Add" at 250 aliases).
inline constexpr QLatin1StringView kTableFull = "The maximum number of configured PTT aliases is 250."_L1;

} // namespace trv::editors::aliases::text
