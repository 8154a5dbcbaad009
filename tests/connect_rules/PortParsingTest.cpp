#include <gtest/gtest.h>

#include "serial/PortParsing.h"

TEST(ParsePortNumber, OnlyCom1ToCom32Exactly)
{
    const std::pair<const char*, int> cases[] = {
        {"COM1", 1},   {"COM9", 9},   {"COM10", 10}, {"COM32", 32}, {"COM33", 0},
        {"COM64", 0},  {"com3", 0},   {"Com3", 0},   {"COM3 ", 0},  {" COM3", 0},
        {"COM03", 0},  {"COM0", 0},   {"COM", 0},    {"None", 0},   {"", 0},
        {"COM1x", 0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParsePortNumber(text), expected) << '"' << text << '"';
}

TEST(ParseBaudRate, LastContainedRateWins)
{
    struct Case {
        const char* text;
        int defaultRate;
        int expected;
    };
    const Case cases[] = {
        {"115200 (default)", 115200, 115200},
        {"4800 (default)", 4800, 4800},
        {"19200", 115200, 19200},  // found through "1920"
        {"1920", 4800, 19200},
        {"1200", 115200, 115200},  // unknown: the default
        {"1200", 4800, 4800},
        {"", 115200, 115200},
        {"9600", 4800, 9600},
        {"38400", 4800, 38400},
        {"57600", 4800, 57600},
        {"230400", 4800, 230400},
        {"4800 230400", 115200, 230400},
        {"230400 4800", 115200, 230400},  // order of the checks, not of the text
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseBaudRate(c.text, c.defaultRate), c.expected) << c.text;
}

TEST(PortEntries, SixtyFourPortsAndNoneAtBothEndsForGps)
{
    const std::vector<std::string> device = DevicePortEntries();
    ASSERT_EQ(device.size(), 64u);
    EXPECT_EQ(device.front(), "COM1");
    EXPECT_EQ(device.back(), "COM64");
    const std::vector<std::string> gps = GpsPortEntries();
    ASSERT_EQ(gps.size(), 66u);
    EXPECT_EQ(gps.front(), "None");
    EXPECT_EQ(gps[1], "COM1");
    EXPECT_EQ(gps[64], "COM64");
    EXPECT_EQ(gps.back(), "None");
}
