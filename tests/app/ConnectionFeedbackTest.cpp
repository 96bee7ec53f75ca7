// What the user sees while the tool connects to the deskset, and why a port cannot be opened.
#include "ShellTestSupport.h"

#include "app/PortDiagnosis.h"
#include "app/ShellTexts.h"
#include "app/TransferWindows.h"
#include "transfer/TransferTexts.h"

#include <QCursor>

#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace trv::app::test {
namespace {

using namespace std::chrono_literals;

// A pseudo-terminal nobody answers on: the port opens, the deskset stays silent.
class SilentPort {
public:
    SilentPort()
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
            path_ = QString::fromLocal8Bit(::ptsname(master_));
    }
    ~SilentPort()
    {
        if (master_ >= 0)
            ::close(master_);
    }
    const QString& path() const { return path_; }

private:
    int master_ = -1;
    QString path_;
};

// Sets $TRV_COM1 for the life of the object.
class Com1Device {
public:
    explicit Com1Device(const QString& device) { qputenv("TRV_COM1", device.toLocal8Bit()); }
    ~Com1Device() { qunsetenv("TRV_COM1"); }
};

class ConnectionFeedbackTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        storePort(1);
        options_.transferPeriods = transfer::TransferSession::Periods{20ms, 5ms, 40ms};
    }
};

TEST_F(ConnectionFeedbackTest, StatusShowsPortDeviceAndAttemptWithBusyPointerUntilEscape)
{
    SilentPort port;
    ASSERT_FALSE(port.path().isEmpty());
    Com1Device com1(port.path());
    start();
    QApplication::setActiveWindow(frame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame()));

    run(cmd::kDownload);
    const QString first = QString::fromLatin1(text::kConnecting).arg("COM1", port.path()).arg(1).arg(6);
    EXPECT_EQ(frame()->statusText(), first);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);

    // The retry timer makes the next attempt, and the status follows it.
    const QString second = QString::fromLatin1(text::kConnecting).arg("COM1", port.path()).arg(2).arg(6);
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame()->statusText() == second; }, 5000));

    QTest::keyClick(frame(), Qt::Key_Escape);
    const transfer::TransferSession& session = frame()->transferSession();
    EXPECT_FALSE(session.connecting());
    EXPECT_FALSE(session.downloadPending());
    EXPECT_FALSE(session.timerActive(transfer::TransferSession::ConnectRetryTimer));
    EXPECT_EQ(frame()->statusText(), transfer::text::kIdlePrompt);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(boxes_.seen().empty());
}

TEST_F(ConnectionFeedbackTest, EscapeOutsideAnAttemptDoesNothing)
{
    start();
    run(cmd::kNewDatabase);
    QTest::keyClick(frame(), Qt::Key_Escape);
    EXPECT_TRUE(frame()->isDatabaseOpen());
    EXPECT_EQ(frame()->statusText(), transfer::text::kIdlePrompt);
}

TEST_F(ConnectionFeedbackTest, UnopenablePortKeepsTheMessageAndSaysWhyInTheDetails)
{
    const QString missing = path("no-such-adapter");
    Com1Device com1(missing);
    start();
    boxes_.expect(QString::fromLatin1(transfer::text::kUnableToConnect), MsgAnswer::Ok);
    run(cmd::kDownload);
    ASSERT_EQ(boxes_.seen().size(), 1u);
    const QString details = boxes_.seen()[0].details;
    EXPECT_TRUE(details.contains(QString::fromLatin1(text::kPortIsDevice).arg("COM1", missing)))
        << details.toStdString();
    EXPECT_TRUE(details.contains(QString::fromLatin1(text::kPortMissing).arg(missing)))
        << details.toStdString();
    EXPECT_EQ(frame()->statusText(), transfer::text::kIdlePrompt);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(PortDiagnosis, FindsAMissingDeviceAndALockedOneWithItsHolder)
{
    EXPECT_EQ(probePort(QStringLiteral("/nonexistent/ttyUSB9")).problem, PortProbe::Problem::Missing);

    SilentPort port;
    ASSERT_FALSE(port.path().isEmpty());
    EXPECT_EQ(probePort(port.path()).problem, PortProbe::Problem::None);
    const int held = ::open(port.path().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    const PortProbe probe = probePort(port.path());
    EXPECT_EQ(probe.problem, PortProbe::Problem::Busy);
    EXPECT_TRUE(probe.holder.endsWith(QStringLiteral("(process %1)").arg(::getpid())))
        << probe.holder.toStdString();
    ::close(held);
}

TEST(PortDiagnosis, EachProblemHasItsOwnDetails)
{
    using P = PortProbe::Problem;
    struct Case {
        PortProbe probe;
        const char* mustSay;
    };
    const Case cases[] = {
        {{P::Missing, ENOENT, {}}, "/dev/ttyUSB0 does not exist"},
        {{P::NoPermission, EACCES, {}}, "add your user to the dialout group and log in again"},
        {{P::Busy, EBUSY, QStringLiteral("minicom (process 4242)")},
         "/dev/ttyUSB0 is in use by minicom (process 4242)"},
        {{P::Busy, EBUSY, {}}, "/dev/ttyUSB0 is in use by another program"},
        {{P::Other, EIO, {}}, "/dev/ttyUSB0 cannot be opened: "},
        {{P::None, 0, {}}, "Try again"},
    };
    for (const Case& c : cases) {
        const QString details = openFailureDetails(2, QStringLiteral("/dev/ttyUSB0"), c.probe);
        EXPECT_TRUE(details.startsWith(QStringLiteral("COM2 is the device /dev/ttyUSB0.\n")))
            << details.toStdString();
        EXPECT_TRUE(details.contains(QString::fromLatin1(c.mustSay))) << details.toStdString();
    }
}

} // namespace
} // namespace trv::app::test
