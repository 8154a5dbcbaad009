// The echosounder stream: header, samples, end of ping.

#include <QTimer>

#include <ctime>

#include "IntakeFixture.h"
#include "ui/ControlTable.h"

TEST_F(IntakeTest, NothingHappensWithoutAReadyLine)
{
    std::strcpy(dlg.m_LineBuf, "#Range,m 5\r\n");
    dlg.m_LineLen = 12;
    dlg.m_LineReady = 0;
    dlg.ProcessLine();
    EXPECT_EQ(dlg.DeviceParams.Range_mm, 0);
    EXPECT_EQ(dlg.m_LineBuf[0], '#');
}

TEST_F(IntakeTest, ConsumesTheLineBuffer)
{
    Feed("#Range,m 5\r\n");
    EXPECT_EQ(dlg.m_LineReady, 0);
    EXPECT_EQ(dlg.m_LineBuf[0], '\0');
    EXPECT_EQ(dlg.DeviceParams.Range_mm, 5000);
}

TEST_F(IntakeTest, SamplesBetweenDataStartAndDataEnd)
{
    const std::string digits79 = "77" + std::string(75, ' ');  // 79 with CR LF
    const std::string digits80 = "77" + std::string(76, ' ');  // 80 with CR LF
    const struct {
        const char* what;
        const char* range;
        std::vector<std::string> samples;
        std::vector<int32_t> expectedSlots;
    } cases[] = {
        {"empty ping", "10", {}, {0}},
        {"empty ping, doubled", "50", {}, {0, 0}},
        {"45000 mm: once", "45", {"5", "6"}, {0, 5, 6}},
        {"45001 mm: twice", "45.002",  // 45.001 would give 45000 in single precision
         {"5", "6"}, {0, 0, 5, 5, 6, 6}},
        {"79 characters, 80 characters, no number", "10",
         {digits79, digits80, "abc", "", "-12"}, {0, 77, 0, 0, 0, -12}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int32_t ping = dlg.last_ping;
        FillRow(ping, 9);
        FeedAll({"#DeviceID 17", std::string("#Range,m ") + c.range, "##DataStart"});
        for (const std::string& sample : c.samples)
            Feed(sample + "\r\n");
        Feed("##DataEnd\r\n");
        EXPECT_EQ(dlg.last_ping, ping + 1);
        EXPECT_EQ(dlg.m_PingState, 0);
        const int n = static_cast<int>(c.expectedSlots.size());
        EXPECT_EQ(dlg.m_LastPingSamples, n);
        EXPECT_EQ(Slots(ping, 0, n), c.expectedSlots);
        // The row is not cleared: the slot after the ping keeps its value.
        EXPECT_EQ(Row(ping)[n], 9);
    }
}

TEST_F(IntakeTest, ARangeLineInsideTheSamplesEndsThemWithoutAPing)
{
    const int32_t ping = dlg.last_ping;
    FillRow(ping, 9);
    FeedAll({"#Range,m 10", "##DataStart", "5", "#Range,m 10", "6", "##DataEnd"});
    EXPECT_EQ(dlg.last_ping, ping);
    EXPECT_EQ(dlg.m_PingState, 1);
    EXPECT_EQ(Slots(ping, 0, 3), (std::vector<int32_t>{0, 5, 9}));

    // DataStart without a Range line before it starts no ping either.
    dlg.m_PingState = 0;
    FeedAll({"##DataStart", "5", "##DataEnd"});
    EXPECT_EQ(dlg.last_ping, ping);
}

TEST_F(IntakeTest, SamplesBeyondTheRowAreDropped)
{
    const int32_t ping = dlg.last_ping;
    FillRow(ping + 1, 9);
    FeedAll({"#Range,m 50", "##DataStart"});
    for (int i = 0; i < 7600; ++i)
        Feed("300\r\n");
    Feed("##DataEnd\r\n");
    EXPECT_EQ(dlg.m_LastPingSamples, kPingHistorySlots);
    EXPECT_EQ(Row(ping)[kPingHistorySlots - 1], 300);
    EXPECT_EQ(Row(ping + 1)[0], 9);
    EXPECT_EQ(dlg.last_ping, ping + 1);
}

TEST_F(IntakeTest, AFullLengthLineIsReadUpTo999Bytes)
{
    FeedAll({"#Range,m 10", "##DataStart"});
    Feed(std::string(999, ' ') + "\n");  // 1000 bytes, no NUL after it
    Feed("##DataEnd\r\n");
    EXPECT_EQ(dlg.m_LastPingSamples, 2);
    EXPECT_EQ(Row(dlg.last_ping - 1)[1], 0);
}

TEST_F(IntakeTest, RereadRequestShowsTheFirstCompleteHeader)
{
    dlg.EnableParameterControls(false);
    dlg.m_RereadPending = 1;
    FeedAll({"#DeviceID 17", "#Range,m 10"});
    EXPECT_EQ(dlg.m_RereadPending, 1);
    EXPECT_EQ(dlg.m_HeaderState, 1);
    Feed("##DataStart\r\n");
    EXPECT_EQ(dlg.m_RereadPending, 0);
    EXPECT_EQ(dlg.m_HeaderState, 0);
    EXPECT_TRUE(dlg.Control(Id::Apply)->isEnabled());
    EXPECT_EQ(dlg.m_ProgressMax, 20);
    Feed("##DataEnd\r\n");
}

TEST_F(IntakeTest, DataStartShowsTheDeviceNumber)
{
    FeedAll({"#DeviceID 17", "#Range,m 10", "##DataStart"});
    EXPECT_EQ(dlg.ControlText(Id::DeviceLabel), " Device: PelaGrix ID0017");
    Feed("##DataEnd\r\n");
}

TEST_F(IntakeTest, PlaybackShowsTheTvgModeOnEveryFifthHeaderPing)
{
    dlg.m_Connected = 0;
    dlg.SetControlText(Id::TvgMode, "unchanged");
    const struct {
        int ping;
        const char* mode;
        const char* expected;
    } cases[] = {
        {4, "1", "unchanged"},     {5, "1", "Mode 1 Theor"}, {10, "0", "Mode 0 R    "},
        {15, "2", "Mode 2 Spher"}, {20, "3", "Mode 3 Flat "}, {21, "0", "Mode 3 Flat "},
        {25, "7", "Mode 3 Flat "},  // unknown mode: text left alone
    };
    for (const auto& c : cases) {
        FeedAll({"#Ping " + std::to_string(c.ping), std::string("#TVG_Mode ") + c.mode,
                 "#Range,m 10", "##DataStart", "##DataEnd"});
        EXPECT_EQ(dlg.ControlText(Id::TvgMode), c.expected) << c.ping;
    }
}

TEST_F(IntakeTest, StepModeHoldsThePingUntilStepIsPressed)
{
    dlg.m_Connected = 0;
    dlg.m_StepMode = 1;
    dlg.m_LastRedrawEcho = 12345;
    bool released = false;
    QTimer::singleShot(100, &dlg, [&] {
        released = true;
        dlg.m_StepRequest = 1;
    });
    FeedAll({"#Range,m 10", "##DataStart", "##DataEnd"});
    EXPECT_TRUE(released);
    EXPECT_EQ(dlg.m_StepRequest, 0);
    EXPECT_EQ(dlg.m_LastRedrawEcho, 0);  // the next ping redraws at once

    // STOP ends the wait as well.
    QTimer::singleShot(50, &dlg, [&] { dlg.m_StopRequest = 1; });
    FeedAll({"#Range,m 10", "##DataStart", "##DataEnd"});
    EXPECT_EQ(dlg.m_StopRequest, 1);
}

TEST_F(IntakeTest, DebugModeAppendsThePingSummary)
{
    dlg.FlagShowDebugButtons = 1;
    dlg.AltLoc = 0.0f;
    dlg.MaxAm = 0;
    const int32_t ping = dlg.last_ping;
    FeedAll({"#TVG_Mode 1", "#TVG_Gain 6", "#TVG_Slope 1", "#PulseLength,uks 200",
             "#DEBUG_SampleFrequency,Hz 50000", "#Range,m 10", "##DataStart", "3", "##DataEnd"});
    const std::string expected =
        "\r\nDEBUG [TVG 1 Theor] Gain,dB: 6.0 Tx,uks: 200 NSInBuff: 2 AltLoc,mm: 0.0 "
        "MaxAm: 0 SFreq: 50000 last_ping: " +
        std::to_string(ping) + " ";
    EXPECT_NE(dlg.ConsoleText().find(expected), std::string::npos) << dlg.ConsoleText();
}

TEST_F(IntakeTest, LiveRedrawsAtMostOncePerTwoSeconds)
{
    dlg.m_LastRedrawEcho = 0;
    const int64_t before = static_cast<int64_t>(std::time(nullptr));
    FeedAll({"#Range,m 10", "##DataStart", "##DataEnd"});
    EXPECT_GE(dlg.m_LastRedrawEcho, before);  // first ping: redrawn, clock set

    // Redrawn this second: not due again, even if the next second begins
    // while the pings run.
    const int64_t recent = static_cast<int64_t>(std::time(nullptr));
    dlg.m_LastRedrawEcho = recent;
    dlg.m_LastRedrawNmea = recent;
    FeedAll({"#Range,m 10", "##DataStart", "##DataEnd"});
    Feed("$SDDBT,16.4,f,5.0,M,2.7,F*3A\r\n");
    EXPECT_EQ(dlg.m_LastRedrawEcho, recent);
    EXPECT_EQ(dlg.m_LastRedrawNmea, recent);
}
