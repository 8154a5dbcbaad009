#pragma once
// The pixel arithmetic of the echogram layer: one column per ping, newest at
// the right edge, each pixel row the strongest or mean palette index of its
// span of slots; and the profile strip of the newest ping with the threshold
// marker. Qt-free: it writes into a PixelBuffer with precomputed colours.

#include <cstdint>
#include <vector>

#include "app/PingHistory.h"
#include "display/AmplitudeScale.h"
#include "display/PixelBuffer.h"

using PingRow = int32_t[kPingHistorySlots];

// Slots per pixel row: S / (H - 60) in single precision.
float SlotsPerPixelRow(int64_t samplesShown, int height);

// The slots of pixel row 30 + k: s0 = k * spp and s1 = (k + 1) * spp,
// truncated, s0 at most 14999 and s1 at most 15000 so no slot past the row's
// end is read. The pixel takes slot s0 twice and slots s0 + 1 .. s1 - 1.
struct SlotSpan {
    int32_t s0;
    int32_t s1;
};
std::vector<SlotSpan> PixelRowSpans(float slotsPerRow, int height);

// Row of PingHistory shown in column x: the last column (W - 151) shows the
// newest ping, row (lastPing - 1) mod 1000, each column to its left one ping
// older. Always 0..999, whatever lastPing is.
int32_t EchogramRowOf(int32_t lastPing, int x, int width);

struct EchogramStyle {
    float slotsPerRow = 1.0f;
    bool meanMode = false;
    bool linear = false;
    const uint32_t* colours = nullptr;  // 256 palette colours
};

// Draws the echogram area (columns 40 .. W - 150, rows 30 .. H - 30) from
// rows 0..999 of `history`. `Plain` keeps to the portable inner loops.
enum class EchogramPath { Fastest, Plain };
void DrawEchogramColumns(const PixelBuffer& layer, const PingRow* history, int32_t lastPing,
                         const EchogramStyle& style, EchogramPath path = EchogramPath::Fastest);

// The same picture by the rule written out plainly: the scale formula for
// every slot, a single-precision sum. The yardstick for the fast version.
void DrawEchogramColumnsByFormula(const PixelBuffer& layer, const PingRow* history,
                                  int32_t lastPing, const EchogramStyle& style);

// Column offset of the threshold marker in the profile strip: Threshold
// percent of full scale, scaled like a sample (dB: not clamped to 255), a
// quarter pixel per index.
int32_t ThresholdMarkerOffset(int32_t threshold, bool linear);

// The profile strip of `row` (the newest ping) from column W - 142: the
// trace joined row to row, grey companions on the linear scale, the dashed
// threshold marker over it.
void DrawProfileStrip(const PixelBuffer& layer, const PingRow& row, int32_t threshold,
                      const EchogramStyle& style);
