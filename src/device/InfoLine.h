#pragma once
// Reading one line of the instrument's answer to "#info\r" into its record.

#include <string_view>

#include "intake/DeviceParams.h"

// Reads the values of one info line ("Device ID: 12", "- range [20000]",
// "Memory[...] after 12.5", "Battery Level: 11800" ...) into `params`.
// Returns 1 for a "Memory[" or "Battery Level" line, the last lines of the
// answer after which the parameter controls are to be refreshed; 0
// otherwise.
int ParseInfoLine(std::string_view line, DeviceParamsRecord& params);
