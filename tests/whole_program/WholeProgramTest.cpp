// The whole program against the simulated instrument: connect through the
// settings file's port map, live pings in every output mode into the
// echogram store and on the display, readouts and GPS panel, a changed
// range taken by the instrument, the data log, its playback with a report
// compared ping by ping, and a faulty line that hangs up.

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSettings>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "PingText.h"
#include "SimProcess.h"
#include "app/PingHistory.h"
#include "support/MainWindowFixture.h"
#include "support/Pty.h"
#include "ui/ControlTable.h"

using namespace std::chrono_literals;

namespace {

// A simulator with its received and sent bytes recorded in a fresh folder.
struct SimulatedLine {
    sim::SimProcess process;
    std::string received;
    std::string sent;

    bool Start(std::vector<std::string> args, bool gps)
    {
        static int runs = 0;
        const std::string dir = std::string(std::getenv("HOME")) + "/sim-" + std::to_string(++runs);
        ::mkdir(dir.c_str(), 0700);
        received = dir + "/received.bin";
        sent = dir + "/sent.bin";
        args.insert(args.end(), {"--record", received, "--sent", sent});
        if (gps)
            args.push_back("--gps");
        std::string error;
        if (!process.Start(args, error)) {
            ADD_FAILURE() << error;
            return false;
        }
        MapPort(1, process.Device());
        if (gps)
            MapPort(2, process.Gps());
        return true;
    }
    std::string Received() const { return ReadWholeFile(received); }
    std::string Sent() const { return ReadWholeFile(sent); }
};

void ChooseLists(CVessaDlg& dlg, bool gps, const char* outputMode, const char* range = "20")
{
    dlg.SetControlText(Id::DevicePort, "COM1");
    dlg.SetControlText(Id::DeviceSpeed, "115200 (default)");
    dlg.SetControlText(Id::GpsPort, gps ? "COM2" : "None");
    dlg.SetControlText(Id::GpsSpeed, "4800 (default)");
    dlg.SetControlText(Id::Range, range);
    dlg.SetControlText(Id::Interval, " 0.2 ");
    dlg.SetControlText(Id::TvgMode, "Mode 1 Spher1");
    dlg.SetControlText(Id::OutputMode, outputMode);
}

void PressConnect(CVessaDlg& dlg)
{
    ASSERT_EQ(dlg.ControlText(Id::Connect), "Connect");
    dlg.Button(Id::Connect)->click();
    ASSERT_EQ(dlg.ControlText(Id::Connect), "Disconnect");
    ASSERT_EQ(dlg.m_Connected, 1);
}

void PressDisconnect(CVessaDlg& dlg)
{
    dlg.Button(Id::Connect)->click();
    EXPECT_EQ(dlg.ControlText(Id::Connect), "Connect");
    EXPECT_EQ(dlg.m_LogOpen, 0);
}

bool WaitForPings(CVessaDlg& dlg, int count, std::chrono::milliseconds timeout = 15s)
{
    const int target = dlg.last_ping + count;
    return WaitUntil([&] { return dlg.last_ping >= target; }, timeout);
}

const int32_t* LastRow(CVessaDlg& dlg)
{
    return PingHistory[(dlg.last_ping + kPingRowsInUse - 1) % kPingRowsInUse];
}

// Pixels of the echogram layer that are not the transparent key colour.
int DrawnPixels(CVessaDlg& dlg)
{
    const QImage& layer = dlg.m_Layers[0];
    const QRgb key = dlg.m_KeyColour.rgb();
    int n = 0;
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x)
            n += layer.pixel(x, y) != key;
    return n;
}

const PingText* FindPing(const std::vector<PingText>& pings, int number)
{
    for (const PingText& p : pings)
        if (p.number == number)
            return &p;
    return nullptr;
}

bool HasMarker(const int32_t* row, const std::vector<int32_t>& marker)
{
    return std::search(row, row + kPingHistorySlots, marker.begin(), marker.end()) != row + kPingHistorySlots;
}

}  // namespace

