// The header parse into the parameter record, and the NMEA sensor sentences.

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "intake/HeaderFields.h"
#include "intake/SensorSentence.h"

namespace {

struct Parsed {
    DeviceParamsRecord params;
    int32_t dbtSeen = 0;
    HeaderLineKind kind = HeaderLineKind::Unrecognised;
};

Parsed Parse(const std::string& line, DeviceParamsRecord params = {}, int32_t dbtSeen = 0)
{
    Parsed p{params, dbtSeen};
    p.kind = ParseHeaderFields(line, p.params, p.dbtSeen);
    return p;
}

}  // namespace

TEST(HeaderFields, EachKeyReachesItsFieldWithItsConversion)
{
    using P = DeviceParamsRecord;
    const struct {
        const char* line;
        int32_t P::*field;
        int32_t expected;
    } intCases[] = {
        {"#DeviceID 17\r\n", &P::DeviceID, 17},
        {"#Ping 123.9\r\n", &P::Ping, 123},
        {"#Ping\r\n", &P::Ping, 0},
        {"#Ping 3000000000\r\n", &P::Ping, std::numeric_limits<int32_t>::max()},
        {"#NSamples 7500\r\n", &P::NSamples, 7500},
        {"#SoundSpeed 1500\r\n", &P::SoundSpeed, 1500},
        {"#Range,m 45.5\r\n", &P::Range_mm, 45500},
        {"#Range,m 10.0\r\n", &P::Range_mm, 10000},
        {"#Deadzone,m 0.7\r\n", &P::Deadzone_mm, 699},  // 0.7 through single precision
        {"#Offset,m -0.5\r\n", &P::Offset_mm, -500},
        {"#Threshold,% 50\r\n", &P::Threshold, 50},
        {"#PulseLength,uks 200\r\n", &P::PulseLength_us, 200},
        {"#TVG_Mode 2\r\n", &P::TVG_Mode, 2},
        {"#Tx_Frequency,Hz 200000\r\n", &P::Tx_Frequency_Hz, 200000},
        {"#DEBUG_SampleFrequency,Hz 12345\r\n", &P::Frequency_Hz, 12345},
        {"#DEBUG_EchoMaxAmplitude,% 55\r\n", &P::EchoMaxAmplitude, 55},
        {"#DEBUG_EchoMaxAmplitudeLev,mV 300\r\n", &P::EchoMaxAmplitudeLev_mV, 300},
        {"#DEBUG_EchoMaxAmplitudeN 7\r\n", &P::EchoMaxAmplitudeN, 7},
        {"#DEBUG_ZeroLevel 512\r\n", &P::ZeroLevel, 512},
        {"#DEBUG_ADCMaxAmplitude,mV 3300\r\n", &P::ADCMaxAmplitude_mV, 3300},
        {"#DEBUG_RealPulseLength,uks 210\r\n", &P::RealPulseLength_us, 210},
        {"#DEBUG_Voltage,mV 12100\r\n", &P::Voltage_mV, 12100},
        {"#OutputMode 2\r\n", &P::OutputMode, 2},
        {"$PXYZ,1 #Ping 5\r\n", &P::Ping, 5},  // "$" but no sentence: the "#" keys
    };
    for (const auto& c : intCases) {
        const Parsed p = Parse(c.line);
        EXPECT_EQ(p.kind, HeaderLineKind::Taken) << c.line;
        EXPECT_EQ(p.params.*c.field, c.expected) << c.line;
    }
    const struct {
        const char* line;
        float P::*field;
        float expected;
    } floatCases[] = {
        {"#Altitude 12.345\r\n", &P::Altitude_mm, static_cast<float>(12.345f * 1000.0)},
        {"#Temperature 12.5\r\n", &P::Temperature, 12.5f},
        {"#Resolution 0.25\r\n", &P::Resolution, 0.25f},
        {"#Interval,sec 0.2\r\n", &P::Interval_s, 0.2f},
        {"#TVG_Gain 6.5\r\n", &P::TVG_Gain, 6.5f},
        {"#TVG_Slope 1.5\r\n", &P::TVG_Slope, 1.5f},
        {"#Pitch,deg -2.5\r\n", &P::Pitch_deg, -2.5f},
        {"#Roll,deg 1.5\r\n", &P::Roll_deg, 1.5f},
        {"#VertRotationPos,deg 90\r\n", &P::VertRotationPos_deg, 90.0f},
        {"#DEBUG_OneSampleDistance,mm 7.5\r\n", &P::OneSampleDistance_mm, 7.5f},
        {"#TimeWork 12.5\r\n", &P::TimeWork, 12.5f},
    };
    for (const auto& c : floatCases) {
        const Parsed p = Parse(c.line);
        EXPECT_EQ(p.kind, HeaderLineKind::Taken) << c.line;
        EXPECT_EQ(p.params.*c.field, c.expected) << c.line;
    }
}

