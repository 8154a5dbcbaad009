#include "intake/SensorSentence.h"

#include "intake/NumberReading.h"

namespace {

// Position of `what` in `text` when it lies after the very first character.
size_t FoundAfterStart(std::string_view text, std::string_view what)
{
    const size_t at = text.find(what);
    return (at != std::string_view::npos && at > 0) ? at : std::string_view::npos;
}

}  // namespace

bool ReadSensorSentence(std::string_view line, std::string_view id, float& value,
                        DeviceParamsRecord& params)
{
    constexpr size_t npos = std::string_view::npos;
    value = 0.0f;
    if (line.find(id) == npos)
        return false;

    if (const size_t f = FoundAfterStart(line, ",f,"); f != npos) {
        value = ToSingle(ReadNumberAt(line, f + 3));
        return true;
    }
    if (const size_t dpt = FoundAfterStart(line, "DPT"); dpt != npos) {
        value = ToSingle(ReadNumberAt(line, dpt + 4));
        return true;
    }
    if (const size_t mtw = FoundAfterStart(line, "MTW"); mtw != npos) {
        value = ToSingle(ReadNumberAt(line, mtw + 4));
        return true;
    }
    if (FoundAfterStart(line, "PTCH") == npos)
        return false;

    std::string_view text = line;
    if (const size_t xdr = FoundAfterStart(line, "XDR,"); xdr != npos) {
        const float pitch = ToSingle(ReadNumberAt(line, xdr + 6));
        params.Pitch_deg = pitch;
        value = pitch;
        // The roll is looked for behind the pitch number only.
        text = xdr + 6 < line.size() ? line.substr(xdr + 6) : std::string_view{};
    }
    if (FoundAfterStart(text, "ROLL") != npos) {
        if (const size_t ptch = FoundAfterStart(text, "PTCH,"); ptch != npos) {
            const float roll = ToSingle(ReadNumberAt(text, ptch + 7));
            params.Roll_deg = roll;
            value = roll;
            return true;
        }
    }
    value = 0.0f;
    return false;
}
