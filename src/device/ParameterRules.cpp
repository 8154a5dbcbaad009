#include "device/ParameterRules.h"

#include <cinttypes>
#include <cstdio>

#include "device/NumberText.h"

namespace {

bool Contains(std::string_view text, std::string_view key)
{
    return text.find(key) != std::string_view::npos;
}

std::string IntCommand(const char* name, int32_t value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "#%s %" PRId32 "\r", name, value);
    return buffer;
}

std::string FixedCommand(const char* name, float value, int decimals)
{
    return std::string("#") + name + " " + FormatFixed(value, decimals) + "\r";
}

template <typename T>
std::optional<std::string> Offer(T value, T& field, bool sendAll, std::string command)
{
    // For single precision, != also holds when either side is not a number.
    if (!(value != field) && !sendAll)
        return std::nullopt;
    field = value;
    return command;
}

}  // namespace

int TvgModeFromText(std::string_view text)
{
    int mode = 0;
    const char* const keys[] = {"Mode 0", "Mode 1", "Mode 2", "Mode 3"};
    for (int k = 0; k < 4; ++k)
        if (Contains(text, keys[k]))
            mode = k;
    return mode;
}

int OutputModeFromText(std::string_view text)
{
    struct Word {
        const char* key;
        int mode;
    };
    const Word words[] = {
        {"Simple", 1}, {"NMEA", 3}, {"Fixed 200", 4}, {"Fixed 500", 5}, {"Fixed 1000", 6}};
    int mode = 2;
    for (const Word& w : words)
        if (Contains(text, w.key))
            mode = w.mode;
    return mode;
}

std::optional<std::string> ApplyRow(int row, std::string_view text, DeviceParamsRecord& params,
                                    bool sendAll)
{
    switch (row) {
    case 0: {
        // Whole metres to millimetres; held within 32 bits instead of wrapping.
        const int64_t mm = static_cast<int64_t>(LeadingInt(text)) * 1000;
        const int32_t v = static_cast<int32_t>(
            mm > INT32_MAX ? INT32_MAX : (mm < INT32_MIN ? INT32_MIN : mm));
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "#range %" PRIu32 "\r", static_cast<uint32_t>(v));
        return Offer(v, params.Range_mm, sendAll, buffer);
    }
    case 1: {
        const float v = LeadingFloat(text);
        return Offer(v, params.Interval_s, sendAll, FixedCommand("interval", v, 2));
    }
    case 2: {
        const int32_t v = LeadingInt(text);
        return Offer(v, params.Threshold, sendAll, IntCommand("threshold", v));
    }
    case 3: {
        const int32_t v = LeadingInt(text);
        return Offer(v, params.Offset_mm, sendAll, IntCommand("offset", v));
    }
    case 4: {
        const int32_t v = LeadingInt(text);
        return Offer(v, params.Deadzone_mm, sendAll, IntCommand("deadzone", v));
    }
    case 5: {
        const int32_t v = LeadingInt(text);
        return Offer(v, params.PulseLength_us, sendAll, IntCommand("txlength", v));
    }
    case 6: {
        const int32_t v = TvgModeFromText(text);
        return Offer(v, params.TVG_Mode, sendAll, IntCommand("tvgmode", v));
    }
    case 7: {
        const float v = LeadingFloat(text);
        return Offer(v, params.TVG_Gain, sendAll, FixedCommand("gain", v, 1));
    }
    case 8: {
        const float v = LeadingFloat(text);
        return Offer(v, params.TVG_Slope, sendAll, FixedCommand("tvgslope", v, 2));
    }
    case kOutputModeRow: {
        const int32_t v = OutputModeFromText(text);
        std::optional<std::string> command =
            Offer(v, params.OutputMode, sendAll, IntCommand("output", v));
        params.OutputMode = v;
        return command;
    }
    default:
        return std::nullopt;
    }
}

void ApplyAltimeterGeometry(DeviceParamsRecord& params)
{
    if (params.OutputMode != 1 && params.OutputMode != 3)
        return;
    params.Resolution = params.Range_mm > 45000 ? 15.0f : 7.5f;
    params.NSamples = TruncateToInt(static_cast<float>(params.Range_mm) / params.Resolution);
}
