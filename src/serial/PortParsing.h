#pragma once
// Port and speed list texts: the entries offered, and the port number and
// baud rate a text names.

#include <string>
#include <vector>

// "COM1" .. "COM64" for the instrument port list.
std::vector<std::string> DevicePortEntries();
// "None", "COM1" .. "COM64", "None" for the GPS port list.
std::vector<std::string> GpsPortEntries();

// n when the text is exactly "COM<n>" for n from 1 to 32 (case-sensitive,
// whole text); 0 for anything else, including the listed COM33 .. COM64.
int ParsePortNumber(const std::string& text);

// The baud rate a speed text names: starting from `defaultRate`, each of
// "4800", "9600", "1920", "38400", "57600", "115200", "230400" that the text
// contains sets its rate (19200 for "1920"); the last one found wins.
int ParseBaudRate(const std::string& text, int defaultRate);

inline constexpr int kDeviceDefaultBaud = 115200;
inline constexpr int kGpsDefaultBaud = 4800;
