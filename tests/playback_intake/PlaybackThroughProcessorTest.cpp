// Playback through the real ping stream processor and log writers: the last
// line of a file, step mode, the "Test" button, and the round trip of pings
// logged live and played back with a report file.

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <vector>

#include "app/PingHistory.h"
#include "../playback/PlaybackHarness.h"

namespace {

CVessaDlg& Dlg() { return StartedMainWindow(); }
ScriptedDialogs& Dialogs() { return StartedDialogs(); }

struct PingSpec {
    int ping;
    float rangeM;
    int tvgMode;
    float slope;
    float gain;
    float altitudeM;
    int maxAmplitude;
    std::vector<int> samples;
};

// One echosounder ping as the instrument sends it.
std::string PingText(const PingSpec& p)
{
    char head[512];
    std::snprintf(head, sizeof head,
                  "#DeviceID 17\r\n#Ping %d\r\n#Range,m %.1f\r\n#NSamples %zu\r\n"
                  "#Threshold,%% 50\r\n#PulseLength,uks 40\r\n#TVG_Mode %d\r\n#TVG_Slope %.1f\r\n"
                  "#TVG_Gain %.1f\r\n#Altitude %.3f\r\n#Temperature 11.5\r\n"
                  "#DEBUG_EchoMaxAmplitude,%% %d\r\n##DataStart\r\n",
                  p.ping, p.rangeM, p.samples.size(), p.tvgMode, p.slope, p.gain, p.altitudeM,
                  p.maxAmplitude);
    std::string text = head;
    for (int v : p.samples)
        text += std::to_string(v) + "\r\n";
    return text + "##DataEnd\r\n";
}

std::vector<PingSpec> SomePings(int count, int firstPing)
{
    std::vector<PingSpec> pings;
    for (int i = 0; i < count; ++i) {
        PingSpec p{firstPing + i,
                   i % 4 == 3 ? 50.0f : 10.0f,  // every fourth ping stores each sample twice
                   i % 4,
                   1.0f + 0.5f * static_cast<float>(i % 3),
                   10.0f + 2.5f * static_cast<float>(i),
                   3.25f * static_cast<float>(i + 1),
                   (i * 13) % 100,
                   {}};
        for (int k = 0; k < 40 + i; ++k)
            p.samples.push_back((i * 37 + k * 53) % 1024);
        pings.push_back(p);
    }
    return pings;
}

// Hands one line to the processor as the live line assembly does.
void FeedLine(CVessaDlg& dlg, const std::string& line)
{
    ASSERT_LT(line.size(), sizeof dlg.m_LineBuf);
    std::memcpy(dlg.m_LineBuf, line.data(), line.size());
    dlg.m_LineBuf[line.size()] = '\0';
    dlg.m_LineLen = static_cast<int32_t>(line.size());
    dlg.m_LineReady = 1;
    dlg.ProcessLine();
}

void FeedText(CVessaDlg& dlg, const std::string& text)
{
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        ASSERT_NE(end, std::string::npos);
        FeedLine(dlg, text.substr(start, end - start + 1));
        start = end + 1;
    }
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

void ResetPingStream(CVessaDlg& dlg)
{
    dlg.m_PingState = 0;
    dlg.m_StepMode = 0;
    dlg.m_StepRequest = 0;
    dlg.FlagGenerateTestSignal = 0;
    dlg.DeviceParams.OutputMode = 0;
}

}  // namespace

TEST(PlaybackThroughProcessor, TheLastLineReachesTheProcessorOnlyWithItsLineFeed)
{
    struct Case {
        const char* name;
        bool lastLineFeed;
        int pingsCompleted;
    };
    const Case cases[] = {{"with LF", true, 2}, {"without LF", false, 1}};
    TempFolder folder;
    for (const Case& c : cases) {
        CVessaDlg& dlg = Dlg();
        ResetPingStream(dlg);
        std::string text;
        for (const PingSpec& p : SomePings(2, 1))
            text += PingText(p);
        if (!c.lastLineFeed)
            text.pop_back();  // "##DataEnd\r" stays in the line buffer
        const std::string path = folder.File("last.LOG");
        WriteBytes(path, text);
        const int32_t before = dlg.last_ping;

        ChooseAndPlay(dlg, Dialogs(), path);

        EXPECT_EQ(dlg.last_ping - before, c.pingsCompleted) << c.name;
        EXPECT_EQ(dlg.m_BytesIn, static_cast<int32_t>(text.size())) << c.name;
    }
}

