#include "playback/ReportPath.h"

#include <cstdio>

std::string ReportPathFor(const std::string& inputPath, const std::tm& localTime)
{
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "_ReportLog_%02d%02d%02d_%02d%02d%02d",
                  localTime.tm_year + 1900, localTime.tm_mon + 1, localTime.tm_mday,
                  localTime.tm_hour, localTime.tm_min, localTime.tm_sec);
    const size_t cut = inputPath.size() >= 4 ? inputPath.size() - 4 : 0;
    return inputPath.substr(0, cut) + stamp + inputPath.substr(cut) + "x";
}
