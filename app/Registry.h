// The main window's registry object: the serial port choice (kept by the transfer module's
// ComPortSetting in the local-machine hive) and the keys the shell keeps in the current-user hive.
#pragma once

#include "transfer/ComPortSetting.h"

#include <QString>

namespace trv::app {

namespace key {
inline constexpr const char* kWorkspace = "Software\\Orvane\\TRV"; // current user: window layout
inline constexpr const char* kRecentFiles = "Software\\VXR\\Korvel TRV\\Recent File List";
inline constexpr const char* kShortcuts = "Software\\VXR\\Korvel TRV\\Keyboard";
inline constexpr const char* kUpload = "Software\\Orvane\\TRV\\Upload"; // current user: Backup, Verify
// Current user: the Fleet window's backup folder ("BackupFolder") and recent site lists ("List1"..).
inline constexpr const char* kFleet = "Software\\Orvane\\TRV\\Fleet";
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
