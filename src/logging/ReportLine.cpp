#include "logging/ReportLine.h"

#include <cstdio>

std::string FormatReportLine(const ReportValues& v)
{
    char line[256];
    // The maximum is printed unsigned in 4 columns (the blank flag has no
    // effect on an unsigned conversion, so it is left out).
    const int n = std::snprintf(
        line, sizeof line, "Ping % 4d) TVG: %d[% 4.1f] Gain: % 5.1f  Alt: %7.1f MaxAmpl: %4u %%\n",
        static_cast<int>(v.ping), static_cast<int>(v.tvgMode), static_cast<double>(v.tvgSlope),
        static_cast<double>(v.tvgGain), static_cast<double>(v.altitudeMm),
        static_cast<unsigned>(v.echoMaxAmplitude));
    if (n < 0)
        return {};
    return std::string(line, static_cast<size_t>(n) < sizeof line ? static_cast<size_t>(n)
                                                                  : sizeof line - 1);
}
