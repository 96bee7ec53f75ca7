// A site list: the desksets of a dispatch centre, as a spreadsheet saves them (CSV with a header
// line naming the columns `name`, `port` and, optionally, `database`). Every problem of a list is
// found before anything connects, each with its line and column, so the technician mends the file
// once: bad names, names given twice (letter case aside), ports that are not ports, two rows whose
// ports come down to the same device or device server.
#pragma once

#include "comms/LinkSettings.h"
#include "fleet/Site.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <variant>
#include <vector>

namespace trv::fleet {

// The problems of a refused list, each "line 4, column 2: <problem>" (or a problem of the whole
// file without a place).
struct SiteListErrors {
    QStringList problems;
};

using SiteListResult = std::variant<std::vector<Site>, SiteListErrors>;

// Reads a list. A relative `database` path starts from folder; COM ports resolve to their devices
// through machine (the machine settings of this run) when ports are compared.
SiteListResult readSiteList(const QByteArray& bytes, const QString& folder,
                            const comms::LinkSettings& machine);
// Reads the list in that file (relative databases start from the file's folder).
SiteListResult loadSiteList(const QString& path, const comms::LinkSettings& machine);

// The sites of names (any letter case), in list order; an unknown name refuses the selection.
// No names: every site.
SiteListResult selectSites(const std::vector<Site>& sites, const QStringList& names);

// The device or device server a port comes down to under the machine settings, as one comparable
// text: a COM port is its mapping, a device path its canonical path (symbolic links such as
// /dev/serial/by-id followed), a device server "tcp://host:port" with the host in lower case.
QString portIdentity(const transfer::PortTarget& port, const comms::LinkSettings& machine);

} // namespace trv::fleet
