// Texts of the deskset settings window. "&" marks a label's access key; the spacing inside the
// baud rates is part of the texts.
#pragma once

namespace trv::editors::deskset::text {

// Window title and tree label (string 144).
inline constexpr const char* kTitle = "Deskset Configuration";

inline constexpr const char* kSettingsGroup = "Settings";
inline constexpr const char* kRelayGroup = "Relay";

inline constexpr const char* kDesksetTypeLabel = "Type of &deskset";
inline constexpr const char* kMuteTimerLabel = "&Mute timer (sec)";
inline constexpr const char* kVoiceAnnotationLabel = "Paging voi&ce annotation (sec)";
inline constexpr const char* kMuteLevelLabel = "Mute &level";
inline constexpr const char* kTransmitDelayLabel = "&Transmit delay (ms)";
inline constexpr const char* kBaudRateLabel = "Printer ba&ud rate";
inline constexpr const char* kClockModeLabel = "12 / 24 hou&r mode";
inline constexpr const char* kPageKeyUpDelayLabel = "&Page key up delay (sec)";
inline constexpr const char* kPagingFeedbackLabel = "Paging feedbac&k";

inline constexpr const char* kUseUnselectSpeaker = "Use unselect &speaker";
inline constexpr const char* kExternalMicPresent = "&External mic present";
inline constexpr const char* kDisplayTime = "D&isplay time";
inline constexpr const char* kMicAgc = "Mic A&GC";
inline constexpr const char* kHandsetPresent = "H&andset present";
inline constexpr const char* kRelayLatching[] = {"Relay latching &1", "Relay latching &2",
                                                 "Relay latching &3", "Relay latching &4"};

// The drop-down lists show the choices of their fields in the field catalogue.

inline constexpr const char* kVoiceAnnotationRange = "Paging voice annotation must be between 0 and 60 sec.";
inline constexpr const char* kTransmitDelayRange = "Transmit delay must be between 0 and 500 ms.";
inline constexpr const char* kPageKeyUpDelayRange = "Page key up delay must be between 0 and 60 sec.";
inline constexpr const char* kEraseChannelsQuestion =
    "Are you sure you want to erase the data for channels 2, 3, and 4 ?";

} // namespace trv::editors::deskset::text
