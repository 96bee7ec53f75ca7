// Texts of the PTT ID alias list and its dialog. "&" marks a label's access key; "\n" in a message is
// a line break.
#pragma once

namespace trv::editors::aliases::text {

// Window title and tree label (string 155).
inline constexpr const char* kTitle = "PTT ID Aliases";
inline constexpr const char* kPrompt = "Choose an entry to edit or add a new one.";
inline constexpr const char* kLabelColumn = "Label";
inline constexpr const char* kPttIdColumn = "PTT ID";
// The row an empty list shows; it is not an alias.
inline constexpr const char* kNoAlias = "<No PTT ID alias defined>";

inline constexpr const char* kDialogTitle = "Edit PTT ID Aliases";
inline constexpr const char* kLabelLabel = "&Label";
inline constexpr const char* kEntryConfigGroup = "Entry Config";
inline constexpr const char* kProtocolGroup = "Protocol";
inline constexpr const char* kMdc1200Unit = "&MDC1200 unit";
inline constexpr const char* kDtmfUnit = "&DTMF unit";
inline constexpr const char* kPttIdLabel = "&PTT ID";

inline constexpr const char* kInvalidMdc1200Id = "You must enter a valid PTT ID before continuing.\n"
                                                 "4 characters are required for MDC 1200.\n"
                                                 "Valid characters are 0 to 9 and A to F for MDC 1200.";
inline constexpr const char* kInvalidDtmfId = "You must enter a valid PTT ID before continuing.\n"
                                              "Valid characters are 0 to 9, A to D, * and # for DTMF.";
inline constexpr const char* kPttIdExists = "This PTT ID already exists.";
// Shown only if a new alias finds no free record (the list offers no "&Add" at 250 aliases).
inline constexpr const char* kTableFull = "The maximum number of configured PTT aliases is 250.";

} // namespace trv::editors::aliases::text
