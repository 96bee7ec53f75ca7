// Where a test points a COM port at a device of its own (a pseudo-terminal, a path that does not
// exist): the library's settings for the comms tests, the environment for the programs' tests.
#pragma once

#include "comms/LinkSettings.h"

#include <string>

namespace trv::testsupport {

// Link settings in which COMn stands for path.
inline comms::LinkSettings ComSettings(int port, const std::string& path)
{
    comms::LinkSettings settings;
    settings.comDevices[port] = path;
    return settings;
}

} // namespace trv::testsupport
