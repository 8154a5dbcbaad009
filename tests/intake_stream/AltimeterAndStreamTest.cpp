// The two altimeter kinds, the readout, the generator, and one stream that
// mixes all three kinds of output.

#include "IntakeFixture.h"
#include "serial/CCommPort.h"
#include "ui/ControlTable.h"

namespace {

const std::vector<int32_t> kNmeaMarker = {64, 511, 1000, 1023, 1023, 1000, 1000,
                                          511, 511, 255, 255, 127, 127, 64};
const std::vector<int32_t> kSimpleMarker = {256, 512, 960, 960, 960, 512};

int32_t NonZeroSlots(const int32_t* row)
{
    return static_cast<int32_t>(std::count_if(row, row + kPingHistorySlots,
                                              [](int32_t v) { return v != 0; }));
}

}  // namespace

TEST_F(IntakeTest, NmeaAltimeterPingsFromDepthSentencesOnly)
{
    dlg.DeviceParams.Range_mm = 20000;
    dlg.DeviceParams.NSamples = 1000;
    const int32_t ping = dlg.last_ping;
    FillRow(ping, 9);
    Feed("$SDDBT,16.4,f,5.0,M,2.7,F*3A\r\n");  // 5000 / 20000 x 1000 = 250
    EXPECT_EQ(dlg.DeviceParams.OutputMode, 3);
    EXPECT_EQ(dlg.last_ping, ping + 1);
    EXPECT_EQ(dlg.DeviceParams.Ping, 1);
    EXPECT_EQ(Slots(ping, 248, 14), kNmeaMarker);
    EXPECT_EQ(NonZeroSlots(Row(ping)), 14);

    // After a DBT, neither DPT nor MTW nor XDR sentences make pings.
    FeedAll({"$SDDPT,7.0,0.0*3A", "$YXMTW,9.5,C*3A", "$YXXDR,A,1.0,D,PTCH,A,2.0,D,ROLL*3A",
             "#Range,m 20"});
    EXPECT_EQ(dlg.last_ping, ping + 1);
    EXPECT_EQ(dlg.DeviceParams.Altitude_mm, 5000.0f);
    EXPECT_EQ(dlg.DeviceParams.Temperature, 9.5f);

    // Before any DBT a DPT sentence is a ping.
    dlg.m_DbtSeen = 0;
    Feed("$SDDPT,2.5,0.0*3A\r\n");
    EXPECT_EQ(dlg.last_ping, ping + 2);
    EXPECT_EQ(Slots(ping + 1, 123, 14), kNmeaMarker);
}

TEST_F(IntakeTest, AltimeterRangeIsSanitisedBeforeTheSlot)
{
    const struct {
        int32_t range, expectedRange, slot;
    } cases[] = {{0, 10000, 498}, {120000, 10000, 498}, {119999, 119999, 80}, {-1, 10000, 498}};
    for (const auto& c : cases) {
        dlg.DeviceParams.Range_mm = c.range;
        dlg.DeviceParams.NSamples = 1000;
        const int32_t ping = dlg.last_ping;
        Feed("$SDDBT,16.4,f,5.0,M,2.7,F*3A\r\n");
        EXPECT_EQ(dlg.DeviceParams.Range_mm, c.expectedRange) << c.range;
        // 5000 / 119999 x 1000 = 41.7, truncated, doubled above 45000 mm: 82, minus 2.
        EXPECT_EQ(Slots(ping, c.slot, 14), kNmeaMarker) << c.range;
    }
}

