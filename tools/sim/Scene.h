#pragma once
// The synthetic underwater scene the simulated instrument "sees": a sloping,
// rippled sea floor under a vessel moving at 2 m/s, its second and third
// echoes, fish schools drifting through the water column, a faint
// scattering layer, the transmit pulse and noise, shaped by spreading loss
// and the instrument's TVG and gain.

#include <cstdint>
#include <vector>

#include "InstrumentParams.h"

namespace sim {

struct Attitude {
    double pitch_deg = 0;
    double roll_deg = 0;
};

struct School {
    double strength = 0;       // 0 when no school is under the vessel
    double centre_m = 0;
    double halfThickness_m = 0;
};

// What the instrument's own bottom detection finds in one ping.
struct Detection {
    double altitude_m = 0;     // 0 when no echo stands out
    int maxIndex = 0;          // sample of the strongest echo beyond the dead zone
    int maxAmplitude = 0;      // its amplitude, 0..1023
};

class Scene {
public:
    explicit Scene(uint64_t seed);

    static constexpr double kSpeed_mps = 2.0;

    // Everything below takes the simulated time t in seconds since start.
    double BottomDepth(double t) const;
    School SchoolAt(double t) const;
    Attitude AttitudeAt(double t) const;
    double Temperature(double t) const;

    // Amplitudes (0..1023) of one ping's samples for the given settings.
    std::vector<int> Echo(const InstrumentParams& p, double t, uint64_t ping) const;

private:
    uint64_t m_seed;
    double m_phase[4];
};

// Bottom detection: the strongest echo beyond the dead zone, located by its
// leading edge (the first sample before it still above threshold percent of
// its peak), plus the offset.
Detection DetectBottom(const std::vector<int>& amplitudes, double resolutionMm,
                       int deadzoneMm, int thresholdPercent, int offsetMm);

}  // namespace sim
