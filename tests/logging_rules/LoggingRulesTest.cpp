// The pure rules of the data log and the report log: calendar arithmetic,
// the NMEA checksum, the three time stamp forms, the file name, the header
// block, the record rules and the report line.

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "logging/CalendarTime.h"
#include "logging/LogName.h"
#include "logging/NmeaChecksum.h"
#include "logging/RecordRules.h"
#include "logging/ReportLine.h"
#include "logging/TimeStamp.h"

namespace {

struct CalendarCase {
    uint32_t seconds;
    uint32_t year, month, day, hour, minute, second, weekday, yearDay;
};

// Expected values computed independently (Python's datetime).
const CalendarCase kCalendarCases[] = {
    {0u, 1970, 0, 1, 0, 0, 0, 4, 0},
    {86399u, 1970, 0, 1, 23, 59, 59, 4, 0},
    {68169600u, 1972, 1, 29, 0, 0, 0, 2, 59},           // first leap day
    {946684799u, 1999, 11, 31, 23, 59, 59, 5, 364},     // last second of 1999
    {951782400u, 2000, 1, 29, 0, 0, 0, 2, 59},          // 2000 is a leap year (by 400)
    {1709251199u, 2024, 1, 29, 23, 59, 59, 4, 59},
    {4107542400u, 2100, 2, 1, 0, 0, 0, 1, 59},          // 2100 has no 29 February
    {4294967295u, 2106, 1, 7, 6, 28, 15, 0, 37},        // last representable second
};

}  // namespace

TEST(BreakDownTime, MatchesTheGregorianCalendar)
{
    for (const CalendarCase& c : kCalendarCases) {
        SCOPED_TRACE(c.seconds);
        const BrokenDownTime t = BreakDownTime(c.seconds);
        EXPECT_EQ(t.year, c.year);
        EXPECT_EQ(t.month, c.month);
        EXPECT_EQ(t.day, c.day);
        EXPECT_EQ(t.hour, c.hour);
        EXPECT_EQ(t.minute, c.minute);
        EXPECT_EQ(t.second, c.second);
        EXPECT_EQ(t.weekday, c.weekday);
        EXPECT_EQ(t.yearDay, c.yearDay);
    }
}

TEST(NmeaChecksum, XorOfTheBytesBetweenDollarAndStar)
{
    const std::pair<std::string, std::string> cases[] = {
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,",
         "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"},
        // Bytes from an existing "*" on are not part of the sum.
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*",
         "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,**47\r\n"},
        {"$", "$*00\r\n"},
        {"$A", "$A*41\r\n"},
        {"$\xff", "$\xff*FF\r\n"},
    };
    for (const auto& [sentence, expected] : cases) {
        std::string text = sentence;
        AppendNmeaChecksum(text);
        EXPECT_EQ(text, expected);
    }
}

namespace {
// 2000-02-29 12:34:56.789 UTC
constexpr WallClockReading kLeapDayNoon{951782400 + 12 * 3600 + 34 * 60 + 56, 789};
}  // namespace

TEST(TimeStamp, ZdaCarriesTheZoneOffsetWithItsSign)
{
    const std::pair<int32_t, std::string> cases[] = {
        {-3600, "$GPZDA,123456.78,29,02,2000,01,00*64\r\n"},    // one hour east
        {-19800, "$GPZDA,123456.78,29,02,2000,05,30*63\r\n"},   // 5 h 30 min east
        {18000, "$GPZDA,123456.78,29,02,2000,-05,00*4D\r\n"},   // five hours west
        {12600, "$GPZDA,123456.78,29,02,2000,-03,-30*65\r\n"},  // 3 h 30 min west
        {0, "$GPZDA,123456.78,29,02,2000,00,00*65\r\n"},
    };
    for (const auto& [bias, expected] : cases) {
        SCOPED_TRACE(bias);
        EXPECT_EQ(FormatTimeStampAt(TimeStampKind::Zda, kLeapDayNoon, bias), expected);
    }
}

