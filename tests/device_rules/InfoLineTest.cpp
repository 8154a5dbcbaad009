#include <gtest/gtest.h>

#include "device/InfoLine.h"

TEST(ParseInfoLine, ParameterLinesFillTheirFields)
{
    DeviceParamsRecord p;
    EXPECT_EQ(ParseInfoLine("Device ID: 12\r\n", p), 0);
    EXPECT_EQ(ParseInfoLine(" - range [20000] mm\r\n", p), 0);
    EXPECT_EQ(ParseInfoLine(" - interval [0.25] s\r\n", p), 0);
    EXPECT_EQ(ParseInfoLine(" - series [3]\r\n", p), 0);
    EXPECT_EQ(ParseInfoLine(" - threshold [10] %\r\n", p), 0);
    EXPECT_EQ(ParseInfoLine(" - offset [-20] mm\r\n", p), 0);
    EXPECT_EQ(ParseInfoLine(" - deadzone [300] mm\r\n", p), 0);
    EXPECT_EQ(ParseInfoLine(" - txlength [50.7] us\r\n", p), 0);
    EXPECT_EQ(ParseInfoLine(" - amplitude [80] %\r\n", p), 0);
    EXPECT_EQ(p.DeviceID, 12);
    EXPECT_EQ(p.Range_mm, 20000);  // millimetres as given, not scaled
    EXPECT_FLOAT_EQ(p.Interval_s, 0.25f);
    EXPECT_EQ(p.Series, 3);
    EXPECT_EQ(p.Threshold, 10);
    EXPECT_EQ(p.Offset_mm, -20);
    EXPECT_EQ(p.Deadzone_mm, 300);
    EXPECT_EQ(p.PulseLength_us, 50);  // fraction cut off
    EXPECT_EQ(p.Amplitude, 80);
}

TEST(ParseInfoLine, KeysAreCaseSensitiveAndOtherLinesChangeNothing)
{
    DeviceParamsRecord p;
    p.Range_mm = 5;
    EXPECT_EQ(ParseInfoLine(" - Range [20000]\r\n", p), 0);
    EXPECT_EQ(ParseInfoLine("Pelagrix firmware 2.1\r\n", p), 0);
    EXPECT_EQ(ParseInfoLine("", p), 0);
    EXPECT_EQ(p.Range_mm, 5);
}

TEST(ParseInfoLine, KeyWithoutMarkerTakesTheValueSoFar)
{
    DeviceParamsRecord p;
    p.Threshold = 44;
    EXPECT_EQ(ParseInfoLine(" - threshold 10\r\n", p), 0);
    EXPECT_EQ(p.Threshold, 0);

    // A later key on the same line without its marker receives the number of
    // the earlier key.
    EXPECT_EQ(ParseInfoLine(" - range [7000] - offset 3\r\n", p), 0);
    EXPECT_EQ(p.Range_mm, 7000);
    EXPECT_EQ(p.Offset_mm, 7000);
}

TEST(ParseInfoLine, KeysAreSearchedInTheCutText)
{
    // "- range" comes first in the table and cuts the text to begin at
    // itself, so the "- interval" before it on the line is no longer seen.
    DeviceParamsRecord p;
    p.Interval_s = 9.0f;
    EXPECT_EQ(ParseInfoLine(" - interval [1] - range [2000]\r\n", p), 0);
    EXPECT_EQ(p.Range_mm, 2000);
    EXPECT_FLOAT_EQ(p.Interval_s, 9.0f);
}

TEST(ParseInfoLine, MemoryLineEndsTheAnswer)
{
    struct Case {
        const char* line;
        float memory;
    };
    const Case cases[] = {
        {"Memory[MB] used 3 after 12.5\r\n", 12.5f},
        {"Memory[MB] after:7\r\n", 7.0f},
        {"Memory[MB] 12.5\r\n", 0.0f},  // no "after": no number is left
        {"Memory[", 0.0f},
        {"Memory[ after", 0.0f},        // nothing follows "after"
    };
    for (const Case& c : cases) {
        DeviceParamsRecord p;
        p.Memory = -1.0f;
        EXPECT_EQ(ParseInfoLine(c.line, p), 1) << c.line;
        EXPECT_FLOAT_EQ(p.Memory, c.memory) << c.line;
    }
}

TEST(ParseInfoLine, BatteryLineEndsTheAnswer)
{
    DeviceParamsRecord p;
    EXPECT_EQ(ParseInfoLine("Battery Level: 11800.9 mV\r\n", p), 1);
    EXPECT_EQ(p.Voltage_mV, 11800);
    p.Voltage_mV = 5;
    EXPECT_EQ(ParseInfoLine("Battery Level low\r\n", p), 1);
    EXPECT_EQ(p.Voltage_mV, 0);
}
