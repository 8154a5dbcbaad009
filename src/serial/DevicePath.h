#pragma once
// The device a port number names when the settings file does not map it:
// COM1-COM8 are /dev/ttyUSB0-7, COM9-COM16 /dev/ttyACM0-7 and COM17-COM32
// /dev/ttyS0-15. Any other number names no device (empty text).

#include <string>

std::string DefaultDevicePathForPort(int portNumber);