TEST(TimeStamp, LocalIsUtcMinusTheStandardBias)
{
    // 2000-02-29 23:30:00.999 UTC: one hour east is already 1 March.
    const WallClockReading lateEvening{951782400 + 23 * 3600 + 30 * 60, 999};
    const struct {
        TimeStampKind kind;
        WallClockReading now;
        int32_t bias;
        const char* expected;
    } cases[] = {
        {TimeStampKind::Local, lateEvening, -3600, "#TimeLocal  20000301 00:30:00.99\r\n"},
        {TimeStampKind::Local, lateEvening, 18000, "#TimeLocal  20000229 18:30:00.99\r\n"},
        {TimeStampKind::Local, lateEvening, 0, "#TimeLocal  20000229 23:30:00.99\r\n"},
        {TimeStampKind::Utc, lateEvening, -3600, "#TimeUTC    20000229 23:30:00.99\r\n"},
        {TimeStampKind::Utc, {0, 0}, 0, "#TimeUTC    19700101 00:00:00.00\r\n"},
        {TimeStampKind::Utc, {0, 9}, 0, "#TimeUTC    19700101 00:00:00.00\r\n"},
        {TimeStampKind::Utc, {0, 10}, 0, "#TimeUTC    19700101 00:00:00.01\r\n"},
        {TimeStampKind::Local, {0, 0}, -19800, "#TimeLocal  19700101 05:30:00.00\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(FormatTimeStampAt(c.kind, c.now, c.bias), c.expected);
    }
}

TEST(TimeStamp, FromTheSystemClockHasTheStampForms)
{
    const std::regex local(R"(#TimeLocal  \d{8} \d\d:\d\d:\d\d\.\d\d\r\n)");
    const std::regex utc(R"(#TimeUTC    \d{8} \d\d:\d\d:\d\d\.\d\d\r\n)");
    const std::regex zda(R"(\$GPZDA,\d{6}\.\d\d,\d\d,\d\d,\d{4},-?\d\d,-?\d\d\*[0-9A-F]{2}\r\n)");
    EXPECT_TRUE(std::regex_match(FormatTimeStamp(TimeStampKind::Local), local));
    EXPECT_TRUE(std::regex_match(FormatTimeStamp(TimeStampKind::Utc), utc));
    EXPECT_TRUE(std::regex_match(FormatTimeStamp(TimeStampKind::Zda), zda));
}

TEST(LogName, DateTimeFrequencyAndDeviceId)
{
    const CivilTime t{2024, 3, 5, 7, 8, 9};
    EXPECT_EQ(FormatLogFileName(t, 0), "20240305_070809_PelaGrix450kHz_ID_0000");
    EXPECT_EQ(FormatLogFileName(t, 7), "20240305_070809_PelaGrix450kHz_ID_0007");
    EXPECT_EQ(FormatLogFileName({1999, 12, 31, 23, 59, 58}, 12345),
              "19991231_235958_PelaGrix450kHz_ID_12345");
}

TEST(LogHeader, BlockBytes)
{
    EXPECT_EQ(LogHeaderBlock("Feb  3 2024", "12:34:56", "#TimeLocal  L\r\n", "#TimeUTC    U\r\n"),
              "-------------------------------------------------------\r\n"
              "Pelagrix Control Program  [Feb  3 2024 12:34:56]\r\n"
              "-------------------------------------------------------\r\n"
              "\r\n"
              "#TimeLocal  L\r\n"
              "#TimeUTC    U\r\n");
}

TEST(LogHeader, BuildDateAndTimeForms)
{
    EXPECT_TRUE(std::regex_match(std::string(BuildDate()),
                                 std::regex(R"((Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [ 123]\d \d{4})")))
        << BuildDate();
    EXPECT_TRUE(std::regex_match(std::string(BuildTime()), std::regex(R"(\d\d:\d\d:\d\d)")))
        << BuildTime();
}

TEST(RecordRules, WhichLinesAreStamped)
{
    using namespace std::string_view_literals;
    const struct {
        std::string_view line;
        bool pingStart;
        bool depth;
    } cases[] = {
        {"#DeviceID 7\r\n", true, false},
        {"  x#DeviceID\n", true, false},
        {"#Device 7\r\n", false, false},
        {"#deviceid 7\r\n", false, false},
        {"$SDDPT,12.3,0.5*6A\r\n", false, true},
        {"SDDPT,12.3\r\n", false, false},        // no "$"
        {"$SDDBT,1.0,f,0.3,M\r\n", false, false},
        {"DPT then $ later\n", false, true},
        {"12.5\r\n", false, false},
        {"#Devi\0ceID\r\n"sv, false, false},
        // The rule reads only the given bytes.
        {std::string_view("#DeviceID", 8), false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.line));
        EXPECT_EQ(IsPingStartLine(c.line), c.pingStart);
        EXPECT_EQ(IsDepthSentence(c.line), c.depth);
    }
}

TEST(ReportLine, FieldWidthsAndBareLf)
{
    const struct {
        ReportValues values;
        const char* expected;
    } cases[] = {
        {{7, 2, 1.5f, 20.0f, 12000.0f, 57},
         "Ping    7) TVG: 2[ 1.5] Gain:  20.0  Alt: 12000.0 MaxAmpl:   57 %\n"},
        {{12345, 0, -1.0f, -3.25f, 123.75f, 100},
         "Ping  12345) TVG: 0[-1.0] Gain:  -3.2  Alt:   123.8 MaxAmpl:  100 %\n"},
        {{-3, 1, 10.0f, 0.0f, 0.0f, 0},
         "Ping   -3) TVG: 1[ 10.0] Gain:   0.0  Alt:     0.0 MaxAmpl:    0 %\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatReportLine(c.values), c.expected);
}
