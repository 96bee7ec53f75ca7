// Texts of the deskset settings window. "&" marks a label's access key; the spacing inside the
// baud rates is part of the texts.
#pragma once

#include <QLatin1StringView>

namespace trv::editors::deskset::text {

using namespace Qt::StringLiterals;

// Window title and tree label.
inline constexpr QLatin1StringView kTitle = "Deskset Configuration"_L1;

inline constexpr QLatin1StringView kSettingsGroup = "Settings"_L1;
inline constexpr QLatin1StringView kRelayGroup = "Relay"_L1;

inline constexpr QLatin1StringView kDesksetTypeLabel = "Type of &deskset"_L1;
inline constexpr QLatin1StringView kMuteTimerLabel = "&Mute timer (sec)"_L1;
inline constexpr QLatin1StringView kVoiceAnnotationLabel = "Paging voi&ce annotation (sec)"_L1;
inline constexpr QLatin1StringView kMuteLevelLabel = "Mute &level"_L1;
inline constexpr QLatin1StringView kTransmitDelayLabel = "&Transmit delay (ms)"_L1;
inline constexpr QLatin1StringView kBaudRateLabel = "Printer ba&ud rate"_L1;
inline constexpr QLatin1StringView kClockModeLabel = "12 / 24 hou&r mode"_L1;
inline constexpr QLatin1StringView kPageKeyUpDelayLabel = "&Page key up delay (sec)"_L1;
inline constexpr QLatin1StringView kPagingFeedbackLabel = "Paging feedbac&k"_L1;

inline constexpr QLatin1StringView kUseUnselectSpeaker = "Use unselect &speaker"_L1;
inline constexpr QLatin1StringView kExternalMicPresent = "&External mic present"_L1;
inline constexpr QLatin1StringView kDisplayTime = "D&isplay time"_L1;
inline constexpr QLatin1StringView kMicAgc = "Mic A&GC"_L1;
inline constexpr QLatin1StringView kHandsetPresent = "H&andset present"_L1;
inline constexpr QLatin1StringView kRelayLatching[] = {"Relay latching &1"_L1, "Relay latching &2"_L1,
                                                       "Relay latching &3"_L1, "Relay latching &4"_L1};

// The drop-down lists show the choices of their fields in the field catalogue.

inline constexpr QLatin1StringView kVoiceAnnotationRange =
    "Paging voice annotation must be between 0 and 60 sec."_L1;
inline constexpr QLatin1StringView kTransmitDelayRange = "Transmit delay must be between 0 and 500 ms."_L1;
inline constexpr QLatin1StringView kPageKeyUpDelayRange =
    "Page key up delay must be between 0 and 60 sec."_L1;
inline constexpr QLatin1StringView kEraseChannelsQuestion =
    "Are you sure you want to erase the data for channels 2, 3, and 4 ?"_L1;

} // namespace trv::editors::deskset::text
