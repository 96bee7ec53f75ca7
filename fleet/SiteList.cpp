#include "fleet/SiteList.h"

#include "fleet/FleetTexts.h"
#include "interchange/Csv.h"
#include "interchange/InterchangeTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace trv::fleet {

namespace {

constexpr int kMaxNameLength = 32;

enum Column { Name, Port, Database, ColumnCount };
constexpr std::array<const char*, ColumnCount> kColumnNames{"name", "port", "database"};

// One problem of a list, where it is, so that all of them can be told in file order.
struct Problem {
    int line;
    int column;
    QString text;
};

// Why a name cannot be a site's name; empty when it can be.
QString nameProblem(const QString& name)
{
    if (name.isEmpty())
        return QString(text::kSiteNameEmpty);
    for (const QChar c : name) {
        const bool allowed = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
                             (c >= u'0' && c <= u'9') || c == u'.' || c == u'_' || c == u'-';
        if (!allowed)
            return QString(text::kSiteNameBadCharacter).arg(name, QString(c));
    }
    if (name.size() > kMaxNameLength)
        return QString(text::kSiteNameTooLong).arg(name, QString::number(kMaxNameLength));
    if (name.startsWith(u'.'))
        return QString(text::kSiteNameLeadingDot).arg(name);
    return {};
}

// A device path as the device it opens: the file its links lead to, or the path cleaned when it
// does not exist (yet).
QString deviceIdentity(const std::string& device)
{
    const QString path = QString::fromStdString(device);
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(path) : canonical;
}

// Which column of the list each header column is; header problems go to problems.
std::array<int, ColumnCount> mapHeader(const interchange::CsvTable& table, std::vector<Problem>& problems)
{
    std::array<int, ColumnCount> columns;
    columns.fill(-1);
    for (qsizetype c = 0; c < table.header.size(); ++c) {
        const QString name = table.header[c];
        const auto known = std::find_if(kColumnNames.begin(), kColumnNames.end(), [&](const char* n) {
            return name.compare(QString(n), Qt::CaseInsensitive) == 0;
        });
        const int place = static_cast<int>(c) + 1;
        if (known == kColumnNames.end()) {
            problems.push_back({table.headerLine, place, QString(text::kSiteListUnknownColumn).arg(name)});
            continue;
        }
        int& column = columns[static_cast<std::size_t>(known - kColumnNames.begin())];
        if (column >= 0)
            problems.push_back(
                {table.headerLine, place, QString(text::kSiteListColumnTwice).arg(QString(*known))});
        else
            column = static_cast<int>(c);
    }
    for (const Column required : {Name, Port})
        if (columns[required] < 0)
            problems.push_back({table.headerLine, 1,
                                QString(text::kSiteListMissingColumn).arg(QString(kColumnNames[required]))});
    return columns;
}

QStringList texts(std::vector<Problem> problems)
{
    std::stable_sort(problems.begin(), problems.end(), [](const Problem& a, const Problem& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    QStringList out;
    for (const Problem& p : problems)
        out << QString(interchange::text::kCsvAt)
                   .arg(QString::number(p.line), QString::number(p.column), p.text);
    return out;
}

} // namespace

QString portIdentity(const transfer::PortTarget& port, const comms::LinkSettings& machine)
{
    switch (port.kind) {
    case transfer::PortTarget::Kind::ComPort: {
        const std::string mapping = machine.ComDevice(port.comPort);
        const transfer::PortTargetParse mapped = transfer::PortTarget::parseMapping(mapping);
        // A mapping that names no device stays as the settings give it; opening it tells what is wrong.
        return mapped.target ? portIdentity(*mapped.target, machine) : QString::fromStdString(mapping);
    }
    case transfer::PortTarget::Kind::Device:
        return deviceIdentity(port.device);
    case transfer::PortTarget::Kind::Tcp: {
        transfer::PortTarget lower = port;
        lower.host = QString::fromStdString(port.host).toLower().toStdString();
        return QString::fromStdString(lower.text());
    }
    }
    return {};
}

SiteListResult readSiteList(const QByteArray& bytes, const QString& folder,
                            const comms::LinkSettings& machine)
{
    const auto read = interchange::readCsv(bytes);
    if (const auto* error = std::get_if<interchange::CsvError>(&read))
        return SiteListErrors{{error->text()}};
    const interchange::CsvTable& table = std::get<interchange::CsvTable>(read);

    std::vector<Problem> problems;
    const std::array<int, ColumnCount> columns = mapHeader(table, problems);
    const QDir base(folder);

    struct Seen {
        int line;
        QString name;
    };
    QHash<QString, Seen> names; // by the name in lower case
    QHash<QString, Seen> ports; // by portIdentity

    std::vector<Site> sites;
    for (const interchange::CsvRow& row : table.rows) {
        const auto cell = [&](Column c) {
            return columns[c] < 0 ? QString() : row.fields[columns[c]].trimmed();
        };
        const auto problem = [&](Column c, const QString& text) {
            problems.push_back({row.line, columns[c] + 1, text});
        };
        Site site;
        site.line = row.line;
        site.name = cell(Name);
        if (columns[Name] >= 0) {
            if (const QString why = nameProblem(site.name); !why.isEmpty()) {
                problem(Name, why);
            } else if (const auto it = names.constFind(site.name.toLower()); it != names.cend()) {
                problem(Name, QString(text::kSiteNameTwice).arg(site.name, QString::number(it->line)));
            } else {
                names.insert(site.name.toLower(), {row.line, site.name});
            }
        }
        if (columns[Port] >= 0) {
            const QString portText = cell(Port);
            const transfer::PortTargetParse parsed = transfer::PortTarget::parse(portText.toStdString());
            if (portText.isEmpty()) {
                problem(Port, QString(text::kSitePortEmpty));
            } else if (!parsed.target) {
                problem(Port, parsed.error);
            } else if (const QString why = parsed.target->deviceProblem(); !why.isEmpty()) {
                problem(Port, why);
            } else {
                site.port = *parsed.target;
                const QString identity = portIdentity(site.port, machine);
                if (const auto it = ports.constFind(identity); it != ports.cend())
                    problem(Port, QString(text::kSitePortTwice)
                                      .arg(portText, it->name, QString::number(it->line), identity));
                else
                    ports.insert(identity, {row.line, site.name});
            }
        }
        if (const QString database = cell(Database); !database.isEmpty())
            site.database = QDir::cleanPath(base.absoluteFilePath(database));
        sites.push_back(std::move(site));
    }
    if (!problems.empty())
        return SiteListErrors{texts(std::move(problems))};
    if (sites.empty())
        return SiteListErrors{{QString(text::kSiteListEmpty)}};
    return sites;
}

SiteListResult loadSiteList(const QString& path, const comms::LinkSettings& machine)
{
    const QFileInfo info(path);
    QFile file(path);
    QString reason;
    QByteArray bytes;
    if (info.isDir()) {
        reason = QString::fromLocal8Bit(std::strerror(EISDIR));
    } else if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
    } else {
        bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            reason = file.errorString();
    }
    if (!reason.isEmpty())
        return SiteListErrors{
            {QString(text::kSiteListUnreadable).arg(QDir::toNativeSeparators(path), reason)}};
    return readSiteList(bytes, info.absolutePath(), machine);
}

SiteListResult selectSites(const std::vector<Site>& sites, const QStringList& names)
{
    if (names.isEmpty())
        return sites;
    QStringList problems;
    std::vector<bool> chosen(sites.size(), false);
    for (const QString& wanted : names) {
        const QString name = wanted.trimmed();
        const auto it = std::find_if(sites.begin(), sites.end(), [&](const Site& site) {
            return site.name.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (name.isEmpty() || it == sites.end())
            problems << QString(text::kSiteNotInList).arg(name);
        else
            chosen[static_cast<std::size_t>(it - sites.begin())] = true;
    }
    if (!problems.isEmpty())
        return SiteListErrors{problems};
    std::vector<Site> selected;
    for (std::size_t i = 0; i < sites.size(); ++i)
        if (chosen[i])
            selected.push_back(sites[i]);
    return selected;
}

} // namespace trv::fleet
