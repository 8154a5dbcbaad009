#include "logging/CalendarTime.h"

bool IsLeapYear(uint32_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

BrokenDownTime BreakDownTime(uint32_t s)
{
    BrokenDownTime t;
    t.second = s % 60;
    t.minute = (s % 3600) / 60;
    t.hour = (s % 86400) / 3600;
    uint32_t d = s / 86400;
    t.weekday = (d + 4) % 7;

    t.year = 1970;
    for (;;) {
        const uint32_t length = IsLeapYear(t.year) ? 366 : 365;
        if (d < length)
            break;
        d -= length;
        ++t.year;
    }
    t.yearDay = d;

    const uint32_t monthLength[12] = {31, IsLeapYear(t.year) ? 29u : 28u, 31, 30, 31, 30,
                                      31, 31, 30, 31, 30, 31};
    t.month = 0;
    while (t.month < 11 && d >= monthLength[t.month])
        d -= monthLength[t.month++];
    t.day = d + 1;
    return t;
}
