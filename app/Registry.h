// The main window's registry object: the serial port choice (kept by the transfer module's
// ComPortSetting in the local-machine hive) and the keys the shell keeps in the current-user hive.
#pragma once

#include "transfer/ComPortSetting.h"

#include <QLatin1StringView>
#include <QString>

namespace trv::app {

namespace key {

using namespace Qt::StringLiterals;

inline constexpr QLatin1StringView kWorkspace = "Software\\Orvane\\TRV"_L1; // current user: window layout
inline constexpr QLatin1StringView kRecentFiles = "Software\\VXR\\Korvel TRV\\Recent File List"_L1;
inline constexpr QLatin1StringView kShortcuts = "Software\\VXR\\Korvel TRV\\Keyboard"_L1;
// Current user: Backup, Verify.
inline constexpr QLatin1StringView kUpload = "Software\\Orvane\\TRV\\Upload"_L1;
// Current user: the Fleet window's backup folder ("BackupFolder") and recent site lists ("List1"..).
inline constexpr QLatin1StringView kFleet = "Software\\Orvane\\TRV\\Fleet"_L1;
} // namespace key

inline constexpr int kComPortCount = transfer::ComPortSetting::kLastPort;

class Registry {
public:
    // Creates the settings key with an empty "COM Port" when it does not exist yet.
    Registry();

    // The digit of the stored port ("3" for "COM3"); empty when nothing was chosen or the value
    // cannot be read.
    static QString comPortDigit();
    // The stored port as 1..4, or 0 when none (an empty or non-numeric digit).
    static int comPortNumber();
    // Stores "COM" + number. False when the settings cannot be written.
    static bool setComPort(int number);
};

} // namespace trv::app
