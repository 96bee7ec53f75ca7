// Site lists: what a spreadsheet saves becomes sites; a list with faults is refused with every
// fault at its line and column, and a selection by name takes only sites the list has.
#include "fleet/SiteList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace trv::fleet;

namespace {

// COM2 is a device, COM3 a device server; COM1 and COM4 keep their defaults.
comms::LinkSettings machine()
{
    comms::LinkSettings settings;
    settings.comDevices = {{2, "/dev/ttyUSB0"}, {3, "tcp://Gateway.Example:4001"}};
    return settings;
}

// Each site as "line:name/port/database", joined by '|'; or the problems, joined by '\n'.
std::string outcome(const SiteListResult& result)
{
    if (const auto* errors = std::get_if<SiteListErrors>(&result))
        return errors->problems.join(u'\n').toStdString();
    QStringList sites;
    for (const Site& s : std::get<std::vector<Site>>(result))
        sites << QStringLiteral("%1:%2/%3/%4")
                     .arg(s.line)
                     .arg(s.name, QString::fromStdString(s.port.text()), s.database);
    return sites.join(u'|').toStdString();
}

class SiteListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), dir.filePath(QStringLiteral("by-id-desk"))));
        QFile plain(dir.filePath(QStringLiteral("plain.txt")));
        ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    }
    // The list with {dir} standing for the temporary folder.
    std::string read(QByteArray csv) const
    {
        return outcome(
            readSiteList(csv.replace("{dir}", dir.path().toUtf8()), QStringLiteral("/lists"), machine()));
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(SiteListTest, ReadsWhatSpreadsheetsSave)
{
    const struct {
        const char* what;
        QByteArray csv;
        const char* sites;
    } cases[] = {
        {"commas, BOM, CRLF, comments, quotes, relative and absolute databases",
         "\xEF\xBB\xBF# centre north\r\nname,port,database\r\n\r\nDESK-1,COM1,desk1.ddb\r\n"
         "Desk_2.b , tcp://10.0.0.7:4001,\"/srv/ddb/a,b.ddb\"\r\n# spare\r\nd3,/dev/ttyUSB1,\r\n",
         "4:DESK-1/COM1//lists/desk1.ddb|5:Desk_2.b/tcp://10.0.0.7:4001//srv/ddb/a,b.ddb|7:d3//dev/ttyUSB1/"},
        {"semicolons, columns in any order and letter case, no database column",
         "Port;Name\ncom2;A\ntcp://[::1]:4001;B\n", "2:A/COM2/|3:B/tcp://[::1]:4001/"},
        {"a database path that climbs out of the folder", "name,port,database\nA,COM4,../ddb/./a.ddb\n",
         "2:A/COM4//ddb/a.ddb"},
        {"32 characters", "name,port\nabcdefghijklmnopqrstuvwxyz012345,COM1\n",
         "2:abcdefghijklmnopqrstuvwxyz012345/COM1/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(read(c.csv), c.sites) << c.what;
}

TEST_F(SiteListTest, RefusesEachFaultAtItsPlace)
{
    const struct {
        const char* what;
        QByteArray csv;
        const char* problems;
    } cases[] = {
        {"name charset", "name,port\nDESK 1,COM1\n",
         "line 2, column 1: DESK 1 holds ' ': a name holds only A-Z a-z 0-9 . _ -"},
        {"name length", "name,port\nabcdefghijklmnopqrstuvwxyz0123456,COM1\n",
         "line 2, column 1: abcdefghijklmnopqrstuvwxyz0123456 is longer than 32 characters"},
        {"leading dot", "name,port\n.desk,COM1\n", "line 2, column 1: .desk starts with '.'"},
        {"empty name", "port,name\nCOM1,\n", "line 2, column 2: the name is empty: every site needs one"},
        {"duplicate name in another letter case", "name,port\nDESK-2,COM1\n#\nDesk-2,COM4\n",
         "line 4, column 1: Desk-2 is also the name on line 2"},
        {"duplicate port through a COM mapping", "name,port\nDESK-1,COM2\nDESK-2,/dev/ttyUSB0\n",
         "line 3, column 2: /dev/ttyUSB0 reaches the same device as DESK-1 on line 2 (/dev/ttyUSB0)"},
        {"duplicate port through a link", "name,port\nDESK-1,/dev/null\nDESK-2,{dir}/by-id-desk\n",
         "line 3, column 2: {dir}/by-id-desk reaches the same device as DESK-1 on line 2 (/dev/null)"},
        {"duplicate device server, host in another letter case",
         "name,port\nDESK-1,tcp://GATEWAY.example:4001\nDESK-2,COM3\n",
         "line 3, column 2: COM3 reaches the same device as DESK-1 on line 2 (tcp://gateway.example:4001)"},
        {"bad port", "name,port\nDESK-1,ttyS0\n",
         "line 2, column 2: Unknown port 'ttyS0': use COM1 to COM4, a device path or tcp://HOST:PORT."},
        {"a file for a device", "name,port\nDESK-1,{dir}/plain.txt\n",
         "line 2, column 2: Not a device: '{dir}/plain.txt' is a file, not a character device."},
        {"missing column", "name,database\nDESK-1,a.ddb\n",
         "line 1, column 1: the header has no port column (the columns are name, port and, optionally, "
         "database)"},
        {"unknown column", "name,port,databse\nDESK-1,COM1,a.ddb\n",
         "line 1, column 3: databse is not a column of a site list (the columns are name, port and, "
         "optionally, database)"},
        {"every fault of a file, in file order", "name;port\n.a;COM1\nb;nowhere\nB;COM1\n",
         "line 2, column 1: .a starts with '.'\n"
         "line 3, column 2: Unknown port 'nowhere': use COM1 to COM4, a device path or tcp://HOST:PORT.\n"
         "line 4, column 1: B is also the name on line 3\n"
         "line 4, column 2: COM1 reaches the same device as .a on line 2 (/dev/ttyS0)"},
        {"no sites", "# empty\nname,port\n", "the site list names no site"},
        {"a CSV fault", "name,port\nDESK-1,COM1,x\n", "line 2, column 13: 3 fields, the header has 2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(read(c.csv), QByteArray(c.problems).replace("{dir}", dir.path().toUtf8()).toStdString())
            << c.what;
}

TEST_F(SiteListTest, LoadsRelativeToTheFileAndNamesAFileItCannotRead)
{
    const QString path = dir.filePath(QStringLiteral("centre.csv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("name,port,database\nDESK-1,COM1,ddb/desk1.ddb\n");
    file.close();
    EXPECT_EQ(outcome(loadSiteList(path, machine())),
              QStringLiteral("2:DESK-1/COM1/%1/ddb/desk1.ddb").arg(dir.path()).toStdString());

    for (const QString& unreadable : {dir.filePath(QStringLiteral("missing.csv")), dir.path()}) {
        const auto result = loadSiteList(unreadable, machine());
        ASSERT_TRUE(std::holds_alternative<SiteListErrors>(result)) << unreadable.toStdString();
        const QStringList problems = std::get<SiteListErrors>(result).problems;
        ASSERT_EQ(problems.size(), 1);
        EXPECT_TRUE(problems[0].startsWith(QStringLiteral("Cannot read the site list %1: ").arg(unreadable)))
            << problems[0].toStdString();
        EXPECT_TRUE(problems[0].contains(unreadable == dir.path() ? u"directory" : u"No such file"))
            << problems[0].toStdString();
    }
}

TEST_F(SiteListTest, SelectsSitesByNameInListOrder)
{
    const auto list = readSiteList("name,port\nDESK-1,COM1\nDESK-2,COM2\nDESK-3,COM3\n", {}, machine());
    ASSERT_TRUE(std::holds_alternative<std::vector<Site>>(list)) << outcome(list);
    const auto& sites = std::get<std::vector<Site>>(list);
    const struct {
        QStringList names;
        const char* outcome;
    } cases[] = {
        {{}, "2:DESK-1/COM1/|3:DESK-2/COM2/|4:DESK-3/COM3/"},
        {{"desk-3", "DESK-1", "Desk-1"}, "2:DESK-1/COM1/|4:DESK-3/COM3/"},
        {{"DESK-2", "DESK-9", ""}, "--only names no site \"DESK-9\"\n--only names no site \"\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(outcome(selectSites(sites, c.names)), c.outcome) << c.names.join(u',').toStdString();
}
