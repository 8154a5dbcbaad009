#include "display/StatusLine.h"

#include <cstdio>
#include <cstring>

std::string StatusPrefix(const DeviceParamsRecord& params)
{
    const char* field = params.TimeLocal;
    const size_t length = ::strnlen(field, sizeof params.TimeLocal);
    if (length == 0)
        return {};
    std::string prefix;
    for (char c : std::string(field, length) + "  ") {
        if (c != '#' && c != '\r' && c != '\n')
            prefix += c;
    }
    return prefix;
}

std::string StatusLineText(const DeviceParamsRecord& params)
{
    const std::string prefix = StatusPrefix(params);
    const double altitudeM = static_cast<double>(params.Altitude_mm / 1000);
    const double temperature = static_cast<double>(params.Temperature);
    // The prefix is at most 66 bytes, the numbers at most a few hundred.
    char text[512];
    if (params.Pitch_deg + params.Roll_deg + params.VertRotationPos_deg != 0.0f) {
        std::snprintf(text, sizeof text,
                      "%s Altitude: %.3f m    Temperature: %.2f\xB0"
                      "C          Pitch:%4.1f    Roll: %4.1f   ",
                      prefix.c_str(), altitudeM, temperature,
                      static_cast<double>(params.Pitch_deg), static_cast<double>(params.Roll_deg));
    } else {
        std::snprintf(text, sizeof text, "%s Altitude: %.3f m      Temperature: %.2f\xB0" "C  ",
                      prefix.c_str(), altitudeM, temperature);
    }
    return text;
}
