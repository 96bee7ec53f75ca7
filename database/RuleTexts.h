// The texts of the database rules; %1, %2, ... are filled in order.
#pragma once

namespace trv::db::text {

inline constexpr const char* kErrorName = "error";
inline constexpr const char* kWarningName = "warning";
inline constexpr const char* kNoProblems = "No problems found.";
inline constexpr const char* kErrors = "%1 errors";
inline constexpr const char* kOneError = "1 error";
inline constexpr const char* kWarnings = "%1 warnings";
inline constexpr const char* kOneWarning = "1 warning";

inline constexpr const char* kNotInValues = "%1 is not one of %2";
inline constexpr const char* kNotInRange = "%1 is not between %2 and %3";
inline constexpr const char* kNotInList = "%1 is not an entry of the list (%2)";
inline constexpr const char* kNotStorable = "holds the byte 0x%1, which a text slot does not store";

inline constexpr const char* kLabelTaken = "the label \"%1\" is also the label of %2";
inline constexpr const char* kPttIdTaken = "the PTT ID \"%1\" is also the PTT ID of %2";
inline constexpr const char* kBadMdcId =
    "\"%1\" is not a valid MDC1200 PTT ID: 4 characters of 0 to 9 and A to F";
inline constexpr const char* kBadDtmfId =
    "\"%1\" is not a valid DTMF PTT ID: 1 to 8 characters of 0 to 9, A to D, * and #";
inline constexpr const char* kNotSorted =
    "\"%1\" sorts before \"%2\" of the record before it: the table is not sorted";
inline constexpr const char* kGap = "is in use after the free record %1: the table is not packed";
inline constexpr const char* kToneNumber = "\"%1\" is not this record's number \"%2\"";
inline constexpr const char* kDigits = "\"%1\" is not a digit sequence of the format type %2 (%3)";
inline constexpr const char* kDigitChars = "%1 to %2 characters of %3";
inline constexpr const char* kFormatFree = "names paging format %1, which is not configured";

inline constexpr const char* kKindMultiOnly = "\"%1\" is offered on a multi-channel deskset only";
inline constexpr const char* kKindTwice = "\"%1\" is already the function of button %2";
inline constexpr const char* kParameterTwice =
    "\"%1\" with parameter %2 is already the function of button %3";
inline constexpr const char* kParameterRange = "%1 is not a parameter of \"%2\" (%3)";
inline constexpr const char* kNoRecord = "\"%1\" names %2 %3, which is not configured";

inline constexpr const char* kDesksetIdEmpty = "is empty: %1 signalling needs a deskset ID";
inline constexpr const char* kDesksetIdChars = "\"%1\" holds a character other than %2";
inline constexpr const char* kDesksetIdUnused =
    "\"%1\" is kept with signalling type %2, whose page writes it empty";
inline constexpr const char* kNoneKeyingLabel = "is empty: keying None needs a channel / frequency label";
inline constexpr const char* kDcKeying = "DC keying is offered on channel 1 only";
inline constexpr const char* kDigitOrder = "minimum %1 is above maximum %2";
inline constexpr const char* kUnusedChannel =
    "channel %1 of a single-channel deskset holds %2 where the channel reset leaves %3";

} // namespace trv::db::text
