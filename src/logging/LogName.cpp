#include "logging/LogName.h"

#include <time.h>

#include <cstdio>

std::string FormatLogFileName(const CivilTime& t, int32_t deviceId)
{
    char name[128];
    std::snprintf(name, sizeof name, "%02d%02d%02d_%02d%02d%02d_PelaGrix%03ukHz_ID_%04d", t.year,
                  t.month, t.day, t.hour, t.minute, t.second, 450u, static_cast<int>(deviceId));
    return name;
}

CivilTime LocalCivilTimeNow()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    tm local{};
    const time_t seconds = ts.tv_sec;
    localtime_r(&seconds, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

const char* BuildDate() { return __DATE__; }
const char* BuildTime() { return __TIME__; }

std::string LogHeaderBlock(const std::string& buildDate, const std::string& buildTime,
                           const std::string& localStamp, const std::string& utcStamp)
{
    static const std::string kRule = "-------------------------------------------------------\r\n";
    std::string header = kRule;
    header += "Pelagrix Control Program ";
    header += " [" + buildDate + " " + buildTime + "]\r\n";
    header += kRule + "\r\n";
    header += localStamp;
    header += utcStamp;
    return header;
}
