#include "serial/DevicePath.h"

std::string DefaultDevicePathForPort(int portNumber)
{
    if (portNumber >= 1 && portNumber <= 8)
        return "/dev/ttyUSB" + std::to_string(portNumber - 1);
    if (portNumber >= 9 && portNumber <= 16)
        return "/dev/ttyACM" + std::to_string(portNumber - 9);
    if (portNumber >= 17 && portNumber <= 32)
        return "/dev/ttyS" + std::to_string(portNumber - 17);
    return {};
}