TEST(HeaderFields, TheFirstKeyInRuleOrderTakesTheLine)
{
    // The transmit frequency is taken before the sampling frequency rule.
    Parsed p = Parse("#Tx_Frequency,Hz 200000\r\n");
    EXPECT_EQ(p.params.Tx_Frequency_Hz, 200000);
    EXPECT_EQ(p.params.Frequency_Hz, 0);

    // The plain echo maximum needs its comma and none of the longer keys.
    p = Parse("#DEBUG_EchoMaxAmplitudeLev,mV 300\r\n");
    EXPECT_EQ(p.params.EchoMaxAmplitude, 0);
    p = Parse("#DEBUG_EchoMaxAmplitude 55\r\n");
    EXPECT_EQ(p.kind, HeaderLineKind::Unrecognised);
    EXPECT_EQ(p.params.EchoMaxAmplitude, 0);

    // "#Ping" comes before "#Altitude".
    p = Parse("#Ping 4 #Altitude 3\r\n");
    EXPECT_EQ(p.params.Ping, 4);
    EXPECT_EQ(p.params.Altitude_mm, 0.0f);
}

TEST(HeaderFields, UnknownLinesChangeNothing)
{
    DeviceParamsRecord before;
    before.Range_mm = 20000;
    before.Ping = 9;
    for (const char* line : {"#Unknown 5\r\n", "hello 5\r\n", "512\r\n", "\r\n"}) {
        const Parsed p = Parse(line, before);
        EXPECT_EQ(p.kind, HeaderLineKind::Unrecognised) << line;
        EXPECT_EQ(std::memcmp(&p.params, &before, sizeof before), 0) << line;
    }
}

TEST(HeaderFields, TimeLinesAreCopiedAndParsedOn)
{
    Parsed p = Parse("#TimeLocal 2024.05.06 10:11:12\r\n");
    EXPECT_EQ(p.kind, HeaderLineKind::Unrecognised);
    EXPECT_STREQ(p.params.TimeLocal, "#TimeLocal 2024.05.06 10:11:12\r\n");

    p = Parse("#TimeWork 12.5\r\n");
    EXPECT_EQ(p.kind, HeaderLineKind::Taken);
    EXPECT_STREQ(p.params.TimeWorkText, "#TimeWork 12.5\r\n");

    // A long line fills the field up to its last byte, which stays NUL; a
    // shorter line afterwards leaves nothing of the longer one behind.
    const std::string longLine = "#TimeUTC " + std::string(90, 'x') + "\r\n";
    p = Parse(longLine);
    EXPECT_EQ(p.params.TimeUTC[63], '\0');
    EXPECT_EQ(std::string(p.params.TimeUTC), longLine.substr(0, 63));
    p = Parse("#TimeUTC 10:00\r\n", p.params);
    EXPECT_STREQ(p.params.TimeUTC, "#TimeUTC 10:00\r\n");
    for (size_t i = std::strlen(p.params.TimeUTC); i < 64; ++i)
        EXPECT_EQ(p.params.TimeUTC[i], '\0') << i;
}

TEST(HeaderFields, DepthSentencesSetAltitudeAndOutputMode)
{
    DeviceParamsRecord echo;
    echo.OutputMode = 2;
    echo.Altitude_mm = 777.0f;

    Parsed p = Parse("$SDDBT,40.7,f,12.4,M,6.8,F*00\r\n", echo);  // checksum not examined
    EXPECT_EQ(p.kind, HeaderLineKind::Taken);
    EXPECT_EQ(p.params.Altitude_mm, static_cast<float>(12.4f * 1000.0));
    EXPECT_EQ(p.params.OutputMode, 3);
    EXPECT_EQ(p.dbtSeen, 1);

    p = Parse("$SDDBT,,f,,M,,F*3A\r\n", echo);  // empty metres field
    EXPECT_EQ(p.kind, HeaderLineKind::Taken);
    EXPECT_EQ(p.params.Altitude_mm, 0.0f);
    EXPECT_EQ(p.params.OutputMode, 3);

    p = Parse("$SDDBT,40.7,12.4,M,6.8,F*3A\r\n", echo);  // no ",f,": declined
    EXPECT_EQ(p.kind, HeaderLineKind::Unrecognised);
    EXPECT_EQ(p.params.Altitude_mm, 777.0f);
    EXPECT_EQ(p.params.OutputMode, 2);
    EXPECT_EQ(p.dbtSeen, 0);

    p = Parse("$SDDPT,3.75,0.0*3A\r\n", echo);  // DPT before any DBT
    EXPECT_EQ(p.params.Altitude_mm, 3750.0f);
    EXPECT_EQ(p.params.OutputMode, 3);

    p = Parse("$SDDPT,3.75,0.0*3A\r\n", echo, 1);  // DPT after a DBT
    EXPECT_EQ(p.kind, HeaderLineKind::Taken);
    EXPECT_EQ(p.params.Altitude_mm, 777.0f);
    EXPECT_EQ(p.params.OutputMode, 3);
}

