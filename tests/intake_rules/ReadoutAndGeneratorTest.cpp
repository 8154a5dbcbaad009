// Readout panel texts, the generator patterns, the echo detection and the
// DEBUG text.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/PingHistory.h"
#include "intake/DebugText.h"
#include "intake/ReadoutText.h"
#include "intake/SignalGenerator.h"

namespace {

DeviceParamsRecord SensorParams(int32_t outputMode)
{
    DeviceParamsRecord p;
    p.OutputMode = outputMode;
    p.Ping = 7;
    p.Altitude_mm = 12345.0f;
    p.Range_mm = 20000;
    p.Temperature = 12.5f;
    p.Pitch_deg = 1.5f;
    p.Roll_deg = -0.5f;
    p.VertRotationPos_deg = 2.0f;
    p.NSamples = 1000;
    return p;
}

std::string Readout(const DeviceParamsRecord& p, ReadoutCounters counters = {2048, 0, 1})
{
    ReadoutLines lines;
    FormatReadoutLines(p, counters, lines);
    std::string text;
    JoinReadoutLines(lines, text);
    return text;
}

}  // namespace

TEST(Readout, EachOutputModeShowsItsLines)
{
    const std::string head = "Ping Number\t\t7\nAltiude, m\t\t12.345\n";
    const std::string temperature = "Temperature, C\t\t12.50 \n";
    const std::string attitude = "Pitch, degree\t\t1.5   \nRoll, degree\t\t-0.5  \n";
    const std::string tail = "File Size, KBytes\t\t2.0\n\n";
    const struct {
        int32_t mode;
        std::string expected;
    } cases[] = {
        {1, head + "\n\n\n\n\n" + tail},
        {3, head + temperature + attitude + "\n\n" + tail},
        {2, head + temperature + attitude + "Vert.Orientation\t\t2.0   \n" +
                "Number of Samples\t1000\n" + tail},
        {6, head + temperature + attitude + "Vert.Orientation\t\t2.0   \n" +
                "Number of Samples\t1000\n" + tail},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Readout(SensorParams(c.mode)), c.expected) << c.mode;
}

TEST(Readout, AttitudeSummingToZeroIsNotShown)
{
    DeviceParamsRecord p = SensorParams(2);
    p.Pitch_deg = -2.0f;
    p.Roll_deg = 2.0f;
    p.VertRotationPos_deg = 0.0f;
    EXPECT_EQ(Readout(p), "Ping Number\t\t7\nAltiude, m\t\t12.345\nTemperature, C\t\t12.50 \n"
                          "\n\n\nNumber of Samples\t1000\nFile Size, KBytes\t\t2.0\n\n");
}

TEST(Readout, TheRangeChoosesTheAltitudeUnit)
{
    DeviceParamsRecord p = SensorParams(1);
    p.Altitude_mm = 500.3f;
    p.Range_mm = 999;
    EXPECT_NE(Readout(p).find("\nAltiude, mm\t\t500.3 \n"), std::string::npos);
    p.Range_mm = 1000;
    EXPECT_NE(Readout(p).find("\nAltiude, m\t\t0.500 \n"), std::string::npos);
}

TEST(Readout, PlaybackPosition)
{
    const struct {
        ReadoutCounters counters;
        std::string line;
    } cases[] = {
        {{1410000, 1500000, 0}, "DataFile Position, %\t94\n"},   // exactly 94 %
        {{1410100, 1500000, 0}, "DataFile Position, %\t100\n"},  // small file, above 94 %
        {{1960000, 2000000, 0}, "DataFile Position, %\t98\n"},   // large file: true figure
        {{500000, 2000000, 0}, "DataFile Position, %\t25\n"},
        {{1410100, 1500000, 1}, "\n"},  // connected: no position
        {{1000, 0, 0}, "\n"},           // nothing played
    };
    for (const auto& c : cases) {
        const std::string text = Readout(SensorParams(1), c.counters);
        const size_t sizeLine = text.find("File Size");
        ASSERT_NE(sizeLine, std::string::npos);
        const size_t position = text.find('\n', sizeLine) + 1;
        EXPECT_EQ(text.substr(position), c.line) << c.counters.bytesIn;
    }
}

TEST(Readout, LabelsBeforeTheFirstPing)
{
    ReadoutLines lines;
    SetReadoutLabels(lines);
    std::string text;
    JoinReadoutLines(lines, text);
    EXPECT_EQ(text,
              "Ping Number    \nAltiude, m     \nTemperature, C \nPitch, degree  \n"
              "Roll, degree   \nVertical Orientation \nNumber of Samples    \n"
              "File Size, KBytes    \nDataFile Position\n");
}

class GeneratorRow : public ::testing::Test {
protected:
    std::vector<int32_t> row = std::vector<int32_t>(kPingHistorySlots, 0);
    std::vector<int32_t> Slots(int from, int count) const
    {
        return {row.begin() + from, row.begin() + from + count};
    }
};

