#pragma once
// NMEA 0183 framing: checksum and complete sentences.

#include <string>
#include <string_view>

namespace sim {

// XOR of every byte after the leading "$" up to (not including) "*" or the end.
unsigned NmeaChecksum(std::string_view sentence);

// "$" + body + "*" + two upper-case hex digits + CR LF.
std::string NmeaSentence(std::string_view body);

// True when `line` is "$...*hh" (optionally followed by CR/LF) and hh matches.
bool NmeaChecksumValid(std::string_view line);

// Latitude/longitude as NMEA fields: "ddmm.mmmm,N" / "dddmm.mmmm,E".
std::string NmeaLatitude(double degrees);
std::string NmeaLongitude(double degrees);

}  // namespace sim
