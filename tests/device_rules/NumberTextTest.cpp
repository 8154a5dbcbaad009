#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

#include "device/NumberText.h"

TEST(LeadingNumber, ReadsTheNumberAtTheStart)
{
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"20", 20.0},          {" 0.25 ", 0.25},     {"+6 ", 6.0},   {"-40", -40.0},
        {" 0 dB", 0.0},        {"7200", 7200.0},     {"2.9", 2.9},   {"1e3", 1000.0},
        {"\t12x", 12.0},       {"Mode 2", 0.0},      {"", 0.0},      {"+", 0.0},
        {"+-5", 0.0},          {"-", 0.0},           {".5", 0.5},    {"3.", 3.0},
        {"115200 (default)", 115200.0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(LeadingNumber, OutOfRangeTextsDoNotFail)
{
    EXPECT_TRUE(std::isinf(LeadingNumber("1e999")));
    EXPECT_LT(LeadingNumber("-1e999"), 0.0);
    EXPECT_EQ(LeadingNumber("1e-999"), 0.0);
}

TEST(LeadingInt, CutsTowardsZeroAndHoldsAtTheRangeEnds)
{
    struct Case {
        const char* text;
        int32_t expected;
    };
    const Case cases[] = {
        {"2.9", 2},
        {"-2.9", -2},
        {"300", 300},
        {"abc", 0},
        {"99999999999", std::numeric_limits<int32_t>::max()},
        {"-99999999999", std::numeric_limits<int32_t>::min()},
        {"nan", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LeadingInt(c.text), c.expected) << c.text;
}

TEST(FormatFixed, WritesLikeTheCFormatWithAFullStop)
{
    EXPECT_EQ(FormatFixed(0.25f, 2), "0.25");
    EXPECT_EQ(FormatFixed(7200.0f, 2), "7200.00");
    EXPECT_EQ(FormatFixed(6.0f, 1), "6.0");
    EXPECT_EQ(FormatFixed(-0.5f, 1), "-0.5");
    EXPECT_EQ(FormatFixed(0.2f, 2), "0.20");
    EXPECT_EQ(FormatFixed(std::numeric_limits<float>::quiet_NaN(), 2), "nan");
    EXPECT_EQ(FormatFixed(std::numeric_limits<float>::infinity(), 1), "inf");
}

TEST(FormatFixed, IgnoresALocaleWithADecimalComma)
{
    // Qt adopts the operator's locale; commands must still use a full stop.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_EQ(FormatFixed(0.25f, 2), "0.25");
    EXPECT_FLOAT_EQ(LeadingFloat(" 0.25 "), 0.25f);
    std::setlocale(LC_NUMERIC, saved.c_str());
}
