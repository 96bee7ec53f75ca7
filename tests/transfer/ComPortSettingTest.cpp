// The "COM Port" setting in the local-machine settings.
#include "transfer/ComPortSetting.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using trv::platform::Hive;
using trv::platform::SettingsStore;
using trv::transfer::ComPortSetting;

namespace {

class ComPortSettingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        qputenv("TRV_CONFIG_DIR", dir_.path().toUtf8());
    }
    QString iniText() const
    {
        QFile file(SettingsStore::iniPath(Hive::LocalMachine));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir dir_;
};

} // namespace

TEST_F(ComPortSettingTest, MissingValueReadsAsNoPort)
{
    EXPECT_EQ(ComPortSetting::value(), "");
    EXPECT_EQ(ComPortSetting::portDigit(), "");
    EXPECT_EQ(ComPortSetting::portNumber(), 0);
}

TEST_F(ComPortSettingTest, StoresComAndTheDigitAndReadsTheLastCharacter)
{
    ASSERT_TRUE(ComPortSetting::store(3));
    EXPECT_EQ(ComPortSetting::value(), "COM3");
    EXPECT_EQ(ComPortSetting::portDigit(), "3");
    EXPECT_EQ(ComPortSetting::portNumber(), 3);
    EXPECT_TRUE(iniText().contains("Orvane\\TRV\\Settings\\COM%20Port=COM3")) << iniText().toStdString();

    // Only the last character counts, whatever stands before it.
    SettingsStore::write(Hive::LocalMachine, ComPortSetting::kKeyPath, ComPortSetting::kValueName, "PORT2");
    EXPECT_EQ(ComPortSetting::portDigit(), "2");
    SettingsStore::write(Hive::LocalMachine, ComPortSetting::kKeyPath, ComPortSetting::kValueName, "COMx");
    EXPECT_EQ(ComPortSetting::portNumber(), 0);
}

TEST_F(ComPortSettingTest, EnsureKeyCreatesAnEmptyValueOnlyWhenTheKeyIsMissing)
{
    ASSERT_FALSE(SettingsStore::keyExists(Hive::LocalMachine, ComPortSetting::kKeyPath));
    ComPortSetting::ensureKey();
    EXPECT_TRUE(
        SettingsStore::hasValue(Hive::LocalMachine, ComPortSetting::kKeyPath, ComPortSetting::kValueName));
    EXPECT_EQ(ComPortSetting::value(), "");

    ComPortSetting::store(4);
    ComPortSetting::ensureKey();
    EXPECT_EQ(ComPortSetting::value(), "COM4");
}

TEST(ComPortName, AcceptsCom1ToCom4Only)
{
    EXPECT_EQ(ComPortSetting::parsePortName("COM1"), 1);
    EXPECT_EQ(ComPortSetting::parsePortName("com4"), 4);
    EXPECT_EQ(ComPortSetting::parsePortName("COM0"), 0);
    EXPECT_EQ(ComPortSetting::parsePortName("COM5"), 0);
    EXPECT_EQ(ComPortSetting::parsePortName("COM12"), 0);
    EXPECT_EQ(ComPortSetting::parsePortName("/dev/ttyS0"), 0);
    EXPECT_EQ(ComPortSetting::parsePortName(""), 0);
}
