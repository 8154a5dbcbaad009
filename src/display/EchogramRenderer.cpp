#include "display/EchogramRenderer.h"

#include <algorithm>

#include "display/EchogramKernels.h"
#include "display/FrameLayout.h"
#include "display/Palette.h"

namespace {

constexpr int32_t kLastSlot = kPingHistorySlots - 1;
constexpr uint32_t kCompanionGrey = PackRgb(155, 155, 155);
constexpr uint32_t kMarkerYellow = PackRgb(255, 255, 0);
constexpr uint32_t kMarkerBlack = PackRgb(0, 0, 0);
constexpr float kStripFactor = 0.25f;  // 64 pixels for 256 indexes
constexpr int32_t kStripWidth = 64;

// Truncates a non-negative slot position toward zero, no further than `cap`.
int32_t SlotAt(float position, int32_t cap)
{
    if (!(position < static_cast<float>(cap)))
        return cap;
    return position > 0.0f ? static_cast<int32_t>(position) : 0;
}

// Only the part of the layer that exists is drawn.
bool EchogramFits(const PixelBuffer& layer)
{
    return layer.width > kEchogramLeft + kEchogramRightMargin &&
           layer.height > kEchogramTop + kEchogramBottomMargin;
}

}  // namespace

float SlotsPerPixelRow(int64_t samplesShown, int height)
{
    return static_cast<float>(samplesShown) / static_cast<float>(height - 60);
}

std::vector<SlotSpan> PixelRowSpans(float slotsPerRow, int height)
{
    std::vector<SlotSpan> spans;
    for (int y = kEchogramTop; y < height - kEchogramBottomMargin; ++y) {
        spans.push_back(SlotSpan{SlotAt(static_cast<float>(y - 30) * slotsPerRow, kLastSlot),
                                 SlotAt(static_cast<float>(y - 29) * slotsPerRow, kPingHistorySlots)});
    }
    return spans;
}

int32_t EchogramRowOf(int32_t lastPing, int x, int width)
{
    const int64_t ping = static_cast<int64_t>(lastPing) + x - (width - kEchogramRightMargin);
    return static_cast<int32_t>(((ping % kPingRowsInUse) + kPingRowsInUse) % kPingRowsInUse);
}

void DrawEchogramColumns(const PixelBuffer& layer, const PingRow* history, int32_t lastPing,
                         const EchogramStyle& style, EchogramPath path)
{
    if (!EchogramFits(layer))
        return;
    const std::vector<SlotSpan> spans = PixelRowSpans(style.slotsPerRow, layer.height);
    const IndexTable& table = IndexTableFor(style.linear);
    const ColumnKernel kernel = !style.meanMode ? ColumnKernel::Max
                                : style.linear  ? ColumnKernel::MeanLinear
                                                : ColumnKernel::MeanTable;
    const bool avx2 = path == EchogramPath::Fastest && Avx2Available();
    ColumnJob job;
    job.spans = spans.data();
    job.count = static_cast<int>(spans.size());
    job.stride = layer.stride;
    job.colours = style.colours;
    job.table = table.Data();
    job.table8 = table.Bytes();
    for (int x = kEchogramLeft; x < layer.width - kEchogramRightMargin; ++x) {
        job.row = history[EchogramRowOf(lastPing, x, layer.width)];
        job.out = layer.Row(kEchogramTop) + x;
        if (avx2)
            DrawColumnAvx2(job, kernel);
        else
            DrawColumnPlain(job, kernel);
    }
}

