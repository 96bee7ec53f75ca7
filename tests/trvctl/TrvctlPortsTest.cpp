#include "tests/support/TiedChild.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(TrvctlPorts, ListsEachComPortWithWhatStandsBehindIt)
{
    QTemporaryDir config;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TRV_CONFIG_DIR", config.path());
    env.insert("TRV_COM2", "tcp://10.1.2.3:4001");
    env.insert("TRV_COM3", config.filePath("no-such-tty"));
    QProcess p;
    p.setProcessEnvironment(env);
    trv::testsupport::TieToThisProcess(p);
    p.start(TRVCTL_PATH, {"ports"});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(out.startsWith("Serial devices:\n")) << out.toStdString();
    EXPECT_TRUE(out.contains("COM2  tcp://10.1.2.3:4001  device server (raw TCP)")) << out.toStdString();
    EXPECT_TRUE(out.contains("COM3  " + config.filePath("no-such-tty") + "  not present"))
        << out.toStdString();
}