TEST(WholeProgram, LiveEchosounderWithGpsThenLogPlaybackAndReport)
{
    CVessaDlg& dlg = StartedMainWindow();
    SimulatedLine line;
    ASSERT_TRUE(line.Start({"--interval", "0.2", "--seed", "11", "--epoch", "1717200000"}, true));
    ChooseLists(dlg, true, "Echosounder");
    PressConnect(dlg);
    const std::string logPath = dlg.m_LogPath;

    // The connect's commands reached the instrument in order.
    const std::string connectCommands =
        "#\r#\r\r#range 20000\r#interval 0.20\r#threshold 10\r#offset 0\r#deadzone 300\r"
        "#txlength 20\r#tvgmode 1\r#gain 0.0\r#tvgslope 1.00\r#output 2\r  \r#go\r";
    EXPECT_EQ(line.Received(), connectCommands);

    // Pings arrive, fill the store exactly as sent, and reach the panels.
    ASSERT_TRUE(WaitForPings(dlg, 6));
    EXPECT_EQ(dlg.DeviceParams.Range_mm, 20000);
    EXPECT_EQ(dlg.DeviceParams.NSamples, 2666);
    EXPECT_EQ(dlg.m_LastPingSamples, 2667);  // slot 0 holds the "##DataStart" placeholder
    {
        // The readout shows the last completed ping; its row is the one
        // before last_ping. Copy both before anything else is processed.
        const std::string readout = dlg.ControlText(Id::SensorsPanel);
        const std::vector<int32_t> row(LastRow(dlg), LastRow(dlg) + 2667);
        const std::string key = "Ping Number\t\t";
        ASSERT_EQ(readout.rfind(key, 0), 0u) << readout;
        const int number = std::atoi(readout.c_str() + key.size());
        ASSERT_TRUE(WaitUntil([&] { return FindPing(ParsePings(line.Sent()), number) != nullptr; }, 5s));
        const std::vector<PingText> sent = ParsePings(line.Sent());
        const PingText* p = FindPing(sent, number);
        ASSERT_TRUE(p && p->complete);
        ASSERT_EQ(p->values.size(), 2666u);
        EXPECT_EQ(row[0], 0);
        EXPECT_TRUE(std::equal(p->values.begin(), p->values.end(), row.begin() + 1)) << "ping " << number;
    }
    EXPECT_NE(dlg.ControlText(Id::SensorsPanel).find("Altiude, m\t\t"), std::string::npos);
    EXPECT_NE(dlg.ControlText(Id::SensorsPanel).find("Number of Samples\t2666"), std::string::npos);
    EXPECT_TRUE(WaitUntil([&] { return dlg.ControlText(Id::GpsPanel).find("$GPRMC,") != std::string::npos; }, 5s))
        << dlg.ControlText(Id::GpsPanel);
    EXPECT_TRUE(WaitUntil([&] { return DrawnPixels(dlg) > 10000; }, 8s));
    EXPECT_NE(dlg.ControlText(Id::DeviceLabel).find("1234"), std::string::npos);

    // A changed range goes to the instrument with Apply and comes back in
    // the next header, with the sample count that goes with it.
    dlg.SetControlText(Id::Range, "30");
    dlg.Button(Id::Apply)->click();
    EXPECT_EQ(line.Received(), connectCommands + "#\r#\r\r#range 30000\r  \r#go\r");
    EXPECT_TRUE(WaitUntil([&] { return dlg.DeviceParams.NSamples == 4000; }, 10s));
    EXPECT_EQ(dlg.DeviceParams.Range_mm, 30000);
    ASSERT_TRUE(WaitForPings(dlg, 3));
    EXPECT_EQ(dlg.m_LastPingSamples, 4001);
    ASSERT_TRUE(WaitForPings(dlg, 20, 20s));

    PressDisconnect(dlg);
    EXPECT_NE(dlg.ConsoleText().find(">> Close data logfile: "), std::string::npos);
    line.process.Stop();

    // The log holds every ping the instrument sent while it was open, whole,
    // with the GPS sentences between them.
    const std::string log = ReadWholeFile(logPath);
    ASSERT_FALSE(log.empty()) << logPath;
    const std::vector<PingText> logged = ParsePings(log);
    const std::vector<PingText> sent = ParsePings(line.Sent());
    ASSERT_GE(logged.size(), 20u);
    EXPECT_NE(log.find("$GPGGA,"), std::string::npos);
    const int firstLogged = logged.front().number;
    int lastLogged = firstLogged;
    for (const PingText& p : logged)
        lastLogged = std::max(lastLogged, p.number);
    for (const PingText& s : sent) {
        // The first may have begun before the log was opened, the last was
        // cut by the Disconnect.
        if (s.number <= firstLogged || s.number >= lastLogged)
            continue;
        const PingText* l = FindPing(logged, s.number);
        ASSERT_TRUE(l) << "ping " << s.number << " missing from the log";
        EXPECT_EQ(l->complete, s.complete) << s.number;
        EXPECT_EQ(l->values, s.values) << s.number;
    }

    // Played back with a report: one line per logged ping, each as the
    // simulator's header for that ping says.
    static_cast<QCheckBox*>(dlg.Control(Id::CreateLogFile))->setChecked(true);
    StartedDialogs().fileAnswers.push_back(logPath);
    const int before = dlg.last_ping;
    dlg.Button(Id::SelectInputFile)->click();
    static_cast<QCheckBox*>(dlg.Control(Id::CreateLogFile))->setChecked(false);
    EXPECT_EQ(dlg.m_ReportOpen, 0);
    EXPECT_GE(dlg.last_ping - before, static_cast<int>(logged.size()) - 1);
    const std::vector<std::string> report = SplitLines(ReadWholeFile(dlg.m_ReportPath));
    std::vector<std::string> expected;
    for (const PingText& l : logged) {
        const PingText* s = FindPing(sent, l.number);
        ASSERT_TRUE(s) << l.number;
        if (l.header.count("#Range,m"))  // a header cut by the log's start has no "##DataStart" line
            expected.push_back(ExpectedReportLine(*s));
    }
    EXPECT_EQ(report, expected);
}

