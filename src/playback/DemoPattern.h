#pragma once
// The "Test" button's demonstration pattern in the echogram store: sine bands
// over the first 1000 slots of every row, three full-scale reference rows and
// a short marker that moves one slot deeper per press.

#include <cstdint>

// Slots 0..999 of each of `rowCount` rows: sin(j * 0.0031415 + i / 300.0) * 127
// + 128, truncated (1..255); then rows 0, 1 and 2 become 255, 128 and 0.
// Slots from 1000 on keep their values.
void FillDemonstrationPattern(int32_t (*rows)[15000], int rowCount);

// Writes 128, 129, 130, 250, 251 into slots lastPing + 220 .. + 224 of `row`,
// leaving out slots outside 0..14999.
void WriteDemonstrationMarker(int32_t* row, int32_t lastPing);
