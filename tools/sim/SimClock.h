#pragma once
// Calendar fields of the simulated clock. The simulator keeps its own time
// (a start epoch plus the time it has simulated), so a seeded run with a
// fixed epoch sends the same time stamps every time.

#include <string>

namespace sim {

struct CivilTime {
    int year, month, day;  // month 1..12
    int hour, minute, second, hundredths;
};

// UTC fields of `seconds` since 1970 (fraction kept as hundredths).
CivilTime BreakDownUtc(double seconds);

// Seconds east of Greenwich of the local standard time (no daylight saving).
long LocalStandardOffsetSeconds();

// "#TimeLocal  20240601 12:00:00.00" and "#TimeUTC    ..." header lines,
// CR LF included.
std::string TimeLocalLine(double seconds);
std::string TimeUtcLine(double seconds);

}  // namespace sim
