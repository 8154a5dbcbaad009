// The Range text, the samples shown, the depth grid step and the geometry of
// the frame: areas, time and depth grids, colour bar rows and labels.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "display/FrameLayout.h"
#include "display/RangeRules.h"

namespace {

TEST(RangeRules, LeadingDecimal)
{
    const struct {
        const char* text;
        float value;
    } cases[] = {
        {" 5 m", 5.0f},  {"10 m", 10.0f}, {"Auto Range", 0.0f}, {"", 0.0f},
        {"-2.5x", -2.5f}, {"+3", 3.0f},  {".5", 0.5f},         {".", 0.0f},
        {"1e2 m", 100.0f}, {"1e m", 1.0f}, {"2E-1", 0.2f},      {"nan", 0.0f},
        {"0x10", 0.0f},  {"m 5", 0.0f},  {"\t7", 7.0f},
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(LeadingDecimal(c.text), c.value) << '"' << c.text << '"';
    EXPECT_TRUE(std::isinf(LeadingDecimal("1e999")));
}

TEST(RangeRules, SamplesShown)
{
    const struct {
        const char* range;
        float resolution;
        int32_t nSamples;
        int32_t rangeMm;
        int64_t samples;
    } cases[] = {
        {" 1 m", 7.5f, 0, 10000, 133},
        {"Auto Range", 7.5f, 7500, 60000, 15000},  // doubled above 45000 mm
        {"Auto Range", 7.5f, 7500, 45000, 7500},
        {"10 m", 10.0f, 0, 45001, 2000},
        {"10 m", 10.0f, 0, 45000, 1000},
        {"10 m", 0.0f, 0, 10000, 1000},         // no finite quotient
        {"Auto Range", 7.5f, 0, 10000, 1000},   // no samples yet
        {"m", 7.5f, 0, 10000, 1000},            // no number
        {"-5 m", 7.5f, 0, 10000, 1000},
        {" 2 m", 20000.0f, 0, 10000, 1000},      // below one slot
        {"1e30 m", 1.0f, 0, 10000, kMaxSamplesShown},
        {"Auto Range", 1.0f, 2147483647, 60000, int64_t{2147483647} * 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SamplesShown(c.range, c.resolution, c.nSamples, c.rangeMm), c.samples)
            << '"' << c.range << "\" resolution " << c.resolution << " range_mm " << c.rangeMm;
    }
}

TEST(RangeRules, DepthStep)
{
    const struct {
        float range;
        float step;
    } cases[] = {{0.5f, 0.5f}, {3.0f, 0.5f},  {3.5f, 1.0f},  {6.0f, 1.0f}, {10.0f, 2.0f},
                 {10.5f, 5.0f}, {30.0f, 5.0f}, {31.0f, 10.0f}, {100000.0f, 10.0f}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(DepthStep(c.range), c.step) << c.range;
}

TEST(RangeRules, DepthRange)
{
    EXPECT_FLOAT_EQ(DepthRangeMetres("Auto Range", 45999), 45.0f);
    EXPECT_FLOAT_EQ(DepthStep(DepthRangeMetres("Auto Range", 45999)), 10.0f);
    EXPECT_FLOAT_EQ(DepthRangeMetres("Auto Range", 0), 20.0f);
    EXPECT_FLOAT_EQ(DepthRangeMetres("Auto Range", 999), 20.0f);  // whole metres: 0
    EXPECT_FLOAT_EQ(DepthRangeMetres(" 5 m", 45999), 5.0f);
    EXPECT_FLOAT_EQ(DepthRangeMetres("-5 m", 0), 20.0f);
    EXPECT_FLOAT_EQ(DepthRangeMetres("metres", 0), 20.0f);
}

TEST(FrameLayout, Areas)
{
    const FrameAreas a = FrameAreasFor(795, 488);
    const std::vector<int> got = {a.echogram.left, a.echogram.top, a.echogram.right, a.echogram.bottom,
                                  a.profile.left,  a.profile.top,  a.profile.right,  a.profile.bottom,
                                  a.colourBar.left, a.colourBar.top, a.colourBar.right,
                                  a.colourBar.bottom};
    EXPECT_EQ(got, (std::vector<int>{40, 30, 645, 458, 649, 30, 716, 458, 735, 30, 745, 458}));
}

TEST(FrameLayout, TimeGrid)
{
    const std::vector<int> columns = TimeGridColumns(795);
    ASSERT_EQ(columns.size(), 11u);
    EXPECT_EQ(columns.front(), 645);
    EXPECT_EQ(columns[1], 585);
    EXPECT_EQ(columns.back(), 45);
    EXPECT_EQ(TimeGridLabel(0), "0");
    EXPECT_EQ(TimeGridLabel(1), "60");
    EXPECT_EQ(TimeGridLabel(10), "600");
    // A line never lies on or left of the echogram's left edge.
    EXPECT_EQ(TimeGridColumns(250), (std::vector<int>{100}));
    EXPECT_TRUE(TimeGridColumns(190).empty());
}

TEST(FrameLayout, DepthGrid)
{
    // 20 m in steps of 5 m over 428 rows: 107 pixels per step.
    EXPECT_EQ(DepthPixelsPerStep(488, 5.0f, 20.0f), 107);
    EXPECT_EQ(DepthGridRows(488, 107), (std::vector<int>{137, 244, 351}));
    // 3 m in steps of 0.5: 71 pixels (71.33 truncated), errors add up.
    EXPECT_EQ(DepthGridRows(488, DepthPixelsPerStep(488, 0.5f, 3.0f)),
              (std::vector<int>{101, 172, 243, 314, 385, 456}));
    EXPECT_EQ(DepthGridLabel(1, 0.5f), "0.5m");
    EXPECT_EQ(DepthGridLabel(2, 0.5f), "1.0m");
    EXPECT_EQ(DepthGridLabel(3, 10.0f), "30.0m");
    // A step below one pixel, or taller than the area, draws nothing.
    EXPECT_EQ(DepthPixelsPerStep(488, 10.0f, 100000.0f), 0);
    EXPECT_EQ(DepthPixelsPerStep(488, 0.5f, 1.0e-30f), 0);
    EXPECT_EQ(DepthPixelsPerStep(488, 10.0f, INFINITY), 0);
    EXPECT_TRUE(DepthGridRows(488, 0).empty());
}

std::vector<int> Rows(const std::vector<BarLabel>& labels)
{
    std::vector<int> rows;
    for (const BarLabel& l : labels)
        rows.push_back(l.row);
    return rows;
}

std::vector<std::string> Texts(const std::vector<BarLabel>& labels)
{
    std::vector<std::string> texts;
    for (const BarLabel& l : labels)
        texts.push_back(l.text);
    return texts;
}

TEST(FrameLayout, ColourBarLabelsFor430Rows)
{
    const std::vector<BarLabel> dB = ColourBarLabels(490, false);
    EXPECT_EQ(Rows(dB), (std::vector<int>{30, 101, 172, 243, 314, 385, 456}));
    EXPECT_EQ(Texts(dB), (std::vector<std::string>{"-0dB", "-10dB", "-20dB", "-30dB", "-40dB", "-50dB",
                                                   "-60dB"}));
    const std::vector<BarLabel> linear = ColourBarLabels(490, true);
    ASSERT_EQ(linear.size(), 10u);
    EXPECT_EQ(linear.front().row, 30);
    EXPECT_EQ(linear.back().row, 417);
    EXPECT_EQ(linear.front().text, "100 %");
    EXPECT_EQ(linear.back().text, "10 %");
}

TEST(FrameLayout, ColourBarLabelsForTheRealArea)
{
    // 428 rows: 71 rows per 10 dB, 42 rows per 10 %.
    EXPECT_EQ(Rows(ColourBarLabels(488, false)), (std::vector<int>{30, 101, 172, 243, 314, 385, 456}));
    const std::vector<BarLabel> linear = ColourBarLabels(488, true);
    ASSERT_EQ(linear.size(), 11u);
    EXPECT_EQ(linear[1].row, 72);
    EXPECT_EQ(linear.back().row, 450);
    EXPECT_EQ(linear.back().text, "0 %");
    // Too low for a label step: none rather than a division by zero.
    EXPECT_TRUE(ColourBarLabels(62, false).empty());
}

TEST(FrameLayout, ColourBarRunsFromStrongestToWeakest)
{
    EXPECT_EQ(ColourBarIndex(0, 428), 255);
    EXPECT_EQ(ColourBarIndex(427, 428), 0);  // 427 * 256 / 428 = 255.4
    EXPECT_EQ(ColourBarIndex(100, 428), 196);  // 59.8 truncated
    for (int j = 1; j < 428; ++j)
        ASSERT_LE(ColourBarIndex(j, 428), ColourBarIndex(j - 1, 428));
}

}  // namespace
