// The bytes of one ping in every output mode, read back the way the control
// program reads them: key, first blank, number.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "Instrument.h"
#include "Nmea.h"
#include "PingFormatter.h"
#include "support/TextLines.h"

using sim::InstrumentParams;

namespace {

// The value after the first blank following `key` in the first line that
// holds the key; NAN when no line holds it.
double HeaderValue(const std::string& ping, const char* key)
{
    for (const std::string& line : SplitLines(ping)) {
        const size_t at = line.find(key);
        if (at == std::string::npos)
            continue;
        const size_t blank = line.find(' ', at);
        return blank == std::string::npos ? 0.0 : std::strtof(line.c_str() + blank + 1, nullptr);
    }
    return NAN;
}

sim::PingFrame Frame(InstrumentParams p, uint64_t ping = 42, double t = 30)
{
    static const sim::Scene scene(17);
    return sim::BuildFrame(scene, p, ping, t, 1717200000.0);
}

}  // namespace

TEST(SimPing, EchosounderHeaderCarriesEveryKeyWithTheSettings)
{
    InstrumentParams p;
    p.range_mm = 30000;
    p.interval_s = 0.25;
    p.threshold = 20;
    p.offset_mm = -40;
    p.deadzone_mm = 500;
    p.txlength_us = 50;
    p.tvgMode = 2;
    p.gain_db = 6;
    p.tvgSlope = 1.5;
    const sim::PingFrame f = Frame(p);
    const std::string ping = sim::FormatEchosounderPing(f);

    struct Expect {
        const char* key;
        double value;
    } expected[] = {
        {"#DeviceID", 1234}, {"#Ping", 42}, {"#OutputMode", 2}, {"#Range,m", 30.0},
        {"#Interval,sec", 0.25}, {"#Threshold,%", 20}, {"#Offset,m", -0.04}, {"#Deadzone,m", 0.5},
        {"#PulseLength,uks", 50}, {"#TVG_Mode", 2}, {"#TVG_Gain", 6.0}, {"#TVG_Slope", 1.5},
        {"#NSamples", 4000}, {"#Resolution", 7.5}, {"#Tx_Frequency,Hz", 200000}, {"Frequency,Hz", 200000},
        {"#SoundSpeed", 1500}, {"#TimeWork", 30.0}, {"#DEBUG_OneSampleDistance,mm", 7.5},
        {"#SampleFrequency,Hz", 100000}, {"#VertRotationPos,deg", 0},
    };
    for (const Expect& e : expected)
        EXPECT_NEAR(HeaderValue(ping, e.key), e.value, 1e-4) << e.key;
    for (const char* key : {"#TimeLocal", "#TimeUTC", "#Altitude", "#Temperature", "#Pitch,deg", "#Roll,deg",
                            "#DEBUG_ZeroLevel", "#DEBUG_ADCMaxAmplitude,mV", "#DEBUG_RealPulseLength,uks",
                            "#DEBUG_Voltage,mV", "#DEBUG_EchoMaxAmplitude,", "#DEBUG_EchoMaxAmplitudeLev,mV",
                            "#DEBUG_EchoMaxAmplitudeN"})
        EXPECT_FALSE(std::isnan(HeaderValue(ping, key))) << key;
    EXPECT_NEAR(HeaderValue(ping, "#Altitude"), f.detection.altitude_m, 1e-3);
    EXPECT_NE(ping.find("#TimeUTC    20240601 00:00:30.00\r\n"), std::string::npos);

    // "#DeviceID" opens the ping and "#Range" comes before the data, which
    // is one number per line between the two markers.
    const std::vector<std::string> lines = SplitLines(ping);
    EXPECT_EQ(lines.front(), "#DeviceID 1234\r\n");
    size_t start = 0, end = 0, range = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == "##DataStart\r\n") start = i;
        if (lines[i] == "##DataEnd\r\n") end = i;
        if (lines[i].rfind("#Range,m ", 0) == 0) range = i;
        EXPECT_EQ(lines[i].substr(lines[i].size() - 2), "\r\n");
    }
    EXPECT_LT(range, start);
    ASSERT_EQ(end - start - 1, 4000u);
    for (size_t i = start + 1; i < end; ++i) {
        const int v = std::atoi(lines[i].c_str());
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 1023);
        ASSERT_EQ(lines[i], std::to_string(v) + "\r\n");
    }
}

TEST(SimPing, SampleCountsOfTheEchosounderModes)
{
    struct Case {
        int mode, range_mm;
        size_t samples;
        double resolution;
    } cases[] = {
        {2, 20000, 2666, 7.5}, {2, 45000, 6000, 7.5},  {2, 45001, 3000, 15.0}, {2, 100000, 6666, 15.0},
        {4, 20000, 200, 100.0}, {5, 20000, 500, 40.0}, {6, 20000, 1000, 20.0}, {6, 100000, 1000, 100.0},
    };
    for (const Case& c : cases) {
        InstrumentParams p;
        p.outputMode = c.mode;
        p.range_mm = c.range_mm;
        const std::string ping = sim::FormatPing(Frame(p));
        EXPECT_EQ(HeaderValue(ping, "#NSamples"), static_cast<double>(c.samples)) << c.mode << " " << c.range_mm;
        EXPECT_NEAR(HeaderValue(ping, "#Resolution"), c.resolution, 1e-3) << c.mode << " " << c.range_mm;
        const size_t lines = SplitLines(ping).size();
        EXPECT_EQ(lines, c.samples + 35) << c.mode << " " << c.range_mm;
    }
}

