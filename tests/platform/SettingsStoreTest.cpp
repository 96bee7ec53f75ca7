#include "platform/SettingsStore.h"
#include "comms/Config.h"
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

// The communications library reads machine.ini on its own; whatever text the store writes, it
// reads back the same, whatever characters the name and the text hold.
TEST(SettingsStore, TheCommsLibraryReadsBackEveryTextTheStoreWrites)
{
    trv::test::TempConfigDir dir;
    const QString key = "Software\\VXR\\Nimb";
    const QString name = "COM Port=1;#[x]";
    for (const QString& value :
         {QString("plain"), QString(" padded "), QString("a,b;c"), QString("\"quoted\" \\ back"),
          QString("@at"), QString("@@"),
          QString("tab\there\nnew\x01\x7f\x1f"
                  "9"),
          QString::fromLatin1("\xe9t\xe9 \xff"), QString::fromUtf8("\u20ac"), QString()}) {
        ASSERT_TRUE(SettingsStore::write(Hive::LocalMachine, key, name, value));
        EXPECT_EQ(comms::ReadMachineSetting(key.toStdString(), name.toStdString()), value.toStdString())
            << value.toStdString();
    }
}
