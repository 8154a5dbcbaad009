#pragma once
// The status line under the echogram: the last local time stamp, altitude and
// temperature, and the attitude while there is one. 8-bit text; the degree
// sign is the byte 0xB0.

#include <string>

#include "intake/DeviceParams.h"

// The time stamp prefix: the TimeLocal text (up to its first NUL, never past
// the field) and two blanks, with every '#', CR and LF removed; empty when
// the field holds no text.
std::string StatusPrefix(const DeviceParamsRecord& params);

std::string StatusLineText(const DeviceParamsRecord& params);