void DrawEchogramColumnsByFormula(const PixelBuffer& layer, const PingRow* history,
                                  int32_t lastPing, const EchogramStyle& style)
{
    if (!EchogramFits(layer))
        return;
    const float spp = style.slotsPerRow;
    for (int x = kEchogramLeft; x < layer.width - kEchogramRightMargin; ++x) {
        const int32_t row = (lastPing - (layer.width - kEchogramRightMargin) + x + 10000) % 1000;
        for (int y = kEchogramTop; y < layer.height - kEchogramBottomMargin; ++y) {
            int32_t s0 = static_cast<int32_t>(std::min(static_cast<float>(y - 30) * spp, 14999.0f));
            int32_t s1 = static_cast<int32_t>(std::min(static_cast<float>(y - 29) * spp, 15000.0f));
            int32_t m = PaletteIndex(history[row][s0], style.linear);
            float sum = static_cast<float>(m);
            for (int32_t i = s0; i < s1; ++i) {
                const int32_t v = PaletteIndex(history[row][i], style.linear);
                if (v >= m)
                    m = v;
                sum = sum + static_cast<float>(v);
            }
            const int32_t n = s1 - s0 + 1;
            const int32_t idx = style.meanMode ? static_cast<int32_t>(sum / static_cast<float>(n)) : m;
            layer.Set(x, y, style.colours[idx]);
        }
    }
}

int32_t ThresholdMarkerOffset(int32_t threshold, bool linear)
{
    float t = static_cast<float>(threshold) * 256.0f / 100.0f;
    if (!linear)
        t = ScaleValue(4.0f * t, false);
    const float offset = t * kStripFactor;
    if (!(offset > -1.0e6f && offset < 1.0e6f))
        return offset > 0.0f ? 1000000 : -1000000;
    return static_cast<int32_t>(offset);
}

void DrawProfileStrip(const PixelBuffer& layer, const PingRow& row, int32_t threshold,
                      const EchogramStyle& style)
{
    const int px0 = layer.width - kProfileOriginMargin;
    const IndexTable& index = IndexTableFor(style.linear);
    const uint32_t* colours = style.colours;
    // A threshold outside 0..100 % would put the marker over the echogram or
    // the colour bar; it is left out instead.
    const int32_t tx = ThresholdMarkerOffset(threshold, style.linear);
    const bool markerShown = tx >= 0 && tx <= kStripWidth;

    float acc = 0.0f;
    int32_t end = 0;
    int32_t prev = 0;
    for (int y = kEchogramTop; y < layer.height - kEchogramBottomMargin; ++y) {
        acc = acc + style.slotsPerRow;
        const int32_t start = end;
        const double reach = static_cast<double>(acc) + 1.0;
        end = reach >= kLastSlot ? kLastSlot : static_cast<int32_t>(reach);

        int32_t m = 0;
        int32_t sum = index(row[start]);
        for (int32_t i = start; i < end; ++i) {
            const int32_t v = index(row[i]);
            if (v > m)
                m = v;
            sum += v;
        }
        const int32_t n = end - start + 1;
        int32_t idx = style.meanMode ? sum / n : m;
        if (start == end)
            idx = prev;

        const int32_t X = static_cast<int32_t>(static_cast<float>(idx) * kStripFactor);
        const int32_t Xp = static_cast<int32_t>(static_cast<float>(prev) * kStripFactor);
        layer.Set(px0 + X, y, colours[idx]);
        if (X < 40 && style.linear)
            layer.Set(px0 + X + 1, y, kCompanionGrey);

        // Join the point to the previous row's position: from the point's
        // own column to one short of the previous point, colours interpolated.
        const int32_t d = Xp - X;
        const int32_t diff = prev - idx;
        const float slope = d != 0 ? static_cast<float>(diff) / static_cast<float>(d) : 0.0f;
        auto runPixel = [&](int32_t x, float s) {
            const int32_t si = std::clamp(static_cast<int32_t>(s), 0, 255);
            layer.Set(px0 + x, y, colours[si]);
            if (si < 40 && style.linear)
                layer.Set(px0 + x + 1, y, kCompanionGrey);
        };
        if (diff > 0) {
            for (int32_t k = 0, x = X; x < Xp; ++k, ++x)
                runPixel(x, static_cast<float>(idx) + static_cast<float>(k) * slope);
        } else if (diff < 0) {
            for (int32_t k = 0, x = X; x > Xp; ++k, --x)
                runPixel(x, static_cast<float>(idx) - static_cast<float>(k) * slope);
        }

        if (markerShown)
            layer.Set(px0 + tx, y, (y % 4) < 2 ? kMarkerYellow : kMarkerBlack);
        prev = idx;
    }
}