TEST_F(IntakeTest, SimpleAltimeterLines)
{
    const struct {
        const char* line;
        float altitude;
        int32_t slot;
    } cases[] = {
        {"12.5\r\n", 12500.0f, 623},   // 12500 / 20000 x 1000 - 2
        {"-3\r\n", 0.0f, 0},
        {"150\r\n", 100000.0f, 4998},  // 100 m
        {"12345678901\r\n", 0.0f, 0},  // too long
    };
    for (const auto& c : cases) {
        dlg.DeviceParams.OutputMode = 1;
        dlg.DeviceParams.Range_mm = 20000;
        dlg.DeviceParams.NSamples = 1000;
        const int32_t ping = dlg.last_ping;
        FillRow(ping, 9);
        Feed(c.line);
        EXPECT_EQ(dlg.last_ping, ping + 1) << c.line;
        EXPECT_EQ(dlg.DeviceParams.Altitude_mm, c.altitude) << c.line;
        EXPECT_EQ(Slots(ping, c.slot, 6), kSimpleMarker) << c.line;
        EXPECT_EQ(NonZeroSlots(Row(ping)), 6) << c.line;
    }
    // Lines with "#" or "$" go to the echosounder stream: no ping.
    const int32_t ping = dlg.last_ping;
    FeedAll({"#Range,m 20", "$GPGGA,1"});
    EXPECT_EQ(dlg.last_ping, ping);
}

TEST_F(IntakeTest, SimpleAltimeterTrimsTheInstrumentBacklogWhileConnected)
{
    dlg.DeviceParams.OutputMode = 1;
    g_DeviceChannel.m_nQueueTail = 0;
    g_DeviceChannel.m_nQueueHead = 500;
    Feed("12.5\r\n");
    EXPECT_EQ(g_DeviceChannel.m_nQueueTail.load(), 490);
    EXPECT_EQ(g_DeviceChannel.m_nQueueHead.load(), 500);

    // Not connected (playback): the ring is left alone.
    dlg.m_Connected = 0;
    g_DeviceChannel.m_nQueueTail = 0;
    Feed("12.5\r\n");
    EXPECT_EQ(g_DeviceChannel.m_nQueueTail.load(), 0);
    g_DeviceChannel.m_nQueueHead = 0;
}

TEST_F(IntakeTest, GeneratorReplacesAltitudesAndPings)
{
    // Altimeter pings: the altitude comes from the ping counter.
    dlg.DeviceParams.OutputMode = 1;
    dlg.FlagGenerateTestSignal = 1;
    dlg.last_ping = 1234;
    Feed("50\r\n");
    EXPECT_EQ(dlg.DeviceParams.Altitude_mm, 234.0f);
    dlg.FlagGenerateTestSignal = 2;
    Feed("50\r\n");
    EXPECT_EQ(dlg.DeviceParams.Altitude_mm, 470.0f);  // 2 x 1235 mod 1000

    // Echosounder ping in mode 2: the synthetic ping and its detection.
    dlg.DeviceParams.OutputMode = 2;
    dlg.last_ping = 929;  // echo train at slot 129 + 69
    FeedAll({"#Threshold,% 50", "#Range,m 10", "##DataStart"});
    for (int i = 0; i < 999; ++i)
        Feed("0\r\n");
    Feed("##DataEnd\r\n");
    EXPECT_EQ(dlg.m_LastPingSamples, 1000);
    EXPECT_EQ(Slots(929, 198, 3), (std::vector<int32_t>{998, 1023, 940}));
    EXPECT_EQ(dlg.AltLoc, 1980.0f);
    EXPECT_EQ(dlg.MaxAm, 99);
    EXPECT_EQ(dlg.DeviceParams.Altitude_mm, 1980.0f);
    EXPECT_EQ(dlg.DeviceParams.EchoMaxAmplitude, 99);

    // Mode 1 on ping 5: the marker near slot 120 over the received samples.
    dlg.FlagGenerateTestSignal = 1;
    dlg.last_ping = 5;
    FeedAll({"#Range,m 10", "##DataStart", "1", "##DataEnd"});
    EXPECT_EQ(Slots(5, 118, 3), (std::vector<int32_t>{800, 901, 962}));
    EXPECT_EQ(Row(5)[1], 1);
}

