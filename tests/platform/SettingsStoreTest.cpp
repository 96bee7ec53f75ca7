#include "platform/SettingsStore.h"
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

    // The file is the one a technician (and the comms library) reads: section [Software].
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
