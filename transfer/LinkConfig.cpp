#include "transfer/LinkConfig.h"

#include "platform/MachineSettings.h"

namespace trv::transfer {

using platform::MachineSettings;

comms::LinkSettings LinkConfig::load()
{
    comms::LinkSettings settings;
    for (int port = MachineSettings::kFirstComPort; port <= MachineSettings::kLastComPort; ++port)
        settings.comDevices[port] = MachineSettings::comPort(port).device.toStdString();
    settings.sessionThreadPriority = MachineSettings::threadPriority(MachineSettings::kSessionThreadPriority)
                                         .value_or(comms::kDefaultSessionThreadPriority);
    settings.commLinkThreadPriority =
        MachineSettings::threadPriority(MachineSettings::kCommLinkThreadPriority);
    return settings;
}

} // namespace trv::transfer
