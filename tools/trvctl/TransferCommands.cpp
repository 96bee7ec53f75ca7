// trvctl's deskset commands are added here by the transfer module.
#include "tools/trvctl/Command.h"

namespace trv::ctl {

void addTransferCommands(std::vector<Command>&) {}

} // namespace trv::ctl