TEST(HeaderFields, TemperatureAttitudeAndGpsSentences)
{
    Parsed p = Parse("$YXMTW,12.5,C*3A\r\n");
    EXPECT_EQ(p.kind, HeaderLineKind::Taken);
    EXPECT_EQ(p.params.Temperature, 12.5f);
    EXPECT_EQ(p.params.OutputMode, 0);

    p = Parse("$YXXDR,A,-1.5,D,PTCH,A,2.3,D,ROLL*3A\r\n");
    EXPECT_EQ(p.kind, HeaderLineKind::Taken);
    EXPECT_EQ(p.params.Pitch_deg, -1.5f);
    EXPECT_EQ(p.params.Roll_deg, 2.3f);

    for (const char* gps : {"$GPGGA,123519,4807.038,N*47\r\n", "$GPRMC,1*00\r\n",
                            "$GPGLL,1\r\n", "$GPVTG,1\r\n", "$GPGSA,1\r\n", "$GPGSV,1\r\n"})
        EXPECT_EQ(Parse(gps).kind, HeaderLineKind::GpsSentence) << gps;
}

TEST(SensorSentence, LayoutsAreTriedInFixedOrder)
{
    const struct {
        const char* line;
        const char* id;
        bool taken;
        float value;
        float pitch;
        float roll;
    } cases[] = {
        {"$SDDBT,40.7,f,12.4,M,6.8,F*3A\r\n", "DBT", true, 12.4f, 0, 0},
        {"$SDDBT,,f,,M,,F*3A\r\n", "DBT", true, 0.0f, 0, 0},
        {"$SDDBT,40.7,12.4,M*3A\r\n", "DBT", false, 0.0f, 0, 0},
        {"$SDDPT,3.75,0.0*3A\r\n", "DBT", false, 0.0f, 0, 0},  // identifier missing
        {"$SDDPT,3.75,0.0*3A\r\n", "DPT", true, 3.75f, 0, 0},
        {"$SDDPT,,0.0*3A\r\n", "DPT", true, 0.0f, 0, 0},
        {"$YXMTW,12.5,C*3A\r\n", "MTW", true, 12.5f, 0, 0},
        // The ",f," rule comes first whatever identifier is asked for.
        {"$YXMTW,1,f,2,C\r\n", "MTW", true, 2.0f, 0, 0},
        {"$YXXDR,A,-1.5,D,PTCH,A,2.3,D,ROLL*3A\r\n", "YXXDR", true, 2.3f, -1.5f, 2.3f},
        // Pitch without a roll group: the pitch stays, the sentence is declined.
        {"$YXXDR,A,-1.5,D,PTCH*3A\r\n", "YXXDR", false, 0.0f, -1.5f, 0},
        // Whatever stands 6 characters after "XDR," is the pitch.
        {"$YXXDR,C,19.5,C,TEMP,A,1.0,D,PTCH\r\n", "YXXDR", false, 0.0f, 19.5f, 0},
        // "PTCH" at the very start does not count.
        {"PTCH$YXXDR,A,1,D,ROLL\r\n", "YXXDR", false, 0.0f, 0, 0},
        // A sentence cut short: nothing is read beyond its end.
        {"$PTCH,XDR,", "XDR", false, 0.0f, 0, 0},
    };
    for (const auto& c : cases) {
        DeviceParamsRecord params;
        float value = -9.0f;
        EXPECT_EQ(ReadSensorSentence(c.line, c.id, value, params), c.taken) << c.line;
        EXPECT_EQ(value, c.value) << c.line;
        EXPECT_EQ(params.Pitch_deg, c.pitch) << c.line;
        EXPECT_EQ(params.Roll_deg, c.roll) << c.line;
    }
}
