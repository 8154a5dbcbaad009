// The data log of a live connection: an instrument and a GPS receiver on
// pseudo-terminals, two pings and a DPT sentence, then the disconnect; the
// file holds the header, the GPS sentences before each stamped line, the
// instrument's lines byte for byte and the stamps.

#include <QSettings>

#include <gtest/gtest.h>

#include <unistd.h>

#include "LogFiles.h"
#include "support/MainWindowFixture.h"
#include "support/Pty.h"
#include "ui/ControlTable.h"

namespace {

const std::vector<std::string> kPingLines = {
    "#DeviceID 12\r\n", "#Range,m 30\r\n", "#TVG_Mode 2\r\n", "#NSamples 3\r\n",
    "##DataStart\r\n",  "10\r\n",          "20\r\n",          "30\r\n",
    "##DataEnd\r\n"};

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line;
    return text;
}

}  // namespace

TEST(ConnectLog, TwoPingsAndADepthSentenceWithAGpsReceiver)
{
    CVessaDlg& dlg = StartedMainWindow();
    PtyPair instrument, gps;
    ASSERT_TRUE(OpenPtyAsPort(1, instrument));
    ASSERT_TRUE(OpenPtyAsPort(2, gps));
    dlg.SetControlText(Id::DevicePort, "COM1");
    dlg.SetControlText(Id::DeviceSpeed, "115200 (default)");
    dlg.SetControlText(Id::GpsPort, "COM2");
    dlg.SetControlText(Id::GpsSpeed, "4800 (default)");
    const std::string folder = MakeTempFolder("live");
    dlg.SetControlText(Id::DataFolder, folder);
    dlg.DeviceParams.DeviceID = 0;

    dlg.OnConnect();
    ASSERT_EQ(dlg.m_Connected, 1);
    ASSERT_EQ(dlg.m_GpsPort, 2);
    ASSERT_EQ(dlg.m_LogActive, 1);
    const std::string path = dlg.m_LogPath;
    EXPECT_EQ(path.rfind(folder, 0), 0u);
    EXPECT_EQ(path.substr(path.size() - 12), "_ID_0000.log");
    ReadAvailable(instrument.master);  // the parameter commands

    const std::string gga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
    const std::string rmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n";
    const std::string gll = "$GPGLL,4916.45,N,12311.12,W,225444,A*31\r\n";
    const std::string dpt = "$SDDPT,10.0,0.5*68\r\n";

    WriteAll(gps.master, gga + rmc);
    ASSERT_TRUE(WaitUntil([&] {
        return dlg.m_GpsLogState == 1 &&
               dlg.m_GpsLogLen == static_cast<int32_t>(gga.size() + rmc.size());
    }));
    // The second ping's header line reaches the log at once; the last few
    // lines of the ping wait in the ring for more data (the line assembly
    // stops after a line when fewer than 60 bytes wait).
    WriteAll(instrument.master, Joined(kPingLines) + Joined(kPingLines));
    ASSERT_TRUE(WaitUntil([&] { return CountOf(ReadWholeFile(path), "#DeviceID") == 2; }));

    WriteAll(gps.master, gll);
    ASSERT_TRUE(WaitUntil([&] {
        return dlg.m_GpsLogState == 1 && dlg.m_GpsLogLen == static_cast<int32_t>(gll.size());
    }));
    // Empty lines after the sentence push the tail and the sentence through.
    WriteAll(instrument.master, dpt + std::string(60, '\n'));
    ASSERT_TRUE(WaitUntil(
        [&] { return ReadWholeFile(path).find(dpt) != std::string::npos; }));

    dlg.OnConnect();  // disconnect
    EXPECT_EQ(dlg.m_LogOpen, 0);
    EXPECT_EQ(dlg.m_LogFile, nullptr);
    EXPECT_NE(dlg.ConsoleText().find(">> Open data log file: " + path + "\r\n"),
              std::string::npos);
    EXPECT_NE(dlg.ConsoleText().find(">> Close data logfile: " + path + "\r\n"),
              std::string::npos);

    const std::string file = ReadWholeFile(path);
    const size_t header = HeaderLength(file);
    const std::string rule = "-------------------------------------------------------\r\n";
    EXPECT_TRUE(LinesMatch(file.substr(0, header),
                           {Exact(rule), Pattern(R"(Pelagrix Control Program  \[.*\]\r\n)"),
                            Exact(rule), Exact("\r\n"), Pattern(kLocalStampPattern),
                            Pattern(kUtcStampPattern)}));

    std::vector<ExpectedLine> body = {Exact(gga), Exact(rmc), Exact("\r\n"), Exact("\r\n")};
    for (int ping = 0; ping < 2; ++ping) {
        for (const std::string& line : kPingLines) {
            body.push_back(Exact(line));
            if (line == "#DeviceID 12\r\n") {
                body.push_back(Pattern(kLocalStampPattern));
                body.push_back(Pattern(kUtcStampPattern));
            }
        }
    }
    body.insert(body.end(), {Exact(gll), Exact("\r\n"), Exact("\r\n"), Exact(dpt)});
    // Then the empty lines that were processed before the disconnect.
    const std::string rest = file.substr(header);
    const size_t dptEnd = rest.find(dpt) + dpt.size();
    EXPECT_TRUE(LinesMatch(rest.substr(0, dptEnd), body));
    EXPECT_EQ(rest.find_first_not_of('\n', dptEnd), std::string::npos);
    EXPECT_EQ(rest.find("$GPZDA"), std::string::npos) << "a GPS receiver suppresses ZDA";

    ClosePty(instrument);
    ClosePty(gps);
}
