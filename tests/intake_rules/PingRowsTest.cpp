// Sample lines and altimeter markers into the slots of one row.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "intake/PingRows.h"
#include "intake/RedrawClock.h"

TEST(PingRows, RangeIsSanitisedForTheAltimeterSlots)
{
    const std::pair<int32_t, int32_t> cases[] = {
        {0, 10000}, {-5, 10000}, {120000, 10000}, {119999, 119999}, {45000, 45000}, {1, 1}};
    for (const auto& [range, expected] : cases)
        EXPECT_EQ(SanitisedRange(range), expected) << range;
}

TEST(PingRows, AltimeterSlotStaysInsideTheRow)
{
    const struct {
        float altitude;
        int32_t range, samples, highest, expected;
    } cases[] = {
        {12500.0f, 20000, 1000, kSimpleSlotLimit, 623},    // 625 - 2
        {12500.0f, 50000, 1000, kSimpleSlotLimit, 498},    // doubled above 45000 mm
        {12500.0f, 45000, 900, kNmeaSlotLimit, 248},       // not doubled at 45000 mm
        {0.0f, 10000, 1000, kNmeaSlotLimit, 0},            // -2 becomes 0
        {1000.0f, 10000, 10, kNmeaSlotLimit, 0},           // 1 - 2 becomes 0
        {100000.0f, 10000, 2000, kNmeaSlotLimit, 14982},
        {100000.0f, 10000, 2000, kSimpleSlotLimit, 14992},
        {5000.0f, 10000, -1000, kNmeaSlotLimit, 0},
        {1e30f, 10000, 2000000000, kNmeaSlotLimit, 14982},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AltimeterSlot(c.altitude, c.range, c.samples, c.highest), c.expected)
            << c.altitude << " " << c.range << " " << c.samples;
}

TEST(PingRows, AltimeterMarkers)
{
    std::vector<int32_t> row(kPingHistorySlots, 7);
    WriteNmeaAltimeterRow(row.data(), 100);
    const std::vector<int32_t> nmea = {64, 511, 1000, 1023, 1023, 1000, 1000,
                                       511, 511, 255, 255, 127, 127, 64};
    EXPECT_EQ(std::vector<int32_t>(row.begin() + 100, row.begin() + 114), nmea);
    EXPECT_EQ(row[99], 0);
    EXPECT_EQ(row[114], 0);
    EXPECT_EQ(row[kPingHistorySlots - 1], 0);

    WriteNmeaAltimeterRow(row.data(), 14982);
    EXPECT_EQ(std::vector<int32_t>(row.begin() + 14982, row.begin() + 14996), nmea);
    EXPECT_EQ(row[14996], 0);

    std::fill(row.begin(), row.end(), 0);
    WriteSimpleAltimeterMarker(row.data(), 14992);
    EXPECT_EQ(std::vector<int32_t>(row.begin() + 14992, row.begin() + 14998),
              (std::vector<int32_t>{256, 512, 960, 960, 960, 512}));
    EXPECT_EQ(row[14998], 0);
}

TEST(PingRows, SimpleAltimeterLine)
{
    const std::pair<std::string, float> cases[] = {
        {"12.5\r\n", 12.5f},         {"-3\r\n", 0.0f},  {"150\r\n", 100.0f},
        {"1234567890\n", 100.0f},    // 11 characters: read
        {"12345678901\n", 0.0f},     // 12 characters: ignored
        {"abc\r\n", 0.0f},           {"", 0.0f},        {"\r\n", 0.0f},
        {"1e999\n", 100.0f},
    };
    for (const auto& [line, metres] : cases)
        EXPECT_EQ(SimpleAltimeterMetres(line), metres) << line;
}

TEST(PingRows, SampleLine)
{
    const std::pair<std::string, int32_t> cases[] = {
        {"512\r\n", 512},
        {"-7\r\n", -7},
        {"##DataStart\r\n", 0},
        {"abc\r\n", 0},
        {"", 0},
        {"77" + std::string(75, ' ') + "\r\n", 77},  // 79 characters: read
        {"77" + std::string(76, ' ') + "\r\n", 0},   // 80 characters: stores 0
    };
    for (const auto& [line, value] : cases)
        EXPECT_EQ(SampleValue(line), value) << line.size();
}

TEST(PingRows, SamplesFillOneOrTwoSlotsAndNeverLeaveTheRow)
{
    // One slot more than a row: the guard must never be written.
    std::vector<int32_t> row(kPingHistorySlots + 1, -1);
    EXPECT_EQ(StoreSample(row.data(), 0, 5, 45000), 1);
    EXPECT_EQ(row[0], 5);
    EXPECT_EQ(row[1], -1);
    EXPECT_EQ(StoreSample(row.data(), 1, 6, 45001), 3);
    EXPECT_EQ(row[1], 6);
    EXPECT_EQ(row[2], 6);

    EXPECT_EQ(StoreSample(row.data(), kPingHistorySlots - 1, 8, 50000), kPingHistorySlots);
    EXPECT_EQ(row[kPingHistorySlots - 1], 8);
    EXPECT_EQ(StoreSample(row.data(), kPingHistorySlots, 9, 10000), kPingHistorySlots);
    EXPECT_EQ(row[kPingHistorySlots], -1);
}

TEST(PingRows, GeneratorAltitudeRowsAndCounters)
{
    EXPECT_EQ(GeneratedAltitude(0, 1234, 55.5f), 55.5f);
    EXPECT_EQ(GeneratedAltitude(1, 1234, 55.5f), 234.0f);
    EXPECT_EQ(GeneratedAltitude(2, 1234, 55.5f), 468.0f);
    EXPECT_EQ(GeneratedAltitude(2, 600, 55.5f), 200.0f);
    EXPECT_EQ(GeneratedAltitude(2, 2000000000, 0.0f), 0.0f);

    EXPECT_EQ(PingRow(1234), 234);
    EXPECT_EQ(PingRow(-1), 999);
    EXPECT_EQ(NextPingCount(std::numeric_limits<int32_t>::max()),
              std::numeric_limits<int32_t>::min());
}

TEST(PingRows, BacklogTrimKeepsTheNewestTenBytes)
{
    const struct {
        int32_t head, tail, expected;
    } cases[] = {
        {500, 0, 490},
        {100, 0, 0},       // 100 waiting: left alone
        {101, 0, 91},
        {50, 999950, 999950},
        {60, 999950, 50},  // 110 waiting across the wrap
        {0, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TailAfterBacklogTrim(c.head, c.tail, 1000000), c.expected)
            << c.head << " " << c.tail;
}

TEST(RedrawClock, NeedsTwoWholeSeconds)
{
    const struct {
        int64_t clock, now;
        bool due;
        int64_t after;
    } cases[] = {{0, 100, true, 100}, {100, 100, false, 100}, {100, 101, false, 100},
                 {100, 102, true, 102}};
    for (const auto& c : cases) {
        int64_t clock = c.clock;
        EXPECT_EQ(RedrawDue(c.now, clock), c.due) << c.clock << " " << c.now;
        EXPECT_EQ(clock, c.after);
    }
}
