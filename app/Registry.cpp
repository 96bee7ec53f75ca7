#include "app/Registry.h"

namespace trv::app {

Registry::Registry()
{
    transfer::ComPortSetting::ensureKey();
}

QString Registry::comPortDigit()
{
    return transfer::ComPortSetting::portDigit();
}

int Registry::comPortNumber()
{
    return transfer::ComPortSetting::portNumber();
}

bool Registry::setComPort(int number)
{
    return transfer::ComPortSetting::store(number);
}

} // namespace trv::app
