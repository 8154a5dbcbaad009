#pragma once
// One ping of the simulated instrument, and its text in each output mode.

#include <cstdint>
#include <string>
#include <vector>

#include "InstrumentParams.h"
#include "Scene.h"

namespace sim {

class Random;

struct PingFrame {
    InstrumentParams params;
    uint64_t ping = 0;          // the instrument's ping counter ("#Ping")
    double clock_s = 0;         // instrument clock, seconds since 1970
    double work_s = 0;          // seconds since power-on
    double temperature = 0;
    Attitude attitude;
    std::vector<int> samples;   // echosounder modes only
    Detection detection;
};

// Measures one ping at simulated time `elapsed` (seconds since start).
PingFrame BuildFrame(const Scene& scene, const InstrumentParams& params, uint64_t ping,
                     double elapsed, double epoch);

// The ping's bytes in its output mode. `keepSamples` >= 0 cuts an
// echosounder ping after that many samples, without "##DataEnd" (the
// truncated-ping fault).
std::string FormatPing(const PingFrame& frame, int keepSamples = -1);

std::string FormatEchosounderPing(const PingFrame& frame, int keepSamples = -1);
std::string FormatNmeaPing(const PingFrame& frame);
std::string FormatSimpleLine(const PingFrame& frame);

// Fault material sent between pings: a burst of line noise (any byte but LF)
// ended by CR LF, and a printable line of `length` characters plus CR LF.
std::string GarbageBurst(Random& random);
std::string OverlongLine(Random& random, int length);

}  // namespace sim
