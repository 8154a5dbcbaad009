#pragma once
// The report log's one line per ping.

#include <cstdint>
#include <string>

struct ReportValues {
    int32_t ping = 0;
    int32_t tvgMode = 0;
    float tvgSlope = 0.0f;
    float tvgGain = 0.0f;
    float altitudeMm = 0.0f;
    int32_t echoMaxAmplitude = 0;
};

// "Ping    7) TVG: 2[ 1.5] Gain:  20.0  Alt: 12000.0 MaxAmpl:   57 %" and a
// bare LF.
std::string FormatReportLine(const ReportValues& v);