TEST(PlaybackThroughProcessor, StepHaltsAfterEachPingAndReleasesOnePingPerPress)
{
    CVessaDlg& dlg = Dlg();
    ResetPingStream(dlg);
    TempFolder folder;
    std::string text;
    for (const PingSpec& p : SomePings(8, 1))
        text += PingText(p);
    const std::string path = folder.File("step.LOG");
    WriteBytes(path, text);
    const int32_t start = dlg.last_ping;

    // STEP before the first ping: that ping and the next pass, then the
    // processor halts; every further press lets exactly one more ping pass.
    dlg.OnStep();
    std::vector<int32_t> halts;
    int32_t lastSeen = -1;
    int steadyTicks = 0;
    Probe probe(10, [&] {
        if (dlg.m_PlaybackRunning != 1)
            return;
        if (dlg.last_ping != lastSeen) {
            lastSeen = dlg.last_ping;
            steadyTicks = 0;
            return;
        }
        if (++steadyTicks < 20 || dlg.m_StepRequest != 0)
            return;
        steadyTicks = 0;
        halts.push_back(dlg.last_ping - start);
        if (halts.size() < 4)
            dlg.OnStep();
        else
            dlg.OnPlay();
    });

    ChooseAndPlay(dlg, Dialogs(), path);

    EXPECT_EQ(halts, (std::vector<int32_t>{2, 3, 4, 5}));
    EXPECT_EQ(dlg.last_ping - start, 8);
    EXPECT_EQ(dlg.m_StepMode, 0);
}

TEST(PlaybackThroughProcessor, StopReleasesTheStepWaitAndEndsThePlayback)
{
    CVessaDlg& dlg = Dlg();
    ResetPingStream(dlg);
    TempFolder folder;
    std::string text;
    for (const PingSpec& p : SomePings(6, 1))
        text += PingText(p);
    const std::string path = folder.File("step-stop.LOG");
    WriteBytes(path, text);
    const int32_t start = dlg.last_ping;
    dlg.OnStep();
    bool stopped = false;
    Probe probe(10, [&] {
        if (dlg.m_PlaybackRunning == 1 && !stopped && dlg.last_ping - start == 2 &&
            dlg.m_StepRequest == 0) {
            stopped = true;
            dlg.OnStop();
        }
    });

    ChooseAndPlay(dlg, Dialogs(), path);

    EXPECT_TRUE(stopped);
    EXPECT_EQ(dlg.last_ping - start, 2);
    EXPECT_LT(dlg.m_BytesIn, static_cast<int32_t>(text.size()));
    EXPECT_TRUE(InEndedState(dlg));
    dlg.OnPlay();
}

