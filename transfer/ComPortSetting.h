// The "COM Port" setting: "COM" followed by one digit, in the local-machine settings under
// "Software\Orvane\TRV\Settings", or empty when no port has been chosen.
#pragma once

#include <QLatin1StringView>
#include <QString>

namespace trv::transfer {

class ComPortSetting {
public:
    static constexpr QLatin1StringView kKeyPath{"Software\\Orvane\\TRV\\Settings"};
    static constexpr QLatin1StringView kValueName{"COM Port"};
    static constexpr const char* kPrefix = "COM";
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 4;

    // The stored text as it is ("COM3"), empty when missing.
    static QString value();
    // The port for a connection: the stored value's last character, empty when missing.
    static QString portDigit();
    // The stored digit as a number; 0 when empty or not a number.
    static int portNumber();
    // Stores "COM" + port; false when the settings cannot be written.
    static bool store(int port);
    // Creates the key with an empty "COM Port" when it does not exist yet.
    static void ensureKey();

    // "COM1".."COM4" (any letter case) to 1..4; 0 for anything else.
    static int parsePortName(const QString& name);
};

} // namespace trv::transfer
