// The synthetic scene: echoes where the geometry puts them, TVG and gain in
// the right direction, bounded amplitudes, and repeatable noise.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "Scene.h"

using sim::InstrumentParams;
using sim::Scene;

namespace {

int MaxBetween(const std::vector<int>& a, double fromM, double toM, double resM)
{
    const size_t lo = static_cast<size_t>(std::max(0.0, fromM / resM));
    const size_t hi = std::min(a.size(), static_cast<size_t>(toM / resM));
    int m = 0;
    for (size_t i = lo; i < hi; ++i)
        m = std::max(m, a[i]);
    return m;
}

}  // namespace

TEST(SimScene, BottomAndSecondEchoLieWhereTheDepthSays)
{
    const Scene scene(11);
    InstrumentParams p;  // 20 m, 7.5 mm, 20logR TVG
    for (double t : {0.0, 37.0, 120.0, 400.0}) {
        const double depth = scene.BottomDepth(t);
        ASSERT_GT(depth, 5.5);
        ASSERT_LT(depth, 10.0);
        const std::vector<int> a = scene.Echo(p, t, 1);
        ASSERT_EQ(a.size(), 2666u);
        const sim::Detection d = sim::DetectBottom(a, 7.5, p.deadzone_mm, p.threshold, 0);
        // The leading edge at 10 % lies within one pulse length (7.5 cm) of the floor.
        EXPECT_NEAR(d.altitude_m, depth, 0.075) << "t=" << t;
        EXPECT_LE(d.altitude_m, depth + 0.0075) << "t=" << t;
        // The second echo stands clearly above the water between the two.
        const int between = MaxBetween(a, depth + 1.5, 2 * depth - 0.5, 0.0075);
        const int second = MaxBetween(a, 2 * depth - 0.1, 2 * depth + 0.2, 0.0075);
        EXPECT_GT(second, 2 * between) << "t=" << t;
    }
}

TEST(SimScene, TheSeaFloorSlopes)
{
    const Scene scene(2);
    double lo = 100, hi = 0;
    for (double t = 0; t < 600; t += 5) {
        lo = std::min(lo, scene.BottomDepth(t));
        hi = std::max(hi, scene.BottomDepth(t));
    }
    EXPECT_GT(hi - lo, 2.5);
}

TEST(SimScene, AFishSchoolPassesInEveryCycle)
{
    const Scene scene(4);
    for (int cycle = 0; cycle < 3; ++cycle) {
        double best = 0, at = 0;
        for (double t = cycle * 90.0; t < (cycle + 1) * 90.0; t += 0.5) {
            const sim::School s = scene.SchoolAt(t);
            if (s.strength > best) {
                best = s.strength;
                at = t;
            }
        }
        ASSERT_GT(best, 0.9) << "cycle " << cycle;
        const sim::School s = scene.SchoolAt(at);
        EXPECT_LT(s.centre_m, scene.BottomDepth(at));
        // The school shows in the echogram above the water around it.
        const std::vector<int> a = scene.Echo(InstrumentParams{}, at, 9);
        const int inSchool = MaxBetween(a, s.centre_m - 0.3, s.centre_m + 0.3, 0.0075);
        const int above = MaxBetween(a, s.centre_m - 3 * s.halfThickness_m - 0.6,
                                     s.centre_m - 3 * s.halfThickness_m - 0.1, 0.0075);
        if (s.centre_m - 3 * s.halfThickness_m > 3.5) {  // clear of the transmit pulse and layer
            EXPECT_GT(inSchool, 3 * above);
        }
        EXPECT_GT(inSchool, 100);
    }
}

TEST(SimScene, TvgModesAndGainChangeFarEchoesInOrder)
{
    const Scene scene(3);
    const double t = 50;
    const double depth = scene.BottomDepth(t);
    auto bottomPeak = [&](int mode, double gain) {
        InstrumentParams p;
        p.tvgMode = mode;
        p.gain_db = gain;
        return MaxBetween(scene.Echo(p, t, 1), depth - 0.2, depth + 0.3, 0.0075);
    };
    // None < flat (+20 dB) and none < 20logR < 40logR at 6 m and more.
    EXPECT_LT(bottomPeak(0, 0), bottomPeak(1, 0));
    EXPECT_LT(bottomPeak(1, -10), bottomPeak(2, -10));
    EXPECT_LT(bottomPeak(0, 0), bottomPeak(3, 0));
    EXPECT_LT(bottomPeak(1, -6), bottomPeak(1, 0));
    EXPECT_LT(bottomPeak(1, -20), bottomPeak(1, -10));
}

TEST(SimScene, AmplitudesStayInConverterRangeAtExtremeSettings)
{
    const Scene scene(8);
    for (int mode = 0; mode <= 3; ++mode)
        for (double gain : {-60.0, 0.0, 60.0}) {
            InstrumentParams p;
            p.tvgMode = mode;
            p.gain_db = gain;
            p.range_mm = 120000;
            p.tvgSlope = 5;
            for (int v : scene.Echo(p, 10, 2)) {
                ASSERT_GE(v, 0);
                ASSERT_LE(v, 1023);
            }
        }
}

TEST(SimScene, SameSeedSameEchoesOtherSeedOtherNoise)
{
    const InstrumentParams p;
    EXPECT_EQ(Scene(21).Echo(p, 12.5, 7), Scene(21).Echo(p, 12.5, 7));
    EXPECT_NE(Scene(21).Echo(p, 12.5, 7), Scene(22).Echo(p, 12.5, 7));
    EXPECT_NE(Scene(21).Echo(p, 12.5, 7), Scene(21).Echo(p, 12.5, 8));
}

TEST(SimDetection, LeadingEdgeOfTheStrongestEchoBeyondTheDeadZone)
{
    //              0    1    2    3   4   5    6    7    8    9
    std::vector<int> a = {1000, 900, 20, 10, 30, 80, 400, 800, 300, 50};
    struct Case {
        int deadzoneMm, threshold, offsetMm;
        double altitude;
        int maxIndex;
    } cases[] = {
        {0, 10, 0, 0.0, 0},        // inside the transmit pulse without a dead zone
        {20, 10, 0, 0.05, 7},      // samples 5..7 reach 10 % of 800
        {20, 50, 0, 0.06, 7},      // 400 of 800 is the edge at 50 %
        {20, 100, 0, 0.07, 7},
        {20, 50, 15, 0.075, 7},    // offset added
        {20, 50, -100, 0.0, 7},    // never negative
        {200, 10, 0, 0.0, 0},      // dead zone beyond the ping
    };
    for (const Case& c : cases) {
        const sim::Detection d = sim::DetectBottom(a, 10.0, c.deadzoneMm, c.threshold, c.offsetMm);
        EXPECT_NEAR(d.altitude_m, c.altitude, 1e-9) << c.deadzoneMm << " " << c.threshold;
        EXPECT_EQ(d.maxIndex, c.maxIndex) << c.deadzoneMm << " " << c.threshold;
    }
    // Nothing stands out: no altitude.
    EXPECT_EQ(sim::DetectBottom(std::vector<int>(50, 12), 10.0, 0, 10, 0).altitude_m, 0.0);
}
