// One deskset of a site list: its name, where it is connected and, optionally, its own database.
#pragma once

#include "transfer/PortTarget.h"

#include <QString>

namespace trv::fleet {

struct Site {
    QString name;              // 1..32 of A-Z a-z 0-9 . _ -, not starting with '.'
    transfer::PortTarget port; // COMn, a device path or tcp://HOST:PORT
    QString database;          // absolute path of the site's own .ddb; empty: the list gives none
    int line = 0;              // where the list gives it, from 1
};

} // namespace trv::fleet
