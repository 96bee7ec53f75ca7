// The main window's registry object: the serial port choice kept in the local-machine hive as
// "COM Port" = "COM1".."COM4" under "Software\Orvane\TRV\Settings", and the other keys the shell
// keeps in the current-user hive.
#pragma once

#include <QString>

namespace trv::app {

namespace key {
inline constexpr const char* kSettings = "Software\\Orvane\\TRV\\Settings"; // local machine
inline constexpr const char* kComPortValue = "COM Port";
inline constexpr const char* kWorkspace = "Software\\Orvane\\TRV";   // current user: window layout
inline constexpr const char* kProfile = "Software\\VXR\\Korvel TRV"; // current user: framework profile
inline constexpr const char* kRecentFiles = "Software\\VXR\\Korvel TRV\\Recent File List";
inline constexpr const char* kShortcuts = "Software\\VXR\\Korvel TRV\\Keyboard";
} // namespace key

inline constexpr int kComPortCount = 4;

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
