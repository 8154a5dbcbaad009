#include "intake/SignalGenerator.h"

#include <algorithm>
#include <iterator>

#include "app/PingHistory.h"
#include "intake/NumberReading.h"
#include "intake/PingRows.h"

void OverlayTestMarker(int32_t* row, int32_t lastPing)
{
    static constexpr int32_t kNearBottom[] = {800, 801, 802, 803, 804, 704, 604,
                                              504, 404, 304, 204, 104, 54};
    static constexpr int32_t kNearSurface[] = {800, 901, 962, 903, 904, 804, 704,
                                               604, 504, 404, 304, 204, 104, 54};
    if (PositiveModulo(lastPing, 5) != 0)
        std::copy(std::begin(kNearBottom), std::end(kNearBottom),
                  row + 900 - PositiveModulo(lastPing, 20));
    else
        std::copy(std::begin(kNearSurface), std::end(kNearSurface),
                  row + 120 - PositiveModulo(lastPing / 2, 20));
}

void WriteSyntheticPing(int32_t* row, int32_t lastPing)
{
    static constexpr int32_t kTransmitPulse[] = {18,  326, 489, 532, 531, 518, 528,
                                                 475, 165, 30,  4,   2,   1};
    static constexpr int32_t kEchoTrain[] = {
        // reverberation, slots d+14 .. d+68
        2, 1, 2, 1, 2, 2, 2, 1, 2, 1, 2, 1, 2, 1, 1, 2, 2, 2, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1,
        2, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1, 2, 1, 2, 1, 2, 2, 2, 1, 2, 2, 2,
        // bottom echo, slots d+69 .. d+78
        499, 603, 470, 141, 26, 235, 337, 112, 21, 3,
        // tail, slots d+79 .. d+119
        1, 2, 4, 8, 10, 12, 15, 17, 20, 22, 40, 32, 33, 34, 17, 34, 17, 34, 17, 34, 35, 18,
        34, 50, 65, 82, 97, 114, 129, 146, 162, 146, 130, 114, 97, 82, 65, 50, 33, 18, 2};
    static_assert(std::size(kEchoTrain) == 106);

    constexpr int kSyntheticSlots = 1000;
    const auto d = static_cast<int32_t>(PositiveModulo(lastPing, 800));
    std::fill(row, row + kSyntheticSlots, 0);
    std::copy(std::begin(kTransmitPulse), std::end(kTransmitPulse), row + 1);
    std::copy(std::begin(kEchoTrain), std::end(kEchoTrain), row + d + 14);
    for (int i = 0; i < kSyntheticSlots; ++i)
        row[i] = std::min(2 * row[i], 1023);
}

EchoDetection DetectEcho(const int32_t* row, int32_t filled, int32_t threshold,
                         int32_t range_mm)
{
    EchoDetection result;
    const int32_t n = std::min(filled, kPingHistorySlots);
    if (n <= 0)
        return result;
    const int32_t level = TruncateToInt32(threshold * 10.0);
    const float step = static_cast<float>(range_mm) / static_cast<float>(n);
    // The search starts 1 m from the transducer. A range of 0 or less gives
    // no distance per slot: nothing is searched then.
    const int32_t start = step > 0.0f ? std::max(TruncateToInt32(1000.0 / step), 0) : n;
    int32_t found = 0;
    for (int32_t i = start; i < n; ++i) {
        if (row[i] > level) {
            found = i;
            break;
        }
    }
    result.altLoc_mm = step * static_cast<float>(found);
    int32_t maxAm = 0;
    for (int32_t j = found; j < n && row[j] >= maxAm; ++j)
        maxAm = row[j];
    result.maxAm = TruncateToInt32(maxAm * 100.0 * 0.0009765625);
    return result;
}