TEST_F(IntakeTest, StreamWithAllThreeKindsOfOutput)
{
    const int32_t start = dlg.last_ping;
    for (int k = 0; k < 5; ++k)
        FillRow(start + k, 9);
    dlg.m_BytesIn = 4096;

    // Two echosounder pings, the second above 45000 mm.
    FeedAll({"#DeviceID 17", "#Ping 1", "#Range,m 10", "#NSamples 5", "#Temperature 11.5",
             "#TVG_Mode 1", "#OutputMode 2", "#TimeLocal 2024.05.06 10:11:12", "##DataStart",
             "10", "20", "30", "40", "50", "##DataEnd"});
    FeedAll({"#DeviceID 17", "#Ping 2", "#Range,m 50", "#NSamples 2", "##DataStart", "7", "8",
             "##DataEnd"});
    // The instrument switches to NMEA sentences, then to plain altitudes.
    FeedAll({"#Range,m 20", "#NSamples 1000", "$SDDBT,16.4,f,5.0,M,2.7,F*3A", "$YXMTW,9.5,C*3A",
             "$SDDPT,7.0,0.0*3A", "#OutputMode 1", "12.5", "-3"});

    EXPECT_EQ(dlg.last_ping, start + 5);
    EXPECT_EQ(Slots(start, 0, 7), (std::vector<int32_t>{0, 10, 20, 30, 40, 50, 9}));
    EXPECT_EQ(Slots(start + 1, 0, 7), (std::vector<int32_t>{0, 0, 7, 7, 8, 8, 9}));
    EXPECT_EQ(Slots(start + 2, 248, 14), kNmeaMarker);
    EXPECT_EQ(NonZeroSlots(Row(start + 2)), 14);
    EXPECT_EQ(Slots(start + 3, 623, 6), kSimpleMarker);
    EXPECT_EQ(Slots(start + 4, 0, 6), kSimpleMarker);
    EXPECT_EQ(NonZeroSlots(Row(start + 4)), 6);

    const DeviceParamsRecord& p = dlg.DeviceParams;
    EXPECT_EQ(p.Ping, 5);  // header 2, then one NMEA and two simple pings
    EXPECT_EQ(p.DeviceID, 17);
    EXPECT_EQ(p.Range_mm, 20000);
    EXPECT_EQ(p.NSamples, 1000);
    EXPECT_EQ(p.OutputMode, 1);
    EXPECT_EQ(p.Altitude_mm, 0.0f);
    EXPECT_EQ(p.Temperature, 9.5f);
    EXPECT_EQ(p.TVG_Mode, 1);
    EXPECT_STREQ(p.TimeLocal, "#TimeLocal 2024.05.06 10:11:12\r\n");
    EXPECT_EQ(dlg.m_DbtSeen, 1);
    EXPECT_EQ(dlg.m_LastPingSamples, 6);

    EXPECT_EQ(dlg.ControlText(Id::SensorsPanel),
              "Ping Number\t\t5\nAltiude, m\t\t0.000 \n\n\n\n\n\nFile Size, KBytes\t\t4.0\n\n");
}

TEST_F(IntakeTest, GpsSentencesReachTheGpsPanel)
{
    EXPECT_EQ(dlg.ParseHeaderLine("$GPGGA,123519,4807.038,N\r\n"), 1);
    EXPECT_NE(dlg.ControlText(Id::GpsPanel).find("$GPGGA,123519,4807.038,N"), std::string::npos);
}

TEST_F(IntakeTest, ReadoutLabelsAtStartUp)
{
    dlg.ShowReadoutLabels();
    EXPECT_EQ(dlg.ControlText(Id::SensorsPanel),
              "Ping Number    \nAltiude, m     \nTemperature, C \nPitch, degree  \n"
              "Roll, degree   \nVertical Orientation \nNumber of Samples    \n"
              "File Size, KBytes    \nDataFile Position\n");
}
