// Connect to an instrument on a pseudo-terminal (COM1) with a GPS receiver on
// a second one (COM2), both mapped through the settings file: the exact bytes
// the instrument receives, a ping header answering them, the parameter lists
// showing the instrument's values, Re-read parameters, and the disconnect.

#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>

#include "serial/CCommPort.h"
#include "support/MainWindowFixture.h"
#include "support/Pty.h"
#include "ui/ControlTable.h"

namespace {

// One complete echosounder ping: header, three samples, end.
std::string Ping(int rangeM)
{
    return "#DeviceID 12\r\n#Range,m " + std::to_string(rangeM) +
           "\r\n#Interval,sec 0.5\r\n#Threshold,% 20\r\n#Offset,m 0.5\r\n"
           "#Deadzone,m 0.25\r\n#PulseLength,uks 50\r\n#TVG_Mode 2\r\n#TVG_Gain 10\r\n"
           "#TVG_Slope 1.5\r\n#OutputMode 5\r\n#NSamples 3\r\n##DataStart\r\n10\r\n20\r\n30\r\n"
           "##DataEnd\r\n";
}

// The intake stops cutting lines when fewer than 60 bytes wait and takes
// them with the next bytes to arrive, as a streaming instrument sends them.
// Empty lines after a ping push it through without adding another header.
const std::string kFiller(72, '\n');

}  // namespace

TEST(Connection, ConnectAnswerShowAndDisconnect)
{
    CVessaDlg& dlg = StartedMainWindow();
    ScriptedDialogs& dialogs = StartedDialogs();
    PtyPair instrument, gps;
    ASSERT_TRUE(OpenPtyAsPort(1, instrument));
    ASSERT_TRUE(OpenPtyAsPort(2, gps));

    dlg.SetControlText(Id::DevicePort, "COM1");
    dlg.SetControlText(Id::DeviceSpeed, "115200 (default)");
    dlg.SetControlText(Id::GpsPort, "COM2");
    dlg.SetControlText(Id::GpsSpeed, "4800 (default)");
    dlg.SetControlText(Id::Range, "20");
    dlg.SetControlText(Id::Interval, " 0.25 ");
    dlg.SetControlText(Id::TvgMode, "Mode 1 Spher1");
    dialogs.Clear();
    const std::string consoleBefore = dlg.ConsoleText();

    dlg.OnConnect();

    // Every parameter command of the current lists, in order, between the
    // attention and resume sequences.
    EXPECT_EQ(ReadAvailable(instrument.master),
              "#\r#\r\r"
              "#range 20000\r#interval 0.25\r#threshold 10\r#offset 0\r#deadzone 300\r"
              "#txlength 20\r#tvgmode 1\r#gain 0.0\r#tvgslope 1.00\r#output 2\r"
              "  \r#go\r");
    EXPECT_EQ(ReadAvailable(gps.master), "") << "nothing is written to the GPS";
    const std::string console = dlg.ConsoleText().substr(consoleBefore.size());
    EXPECT_EQ(console.find(">> Pelagrix Serial port COM1 Speed=115200 bps OK.\r\n"), 0u)
        << console;
    EXPECT_NE(console.find(">> GPS      Serial port COM2 Speed=4800 bps OK.\r\n\r\n"),
              std::string::npos)
        << console;
    EXPECT_EQ(CountOf(console, ">> Send Command: ["), 10u);
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(dlg.ControlText(Id::Connect), "Disconnect");
    EXPECT_TRUE(dlg.Button(Id::Connect)->isEnabled());
    EXPECT_FALSE(dlg.Control(Id::DataFolder)->isEnabled());
    for (int id : kPlaybackButtonIds)
        EXPECT_FALSE(dlg.Control(id)->isEnabled()) << id;
    EXPECT_EQ(dlg.m_Connected, 1);
    EXPECT_EQ(dlg.m_GpsPort, 2);
    EXPECT_EQ(dlg.m_SendAllParams, 0);
    EXPECT_EQ(dialogs.busyDepth, 0);
    {
        QSettings store(QSettings::IniFormat, QSettings::UserScope, "Halvorn", "Vessa");
        EXPECT_EQ(store.value("Pelagrix01/SerialGPSPortNumber").toString(), "COM2");
    }

    // The instrument answers with a ping: its values show in the lists.
    WriteAll(instrument.master, Ping(30) + kFiller);
    EXPECT_TRUE(WaitUntil([&] { return dlg.ControlText(Id::Range) == "30"; }))
        << dlg.ControlText(Id::Range);
    const std::pair<int, const char*> shown[] = {
        {Id::Range, "30"},     {Id::Interval, "0.50"},   {Id::Threshold, "20"},
        {Id::Offset, "500"},   {Id::Deadzone, "250"},    {Id::TxLength, "50"},
        {Id::TvgGain, "10.0"}, {Id::TvgSlope, "1.50"},
        {Id::OutputMode, "Echosounder Fixed 500 Samples"}, {Id::TvgMode, "Mode 2"},
        {Id::DeviceLabel, " Device: Pelagrix ID0012"},
    };
    for (const auto& [id, text] : shown)
        EXPECT_EQ(dlg.ControlText(id), text) << id;
    EXPECT_EQ(dlg.m_RereadPending, 0);

    // The shown values parse back to the instrument's: Apply sends no
    // parameter command.
    dlg.ApplyParameters();
    EXPECT_EQ(ReadAvailable(instrument.master), "#\r#\r\r  \r#go\r");

    // Re-read parameters: the button stays disabled until the next complete
    // header, which then shows.
    dlg.OnRereadParameters();
    EXPECT_FALSE(dlg.Button(Id::Reread)->isEnabled());
    WriteAll(instrument.master, "#DeviceID 12\r\n#Range,m 40\r\n");
    WaitUntil([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_FALSE(dlg.Button(Id::Reread)->isEnabled()) << "header not complete yet";
    EXPECT_EQ(dlg.ControlText(Id::Range), "30");
    WriteAll(instrument.master, "##DataStart\r\n1\r\n##DataEnd\r\n" + kFiller);
    EXPECT_TRUE(WaitUntil([&] { return dlg.Button(Id::Reread)->isEnabled(); }));
    EXPECT_EQ(dlg.ControlText(Id::Range), "40");

    // Disconnect: both channels close, at least 4 s each.
    const auto start = std::chrono::steady_clock::now();
    dlg.OnConnect();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(8000));
    EXPECT_FALSE(g_DeviceChannel.IsRunning());
    EXPECT_FALSE(g_GpsChannel.IsRunning());
    EXPECT_EQ(dlg.ControlText(Id::Connect), "Connect");
    EXPECT_TRUE(dlg.Button(Id::Connect)->isEnabled());
    EXPECT_TRUE(dlg.Control(Id::DataFolder)->isEnabled());
    EXPECT_EQ(dlg.m_Connected, 0);
    EXPECT_EQ(dlg.m_GpsPort, 2) << "a disconnect keeps the GPS port number";
    auto* bar = static_cast<QProgressBar*>(dlg.Control(Id::Progress));
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 100);
    EXPECT_NE(dlg.ConsoleText().find("\r\n>> Serial Port disconnected.\r\n"), std::string::npos);
    EXPECT_EQ(dialogs.busyDepth, 0);

    ClosePty(instrument);
    ClosePty(gps);
}
