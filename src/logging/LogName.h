#pragma once
// The data log file's name and its header block.

#include <cstdint>
#include <string>

// Local civil date and time fields for the file name (month 1..12).
struct CivilTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// "YYYYMMDD_hhmmss_PelaGrix450kHz_ID_nnnn", without folder or extension.
std::string FormatLogFileName(const CivilTime& local, int32_t deviceId);

// The current local civil time, daylight saving applied.
CivilTime LocalCivilTimeNow();

// The program's build date ("Mmm dd yyyy", day padded with a blank) and time
// ("hh:mm:ss").
const char* BuildDate();
const char* BuildTime();

// The header block: rule, program line with build date and time, rule and
// empty line, then the given local and UTC time stamp lines.
std::string LogHeaderBlock(const std::string& buildDate, const std::string& buildTime,
                           const std::string& localStamp, const std::string& utcStamp);
