#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "device/ParameterRules.h"

namespace {
constexpr int kRange = 0, kInterval = 1, kThreshold = 2, kOffset = 3, kDeadzone = 4,
              kTxLength = 5, kTvgMode = 6, kGain = 7, kSlope = 8, kOutput = 9;
}

TEST(ApplyRow, ListTextBecomesTheCommand)
{
    struct Case {
        int row;
        const char* text;
        const char* command;
    };
    const Case cases[] = {
        {kRange, "20", "#range 20000\r"},
        {kRange, "2.9", "#range 2000\r"},
        {kRange, "abc", "#range 0\r"},
        {kRange, "-1", "#range 4294966296\r"},  // a negative range as unsigned
        {kInterval, " 0.25 ", "#interval 0.25\r"},
        {kInterval, "7200", "#interval 7200.00\r"},
        {kInterval, " 0.1 ", "#interval 0.10\r"},
        {kThreshold, "5 ", "#threshold 5\r"},
        {kOffset, "-40", "#offset -40\r"},
        {kDeadzone, "1000", "#deadzone 1000\r"},
        {kTxLength, "100", "#txlength 100\r"},
        {kTvgMode, "Mode 2 Spher2", "#tvgmode 2\r"},
        {kTvgMode, "Spherical", "#tvgmode 0\r"},
        {kTvgMode, "Mode 3 Mode 1", "#tvgmode 3\r"},  // later key in search order wins
        {kGain, "+6 ", "#gain 6.0\r"},
        {kGain, " 0 dB", "#gain 0.0\r"},
        {kGain, "-10", "#gain -10.0\r"},
        {kSlope, "1.5", "#tvgslope 1.50\r"},
        {kOutput, "Echosounder", "#output 2\r"},
        {kOutput, "Altimeter Simple", "#output 1\r"},
        {kOutput, "Altimeter NMEA", "#output 3\r"},
        {kOutput, "Echosounder Fixed 200 Samples", "#output 4\r"},
        {kOutput, "Echosounder Fixed 500 Samples", "#output 5\r"},
        {kOutput, "Echosounder Fixed 1000 Samples", "#output 6\r"},
        {kOutput, "", "#output 2\r"},
    };
    for (const Case& c : cases) {
        DeviceParamsRecord params;
        const std::optional<std::string> command = ApplyRow(c.row, c.text, params, true);
        ASSERT_TRUE(command) << c.text;
        EXPECT_EQ(*command, c.command) << c.text;
    }
}

TEST(ApplyRow, SendsOnlyWhatDiffersAndStoresWhatItSends)
{
    DeviceParamsRecord params;
    params.Range_mm = 20000;
    params.Threshold = 10;
    EXPECT_FALSE(ApplyRow(kRange, "20", params, false));
    EXPECT_FALSE(ApplyRow(kThreshold, "10", params, false));

    ASSERT_TRUE(ApplyRow(kRange, "30", params, false));
    EXPECT_EQ(params.Range_mm, 30000);
    EXPECT_FALSE(ApplyRow(kRange, "30", params, false));

    // Everything goes when all are asked for, equal or not.
    EXPECT_TRUE(ApplyRow(kThreshold, "10", params, true));
}

TEST(ApplyRow, NotANumberAlwaysDiffers)
{
    DeviceParamsRecord params;
    params.Interval_s = std::numeric_limits<float>::quiet_NaN();
    ASSERT_TRUE(ApplyRow(kInterval, " 1 ", params, false));
    EXPECT_FLOAT_EQ(params.Interval_s, 1.0f);

    const std::optional<std::string> command = ApplyRow(kGain, "nan", params, false);
    ASSERT_TRUE(command);
    EXPECT_TRUE(std::isnan(params.TVG_Gain));
    EXPECT_TRUE(ApplyRow(kGain, "nan", params, false)) << "NaN never equals itself";
}

TEST(ApplyRow, OutputModeIsStoredEvenWhenNotSent)
{
    DeviceParamsRecord params;
    params.OutputMode = 3;
    EXPECT_FALSE(ApplyRow(kOutput, "Altimeter NMEA", params, false));
    EXPECT_EQ(params.OutputMode, 3);
    EXPECT_TRUE(ApplyRow(kOutput, "Echosounder", params, false));
    EXPECT_EQ(params.OutputMode, 2);
}

TEST(ApplyRow, UnsentRowsLeaveTheRecordAlone)
{
    DeviceParamsRecord params;
    params.TVG_Mode = 1;
    params.TVG_Slope = 1.0f;
    EXPECT_FALSE(ApplyRow(kTvgMode, "Mode 1 Spher1", params, false));
    EXPECT_FALSE(ApplyRow(kSlope, "1.0", params, false));
    EXPECT_EQ(params.TVG_Mode, 1);
    EXPECT_FLOAT_EQ(params.TVG_Slope, 1.0f);
}

TEST(ApplyRow, HugeRangeIsHeldInsteadOfWrapping)
{
    DeviceParamsRecord params;
    ASSERT_TRUE(ApplyRow(kRange, "99999999", params, true));
    EXPECT_EQ(params.Range_mm, std::numeric_limits<int32_t>::max());
}

TEST(ApplyAltimeterGeometry, ResolutionAndSamplesInAltimeterModes)
{
    struct Case {
        int32_t outputMode;
        int32_t range;
        float resolution;
        int32_t samples;
    };
    const Case cases[] = {
        {3, 100000, 15.0f, 6666}, {1, 30000, 7.5f, 4000}, {1, 50000, 15.0f, 3333},
        {3, 45000, 7.5f, 6000},   {2, 100000, 0.5f, 77},  {6, 30000, 0.5f, 77},
    };
    for (const Case& c : cases) {
        DeviceParamsRecord params;
        params.OutputMode = c.outputMode;
        params.Range_mm = c.range;
        params.Resolution = 0.5f;  // left alone outside the altimeter modes
        params.NSamples = 77;
        ApplyAltimeterGeometry(params);
        EXPECT_FLOAT_EQ(params.Resolution, c.resolution) << c.outputMode << " " << c.range;
        EXPECT_EQ(params.NSamples, c.samples) << c.outputMode << " " << c.range;
    }
}