TEST(WholeProgram, EveryOutputModeFillsTheStore)
{
    CVessaDlg& dlg = StartedMainWindow();
    SimulatedLine line;
    ASSERT_TRUE(line.Start({"--interval", "0.2"}, false));
    ChooseLists(dlg, false, "Echosounder Fixed 200 Samples");
    PressConnect(dlg);

    struct Mode {
        const char* list;
        int outputMode;
        int lastSamples;  // echosounder modes: slots of the last ping
        std::vector<int32_t> marker;  // altimeter modes
    } modes[] = {
        {"Echosounder Fixed 200 Samples", 4, 201, {}},
        {"Echosounder Fixed 500 Samples", 5, 501, {}},
        {"Echosounder Fixed 1000 Samples", 6, 1001, {}},
        {"Echosounder", 2, 2667, {}},
        {"Altimeter NMEA", 3, 0, {64, 511, 1000, 1023, 1023, 1000, 1000, 511, 511, 255, 255, 127, 127, 64}},
        {"Altimeter Simple", 1, 0, {256, 512, 960, 960, 960, 512}},
    };
    for (const Mode& m : modes) {
        SCOPED_TRACE(m.list);
        dlg.SetControlText(Id::OutputMode, m.list);
        dlg.Button(Id::Apply)->click();
        EXPECT_NE(line.Received().find("#output " + std::to_string(m.outputMode) + "\r"), std::string::npos);
        // Pings already on their way may still be in the old mode.
        ASSERT_TRUE(WaitForPings(dlg, 3));
        ASSERT_TRUE(WaitForPings(dlg, 3));
        EXPECT_EQ(dlg.DeviceParams.OutputMode, m.outputMode);
        if (m.marker.empty()) {
            EXPECT_EQ(dlg.m_LastPingSamples, m.lastSamples);
        } else {
            const int32_t* row = LastRow(dlg);
            EXPECT_TRUE(HasMarker(row, m.marker));
            EXPECT_GT(dlg.DeviceParams.Altitude_mm, 5000.0f);
            EXPECT_LT(dlg.DeviceParams.Altitude_mm, 10500.0f);
        }
    }
    PressDisconnect(dlg);
}

