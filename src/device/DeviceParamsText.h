#pragma once
// The texts that show the instrument's parameters in the parameter lists and
// the device text.

#include <string>
#include <utility>
#include <vector>

#include "intake/DeviceParams.h"

// (control id, text) in the order they are written. The output mode and the
// TVG mode are left out when their value names no list entry, so those
// controls keep their text.
std::vector<std::pair<int, std::string>> DeviceParamsTexts(const DeviceParamsRecord& params);
