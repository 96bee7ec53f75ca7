// The communications library's reader of machine.ini. Input: [n][n bytes: a value][INI text].
// The INI text is searched for the library's own settings and for keys named in it; then the
// value is stored by the application's settings store (under a name that needs escaping) and
// must read back unchanged, from the file as from its text.
#include "comms/Config.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

using trv::platform::Hive;
using trv::platform::SettingsStore;

namespace {

std::string FileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir folder;
    static const bool configured = qputenv("TRV_CONFIG_DIR", folder.path().toLocal8Bit());
    if (!configured || size == 0)
        return 0;

    const size_t valueSize = std::min<size_t>(data[0], size - 1);
    const std::string value(reinterpret_cast<const char*>(data + 1), valueSize);
    const std::string_view ini(reinterpret_cast<const char*>(data + 1 + valueSize), size - 1 - valueSize);

    // Arbitrary text: any answer, no crash; a number is a number.
    comms::FindIniValue(ini, comms::kNimbSettingsKey, comms::kSessionThreadPriority);
    comms::FindIniValue(ini, "Ports", "COM1");
    comms::FindIniValue(ini, "", "");
    const size_t equals = ini.find('=');
    if (equals != std::string_view::npos)
        comms::FindIniValue(ini, ini.substr(0, std::min<size_t>(equals, 40)), ini.substr(equals + 1, 20));
    {
        std::ofstream(SettingsStore::iniPath(Hive::LocalMachine).toStdString(),
                      std::ios::binary | std::ios::trunc)
            << ini;
    }
    if (comms::FindIniValue(ini, comms::kNimbSettingsKey, comms::kCommLinkThreadPriority) !=
        comms::ReadMachineSetting(comms::kNimbSettingsKey, comms::kCommLinkThreadPriority))
        std::abort();
    if (const std::optional<int> number =
            comms::ReadMachineSettingInt(comms::kNimbSettingsKey, comms::kCommLinkThreadPriority)) {
        const std::optional<std::string> text =
            comms::ReadMachineSetting(comms::kNimbSettingsKey, comms::kCommLinkThreadPriority);
        // The text spells that number, perhaps with leading zeros after its sign.
        const std::string digits = std::to_string(std::llabs(*number));
        if (!text || text->find(digits) == std::string::npos ||
            (*number != 0 && (*number < 0) != (text->find('-') != std::string::npos)))
            std::abort();
    }

    // What the settings store writes, the library reads back unchanged. The value is taken as
    // Latin-1 text, so every byte string is a text the store can hold.
    QFile::remove(SettingsStore::iniPath(Hive::LocalMachine));
    const QString text = QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size()));
    if (!SettingsStore::write(Hive::LocalMachine, "Software\\VXR\\Nimb", "COM Port=1;#[x]", text))
        std::abort();
    const std::optional<std::string> read =
        comms::ReadMachineSetting("Software\\VXR\\Nimb", "COM Port=1;#[x]");
    if (read != text.toStdString())
        std::abort();
    if (comms::FindIniValue(FileText(SettingsStore::iniPath(Hive::LocalMachine).toStdString()),
                            "Software\\VXR\\Nimb", "COM Port=1;#[x]") != read)
        std::abort();
    return 0;
}
