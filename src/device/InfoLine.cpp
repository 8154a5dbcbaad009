#include "device/InfoLine.h"

#include <algorithm>

#include "device/NumberText.h"

int ParseInfoLine(std::string_view line, DeviceParamsRecord& params)
{
    std::string_view s = line;
    float v = 0.0f;

    // Each key cuts the text to begin at itself; the value follows the
    // key's marker. A key without its marker keeps the value read so far.
    struct Key {
        const char* key;
        char marker;
        int32_t* intField;
        float* floatField;
    };
    const Key keys[] = {
        {"Device ID", ':', &params.DeviceID, nullptr},
        {"- range", '[', &params.Range_mm, nullptr},
        {"- interval", '[', nullptr, &params.Interval_s},
        {"- series", '[', &params.Series, nullptr},
        {"- threshold", '[', &params.Threshold, nullptr},
        {"- offset", '[', &params.Offset_mm, nullptr},
        {"- deadzone", '[', &params.Deadzone_mm, nullptr},
        {"- txlength", '[', &params.PulseLength_us, nullptr},
        {"- amplitude", '[', &params.Amplitude, nullptr},
    };
    for (const Key& k : keys) {
        const size_t at = s.find(k.key);
        if (at == std::string_view::npos)
            continue;
        s = s.substr(at);
        const size_t marker = s.find(k.marker);
        if (marker != std::string_view::npos)
            v = LeadingFloat(s.substr(marker + 1));
        if (k.intField)
            *k.intField = TruncateToInt(v);
        else
            *k.floatField = v;
    }

    if (const size_t at = s.find("Memory["); at != std::string_view::npos) {
        s = s.substr(at);
        // The value follows "after" and one separating character; without
        // "after" the text left holds no number.
        const size_t after = s.find("after");
        const size_t cut = after == std::string_view::npos ? 5 : after + 6;
        s = s.substr(std::min(cut, s.size()));
        params.Memory = LeadingFloat(s);
        return 1;
    }
    if (const size_t at = s.find("Battery Level"); at != std::string_view::npos) {
        s = s.substr(at);
        const size_t colon = s.find(':');
        if (colon != std::string_view::npos)
            v = LeadingFloat(s.substr(colon + 1));
        params.Voltage_mV = TruncateToInt(v);
        return 1;
    }
    return 0;
}