TEST(SimPing, NmeaAltimeterSentences)
{
    InstrumentParams p;
    p.outputMode = 3;
    p.offset_mm = 0;
    const sim::PingFrame f = Frame(p);
    const std::vector<std::string> lines = SplitLines(sim::FormatPing(f));
    ASSERT_EQ(lines.size(), 4u);
    for (const std::string& l : lines)
        EXPECT_TRUE(sim::NmeaChecksumValid(l)) << l;
    const double m = f.detection.altitude_m;
    ASSERT_GT(m, 5.0);
    // DBT: the metres follow ",f,".
    EXPECT_EQ(lines[0].rfind("$SDDBT,", 0), 0u);
    EXPECT_NEAR(std::strtod(lines[0].c_str() + lines[0].find(",f,") + 3, nullptr), m, 0.006);
    // DPT and MTW: their first field starts 4 characters after the identifier.
    EXPECT_NEAR(std::strtod(lines[1].c_str() + lines[1].find("DPT") + 4, nullptr), m, 0.006);
    EXPECT_NEAR(std::strtod(lines[2].c_str() + lines[2].find("MTW") + 4, nullptr), f.temperature, 0.06);
    // XDR: pitch 6 characters after "XDR,", roll 7 after "PTCH,".
    const std::string& x = lines[3];
    ASSERT_EQ(x.rfind("$YXXDR,", 0), 0u);
    EXPECT_NEAR(std::strtod(x.c_str() + x.find("XDR,") + 6, nullptr), f.attitude.pitch_deg, 0.06);
    EXPECT_NEAR(std::strtod(x.c_str() + x.find("PTCH,") + 7, nullptr), f.attitude.roll_deg, 0.06);
    EXPECT_NE(x.find("ROLL"), std::string::npos);
}

TEST(SimPing, SimpleAltitudeLine)
{
    InstrumentParams p;
    p.outputMode = 1;
    const sim::PingFrame f = Frame(p);
    const std::string line = sim::FormatPing(f);
    EXPECT_LE(line.size(), 11u);  // the program reads lines up to 11 characters
    EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
    EXPECT_NEAR(std::strtod(line.c_str(), nullptr), f.detection.altitude_m, 0.0006);
    EXPECT_EQ(line.find_first_of("$#"), std::string::npos);
}

TEST(SimPing, FaultsAroundAndInsidePings)
{
    sim::SimOptions o;
    o.interval_s = 0.2;
    o.garbageEvery = 2;
    o.overlongEvery = 3;
    o.truncateEvery = 5;
    sim::Instrument inst(o, 9, 1717200000.0);
    for (uint64_t k = 1; k <= 6; ++k) {
        const std::string bytes = inst.NextPing();
        const size_t device = bytes.find("#DeviceID");
        ASSERT_NE(device, std::string::npos) << k;
        const std::string before = bytes.substr(0, device);
        const std::vector<std::string> extra = SplitLines(before);
        size_t garbage = 0, overlong = 0;
        for (const std::string& l : extra) {
            if (l.size() > 1000) ++overlong;
            else ++garbage;
            EXPECT_EQ(l.substr(l.size() - 2), "\r\n");
        }
        EXPECT_EQ(garbage, k % 2 == 0 ? 1u : 0u) << k;
        EXPECT_EQ(overlong, k % 3 == 0 ? 1u : 0u) << k;
        EXPECT_EQ(bytes.find("##DataEnd") == std::string::npos, k == 5) << k;
        EXPECT_NE(bytes.find("##DataStart"), std::string::npos);
    }
}

TEST(SimPing, SeededInstrumentsRepeatTheirBytes)
{
    sim::SimOptions o;
    o.garbageEvery = 2;
    sim::Instrument a(o, 5, 1717200000.0), b(o, 5, 1717200000.0), c(o, 6, 1717200000.0);
    std::string sa, sb, sc;
    for (int i = 0; i < 4; ++i) {
        sa += a.NextPing();
        sb += b.NextPing();
        sc += c.NextPing();
    }
    EXPECT_EQ(sa, sb);
    EXPECT_NE(sa, sc);
}

TEST(SimPing, AppliedSettingsAppearInTheNextHeader)
{
    sim::SimOptions o;
    sim::Instrument inst(o, 1, 1717200000.0);
    inst.NextPing();
    inst.Receive("#\r#\r\r#range 30000\r#gain 6.0\r#output 6\r  \r#go\r");
    const std::string ping = inst.NextPing();
    EXPECT_EQ(HeaderValue(ping, "#Range,m"), 30.0);
    EXPECT_EQ(HeaderValue(ping, "#TVG_Gain"), 6.0);
    EXPECT_EQ(HeaderValue(ping, "#OutputMode"), 6.0);
    EXPECT_EQ(HeaderValue(ping, "#NSamples"), 1000.0);
    EXPECT_EQ(HeaderValue(ping, "#Ping"), 2.0);
}
