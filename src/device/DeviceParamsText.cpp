#include "device/DeviceParamsText.h"

#include <cinttypes>
#include <cstdio>

#include "device/NumberText.h"

namespace {

std::string Decimal(int32_t value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%" PRId32, value);
    return buffer;
}

const char* OutputModeName(int32_t mode)
{
    switch (mode) {
    case 1: return "Altimeter Simple";
    case 2: return "Echosounder";
    case 3: return "Altimeter NMEA";
    case 4: return "Echosounder Fixed 200 Samples";
    case 5: return "Echosounder Fixed 500 Samples";
    case 6: return "Echosounder Fixed 1000 Samples";
    default: return nullptr;
    }
}

}  // namespace

std::vector<std::pair<int, std::string>> DeviceParamsTexts(const DeviceParamsRecord& params)
{
    std::vector<std::pair<int, std::string>> texts = {
        {1010, Decimal(params.Range_mm / 1000)},
        {1011, FormatFixed(params.Interval_s, 2)},
        {1013, Decimal(params.Threshold)},
        {1014, Decimal(params.Offset_mm)},
        {1015, Decimal(params.Deadzone_mm)},
        {1016, Decimal(params.PulseLength_us)},
        {1038, FormatFixed(params.TVG_Gain, 1)},
        {1041, FormatFixed(params.TVG_Slope, 2)},
    };
    if (const char* name = OutputModeName(params.OutputMode))
        texts.emplace_back(1042, name);
    if (params.TVG_Mode >= 0 && params.TVG_Mode <= 3)
        texts.emplace_back(1044, "Mode " + Decimal(params.TVG_Mode));
    char device[48];
    std::snprintf(device, sizeof device, " Device: Pelagrix ID%04u",
                  static_cast<unsigned>(params.DeviceID));
    texts.emplace_back(1032, device);
    return texts;
}
