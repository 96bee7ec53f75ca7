// What the user sees while the tool connects to the deskset, and why a port cannot be opened.
#include "ShellTestSupport.h"

#include "app/ShellTexts.h"
#include "app/TransferWindows.h"
#include "tests/support/ComEnvironment.h"
#include "tests/support/PseudoTerminal.h"
#include "transfer/OpenFailureText.h"
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
class SilentPort : public testsupport::PseudoTerminal {
public:
    QString path() const { return QString::fromStdString(Path()); }
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
    testsupport::ComEnvironment com1(1, port.path());
    start();
    QApplication::setActiveWindow(frame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame()));

    run(cmd::kDownload);
    const QString first =
        "Connecting to the deskset on COM1 (" + port.path() + "), attempt 1 of 6. Press Esc to stop.";
    EXPECT_EQ(frame()->statusText(), first);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);

    // The retry timer makes the next attempt, and the status follows it.
    const QString second =
        "Connecting to the deskset on COM1 (" + port.path() + "), attempt 2 of 6. Press Esc to stop.";
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
    testsupport::ComEnvironment com1(1, missing);
    start();
    boxes_.expect(transfer::text::kUnableToConnect, MsgAnswer::Ok);
    run(cmd::kDownload);
    ASSERT_EQ(boxes_.seen().size(), 1u);
    const QString details = boxes_.seen()[0].details;
    EXPECT_EQ(details, QString(transfer::text::kPortIsDevice).arg("COM1", missing) + "\n" +
                           QString(transfer::text::kPortMissing).arg(missing));
    EXPECT_EQ(frame()->statusText(), transfer::text::kIdlePrompt);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A port whose lock another holder has: the details name the holder the kernel's lock table
// shows (here this test process), not merely the first program that has the device open.
TEST_F(ConnectionFeedbackTest, APortInUseNamesTheHolderOfItsLockInTheDetails)
{
    SilentPort port;
    ASSERT_FALSE(port.path().isEmpty());
    const int held = ::open(port.path().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    testsupport::ComEnvironment com1(1, port.path());
    start();
    boxes_.expect(transfer::text::kUnableToConnect, MsgAnswer::Ok);
    run(cmd::kDownload);
    ::close(held);
    ASSERT_EQ(boxes_.seen().size(), 1u);
    const QString details = boxes_.seen()[0].details;
    EXPECT_TRUE(details.endsWith(QStringLiteral(" is in use by %1 (process %2).")
                                     .arg(QString::fromStdString(comms::ProcessName(::getpid())))
                                     .arg(::getpid())))
        << details.toStdString();
}

TEST(OpenFailureText, EachReasonHasItsOwnDetails)
{
    using comms::OpenReason;
    const std::string device = "/dev/ttyUSB0";
    const struct {
        comms::OpenFailure failure;
        const char* says;
    } cases[] = {
        {{device, ENOENT, OpenReason::NoSuchDevice, {}, 0, {}},
         "The device /dev/ttyUSB0 does not exist. Plug the adapter in, or map the COM port to the right "
         "device in "
         "Options > COM Port."},
        {{device, EACCES, OpenReason::NoPermission, "dialout", 0, {}},
         "You have no permission to open /dev/ttyUSB0: add your user to the dialout group and log in again."},
        {{device, EACCES, OpenReason::NoPermission, {}, 0, {}},
         "You have no permission to open /dev/ttyUSB0."},
        {{device, EBUSY, OpenReason::InUse, {}, 4242, "minicom"},
         "/dev/ttyUSB0 is in use by minicom (process 4242)."},
        {{device, EBUSY, OpenReason::InUse, {}, 0, {}}, "/dev/ttyUSB0 is in use by another program."},
        {{device, EIO, OpenReason::Other, {}, 0, {}}, "/dev/ttyUSB0 cannot be opened: Input/output error."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(transfer::connectFailureDetails("COM2", "/dev/ttyUSB0", c.failure),
                  QStringLiteral("COM2 is the device /dev/ttyUSB0.\n") + QString::fromUtf8(c.says));
    }
    EXPECT_EQ(transfer::connectFailureDetails("COM2", "/dev/ttyUSB0", std::nullopt),
              QStringLiteral("COM2 is the device /dev/ttyUSB0."));
    EXPECT_EQ(transfer::connectFailureDetails("COM2", "tcp://host:0", std::nullopt),
              QStringLiteral("COM2 is the device tcp://host:0.\n"
                             "Not a device server address: 'tcp://host:0' (use tcp://HOST:PORT)."));
}

} // namespace
} // namespace trv::app::test