// A data log recorded through the logging code from pings taken in live,
// played back end to end: the same rows, the same header values and one
// report line per "##DataStart", checked line by line.
TEST(PlaybackThroughProcessor, LoggedPingsPlayBackToTheSameRowsValuesAndReport)
{
    CVessaDlg& dlg = Dlg();
    ResetPingStream(dlg);
    TempFolder folder;
    const std::vector<PingSpec> pings = SomePings(12, 41);

    // Live: logging active while connected, every line through the processor.
    dlg.SetControlText(Id::DataFolder, folder.Path() + "/");
    dlg.OpenLogAtConnect();
    ASSERT_EQ(dlg.m_LogOpen, 1);
    ASSERT_EQ(dlg.m_LogActive, 1);
    const std::string logPath = dlg.m_LogPath;
    dlg.m_Connected = 1;
    const int32_t liveStart = dlg.last_ping;
    for (const PingSpec& p : pings)
        FeedText(dlg, PingText(p));
    dlg.m_Connected = 0;
    ASSERT_EQ(dlg.last_ping - liveStart, static_cast<int32_t>(pings.size()));
    const DeviceParamsRecord liveParams = dlg.DeviceParams;
    std::vector<std::vector<int32_t>> liveRows;
    for (size_t i = 0; i < pings.size(); ++i) {
        const size_t filled = (1 + pings[i].samples.size()) * (pings[i].rangeM > 45 ? 2 : 1);
        const int32_t* row = PingHistory[(liveStart + static_cast<int32_t>(i)) % kPingRowsInUse];
        liveRows.emplace_back(row, row + filled);
    }

    // Playback of that log, with a report; the playback closes the open log.
    SetReportWanted(dlg, true);
    Dialogs().Clear();
    const int32_t playStart = dlg.last_ping;
    ChooseAndPlay(dlg, Dialogs(), logPath);
    SetReportWanted(dlg, false);

    EXPECT_TRUE(Dialogs().Messages().empty());
    EXPECT_EQ(dlg.m_LogOpen, 0);
    EXPECT_EQ(dlg.m_BytesIn, dlg.m_PlayFileLength);
    ASSERT_EQ(dlg.last_ping - playStart, static_cast<int32_t>(pings.size()));
    for (size_t i = 0; i < pings.size(); ++i) {
        const int32_t* row = PingHistory[(playStart + static_cast<int32_t>(i)) % kPingRowsInUse];
        EXPECT_EQ(std::vector<int32_t>(row, row + liveRows[i].size()), liveRows[i]) << "ping " << i;
    }
    const DeviceParamsRecord& played = dlg.DeviceParams;
    EXPECT_EQ(played.DeviceID, liveParams.DeviceID);
    EXPECT_EQ(played.Ping, liveParams.Ping);
    EXPECT_EQ(played.Range_mm, liveParams.Range_mm);
    EXPECT_EQ(played.NSamples, liveParams.NSamples);
    EXPECT_EQ(played.Threshold, liveParams.Threshold);
    EXPECT_EQ(played.PulseLength_us, liveParams.PulseLength_us);
    EXPECT_EQ(played.TVG_Mode, liveParams.TVG_Mode);
    EXPECT_EQ(played.TVG_Slope, liveParams.TVG_Slope);
    EXPECT_EQ(played.TVG_Gain, liveParams.TVG_Gain);
    EXPECT_EQ(played.Altitude_mm, liveParams.Altitude_mm);
    EXPECT_EQ(played.Temperature, liveParams.Temperature);
    EXPECT_EQ(played.EchoMaxAmplitude, liveParams.EchoMaxAmplitude);

    // The report: one line per ping, values of that ping's header.
    const std::vector<std::string> report = SplitLines(ReadBytes(dlg.m_ReportPath));
    ASSERT_EQ(report.size(), pings.size());
    for (size_t i = 0; i < pings.size(); ++i) {
        const PingSpec& p = pings[i];
        char expected[160];
        std::snprintf(expected, sizeof expected,
                      "Ping % 4d) TVG: %d[% 4.1f] Gain: % 5.1f  Alt: %7.1f MaxAmpl: % 4d %%", p.ping,
                      p.tvgMode, static_cast<double>(p.slope), static_cast<double>(p.gain),
                      static_cast<double>(p.altitudeM * 1000.0f), static_cast<int>(p.maxAmplitude));
        EXPECT_EQ(report[i], expected) << "report line " << i;
    }
    EXPECT_EQ(report[0], "Ping   41) TVG: 0[ 1.0] Gain:  10.0  Alt:  3250.0 MaxAmpl:    0 %");
    const std::string reportBytes = ReadBytes(dlg.m_ReportPath);
    EXPECT_EQ(reportBytes.find('\r'), std::string::npos);
    EXPECT_EQ(reportBytes.back(), '\n');
}

TEST(PlaybackThroughProcessor, TestButtonFillsTheStoreAndMovesTheMarker)
{
    CVessaDlg& dlg = Dlg();
    for (int id : kPlaybackButtonIds)
        dlg.Control(id)->setEnabled(false);
    dlg.last_ping = 0;
    PingHistory[5][1000] = -9;

    dlg.OnTest();

    EXPECT_EQ(dlg.last_ping, 1);
    const int32_t marker[5] = {128, 129, 130, 250, 251};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(PingHistory[0][220 + k], marker[k]) << k;
    EXPECT_EQ(PingHistory[0][1], 36);  // the synthetic ping's transmit pulse, doubled
    EXPECT_EQ(PingHistory[1][0], 128);
    EXPECT_EQ(PingHistory[1][999], 128);
    EXPECT_EQ(PingHistory[2][500], 0);
    EXPECT_EQ(PingHistory[5][1000], -9);
    for (int id : kPlaybackButtonIds)
        EXPECT_TRUE(Enabled(dlg, id)) << id;
    EXPECT_TRUE(Enabled(dlg, Id::Apply));

    dlg.OnTest();
    EXPECT_EQ(dlg.last_ping, 2);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(PingHistory[1][221 + k], marker[k]) << k;
    // The second press refilled row 0 with the reference value.
    EXPECT_EQ(PingHistory[0][220], 255);
}
