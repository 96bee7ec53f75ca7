#include "platform/SettingsStore.h"
#include "platform/MachineSettings.h"
#include "tests/support/TempConfigDir.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace trv::platform;

TEST(SettingsStore, FolderComesFromEnvironmentInOrder)
{
    trv::test::TempConfigDir dir;
    EXPECT_EQ(SettingsStore::configDir(), dir.path());
    EXPECT_EQ(SettingsStore::iniPath(Hive::LocalMachine), dir.path() + "/machine.ini");
    EXPECT_EQ(SettingsStore::iniPath(Hive::CurrentUser), dir.path() + "/user.ini");

    qunsetenv("TRV_CONFIG_DIR");
    const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/somewhere");
    EXPECT_EQ(SettingsStore::configDir(), "/somewhere/trv");
    if (xdg.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", xdg);
}

TEST(SettingsStore, RegistryPathsRoundTripAndStayInTheirHive)
{
    trv::test::TempConfigDir dir;
    const QString key = "Software\\Orvane\\TRV\\Settings";
    EXPECT_FALSE(SettingsStore::keyExists(Hive::LocalMachine, key));
    EXPECT_EQ(SettingsStore::read(Hive::LocalMachine, key, "COM Port", "none").toString(), "none");

    ASSERT_TRUE(SettingsStore::write(Hive::LocalMachine, key, "COM Port", "COM3"));
    EXPECT_TRUE(SettingsStore::keyExists(Hive::LocalMachine, key));
    EXPECT_TRUE(SettingsStore::hasValue(Hive::LocalMachine, key, "COM Port"));
    EXPECT_EQ(SettingsStore::read(Hive::LocalMachine, key, "COM Port").toString(), "COM3");
    EXPECT_FALSE(SettingsStore::hasValue(Hive::CurrentUser, key, "COM Port"));

    // The file is the one a technician reads: section [Software].
    QFile ini(dir.path() + "/machine.ini");
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    EXPECT_TRUE(text.contains("[Software]"));
    EXPECT_TRUE(text.contains("Orvane\\TRV\\Settings\\COM%20Port=COM3"));
}

TEST(SettingsStore, EmptyValueCountsAsPresent)
{
    trv::test::TempConfigDir dir;
    const QString key = "Software\\Orvane\\TRV\\Settings";
    ASSERT_TRUE(SettingsStore::write(Hive::LocalMachine, key, "COM Port", QString()));
    EXPECT_TRUE(SettingsStore::keyExists(Hive::LocalMachine, key));
    EXPECT_EQ(SettingsStore::read(Hive::LocalMachine, key, "COM Port", "x").toString(), "");
}

// Where COMn's device comes from, in order: $TRV_COMn, the setting Ports/COMn, /dev/ttyS(n-1);
// and whether a node of that name is there. Each row sets up one port and checks what resolves.
TEST(MachineSettings, ComPortsResolveFromTheEnvironmentThenTheSettingsThenTtyS)
{
    trv::test::TempConfigDir dir;
    const QString present = dir.path() + "/tty-here";
    QFile node(present);
    ASSERT_TRUE(node.open(QIODevice::WriteOnly));
    const QString absent = dir.path() + "/tty-gone";
    const struct {
        int port;
        QString environment; // empty: not set
        QString stored;      // empty: no mapping
        QString device;
        DeviceSource source;
        bool remote;
        bool present;
    } rows[] = {
        {1, present, absent, present, DeviceSource::Environment, false, true},
        {2, {}, present, present, DeviceSource::Settings, false, true},
        {3, {}, absent, absent, DeviceSource::Settings, false, false},
        {4, {}, {}, "/dev/ttyS3", DeviceSource::Default, false, QFile::exists("/dev/ttyS3")},
        {2, absent, "tcp://[::1]:4001", absent, DeviceSource::Environment, false, false},
        {3, {}, "tcp://[::1]:4001", "tcp://[::1]:4001", DeviceSource::Settings, true, false},
    };
    for (const auto& row : rows) {
        const QByteArray variable = MachineSettings::environmentVariable(row.port).toLatin1();
        if (row.environment.isEmpty())
            qunsetenv(variable);
        else
            qputenv(variable, row.environment.toUtf8());
        ASSERT_TRUE(MachineSettings::storeDevice(row.port, row.stored));
        EXPECT_EQ(MachineSettings::storedDevice(row.port), row.stored);
        const ComPortDevice resolved = MachineSettings::comPort(row.port);
        EXPECT_EQ(resolved, (ComPortDevice{row.port, row.device, row.source, row.remote, row.present}))
            << row.port << " " << resolved.device.toStdString();
        qunsetenv(variable);
    }
    // Storing no device removes the mapping: the default stands again.
    ASSERT_TRUE(MachineSettings::storeDevice(3, QString()));
    EXPECT_FALSE(SettingsStore::hasValue(Hive::LocalMachine, MachineSettings::kPortsKey, "COM3"));
    EXPECT_EQ(MachineSettings::comPort(3).source, DeviceSource::Default);
}

TEST(MachineSettings, ThreadPrioritiesAreWholeNumbersOrNothing)
{
    trv::test::TempConfigDir dir;
    const char* name = MachineSettings::kSessionThreadPriority;
    EXPECT_EQ(MachineSettings::threadPriority(name), std::nullopt);
    for (const auto& [stored, read] : {std::pair<QVariant, std::optional<int>>{2, 2},
                                       {"-15", -15},
                                       {" 1 ", 1},
                                       {"high", std::nullopt},
                                       {"1.5", std::nullopt},
                                       {"", std::nullopt}}) {
        ASSERT_TRUE(SettingsStore::write(Hive::LocalMachine, MachineSettings::kNimbKey, name, stored));
        EXPECT_EQ(MachineSettings::threadPriority(name), read) << stored.toString().toStdString();
    }
}
