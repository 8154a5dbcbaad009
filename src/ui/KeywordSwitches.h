#pragma once
// The hidden keyword switches typed into the Serial Port Speed and the Data
// Output fields.

#include <cstdint>
#include <string_view>

// New FLAG_DEBUG after the speed field's text changed to `text`.
int32_t SpeedFieldDebugFlag(std::string_view text, int32_t current);

struct DataOutputSwitches {
    bool toggleDebugButtons;   // the text holds "vko"
    bool advanceTestSignal;    // the text holds "prbz"
};
DataOutputSwitches DataOutputFieldSwitches(std::string_view text);
