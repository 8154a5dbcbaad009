#include "intake/HeaderFields.h"

#include <algorithm>
#include <cstring>

#include "intake/KeyValue.h"
#include "intake/NumberReading.h"
#include "intake/SensorSentence.h"

namespace {

enum class Conversion { Truncate, Float, ThousandTruncate, ThousandFloat };

struct KeyRule {
    std::string_view key;
    Conversion conversion;
    int32_t DeviceParamsRecord::*intField;
    float DeviceParamsRecord::*floatField;
};

constexpr KeyRule IntRule(std::string_view key, int32_t DeviceParamsRecord::*field,
                          Conversion conversion = Conversion::Truncate)
{
    return {key, conversion, field, nullptr};
}

constexpr KeyRule FloatRule(std::string_view key, float DeviceParamsRecord::*field,
                            Conversion conversion = Conversion::Float)
{
    return {key, conversion, nullptr, field};
}

using P = DeviceParamsRecord;

// The keys after "#TimeWork" in their fixed order; the first key found in a
// line takes it, so "#Tx_Frequency,Hz" is taken before "Frequency,Hz".
constexpr KeyRule kKeysAfterTimeWork[] = {
    IntRule("#Ping", &P::Ping),
    FloatRule("#Altitude", &P::Altitude_mm, Conversion::ThousandFloat),
    FloatRule("#Temperature", &P::Temperature),
    IntRule("#NSamples", &P::NSamples),
    FloatRule("#Resolution", &P::Resolution),
    IntRule("#SoundSpeed", &P::SoundSpeed),
    IntRule("#Tx_Frequency,Hz", &P::Tx_Frequency_Hz),
    IntRule("#Range,m", &P::Range_mm, Conversion::ThousandTruncate),
    FloatRule("#Interval,sec", &P::Interval_s),
    IntRule("#Threshold,%", &P::Threshold),
    IntRule("#Offset,m", &P::Offset_mm, Conversion::ThousandTruncate),
    IntRule("#Deadzone,m", &P::Deadzone_mm, Conversion::ThousandTruncate),
    IntRule("#PulseLength,uks", &P::PulseLength_us),
    IntRule("#TVG_Mode", &P::TVG_Mode),
    FloatRule("#TVG_Gain", &P::TVG_Gain),
    FloatRule("#TVG_Slope", &P::TVG_Slope),
    FloatRule("#Pitch,deg", &P::Pitch_deg),
    FloatRule("#Roll,deg", &P::Roll_deg),
    FloatRule("#VertRotationPos,deg", &P::VertRotationPos_deg),
    // Handled apart: "#DEBUG_EchoMaxAmplitude" needs extra conditions.
    IntRule("#DEBUG_EchoMaxAmplitude", &P::EchoMaxAmplitude),
    IntRule("#DEBUG_EchoMaxAmplitudeLev,mV", &P::EchoMaxAmplitudeLev_mV),
    IntRule("#DEBUG_EchoMaxAmplitudeN", &P::EchoMaxAmplitudeN),
    IntRule("Frequency,Hz", &P::Frequency_Hz),
    FloatRule("#DEBUG_OneSampleDistance,mm", &P::OneSampleDistance_mm),
    IntRule("#DEBUG_ZeroLevel", &P::ZeroLevel),
    IntRule("#DEBUG_ADCMaxAmplitude,mV", &P::ADCMaxAmplitude_mV),
    IntRule("#DEBUG_RealPulseLength,uks", &P::RealPulseLength_us),
    IntRule("#DEBUG_Voltage,mV", &P::Voltage_mV),
    IntRule("OutputMode", &P::OutputMode),
};

bool Contains(std::string_view line, std::string_view what)
{
    return line.find(what) != std::string_view::npos;
}

// The plain echo maximum key is also the start of two longer keys; it only
// counts on a line that carries none of them.
bool IsPlainEchoMaximumLine(std::string_view line)
{
    return Contains(line, "EchoMaxAmplitude,") && !Contains(line, "EchoMaxAmplitudeLev,mV") &&
           !Contains(line, "EchoMaxAmplitudeN");
}

void Store(const KeyRule& rule, float value, DeviceParamsRecord& params)
{
    switch (rule.conversion) {
    case Conversion::Truncate:
        params.*rule.intField = TruncateToInt32(value);
        break;
    case Conversion::Float:
        params.*rule.floatField = value;
        break;
    case Conversion::ThousandTruncate:
        params.*rule.intField = TruncateToInt32(static_cast<double>(value) * 1000.0);
        break;
    case Conversion::ThousandFloat:
        params.*rule.floatField = ToSingle(static_cast<double>(value) * 1000.0);
        break;
    }
}

HeaderLineKind ParseSensorSentence(std::string_view line, DeviceParamsRecord& params,
                                   int32_t& dbtSeen)
{
    float value = 0.0f;
    if (ReadSensorSentence(line, "DBT", value, params)) {
        dbtSeen = 1;
        params.Altitude_mm = ToSingle(static_cast<double>(value) * 1000.0);
        params.OutputMode = 3;
        return HeaderLineKind::Taken;
    }
    if (ReadSensorSentence(line, "DPT", value, params)) {
        if (dbtSeen == 0)
            params.Altitude_mm = ToSingle(static_cast<double>(value) * 1000.0);
        params.OutputMode = 3;
        return HeaderLineKind::Taken;
    }
    if (ReadSensorSentence(line, "MTW", value, params)) {
        params.Temperature = value;
        return HeaderLineKind::Taken;
    }
    if (ReadSensorSentence(line, "YXXDR", value, params))
        return HeaderLineKind::Taken;
    for (std::string_view gps : {"GLL", "GGA", "VTG", "RMC", "GSA", "GSV"})
        if (Contains(line, gps))
            return HeaderLineKind::GpsSentence;
    return HeaderLineKind::Unrecognised;
}

HeaderLineKind ParseHashKeys(std::string_view line, DeviceParamsRecord& params)
{
    float value = 0.0f;
    if (ReadKeyValue(line, "#DeviceID", value)) {
        params.DeviceID = TruncateToInt32(value);
        return HeaderLineKind::Taken;
    }
    if (Contains(line, "#TimeLocal"))
        CopyTimeText(line, params.TimeLocal);
    if (Contains(line, "#TimeUTC"))
        CopyTimeText(line, params.TimeUTC);
    if (Contains(line, "#TimeWork")) {
        CopyTimeText(line, params.TimeWorkText);
        ReadKeyValue(line, "#TimeWork", params.TimeWork);
        return HeaderLineKind::Taken;
    }
    for (const KeyRule& rule : kKeysAfterTimeWork) {
        if (rule.intField == &P::EchoMaxAmplitude && !IsPlainEchoMaximumLine(line))
            continue;
        if (ReadKeyValue(line, rule.key, value)) {
            Store(rule, value, params);
            return HeaderLineKind::Taken;
        }
    }
    return HeaderLineKind::Unrecognised;
}

}  // namespace

void CopyTimeText(std::string_view line, char (&field)[64])
{
    const size_t n = std::min(line.size(), sizeof field - 1);
    std::memcpy(field, line.data(), n);
    std::memset(field + n, 0, sizeof field - n);
}

HeaderLineKind ParseHeaderFields(std::string_view line, DeviceParamsRecord& params,
                                 int32_t& dbtSeen)
{
    if (Contains(line, "$")) {
        const HeaderLineKind kind = ParseSensorSentence(line, params, dbtSeen);
        if (kind != HeaderLineKind::Unrecognised)
            return kind;
    }
    if (Contains(line, "#"))
        return ParseHashKeys(line, params);
    return HeaderLineKind::Unrecognised;
}
