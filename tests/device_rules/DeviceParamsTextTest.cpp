#include <gtest/gtest.h>

#include <map>

#include "device/DeviceParamsText.h"

namespace {
std::map<int, std::string> TextsById(const DeviceParamsRecord& params)
{
    std::map<int, std::string> texts;
    for (const auto& [id, text] : DeviceParamsTexts(params))
        texts[id] = text;
    return texts;
}
}  // namespace

TEST(DeviceParamsTexts, EveryFieldInItsFormatAndOrder)
{
    DeviceParamsRecord params;
    params.DeviceID = 7;
    params.Range_mm = 20000;
    params.Interval_s = 0.25f;
    params.Threshold = 10;
    params.Offset_mm = -20;
    params.Deadzone_mm = 300;
    params.PulseLength_us = 50;
    params.TVG_Gain = 6.0f;
    params.TVG_Slope = 1.5f;
    params.OutputMode = 3;
    params.TVG_Mode = 2;
    const std::vector<std::pair<int, std::string>> expected = {
        {1010, "20"},   {1011, "0.25"}, {1013, "10"},  {1014, "-20"},
        {1015, "300"},  {1016, "50"},   {1038, "6.0"}, {1041, "1.50"},
        {1042, "Altimeter NMEA"},       {1044, "Mode 2"},
        {1032, " Device: Pelagrix ID0007"},
    };
    EXPECT_EQ(DeviceParamsTexts(params), expected);
}

TEST(DeviceParamsTexts, RangeInWholeMetresTowardsZero)
{
    const std::pair<int32_t, const char*> cases[] = {
        {20000, "20"}, {2500, "2"}, {-1500, "-1"}, {999, "0"}};
    for (const auto& [range, text] : cases) {
        DeviceParamsRecord params;
        params.Range_mm = range;
        EXPECT_EQ(TextsById(params)[1010], text) << range;
    }
}

TEST(DeviceParamsTexts, UnknownModesLeaveTheirListsAlone)
{
    DeviceParamsRecord params;
    params.OutputMode = 0;  // nothing received yet
    params.TVG_Mode = 7;
    const auto texts = TextsById(params);
    EXPECT_EQ(texts.count(1042), 0u);
    EXPECT_EQ(texts.count(1044), 0u);
    params.TVG_Mode = -1;
    EXPECT_EQ(TextsById(params).count(1044), 0u);
}

TEST(DeviceParamsTexts, OutputModeNames)
{
    const char* names[] = {"Altimeter Simple",
                           "Echosounder",
                           "Altimeter NMEA",
                           "Echosounder Fixed 200 Samples",
                           "Echosounder Fixed 500 Samples",
                           "Echosounder Fixed 1000 Samples"};
    for (int mode = 1; mode <= 6; ++mode) {
        DeviceParamsRecord params;
        params.OutputMode = mode;
        EXPECT_EQ(TextsById(params)[1042], names[mode - 1]);
    }
}

TEST(DeviceParamsTexts, DeviceNumberWithFourDigits)
{
    DeviceParamsRecord params;
    params.DeviceID = 123456;
    EXPECT_EQ(TextsById(params)[1032], " Device: Pelagrix ID123456");
}
