#pragma once
// The simulated instrument's settings, as the set commands change them and
// the ping header reports them.

#include <string>

namespace sim {

enum OutputMode {
    kAltimeterSimple = 1,
    kEchosounder = 2,
    kAltimeterNmea = 3,
    kFixed200 = 4,
    kFixed500 = 5,
    kFixed1000 = 6,
};

struct InstrumentParams {
    int deviceId = 1234;
    int range_mm = 20000;
    double interval_s = 0.2;
    int threshold = 10;       // percent of the echo maximum
    int offset_mm = 0;
    int deadzone_mm = 300;
    int txlength_us = 20;
    int tvgMode = 1;          // 0 none, 1 20logR, 2 40logR, 3 flat +20 dB
    double gain_db = 0.0;
    double tvgSlope = 1.0;
    int outputMode = kEchosounder;

    bool operator==(const InstrumentParams&) const = default;
};

// Factory settings ("#default" restores them, keeping the device id).
InstrumentParams DefaultParams();

// Samples per ping and millimetres per sample for the current settings.
// The fixed modes send 200, 500 or 1000 samples over the range; the full
// echosounder and the altimeters sample every 7.5 mm, or every 15 mm beyond
// 45 m.
int SampleCount(const InstrumentParams& p);
double ResolutionMm(const InstrumentParams& p);

bool IsEchosounderMode(int mode);
const char* OutputModeName(int mode);

}  // namespace sim
