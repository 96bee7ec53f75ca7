// What trv restores from its settings files, read from arbitrary files: the recent-file list,
// the shortcut keys, the stored COM port and the main window's layout. Input: user.ini, then
// after the first 0 byte machine.ini. Checked: no crash; at most four recent files, none empty,
// none twice; shortcuts only for commands that exist; a port number from 0 to 9 whose digit is
// the stored text's last character.
#include "app/CMainFrame.h"
#include "app/CTRVApp.h"
#include "app/Commands.h"
#include "app/RecentFileList.h"
#include "app/Registry.h"
#include "app/ShortcutTable.h"
#include "platform/SettingsStore.h"
#include "transfer/ComPortSetting.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace trv;
using platform::Hive;
using platform::SettingsStore;

namespace {

void WriteFile(Hive hive, const char* data, size_t size)
{
    QFile file(SettingsStore::iniPath(hive));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(data, static_cast<qint64>(size)) != static_cast<qint64>(size))
        std::abort();
}

// The shell once, started as the program starts it, with a port stored so no dialog opens.
app::CMainFrame& Shell()
{
    static app::CTRVApp* shell = [] {
        app::Registry::setComPort(1);
        app::ShellOptions options;
        options.splashMs = 0;
        auto* started = new app::CTRVApp(options);
        if (!started->initInstance({QStringLiteral("trv")}) || started->mainFrame() == nullptr)
            std::abort();
        return started;
    }();
    return *shell->mainFrame();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    static QTemporaryDir folder;
    static const bool configured = qputenv("TRV_CONFIG_DIR", folder.path().toLocal8Bit());
    static QApplication application(argc, argv);
    if (!offscreen || !configured)
        std::abort();
    app::CMainFrame& frame = Shell();

    const char* text = reinterpret_cast<const char*>(data);
    const auto* split = size > 0 ? static_cast<const uint8_t*>(std::memchr(data, 0, size)) : nullptr;
    const size_t userSize = split ? static_cast<size_t>(split - data) : size;
    WriteFile(Hive::CurrentUser, text, userSize);
    WriteFile(Hive::LocalMachine, split ? text + userSize + 1 : text, split ? size - userSize - 1 : 0);

    app::RecentFileList recent;
    recent.load();
    QStringList paths = recent.paths();
    if (paths.size() > app::RecentFileList::kSize || paths.contains(QString()) ||
        paths.removeDuplicates() != 0)
        std::abort();

    app::ShortcutTable shortcuts;
    if (shortcuts.load()) {
        for (const auto& [command, key] : shortcuts.keys())
            if (app::findCommand(command) == nullptr)
                std::abort();
        frame.applyShortcuts(shortcuts);
    }

    const int port = transfer::ComPortSetting::portNumber();
    const QString digit = transfer::ComPortSetting::portDigit();
    const QString stored = transfer::ComPortSetting::value();
    if (port < 0 || port > 9 || (!stored.isEmpty() && digit != stored.right(1)))
        std::abort();

    frame.restoreWorkspace();
    QCoreApplication::sendPostedEvents();
    return 0;
}
