// The echogram's pixel arithmetic: which ping each column shows, the slot
// spans of the pixel rows, maximum and mean, the fast loops against the
// rule written out plainly, and the profile strip with its threshold marker.

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <random>
#include <vector>

#include "display/EchogramKernels.h"
#include "display/EchogramRenderer.h"
#include "display/RangeRules.h"

namespace {

constexpr int W = 795;
constexpr int H = 488;
constexpr uint32_t kKey = 0xffccccccu;
constexpr uint32_t kGrey = 0xff9b9b9bu;
constexpr uint32_t kYellow = 0xffffff00u;
constexpr uint32_t kBlack = 0xff000000u;

// Pixels of palette index i read back as i: 0xff0000ii, with a marker bit
// so no index colour equals grey, yellow, black or the key.
uint32_t IndexColour(int i)
{
    return 0xff010000u | static_cast<uint32_t>(i);
}

struct Fixture {
    std::vector<uint32_t> pixels;
    PixelBuffer layer;
    uint32_t colours[256];
    std::vector<int32_t> store;  // 1000 rows of 15000 slots

    explicit Fixture(int width = W, int height = H, bool withHistory = true)
        : pixels(static_cast<size_t>(width) * height),
          store(withHistory ? static_cast<size_t>(kPingRowsInUse) * kPingHistorySlots : 0, 0)
    {
        layer = PixelBuffer{pixels.data(), width, height, width};
        layer.Fill(kKey);
        for (int i = 0; i < 256; ++i)
            colours[i] = IndexColour(i);
    }
    PingRow* History() { return reinterpret_cast<PingRow*>(store.data()); }
    PingRow& Row(int r) { return History()[r]; }
    EchogramStyle Style(float spp, bool mean, bool linear) const
    {
        EchogramStyle style;
        style.slotsPerRow = spp;
        style.meanMode = mean;
        style.linear = linear;
        style.colours = colours;
        return style;
    }
};

TEST(EchogramColumns, RowOfEachColumn)
{
    EXPECT_EQ(EchogramRowOf(0, W - 151, W), 999);  // the newest ping, last_ping - 1
    EXPECT_EQ(EchogramRowOf(1, W - 151, W), 0);
    EXPECT_EQ(EchogramRowOf(5, W - 152, W), 3);
    EXPECT_EQ(EchogramRowOf(0, 40, W), 395);
    EXPECT_EQ(EchogramRowOf(1000, W - 151, W), 999);
    for (int32_t ping : {INT_MAX, INT_MIN, -1})
        for (int x : {40, W - 151}) {
            const int32_t row = EchogramRowOf(ping, x, W);
            EXPECT_TRUE(row >= 0 && row < 1000) << ping;
        }
}

TEST(EchogramColumns, SpansCoverTheRowWithoutReadingPastIt)
{
    const std::vector<SlotSpan> full = PixelRowSpans(SlotsPerPixelRow(15000, H), H);
    ASSERT_EQ(full.size(), 428u);
    EXPECT_EQ(full.front().s0, 0);
    EXPECT_EQ(full.front().s1, 35);
    EXPECT_EQ(full.back().s1, 15000);
    for (size_t k = 1; k < full.size(); ++k)
        EXPECT_EQ(full[k].s0, full[k - 1].s1) << k;

    // Fewer slots than rows: neighbouring rows repeat a slot, s0 = s1.
    const std::vector<SlotSpan> few = PixelRowSpans(SlotsPerPixelRow(133, H), H);
    EXPECT_EQ(few[1].s0, 0);
    EXPECT_EQ(few[1].s1, 0);

    for (int64_t s : {int64_t{40000}, kMaxSamplesShown}) {
        for (const SlotSpan& span : PixelRowSpans(SlotsPerPixelRow(s, H), H)) {
            ASSERT_LE(span.s0, 14999);
            ASSERT_LE(span.s1, 15000);
            ASSERT_LE(span.s0, span.s1);
        }
    }
}

TEST(EchogramColumns, MeanAndMaximumOfASpan)
{
    // spp = 2: pixel row 30 takes slots 0 and 1 (s1 = 2), slot 0 twice.
    // Linear indexes 10 and 20: mean (10 + 10 + 20) / 3 = 13, maximum 20.
    for (EchogramPath path : {EchogramPath::Fastest, EchogramPath::Plain}) {
        for (bool mean : {false, true}) {
            Fixture f;
            f.Row(999)[0] = 40;
            f.Row(999)[1] = 80;
            f.Row(999)[2] = 1023;  // the next row's slot, not this one's
            DrawEchogramColumns(f.layer, f.History(), 0, f.Style(2.0f, mean, true), path);
            EXPECT_EQ(f.layer.At(W - 151, 30), IndexColour(mean ? 13 : 20));
            EXPECT_EQ(f.layer.At(W - 151, 31), IndexColour(mean ? (255 + 255 + 0) / 3 : 255));
            EXPECT_EQ(f.layer.At(W - 152, 30), IndexColour(0));  // row 998
            // Nothing outside the echogram area.
            EXPECT_EQ(f.layer.At(W - 150, 30), kKey);
            EXPECT_EQ(f.layer.At(39, 30), kKey);
            EXPECT_EQ(f.layer.At(100, 29), kKey);
            EXPECT_EQ(f.layer.At(100, H - 30), kKey);
        }
    }
}

TEST(EchogramColumns, NegativeAndHugeAmplitudesInASpan)
{
    // Maximum of indexes, not of amplitudes: -7 and 0 both give 0.
    for (EchogramPath path : {EchogramPath::Fastest, EchogramPath::Plain}) {
        Fixture f;
        for (int s = 0; s < 40; ++s)
            f.Row(999)[s] = -7;
        f.Row(999)[40] = INT_MAX;
        DrawEchogramColumns(f.layer, f.History(), 0, f.Style(10.0f, false, false), path);
        EXPECT_EQ(f.layer.At(W - 151, 30), IndexColour(0));
        EXPECT_EQ(f.layer.At(W - 151, 34), IndexColour(255));
    }
}

TEST(EchogramColumns, FastLoopsGiveThePixelsOfTheRule)
{
    constexpr int kWidth = 300;  // 110 columns keep the plain rule quick
    Fixture reference(kWidth, H);
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> amplitude(-60, 1100);
    std::uniform_int_distribution<int32_t> rare(0, 99);
    for (int r = 0; r < 1000; ++r) {
        for (int s = 0; s < kPingHistorySlots; ++s) {
            int32_t v = amplitude(random);
            if (rare(random) == 0)
                v = rare(random) < 50 ? INT_MAX - rare(random) : INT_MIN + rare(random);
            reference.Row(r)[s] = v;
        }
    }
    const int32_t lastPing = 1037;
    for (int64_t samples : {int64_t{133}, int64_t{428}, int64_t{1000}, int64_t{7777}, int64_t{15000},
                            int64_t{40000}, kMaxSamplesShown}) {
        for (bool mean : {false, true}) {
            for (bool linear : {false, true}) {
                const EchogramStyle style = reference.Style(SlotsPerPixelRow(samples, H), mean, linear);
                reference.layer.Fill(kKey);
                DrawEchogramColumnsByFormula(reference.layer, reference.History(), lastPing, style);
                for (EchogramPath path : {EchogramPath::Fastest, EchogramPath::Plain}) {
                    Fixture fast(kWidth, H, false);
                    DrawEchogramColumns(fast.layer, reference.History(), lastPing, style, path);
                    ASSERT_EQ(fast.pixels, reference.pixels)
                        << "S " << samples << " mean " << mean << " linear " << linear << " plain "
                        << (path == EchogramPath::Plain);
                }
            }
        }
    }
    std::printf("AVX2 loops %s\n", Avx2Available() ? "compared" : "not available here");
}

TEST(EchogramColumns, TooSmallAnAreaDrawsNothing)
{
    // 190 pixels wide: no echogram column (the profile strip still has room).
    for (auto [w, h] : {std::pair{190, H}, std::pair{W, 60}, std::pair{10, 10}}) {
        Fixture f(w, h);
        f.Row(999)[0] = 1023;
        DrawEchogramColumns(f.layer, f.History(), 0, f.Style(1.0f, false, true));
        if (h <= 60)
            DrawProfileStrip(f.layer, f.Row(999), 50, f.Style(1.0f, false, true));
        for (uint32_t p : f.pixels)
            ASSERT_EQ(p, kKey) << w << "x" << h;
    }
    // A profile origin left of the layer loses only what lies outside it.
    Fixture narrow(100, H);
    narrow.Row(999)[0] = 1023;
    DrawProfileStrip(narrow.layer, narrow.Row(999), 100, narrow.Style(2.0f, false, false));
    EXPECT_EQ(narrow.layer.At(100 - 142 + 63, 30), IndexColour(255));
}

TEST(ProfileStrip, ThresholdMarkerOffset)
{
    EXPECT_EQ(ThresholdMarkerOffset(0, true), 0);
    EXPECT_EQ(ThresholdMarkerOffset(0, false), 0);
    EXPECT_EQ(ThresholdMarkerOffset(100, true), 64);
    EXPECT_EQ(ThresholdMarkerOffset(100, false), 64);  // 1024 counts clamp to 1023: 256.8
    EXPECT_EQ(ThresholdMarkerOffset(50, true), 32);
    EXPECT_EQ(ThresholdMarkerOffset(50, false), 57);   // 512 counts: 231.1
    EXPECT_EQ(ThresholdMarkerOffset(39, true), 24);    // 99.84 / 4
}

int Px0()
{
    return W - 142;
}

TEST(ProfileStrip, FirstRowJoinsTheStripsLeftEdge)
{
    Fixture f;
    for (int s = 0; s < 100; ++s)
        f.Row(999)[s] = 1023;  // dB index 255, offset 63
    DrawProfileStrip(f.layer, f.Row(999), 100, f.Style(2.0f, false, false));
    EXPECT_EQ(f.layer.At(Px0() + 63, 30), IndexColour(255));
    EXPECT_EQ(f.layer.At(Px0(), 30), kKey);  // the run ends one short of offset 0
    for (int x = 1; x < 63; ++x) {
        const uint32_t p = f.layer.At(Px0() + x, 30);
        ASSERT_NE(p, kKey) << x;
        ASSERT_LE(p, f.layer.At(Px0() + x + 1, 30)) << x;  // fading towards the edge
    }
    // The next rows stay at the point: no run.
    EXPECT_EQ(f.layer.At(Px0() + 63, 31), IndexColour(255));
    EXPECT_EQ(f.layer.At(Px0() + 62, 31), kKey);
}

TEST(ProfileStrip, RepeatedSlotKeepsThePreviousPointAndRunsRight)
{
    // spp = 0.25: rows 30..32 end at slot 1 (start = end from row 31 on, so
    // they keep the previous index); row 33 takes slot 1, index 0, and joins
    // rightwards up to one short of the previous point at 63.
    Fixture f;
    f.Row(999)[0] = 1023;
    DrawProfileStrip(f.layer, f.Row(999), 100, f.Style(0.25f, false, false));
    for (int y = 30; y <= 32; ++y)
        EXPECT_EQ(f.layer.At(Px0() + 63, y), IndexColour(255)) << y;
    EXPECT_EQ(f.layer.At(Px0(), 33), IndexColour(0));
    EXPECT_NE(f.layer.At(Px0() + 62, 33), kKey);
    EXPECT_EQ(f.layer.At(Px0() + 63, 33), kKey);
}

TEST(ProfileStrip, MeanAndMaximumOfTheProfileSpan)
{
    // Row 30 spans slots 0..2 (end = trunc(2 + 1)): linear indexes 40, 80,
    // 120; mean (40 + 40 + 80 + 120) / 4 = 70 at offset 17, maximum 120 at 30.
    for (bool mean : {false, true}) {
        Fixture f;
        f.Row(999)[0] = 160;
        f.Row(999)[1] = 320;
        f.Row(999)[2] = 480;
        DrawProfileStrip(f.layer, f.Row(999), 100, f.Style(2.0f, mean, true));
        const int idx = mean ? 70 : 120;
        EXPECT_EQ(f.layer.At(Px0() + idx / 4, 30), IndexColour(idx)) << mean;
    }
}

TEST(ProfileStrip, GreyCompanionsOnTheLinearScale)
{
    for (bool linear : {false, true}) {
        Fixture f;
        for (int s = 0; s < 2000; ++s)
            f.Row(999)[s] = linear ? 400 : 30;  // index 100 (linear) or 126 (dB): offsets 25 and 31
        DrawProfileStrip(f.layer, f.Row(999), 100, f.Style(2.0f, false, linear));
        const int X = linear ? 25 : 31;
        for (int y = 31; y < 60; ++y) {
            ASSERT_EQ(f.layer.At(Px0() + X, y), IndexColour(linear ? 100 : 126)) << y;
            ASSERT_EQ(f.layer.At(Px0() + X + 1, y), linear ? kGrey : kKey) << y;
        }
    }
}

TEST(ProfileStrip, DashedThresholdMarkerLiesOverTheTrace)
{
    Fixture f;
    for (int s = 0; s < 2000; ++s)
        f.Row(999)[s] = 390;  // linear index 97: offset 24, where threshold 39 lies
    DrawProfileStrip(f.layer, f.Row(999), 39, f.Style(2.0f, false, true));
    for (int y = 30; y < H - 30; ++y)
        ASSERT_EQ(f.layer.At(Px0() + 24, y), y % 4 < 2 ? kYellow : kBlack) << y;
    EXPECT_EQ(f.layer.At(Px0() + 24, H - 30), kKey);
}

TEST(ProfileStrip, ThresholdOutsideThePercentRangeDrawsNoMarker)
{
    for (int32_t threshold : {-50, -1, 110, 400, INT_MAX, INT_MIN}) {
        Fixture f;
        DrawProfileStrip(f.layer, f.Row(999), threshold, f.Style(2.0f, false, true));
        for (int x = 0; x < W; ++x) {
            if (x == Px0() || x == Px0() + 1)
                continue;  // the trace at index 0 and its grey companion
            ASSERT_EQ(f.layer.At(x, 40), kKey) << "threshold " << threshold << " x " << x;
        }
    }
}

}  // namespace