TEST_F(GeneratorRow, SyntheticPingDoublesAndCaps)
{
    std::fill(row.begin(), row.end(), 77);
    WriteSyntheticPing(row.data(), 929);  // d = 129
    EXPECT_EQ(row[0], 0);
    EXPECT_EQ(Slots(1, 13), (std::vector<int32_t>{36, 652, 978, 1023, 1023, 1023, 1023, 950,
                                                   330, 60, 8, 4, 2}));
    EXPECT_EQ(row[14], 0);
    EXPECT_EQ(Slots(129 + 14, 2), (std::vector<int32_t>{4, 2}));
    EXPECT_EQ(Slots(129 + 69, 3), (std::vector<int32_t>{998, 1023, 940}));
    EXPECT_EQ(row[129 + 119], 4);
    EXPECT_EQ(row[129 + 120], 0);
    EXPECT_EQ(row[999], 0);
    EXPECT_EQ(row[1000], 77);  // beyond the synthetic ping: untouched

    WriteSyntheticPing(row.data(), 799);  // highest slot written is 918
    EXPECT_EQ(row[918], 4);
}

TEST_F(GeneratorRow, MarkerOverlay)
{
    OverlayTestMarker(row.data(), 5);  // every fifth ping: near slot 120, 5 / 2 = 2
    EXPECT_EQ(row[117], 0);
    EXPECT_EQ(Slots(118, 14), (std::vector<int32_t>{800, 901, 962, 903, 904, 804, 704, 604,
                                                     504, 404, 304, 204, 104, 54}));
    EXPECT_EQ(row[132], 0);

    OverlayTestMarker(row.data(), 27);  // 900 - 7
    EXPECT_EQ(row[892], 0);
    EXPECT_EQ(Slots(893, 13), (std::vector<int32_t>{800, 801, 802, 803, 804, 704, 604, 504,
                                                     404, 304, 204, 104, 54}));
    EXPECT_EQ(row[906], 0);
}

TEST_F(GeneratorRow, DetectionFindsTheBottomEchoAndItsMaximum)
{
    WriteSyntheticPing(row.data(), 929);
    // Range 10000 mm over 1000 slots: 10 mm per slot, search from slot 100.
    const EchoDetection echo = DetectEcho(row.data(), 1000, 50, 10000);
    EXPECT_EQ(echo.altLoc_mm, 10.0f * (129 + 69));
    EXPECT_EQ(echo.maxAm, 99);  // 1023 x 100 / 1024
}

TEST_F(GeneratorRow, DetectionEdgeCases)
{
    WriteSyntheticPing(row.data(), 929);
    const struct {
        const char* what;
        int32_t filled, threshold, range;
        float altLoc;
        int32_t maxAm;
    } cases[] = {
        // 100 mm per slot: the search starts at slot 10, inside the pulse (60).
        {"inside the pulse", 1000, 5, 100000, 1000.0f, 5},
        // Nothing above 1100: altitude 0, the climb runs up the pulse from slot 0.
        {"nothing found", 1000, 110, 10000, 0.0f, 99},
        // The echo lies beyond the received samples.
        {"echo not received", 150, 50, 1500, 0.0f, 99},
        {"no samples", 0, 50, 10000, 0.0f, 0},
        {"no range", 1000, 50, 0, 0.0f, 99},
        {"negative range", 1000, 50, -10000, 0.0f, 99},
    };
    for (const auto& c : cases) {
        const EchoDetection echo = DetectEcho(row.data(), c.filled, c.threshold, c.range);
        EXPECT_EQ(echo.altLoc_mm, c.altLoc) << c.what;
        EXPECT_EQ(echo.maxAm, c.maxAm) << c.what;
    }
}

TEST(DebugText, PiecesInOrder)
{
    DeviceParamsRecord p;
    p.TVG_Mode = 2;
    p.TVG_Gain = 6.5f;
    p.PulseLength_us = 200;
    p.TVG_Slope = 1.0f;
    p.Frequency_Hz = 50000;
    const PingDebugValues values{1001, 1980.0f, 99, 929};
    std::string text;
    for (const std::string& piece : PingDebugPieces(p, values))
        text += piece;
    EXPECT_EQ(text, "\r\nDEBUG [TVG 2 Spher] Gain,dB: 6.5 Tx,uks: 200 NSInBuff: 1001 "
                    "AltLoc,mm: 1980.0 MaxAm: 99 SFreq: 50000 last_ping: 929 ");

    p.TVG_Mode = 7;
    p.TVG_Slope = 1.5f;
    text.clear();
    for (const std::string& piece : PingDebugPieces(p, values))
        text += piece;
    EXPECT_EQ(text, "\r\nDEBUG [TVG:7] Gain,dB: 6.5 Tx,uks: 200 Slope: 1.5 NSInBuff: 1001 "
                    "AltLoc,mm: 1980.0 MaxAm: 99 SFreq: 50000 last_ping: 929 ");
}
