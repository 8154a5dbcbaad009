// The status line text: the time stamp prefix, the short form without
// attitude and the long form with it.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "display/StatusLine.h"

namespace {

TEST(StatusLine, ShortFormWithoutTimeStamp)
{
    DeviceParamsRecord p;
    p.Altitude_mm = 12345.0f;
    p.Temperature = 4.5f;
    EXPECT_EQ(StatusLineText(p), " Altitude: 12.345 m      Temperature: 4.50\xB0" "C  ");
}

TEST(StatusLine, AttitudeThatSumsToZeroGivesTheShortForm)
{
    DeviceParamsRecord p;
    p.Pitch_deg = 1.5f;
    p.Roll_deg = -1.5f;
    EXPECT_EQ(StatusLineText(p).rfind(" Altitude: 0.000 m      Temperature: 0.00\xB0" "C  ", 0), 0u);
}

TEST(StatusLine, LongFormWithAttitude)
{
    DeviceParamsRecord p;
    p.Altitude_mm = 500.0f;
    p.Temperature = -1.25f;
    p.Pitch_deg = 1.2f;
    p.Roll_deg = -12.34f;
    EXPECT_EQ(StatusLineText(p), " Altitude: 0.500 m    Temperature: -1.25\xB0"
                                 "C          Pitch: 1.2    Roll: -12.3   ");
    p.Pitch_deg = 0.0f;
    p.Roll_deg = 0.0f;
    p.VertRotationPos_deg = 90.0f;
    EXPECT_NE(StatusLineText(p).find("Pitch: 0.0    Roll:  0.0   "), std::string::npos);
}

TEST(StatusLine, TimeStampPrefix)
{
    DeviceParamsRecord p;
    std::strcpy(p.TimeLocal, "#TimeLocal  20240102 03:04:05.06\r\n");
    EXPECT_EQ(StatusPrefix(p), "TimeLocal  20240102 03:04:05.06  ");
    EXPECT_EQ(StatusLineText(p).rfind("TimeLocal  20240102 03:04:05.06   Altitude: ", 0), 0u);
    std::strcpy(p.TimeLocal, "a#b\rc\nd");
    EXPECT_EQ(StatusPrefix(p), "abcd  ");
}

TEST(StatusLine, FullTimeFieldWithoutTerminatorIsReadToItsEnd)
{
    DeviceParamsRecord p;
    std::memset(p.TimeLocal, 'x', sizeof p.TimeLocal);
    p.TimeUTC[0] = 'U';  // the next field: never part of the prefix
    EXPECT_EQ(StatusPrefix(p), std::string(64, 'x') + "  ");
}

}  // namespace
