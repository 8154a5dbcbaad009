#include "intake/PingRows.h"

#include <algorithm>
#include <cstring>

#include "intake/NumberReading.h"

int32_t SanitisedRange(int32_t range_mm)
{
    return (range_mm <= 0 || range_mm >= 120000) ? 10000 : range_mm;
}

int32_t AltimeterSlot(float altitude_mm, int32_t range_mm, int32_t nSamples, int32_t highest)
{
    int32_t c = TruncateToInt32(altitude_mm / static_cast<float>(range_mm) *
                                static_cast<float>(nSamples));
    if (range_mm > kDoubleSlotRange_mm)
        c = c > INT32_MAX / 2 ? INT32_MAX : (c < INT32_MIN / 2 ? INT32_MIN : 2 * c);
    c = std::min(c, highest) - 2;
    return std::max(c, 0);
}

void WriteNmeaAltimeterRow(int32_t* row, int32_t slot)
{
    static constexpr int32_t kMarker[] = {64,  511, 1000, 1023, 1023, 1000, 1000,
                                          511, 511, 255,  255,  127,  127,  64};
    std::fill(row, row + kPingHistorySlots, 0);
    slot = std::clamp(slot, 0, kPingHistorySlots - static_cast<int32_t>(std::size(kMarker)));
    std::copy(std::begin(kMarker), std::end(kMarker), row + slot);
}

void WriteSimpleAltimeterMarker(int32_t* row, int32_t slot)
{
    static constexpr int32_t kMarker[] = {256, 512, 960, 960, 960, 512};
    slot = std::clamp(slot, 0, kPingHistorySlots - static_cast<int32_t>(std::size(kMarker)));
    std::copy(std::begin(kMarker), std::end(kMarker), row + slot);
}

float SimpleAltimeterMetres(std::string_view line)
{
    float v = 0.0f;
    if (!line.empty() && line.size() <= 11)
        v = ToSingle(ReadLeadingNumber(line));
    if (v < 0.0f)
        v = 0.0f;
    if (v > 100.0f)
        v = 100.0f;
    return v;
}

int32_t SampleValue(std::string_view line)
{
    if (line.empty() || line.size() >= 80)
        return 0;
    return ReadLeadingInteger(line);
}

int32_t StoreSample(int32_t* row, int32_t filled, int32_t value, int32_t range_mm)
{
    const int32_t copies = range_mm > kDoubleSlotRange_mm ? 2 : 1;
    filled = std::max(filled, 0);
    for (int32_t k = 0; k < copies && filled < kPingHistorySlots; ++k)
        row[filled++] = value;
    return filled;
}

float GeneratedAltitude(int32_t generatorMode, int32_t lastPing, float parsed_mm)
{
    if (generatorMode == 1)
        return static_cast<float>(PositiveModulo(lastPing, 1000));
    if (generatorMode == 2)
        return static_cast<float>(PositiveModulo(2 * static_cast<int64_t>(lastPing), 1000));
    return parsed_mm;
}

int32_t TailAfterBacklogTrim(int32_t head, int32_t tail, int32_t ringSize)
{
    const int32_t waiting = static_cast<int32_t>(PositiveModulo(int64_t{head} - tail, ringSize));
    if (waiting <= 100)
        return tail;
    return static_cast<int32_t>(PositiveModulo(int64_t{tail} + waiting - 10, ringSize));
}
