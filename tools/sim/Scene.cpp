#include "Scene.h"

#include <algorithm>
#include <cmath>

#include "SimRandom.h"

namespace sim {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kSchoolPeriod_s = 90.0;
constexpr double kSchoolDuration_s = 40.0;

// 0 -> 1 -> 0 over one unit.
double Triangle(double u)
{
    const double f = u - std::floor(u);
    return 1.0 - std::fabs(2.0 * f - 1.0);
}

// An echo with a Gaussian leading edge of width `sigma` and an exponential
// tail of length `tail`, peaking at `at`.
double EchoShape(double r, double at, double sigma, double tail)
{
    if (r < at) {
        const double z = (r - at) / sigma;
        return z < -6 ? 0.0 : std::exp(-0.5 * z * z);
    }
    return std::exp(-(r - at) / tail);
}

}  // namespace

Scene::Scene(uint64_t seed) : m_seed(seed)
{
    Random r(MixSeed(seed, 0x5CE7E));
    for (double& ph : m_phase)
        ph = r.Uniform();
}

double Scene::BottomDepth(double t) const
{
    const double x = kSpeed_mps * t;
    return 6.0 + 3.5 * Triangle(x / 500.0 + m_phase[0])
         + 0.25 * std::sin(x / 11.0 + 6.28 * m_phase[1])
         + 0.08 * std::sin(x / 3.1 + 6.28 * m_phase[2]);
}

School Scene::SchoolAt(double t) const
{
    const double k = std::floor(t / kSchoolPeriod_s);
    Random r(MixSeed(m_seed, static_cast<uint64_t>(k) + 1000));
    const double start = k * kSchoolPeriod_s + 5.0 + 20.0 * r.Uniform();
    const double startDepth = (0.3 + 0.3 * r.Uniform()) * BottomDepth(start);
    const double drift = -0.04 + 0.08 * r.Uniform();  // m/s, up or down
    const double half = 0.5 + 0.7 * r.Uniform();
    School s;
    if (t < start || t > start + kSchoolDuration_s)
        return s;
    const double age = t - start;
    s.strength = std::sin(kPi * age / kSchoolDuration_s);
    s.centre_m = std::max(1.0, startDepth + drift * age);
    s.halfThickness_m = half * (0.7 + 0.3 * s.strength);
    return s;
}

Attitude Scene::AttitudeAt(double t) const
{
    return {2.0 * std::sin(2 * kPi * t / 7.0 + 6.28 * m_phase[3]) + 0.3 * std::sin(2 * kPi * t / 2.3),
            3.0 * std::sin(2 * kPi * t / 5.3 + 6.28 * m_phase[1])};
}

double Scene::Temperature(double t) const
{
    return 14.2 + 0.6 * std::sin(2 * kPi * t / 900.0 + 6.28 * m_phase[2]);
}

std::vector<int> Scene::Echo(const InstrumentParams& p, double t, uint64_t ping) const
{
    const int n = SampleCount(p);
    const double res = ResolutionMm(p) / 1000.0;
    const double pulse = p.txlength_us * 1e-6 * 1500.0 / 2.0;
    const double sigma = std::max({pulse / 3.0, 0.7 * res, 0.01});
    const double depth = BottomDepth(t);
    const double x = kSpeed_mps * t;
    const double bottomLevel = 650.0 * (0.9 + 0.1 * std::sin(x / 37.0));
    const School school = SchoolAt(t);
    const double gain = std::pow(10.0, p.gain_db / 20.0);
    Random rnd(MixSeed(m_seed, ping));

    std::vector<int> out(static_cast<size_t>(std::max(n, 0)));
    for (int k = 0; k < n; ++k) {
        const double r = k * res;
        // Echo levels as a perfect 20logR TVG would show them.
        double level = bottomLevel * EchoShape(r, depth, sigma, 0.35)
                     + 0.05 * bottomLevel * (r > depth ? std::exp(-(r - depth) / 2.0) : 0.0)
                     + 0.22 * bottomLevel * EchoShape(r, 2 * depth, 2 * sigma, 0.7)
                     + 0.06 * bottomLevel * EchoShape(r, 3 * depth, 3 * sigma, 1.0);
        if (school.strength > 0) {
            const double z = (r - school.centre_m) / school.halfThickness_m;
            if (std::fabs(z) < 3)
                level += 480.0 * school.strength * std::exp(-0.5 * z * z) * (0.25 + 0.75 * rnd.Uniform());
        }
        const double zl = (r - 2.5) / 0.4;
        level += 25.0 * std::exp(-0.5 * zl * zl) * rnd.Uniform();

        const double rr = std::max(r, 1.0);
        double tvg = 1.0;
        switch (p.tvgMode) {
        case 1: tvg = std::pow(rr, p.tvgSlope); break;
        case 2: tvg = std::pow(rr, 2.0 * p.tvgSlope); break;
        case 3: tvg = 10.0; break;
        default: break;
        }
        const double transmit = 1023.0 * std::exp(-r / (0.08 + 2.0 * pulse));
        const double noise = (1.2 * tvg * gain + 2.0) * std::fabs(rnd.Normal());
        const double v = (level / rr * tvg + transmit) * gain + noise;
        out[static_cast<size_t>(k)] = static_cast<int>(std::clamp(std::lround(v), 0L, 1023L));
    }
    return out;
}

Detection DetectBottom(const std::vector<int>& a, double resolutionMm, int deadzoneMm,
                       int thresholdPercent, int offsetMm)
{
    Detection d;
    if (resolutionMm <= 0)
        return d;
    const int n = static_cast<int>(a.size());
    int first = static_cast<int>(std::ceil(std::max(deadzoneMm, 0) / resolutionMm));
    if (first >= n)
        return d;
    first = std::max(first, 0);
    int best = first;
    for (int k = first; k < n; ++k)
        if (a[static_cast<size_t>(k)] > a[static_cast<size_t>(best)])
            best = k;
    d.maxIndex = best;
    d.maxAmplitude = a[static_cast<size_t>(best)];
    if (d.maxAmplitude < 40)
        return d;
    const int level = d.maxAmplitude * std::clamp(thresholdPercent, 0, 100) / 100;
    int edge = best;
    while (edge - 1 >= first && a[static_cast<size_t>(edge - 1)] >= level && a[static_cast<size_t>(edge - 1)] > 0)
        --edge;
    d.altitude_m = std::max(0.0, (edge * resolutionMm + offsetMm) / 1000.0);
    return d;
}

}  // namespace sim
