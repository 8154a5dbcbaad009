#pragma once
// The per-ping DEBUG text appended to the console pane in debug mode.

#include <cstdint>
#include <string>
#include <vector>

#include "intake/DeviceParams.h"

struct PingDebugValues {
    int32_t samplesInRow = 0;  // NSInBuff
    float altLoc_mm = 0.0f;    // AltLoc
    int32_t maxAm = 0;         // MaxAm
    int32_t lastPing = 0;      // last_ping before its increment
};

// The pieces in the order they are appended; only the first holds a line
// break. The slope piece is left out while the slope is 1.0.
std::vector<std::string> PingDebugPieces(const DeviceParamsRecord& params,
                                         const PingDebugValues& values);
