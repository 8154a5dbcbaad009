// A folder chosen in the chooser, created on the operator's Yes, receives the
// data log of the next connection (instrument on a pseudo-terminal as COM1).

#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/MainWindowFixture.h"
#include "support/Pty.h"
#include "ui/ControlTable.h"

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> LogsIn(const fs::path& folder)
{
    std::vector<fs::path> logs;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.path().extension() == ".log")
            logs.push_back(entry.path());
    return logs;
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(ChosenFolder, ANewNestedFolderReceivesTheDataLogOfTheNextConnect)
{
    CVessaDlg& dlg = StartedMainWindow();
    ScriptedDialogs& dialogs = StartedDialogs();
    std::string pattern = fs::temp_directory_path().string() + "/chosen.XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const std::string root = pattern;
    const std::string folder = root + "/Survey/Day 1/Line3";

    dialogs.folderAnswers = {folder};
    dialogs.yesNoAnswers = {true};
    QTest::mouseClick(dlg.Button(Id::BrowseFolder), Qt::LeftButton);
    ASSERT_TRUE(fs::is_directory(folder));
    ASSERT_EQ(dlg.m_DataFolder, folder + "/");
    ASSERT_EQ(dlg.ControlText(Id::DataFolder), folder + "/");

    PtyPair instrument;
    ASSERT_TRUE(OpenPtyAsPort(1, instrument));
    dlg.SetControlText(Id::DevicePort, "COM1");
    dlg.SetControlText(Id::GpsPort, "none");
    dialogs.Clear();

    dlg.OnConnect();
    ASSERT_EQ(dlg.m_Connected, 1) << dlg.ConsoleText();
    EXPECT_TRUE(dialogs.Messages().empty());
    const std::vector<fs::path> logs = LogsIn(folder);
    ASSERT_EQ(logs.size(), 1u) << dlg.ConsoleText();
    EXPECT_EQ(logs[0].string(), dlg.m_LogPath);
    EXPECT_NE(dlg.ConsoleText().find(">> Open data log file: " + dlg.m_LogPath + "\r\n"),
              std::string::npos);

    // Instrument lines reach the file in the chosen folder.
    const std::string lines = "#DeviceID 7\r\n#Range,m 10\r\n#Interval,sec 0.5\r\n";
    ASSERT_EQ(::write(instrument.master, lines.data(), lines.size()),
              static_cast<ssize_t>(lines.size()));
    EXPECT_TRUE(WaitUntil([&] { return dlg.DeviceParams.DeviceID == 7; }));

    dlg.OnConnect();  // disconnect closes the log
    EXPECT_EQ(dlg.m_LogOpen, 0);
    const std::string text = ReadFile(logs[0]);
    EXPECT_EQ(text.rfind("-------------------------------------------------------\r\n", 0), 0u);
    EXPECT_NE(text.find("#DeviceID 7"), std::string::npos) << text;

    ClosePty(instrument);
    std::error_code ec;
    fs::remove_all(root, ec);
}
