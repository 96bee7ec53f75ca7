// One version everywhere: --version of each program, the package's changelog and software-centre
// entry, and the about box all name the CMake project version; --help and --version need no display.
#include "platform/Version.h"
#include "app/ShellTexts.h"
#include "tests/packaging/HelpAndPages.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

namespace trv::packaging_test {
namespace {

QString readSource(const char* relative)
{
    QFile file(QStringLiteral(TRV_SOURCE_DIR "/") + relative);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// An environment in which a program that opened a window would fail at once: no display, and
// the platform that needs one.
QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("QT_QPA_PLATFORM", "xcb");
    return environment;
}

struct Program {
    const char* name;
    const char* path;
};

// Test names and messages show the program by its name.
void PrintTo(const Program& p, std::ostream* os)
{
    *os << p.name;
}

class ProgramInfo : public ::testing::TestWithParam<Program> {};

TEST_P(ProgramInfo, VersionAndHelpPrintAndSucceedWithoutADisplay)
{
    const Program& program = GetParam();
    const Outcome version = run(program.path, {"--version"}, withoutDisplay());
    EXPECT_EQ(version.status, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, QStringLiteral("%1 %2\n").arg(program.name, trv::kVersion));
    const Outcome help = run(program.path, {"--help"}, withoutDisplay());
    EXPECT_EQ(help.status, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.contains("--version")) << help.out.toStdString();
    EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Programs, ProgramInfo,
                         ::testing::Values(Program{"trv", TRV_PATH}, Program{"trvctl", TRVCTL_PATH},
                                           Program{"desksetsim", DESKSETSIM_PATH}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Version, TrvRefusesAnUnknownOptionWithItsUsage)
{
    // Qt takes its own options first, so an unknown one is refused once the application object
    // exists (offscreen here), before any window opens.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    const Outcome refused = run(TRV_PATH, {"--no-such-option"}, environment);
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.contains("no-such-option")) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains("trv --help")) << refused.err.toStdString();
}

TEST(Version, AboutBoxNamesTheSameRelease)
{
    // The about box keeps its own form of the version: "Version R01.02.00" for 1.2.0.
    EXPECT_EQ(trv::app::text::kAboutVersion, QString::asprintf("Version R%02d.%02d.%02d", trv::kVersionMajor,
                                                               trv::kVersionMinor, trv::kVersionPatch));
}

TEST(Version, ChangelogAndSoftwareCentreEntryStartWithThisRelease)
{
    const QString changelog = readSource("packaging/changelog");
    const auto entry = QRegularExpression("^trv \\(([^)]+)\\) ").match(changelog);
    ASSERT_TRUE(entry.hasMatch()) << "packaging/changelog does not start with a \"trv (VERSION) ...\" entry";
    EXPECT_EQ(entry.captured(1), trv::kVersion) << "add an entry for this version to packaging/changelog";

    const QString metainfo = readSource("packaging/com.orvane.trv.metainfo.xml");
    const auto release = QRegularExpression("<release version=\"([^\"]+)\"").match(metainfo);
    ASSERT_TRUE(release.hasMatch());
    EXPECT_EQ(release.captured(1), trv::kVersion)
        << "add a <release> for this version first in packaging/com.orvane.trv.metainfo.xml";
}

} // namespace
} // namespace trv::packaging_test
