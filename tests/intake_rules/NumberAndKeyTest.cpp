// Leading numbers and the header key reader.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "intake/KeyValue.h"
#include "intake/NumberReading.h"

TEST(LeadingNumber, ReadsTheNumberAtTheStartOnly)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"  12.5\r\n", 12.5}, {"-3\r\n", -3.0},  {"+4.5e1x", 45.0}, {"abc", 0.0},
        {"", 0.0},            {".5", 0.5},       {"5.", 5.0},       {"1e", 1.0},
        {"1e+", 1.0},         {"12,5", 12.0},    {"3.75*2A", 3.75}, {"\t7", 7.0},
        {"0x10", 0.0},        {"inf", 0.0},      {"nan", 0.0},      {"-", 0.0},
        {"1e999", inf},       {"-1e999", -inf},  {"1e-999", 0.0},   {"1234e-2", 12.34},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadLeadingNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(LeadingNumber, NeverReadsPastTheGivenEnd)
{
    const std::string text = "12345";
    EXPECT_EQ(ReadLeadingNumber(text.data(), text.data() + 2), 12.0);
    EXPECT_EQ(ReadLeadingInteger(text.data(), text.data() + 3), 123);
    EXPECT_EQ(ReadNumberAt("abc12", 3), 12.0);
    EXPECT_EQ(ReadNumberAt("abc12", 5), 0.0);
    EXPECT_EQ(ReadNumberAt("abc12", 500), 0.0);
}

TEST(LeadingInteger, StopsAtThePointAndSaturates)
{
    const struct {
        const char* text;
        int32_t expected;
    } cases[] = {
        {"512\r\n", 512},
        {"  -45", -45},
        {"12.7", 12},
        {"+7", 7},
        {"abc", 0},
        {"", 0},
        {"99999999999", std::numeric_limits<int32_t>::max()},
        {"-99999999999", std::numeric_limits<int32_t>::min()},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadLeadingInteger(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Truncation, IsTowardZeroAndNeverOverflows)
{
    EXPECT_EQ(TruncateToInt32(-2.7), -2);
    EXPECT_EQ(TruncateToInt32(699.99998), 699);
    EXPECT_EQ(TruncateToInt32(std::nan("")), 0);
    EXPECT_EQ(TruncateToInt32(1e20), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(TruncateToInt32(-1e20), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ToSingle(1e300), std::numeric_limits<float>::infinity());
}

TEST(KeyValue, ValueFollowsTheFirstBlankAfterTheKey)
{
    const struct {
        const char* line;
        const char* key;
        bool found;
        float value;
    } cases[] = {
        {"#Ping\r\n", "#Ping", true, 0.0f},               // no blank after the key
        {"#Ping\t17\r\n", "#Ping", true, 0.0f},           // a tab is no separator
        {"#Ping\t17 5\r\n", "#Ping", true, 5.0f},         // the first blank counts
        {"#Ping   42\r\n", "#Ping", true, 42.0f},         // further blanks skipped
        {"#Ping abc\r\n", "#Ping", true, 0.0f},           // not a number
        {"#Range,m 45.5\r\n", "#Range,m", true, 45.5f},
        {"#Altitude 12.345\r\n", "#Altitude", true, 12.345f},
        {"#Deadzone,m 0.7\r\n", "#Deadzone,m", true, 0.7f},
        {"junk #Ping 3\r\n", "#Ping", true, 3.0f},        // anywhere in the line
        {"#Range,m 10\r\n", "#Ping", false, 0.0f},
        {"#ping 3\r\n", "#Ping", false, 0.0f},            // case-sensitive
    };
    for (const auto& c : cases) {
        float value = -1.0f;
        EXPECT_EQ(ReadKeyValue(c.line, c.key, value), c.found) << c.line;
        EXPECT_EQ(value, c.value) << c.line;
    }
}