TEST(WholeProgram, FaultyLineLosesNoCompletePingAndReportsTheHangUp)
{
    CVessaDlg& dlg = StartedMainWindow();
    SimulatedLine line;
    ASSERT_TRUE(line.Start({"--interval", "0.1", "--range", "10", "--garbage", "3", "--overlong", "4",
                            "--truncate", "5", "--hangup", "60"},
                           false));
    ChooseLists(dlg, false, "Echosounder", "10");
    const int before = dlg.last_ping;
    PressConnect(dlg);
    const std::string logPath = dlg.m_LogPath;

    int status = 1;
    ASSERT_TRUE(line.process.WaitExit(30000, status)) << "the simulator did not hang up";
    EXPECT_TRUE(WaitUntil([&] { return dlg.ConsoleText().find(" is gone ") != std::string::npos; }, 5s))
        << dlg.ConsoleText().substr(dlg.ConsoleText().size() > 2000 ? dlg.ConsoleText().size() - 2000 : 0);

    // Every complete ping sent after the log opened arrived whole; the cut
    // ones did not count as pings.
    const std::vector<PingText> sent = ParsePings(line.Sent());
    const std::vector<PingText> logged = ParsePings(ReadWholeFile(logPath));
    ASSERT_FALSE(logged.empty());
    int completeAfterLog = 0;
    for (const PingText& s : sent) {
        if (s.number <= logged.front().number)
            continue;
        const PingText* l = FindPing(logged, s.number);
        ASSERT_TRUE(l) << "ping " << s.number;
        EXPECT_EQ(l->complete, s.complete) << s.number;
        if (s.complete) {
            EXPECT_EQ(l->values, s.values) << s.number;
            ++completeAfterLog;
        }
    }
    EXPECT_GE(completeAfterLog, 30);
    EXPECT_GE(dlg.last_ping - before, completeAfterLog);

    // Still working: Disconnect ends the session as usual.
    PressDisconnect(dlg);
}

TEST(WholeProgram, SampleLogInExamplesPlaysBack)
{
    CVessaDlg& dlg = StartedMainWindow();
    ASSERT_EQ(dlg.m_Connected, 0);
    // Played from a copy: the report is written beside the played file.
    const std::string source = std::string(__FILE__).substr(0, std::string(__FILE__).rfind("/tests/")) +
                               "/examples/sample-fixed500-gps.log";
    const std::string text = ReadWholeFile(source);
    ASSERT_GT(text.size(), 100000u) << source;
    const std::string copy = std::string(std::getenv("HOME")) + "/sample.log";
    {
        std::FILE* f = std::fopen(copy.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    const std::vector<PingText> pings = ParsePings(text);
    ASSERT_GE(pings.size(), 200u);

    static_cast<QCheckBox*>(dlg.Control(Id::CreateLogFile))->setChecked(true);
    StartedDialogs().fileAnswers.push_back(copy);
    const int before = dlg.last_ping;
    dlg.Button(Id::SelectInputFile)->click();
    static_cast<QCheckBox*>(dlg.Control(Id::CreateLogFile))->setChecked(false);

    int complete = 0;
    std::vector<std::string> expected;
    for (const PingText& p : pings) {
        complete += p.complete;
        if (p.header.count("#Range,m"))
            expected.push_back(ExpectedReportLine(p));
    }
    EXPECT_EQ(dlg.last_ping - before, complete);
    EXPECT_EQ(SplitLines(ReadWholeFile(dlg.m_ReportPath)), expected);
    EXPECT_EQ(dlg.DeviceParams.NSamples, 500);
    EXPECT_NE(dlg.ControlText(Id::GpsPanel).find("$GPRMC,"), std::string::npos);
    EXPECT_GT(DrawnPixels(dlg), 10000);
}
