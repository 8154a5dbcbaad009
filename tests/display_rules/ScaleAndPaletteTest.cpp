// Amplitude scales and palettes: the reference indexes of both scales, the
// lookup table against the formula, palette choice from typed texts and the
// colours at the ends of each palette.

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "display/AmplitudeScale.h"
#include "display/Palette.h"

namespace {

struct ScaleCase {
    int32_t amplitude;
    int32_t linear;
    int32_t dB;
};

TEST(AmplitudeScale, ReferenceIndexes)
{
    const ScaleCase cases[] = {
        {-5, 0, 0},   {0, 0, 0},       {1, 0, 0},       {2, 0, 25},     {3, 0, 40},
        {4, 1, 51},   {10, 2, 85},     {100, 25, 170},  {500, 125, 230}, {973, 243, 254},
        {974, 243, 255}, {1023, 255, 255}, {1024, 255, 255}, {5000, 255, 255},
        {INT_MAX, 255, 255}, {INT_MIN, 0, 0},
    };
    for (const ScaleCase& c : cases) {
        EXPECT_EQ(PaletteIndex(c.amplitude, true), c.linear) << "amplitude " << c.amplitude;
        EXPECT_EQ(PaletteIndex(c.amplitude, false), c.dB) << "amplitude " << c.amplitude;
    }
}

TEST(AmplitudeScale, ScaleValueIsNotLimitedTo255)
{
    // The threshold marker uses the dB position of 1024 counts: clamped to
    // 1023 counts, 256.8, beyond the last index.
    EXPECT_NEAR(ScaleValue(1024.0f, false), 256.8f, 0.05f);
    EXPECT_FLOAT_EQ(ScaleValue(2000.0f, true), 500.0f);
    EXPECT_FLOAT_EQ(ScaleValue(-8.0f, true), -2.0f);
    EXPECT_FLOAT_EQ(ScaleValue(-8.0f, false), 0.0f);
    EXPECT_FLOAT_EQ(ScaleValue(0.5f, false), 0.0f);
}

TEST(AmplitudeScale, TableGivesTheFormulaForEveryAmplitude)
{
    for (bool linear : {false, true}) {
        const IndexTable table(linear);
        for (int32_t v = -5; v <= 2000; ++v)
            ASSERT_EQ(table(v), PaletteIndex(v, linear)) << "amplitude " << v << " linear " << linear;
        for (int32_t v : {INT_MIN, INT_MIN + 1, -1000000, 1000000, INT_MAX - 1, INT_MAX})
            EXPECT_EQ(table(v), PaletteIndex(v, linear)) << "amplitude " << v;
    }
}

TEST(AmplitudeScale, IndexNeverDecreasesWithAmplitude)
{
    // The renderer takes the strongest amplitude of a span and looks up
    // only that one; this holds only while the index is monotonic.
    for (bool linear : {false, true}) {
        for (int32_t v = -5; v < 1100; ++v)
            ASSERT_LE(PaletteIndex(v, linear), PaletteIndex(v + 1, linear)) << v;
    }
}

TEST(AmplitudeScale, LinearIndexIsAQuarterOfTheClampedAmplitude)
{
    for (int32_t v = -10; v < 1100; ++v)
        ASSERT_EQ(PaletteIndex(v, true), IndexTable::Clamp(v) >> 2) << v;
}

struct ChoiceCase {
    const char* text;
    int32_t before;
    int32_t after;
};

TEST(Palette, ChoiceFromText)
{
    const ChoiceCase cases[] = {
        {"Rainbow (White Background)", 1, kRainbowWhite},
        {"Rainbow (Black Background)", 0, kRainbowBlack},
        {"Gray", 1, kGray},
        {"Gray Inverse", 1, kGrayInverse},  // both words, the later wins
        {"White then Black", 0, kRainbowBlack},
        {"Black then White", 0, kRainbowBlack},  // the order of the search, not of the text
        {"Blue", 2, kGray},                      // no word: unchanged
        {"Blue", 0, kRainbowWhite},
        {"", 3, kGrayInverse},
        {"gray inverse", 1, kRainbowBlack},  // case-sensitive
    };
    for (const ChoiceCase& c : cases)
        EXPECT_EQ(PaletteChoiceFromText(c.text, c.before), c.after) << c.text;
}

int32_t Colour(const int32_t planes[3][kPaletteSize], int i)
{
    return (planes[0][i] << 16) | (planes[1][i] << 8) | planes[2][i];
}

TEST(Palette, RainbowEnds)
{
    for (int32_t choice : {kRainbowWhite, kRainbowBlack}) {
        int32_t planes[3][kPaletteSize] = {};
        FillPalette(choice, planes);
        for (int i : {253, 254, 255})
            EXPECT_EQ(Colour(planes, i), 0xdc0000) << "index " << i;
        const int32_t end = choice == kRainbowWhite ? 0xffffff : 0x000000;
        EXPECT_EQ(Colour(planes, 0), end);
        EXPECT_EQ(Colour(planes, 1), end);
        // Index 255 - i takes entry i * 115 / 256: every entry covers two or
        // three neighbouring indexes, entry 0 the strongest.
        const RgbEntry* table = choice == kRainbowWhite ? RainbowWhite : RainbowBlack;
        for (int i = 0; i < kPaletteSize; ++i) {
            const RgbEntry& e = table[i * kRainbowEntries / kPaletteSize];
            ASSERT_EQ(Colour(planes, 255 - i), e.r << 16 | e.g << 8 | e.b) << "index " << 255 - i;
        }
    }
}

TEST(Palette, RainbowTablesShareAllButTheirLastFourEntries)
{
    for (int k = 0; k < kRainbowEntries; ++k) {
        const bool same = RainbowWhite[k].r == RainbowBlack[k].r && RainbowWhite[k].g == RainbowBlack[k].g &&
                          RainbowWhite[k].b == RainbowBlack[k].b;
        EXPECT_EQ(same, k < 111) << "entry " << k;
    }
    EXPECT_EQ(RainbowWhite[111].r, 160);
    EXPECT_EQ(RainbowBlack[111].r, 30);
    EXPECT_EQ(RainbowWhite[110].g, 11);
}

TEST(Palette, GrayPalettesHitTheKeyColour)
{
    int32_t planes[3][kPaletteSize] = {};
    FillPalette(kGray, planes);
    EXPECT_EQ(Colour(planes, 0), 0xffffff);
    EXPECT_EQ(Colour(planes, 255), 0x000000);
    EXPECT_EQ(Colour(planes, 51), 0xcccccc);
    FillPalette(kGrayInverse, planes);
    EXPECT_EQ(Colour(planes, 0), 0x000000);
    EXPECT_EQ(Colour(planes, 255), 0xffffff);
    EXPECT_EQ(Colour(planes, 204), 0xcccccc);
}

TEST(Palette, UnknownChoiceKeepsThePlanes)
{
    int32_t planes[3][kPaletteSize] = {};
    FillPalette(kGray, planes);
    FillPalette(7, planes);
    EXPECT_EQ(Colour(planes, 0), 0xffffff);
}

TEST(Palette, ColoursArePackedAndClamped)
{
    int32_t planes[3][kPaletteSize] = {};
    planes[0][3] = 300;
    planes[1][3] = -4;
    planes[2][3] = 17;
    uint32_t colours[kPaletteSize];
    PaletteColours(planes, colours);
    EXPECT_EQ(colours[3], 0xffff0011u);
    EXPECT_EQ(colours[0], 0xff000000u);
}

}  // namespace
