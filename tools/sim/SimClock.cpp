#include "SimClock.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace sim {

CivilTime BreakDownUtc(double seconds)
{
    const double whole = std::floor(seconds);
    const time_t t = static_cast<time_t>(whole);
    tm parts{};
    gmtime_r(&t, &parts);
    int hundredths = static_cast<int>((seconds - whole) * 100.0);
    if (hundredths > 99)
        hundredths = 99;
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour, parts.tm_min, parts.tm_sec, hundredths};
}

long LocalStandardOffsetSeconds()
{
    tzset();
    return -timezone;
}

namespace {

std::string Stamp(const char* key, const CivilTime& c)
{
    char buf[80];
    std::snprintf(buf, sizeof buf, "%s%04d%02d%02d %02d:%02d:%02d.%02d\r\n", key,
                  c.year, c.month, c.day, c.hour, c.minute, c.second, c.hundredths);
    return buf;
}

}  // namespace

std::string TimeLocalLine(double seconds)
{
    return Stamp("#TimeLocal  ", BreakDownUtc(seconds + static_cast<double>(LocalStandardOffsetSeconds())));
}

std::string TimeUtcLine(double seconds) { return Stamp("#TimeUTC    ", BreakDownUtc(seconds)); }

}  // namespace sim
