#pragma once
// Which received lines the data log stamps: a ping header's "#DeviceID" line
// and an NMEA DPT depth sentence. Lines are byte ranges (not NUL-terminated).

#include <string_view>

// The line contains "#DeviceID".
bool IsPingStartLine(std::string_view line);
// The line contains both "$" and "DPT".
bool IsDepthSentence(std::string_view line);
