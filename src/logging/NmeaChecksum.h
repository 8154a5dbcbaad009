#pragma once
// The NMEA 0183 sentence checksum.

#include <string>

// Appends "*", the XOR of the bytes after the leading "$" up to the first "*"
// (or the end) as two upper-case hexadecimal digits, then CR LF.
void AppendNmeaChecksum(std::string& sentence);
