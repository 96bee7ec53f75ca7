// Machine settings of the library: the INI file machine.ini (the local-machine hive) in the
// configuration folder, as the settings store of the application writes it. Key paths use
// backslashes ("Software\\VXR\\Nimb"); the first component is the INI section and the rest,
// joined with backslashes, prefixes the key. Percent-escaped names (e.g. COM%20Port) match
// their plain form.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace comms {

// $TRV_CONFIG_DIR, else $XDG_CONFIG_HOME/trv, else $HOME/.config/trv.
std::string ConfigFolder();

// The value of `name` under `keyPath` in machine.ini, or nothing when the file, the key or the
// value is missing.
std::optional<std::string> ReadMachineSetting(std::string_view keyPath, std::string_view name);

// Same, read as an integer; nothing when missing or not a number.
std::optional<int> ReadMachineSettingInt(std::string_view keyPath, std::string_view name);

// Parses INI text and looks the value up (ReadMachineSetting over a file's contents).
std::optional<std::string> FindIniValue(std::string_view iniText, std::string_view keyPath,
                                        std::string_view name);

// Key path and value names of the library's own settings.
inline constexpr const char* kNimbSettingsKey = "Software\\VXR\\Nimb";
inline constexpr const char* kSessionThreadPriority = "SessionThreadPriority";
inline constexpr const char* kCommLinkThreadPriority = "CommLinkThreadPriority";

} // namespace comms
