#pragma once
// Calendar arithmetic for the time stamps of the data log: seconds since
// 1970-01-01 00:00:00 broken down into Gregorian date and time fields, with no
// time zone applied. Valid for the unsigned 32-bit range (1970 to 2106).

#include <cstdint>

struct BrokenDownTime {
    uint32_t year = 1970;
    uint32_t month = 0;    // 0..11
    uint32_t day = 1;      // 1..31
    uint32_t hour = 0;
    uint32_t minute = 0;
    uint32_t second = 0;
    uint32_t weekday = 4;  // 0 is Sunday
    uint32_t yearDay = 0;  // 0..365
};

BrokenDownTime BreakDownTime(uint32_t secondsSince1970);

bool IsLeapYear(uint32_t year);
