#include "tests/support/TiedChild.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
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

namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

// extra: variables set for this run only.
Outcome trvctl(const QString& config, const QStringList& args, const QMap<QString, QString>& extra = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TRV_CONFIG_DIR", config);
    for (const char* name : {"TRV_COM1", "TRV_COM2", "TRV_COM3", "TRV_COM4"})
        env.remove(name);
    for (auto it = extra.begin(); it != extra.end(); ++it)
        env.insert(it.key(), it.value());
    QProcess p;
    p.setProcessEnvironment(env);
    trv::testsupport::TieToThisProcess(p);
    p.start(TRVCTL_PATH, args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// ports --json, with the shape every entry must have checked.
QJsonObject portsJson(const QString& config)
{
    const Outcome run = trvctl(config, {"ports", "--json"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    const QJsonObject root = doc.object();
    EXPECT_EQ(root.keys(), (QStringList{"com", "devices"}));
    for (const QJsonValue device : root["devices"].toArray()) {
        const QJsonObject entry = device.toObject();
        EXPECT_EQ(entry.keys(), (QStringList{"access", "adapter", "byId", "path"}));
        EXPECT_TRUE(entry["path"].isString());
        EXPECT_TRUE(entry["byId"].isString() || entry["byId"].isNull());
        EXPECT_TRUE(entry["access"].isBool());
        EXPECT_EQ(entry["adapter"].toObject().keys(), (QStringList{"manufacturer", "product", "serial"}));
    }
    const QJsonArray com = root["com"].toArray();
    EXPECT_EQ(com.size(), 4);
    for (int i = 0; i < com.size(); ++i) {
        const QJsonObject entry = com[i].toObject();
        EXPECT_EQ(entry.keys(), (QStringList{"device", "port", "present", "selected", "source"}));
        EXPECT_EQ(entry["port"].toString(), QStringLiteral("COM%1").arg(i + 1));
        EXPECT_TRUE(entry["present"].isBool() && entry["selected"].isBool());
    }
    return root;
}

QJsonObject comEntry(const QString& config, int port)
{
    return portsJson(config)["com"].toArray()[port - 1].toObject();
}

} // namespace

// port COMn DEVICE maps the port and leaves the selected one; --clear removes the mapping; what
// --port would refuse is refused with exit 2 and changes nothing.
TEST(TrvctlPorts, MapsAComPortToADeviceAndClearsIt)
{
    QTemporaryDir config;
    ASSERT_EQ(trvctl(config.path(), {"port", "COM3"}).status, 0);
    const QJsonObject before = comEntry(config.path(), 2);
    EXPECT_EQ(before["source"].toString(), "default");
    EXPECT_EQ(before["device"].toString(), "/dev/ttyS1");
    EXPECT_FALSE(before["selected"].toBool());

    const Outcome mapped = trvctl(config.path(), {"port", "COM2", "/dev/ttyUSB0"});
    ASSERT_EQ(mapped.status, 0) << mapped.err.toStdString();
    EXPECT_TRUE(mapped.err.isEmpty());
    // Stored all the same, but the user is told that the environment wins while it is set.
    const Outcome shadowed =
        trvctl(config.path(), {"port", "COM2", "/dev/ttyUSB0"}, {{"TRV_COM2", "/dev/ttyACM0"}});
    EXPECT_EQ(shadowed.status, 0);
    EXPECT_EQ(shadowed.err, "warning: TRV_COM2=/dev/ttyACM0 is set: COM2 stands for that device while it is, "
                            "whatever is stored.\n");
    QJsonObject entry = comEntry(config.path(), 2);
    EXPECT_EQ(entry["device"].toString(), "/dev/ttyUSB0");
    EXPECT_EQ(entry["source"].toString(), "settings");
    EXPECT_EQ(trvctl(config.path(), {"port"}).out, "COM3\n");
    EXPECT_TRUE(comEntry(config.path(), 3)["selected"].toBool());

    QFile regular(config.filePath("not-a-tty"));
    ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
    regular.close();
    const struct {
        QString device;
        const char* message;
    } refused[] = {
        {"ttyUSB1", "Not a device: 'ttyUSB1'"},
        {regular.fileName(), "is a file, not a character device"},
        {"tcp://host", "Not a device server address: 'tcp://host'"},
        {"tcp://host:99999", "Not a device server address"},
    };
    for (const auto& row : refused) {
        const Outcome run = trvctl(config.path(), {"port", "COM2", row.device});
        EXPECT_EQ(run.status, 2) << row.device.toStdString();
        EXPECT_TRUE(run.err.contains(row.message)) << run.err.toStdString();
        EXPECT_EQ(comEntry(config.path(), 2)["device"].toString(), "/dev/ttyUSB0")
            << row.device.toStdString();
    }

    const Outcome cleared = trvctl(config.path(), {"port", "COM2", "--clear"});
    ASSERT_EQ(cleared.status, 0) << cleared.err.toStdString();
    entry = comEntry(config.path(), 2);
    EXPECT_EQ(entry["source"].toString(), "default");
    EXPECT_EQ(entry["device"].toString(), "/dev/ttyS1");
    EXPECT_EQ(trvctl(config.path(), {"port"}).out, "COM3\n");
    EXPECT_EQ(trvctl(config.path(), {"port", "COM2", "/dev/ttyUSB0", "--clear"}).status, 2);
    EXPECT_EQ(trvctl(config.path(), {"port", "--clear"}).status, 2);
}
