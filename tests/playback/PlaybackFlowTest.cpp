// The playback's control flow on the started main window: file choice,
// button states, the whole-file loop, STOP, PAUSE, REPLAY, the report file,
// bad files and the refusal while the instrument is connected.

#include <gtest/gtest.h>

#include <regex>
#include <sys/stat.h>
#include <unistd.h>

#include "app/PingHistory.h"
#include "PlaybackHarness.h"

namespace {

CVessaDlg& Dlg() { return StartedMainWindow(); }
ScriptedDialogs& Dialogs() { return StartedDialogs(); }

}  // namespace

TEST(PlaybackFlow, StartsWithThePlaybackButtonsDisabledAndCancelChangesNothing)
{
    CVessaDlg& dlg = Dlg();
    for (int id : kPlaybackButtonIds)
        EXPECT_FALSE(Enabled(dlg, id)) << id;

    dlg.m_InputPath = "/some/earlier.LOG";
    Dialogs().fileAnswers.push_back(std::nullopt);
    dlg.OnSelectInputFile();

    EXPECT_EQ(Dialogs().shown.back().kind, "open");
    // Both spellings of the extension show; "All" means every file.
    EXPECT_EQ(Dialogs().lastFilter, "CORVALA LOG Data (*.LOG *.log);;All (*)");
    EXPECT_EQ(dlg.m_InputPath, "");
    for (int id : kPlaybackButtonIds)
        EXPECT_FALSE(Enabled(dlg, id)) << id;
    EXPECT_EQ(dlg.m_PlaybackRunning, 0);
}

TEST(PlaybackFlow, EmptyFileEndsAtOnceInTheEndedState)
{
    CVessaDlg& dlg = Dlg();
    TempFolder folder;
    const std::string path = folder.File("empty.LOG");
    WriteBytes(path, "");
    dlg.m_PlayFileLength = 77;
    dlg.m_BytesIn = 77;

    ChooseAndPlay(dlg, Dialogs(), path);

    EXPECT_EQ(dlg.m_InputPath, path);
    EXPECT_EQ(dlg.m_PlayFileLength, 0);
    EXPECT_EQ(dlg.m_BytesIn, 0);
    EXPECT_TRUE(InEndedState(dlg));
    EXPECT_EQ(dlg.m_PlayFile, nullptr);
    EXPECT_NE(dlg.ConsoleText().find("\r\n  Check input data log file: " + path + "\r\n\r\n"),
              std::string::npos);
}

TEST(PlaybackFlow, ReadsAFileOfTenFullChunksAndFiveBytesCompletely)
{
    CVessaDlg& dlg = Dlg();
    TempFolder folder;
    const std::string path = folder.File("big.LOG");
    // 10,000 lines of 100 bytes, then 5 bytes without a line feed.
    const std::string bytes = FillerText(1000005);
    ASSERT_EQ(bytes.size(), 1000005u);
    ASSERT_EQ(bytes.substr(bytes.size() - 6), "\nttttt");
    WriteBytes(path, bytes);

    ChooseAndPlay(dlg, Dialogs(), path);

    EXPECT_EQ(dlg.m_PlayFileLength, 1000005);
    EXPECT_EQ(dlg.m_BytesIn, 1000005);
    // The unterminated tail was taken into the line buffer but never handed on.
    EXPECT_EQ(dlg.m_LineLen, 5);
    EXPECT_EQ(std::string(dlg.m_LineBuf, 5), "ttttt");
    EXPECT_TRUE(InEndedState(dlg));
}

TEST(PlaybackFlow, StartOfPlaybackClosesTheDataLogAndClearsTheAttitude)
{
    CVessaDlg& dlg = Dlg();
    TempFolder folder;
    const std::string logPath = folder.File("live.log");
    dlg.m_LogFile = std::fopen(logPath.c_str(), "wb");
    ASSERT_NE(dlg.m_LogFile, nullptr);
    std::fputs("#DeviceID 3\r\n", dlg.m_LogFile);  // still in the stream's buffer
    dlg.m_LogOpen = 1;
    dlg.m_LogActive = 1;
    dlg.DeviceParams.Pitch_deg = 4.5f;
    dlg.DeviceParams.Roll_deg = -2.0f;
    dlg.DeviceParams.VertRotationPos_deg = 90.0f;
    const std::string path = folder.File("small.LOG");
    WriteBytes(path, FillerText(1000));

    ChooseAndPlay(dlg, Dialogs(), path);

    EXPECT_EQ(dlg.m_LogOpen, 0);
    EXPECT_EQ(dlg.m_LogActive, 0);
    EXPECT_EQ(dlg.m_LogFile, nullptr);
    EXPECT_EQ(ReadBytes(logPath), "#DeviceID 3\r\n");
    EXPECT_EQ(dlg.DeviceParams.Pitch_deg, 0.0f);
    EXPECT_EQ(dlg.DeviceParams.Roll_deg, 0.0f);
    EXPECT_EQ(dlg.DeviceParams.VertRotationPos_deg, 0.0f);
    EXPECT_EQ(dlg.m_BytesIn, 1000);
}

TEST(PlaybackFlow, StopAndTheFileButtonEndARunningPlaybackWithoutADialog)
{
    struct Case {
        const char* name;
        void (CVessaDlg::*press)();
    };
    const Case cases[] = {{"STOP", &CVessaDlg::OnStop},
                          {"file button", &CVessaDlg::OnSelectInputFile}};
    TempFolder folder;
    const std::string path = folder.File("long.LOG");
    WriteBytes(path, FillerText(2000000));

    for (const Case& c : cases) {
        CVessaDlg& dlg = Dlg();
        bool pressed = false;
        bool playingStateSeen = false;
        size_t dialogsBeforePress = 0;
        Probe probe(5, [&] {
            if (dlg.m_PlaybackRunning == 1 && !pressed && dlg.m_BytesIn >= 20000) {
                // The Playing state: all five buttons work, Connect does not.
                playingStateSeen = Enabled(dlg, Id::Step) && Enabled(dlg, Id::Replay) &&
                                   Enabled(dlg, Id::Stop) && Enabled(dlg, Id::Play) &&
                                   Enabled(dlg, Id::Pause) && !Enabled(dlg, Id::Connect) &&
                                   !Enabled(dlg, Id::Apply);
                dialogsBeforePress = OpenDialogsShown(Dialogs());
                pressed = true;
                (dlg.*c.press)();
            }
        });
        ChooseAndPlay(dlg, Dialogs(), path);

        EXPECT_TRUE(pressed) << c.name;
        EXPECT_TRUE(playingStateSeen) << c.name;
        EXPECT_EQ(OpenDialogsShown(Dialogs()), dialogsBeforePress) << c.name;
        EXPECT_LT(dlg.m_BytesIn, 100000) << c.name;
        EXPECT_EQ(dlg.m_StopRequest, 0) << c.name;
        EXPECT_TRUE(InEndedState(dlg)) << c.name;
    }
}

TEST(PlaybackFlow, StopPressedWhileNothingPlaysDoesNotEndTheNextPlayback)
{
    CVessaDlg& dlg = Dlg();
    TempFolder folder;
    const std::string path = folder.File("after-stop.LOG");
    WriteBytes(path, FillerText(30000));
    dlg.OnStop();

    ChooseAndPlay(dlg, Dialogs(), path);

    EXPECT_EQ(dlg.m_BytesIn, 30000);
    EXPECT_EQ(dlg.m_StopRequest, 0);
}

TEST(PlaybackFlow, PauseHoldsAtAPausePointAndPlayGoesOn)
{
    CVessaDlg& dlg = Dlg();
    TempFolder folder;
    const std::string path = folder.File("pause.LOG");
    WriteBytes(path, FillerText(200000));
    int32_t atPause = -1;
    int32_t afterWait = -2;
    bool paused = false;
    Probe probe(5, [&] {
        if (dlg.m_PlaybackRunning != 1 || paused || dlg.m_BytesIn < 20000)
            return;
        paused = true;
        dlg.OnPause();
        atPause = dlg.m_BytesIn;
        QTimer::singleShot(300, [&] {
            afterWait = dlg.m_BytesIn;
            dlg.OnPlay();
        });
    });

    ChooseAndPlay(dlg, Dialogs(), path);

    ASSERT_TRUE(paused);
    EXPECT_EQ(atPause % 10000, 0);
    EXPECT_EQ(afterWait, atPause);
    EXPECT_EQ(dlg.m_Paused, 0);
    EXPECT_EQ(dlg.m_BytesIn, 200000);
}

TEST(PlaybackFlow, ReplayDuringAPlaybackRestartsAfterTheChunkWithCountersAtZero)
{
    struct Case {
        size_t size;
        int32_t chunkEnd;  // where the chunk in progress ends
    };
    // Several chunks, and a file that is one chunk (the restart comes at its end).
    const Case cases[] = {{250000, 100000}, {50000, 50000}};
    TempFolder folder;
    for (const Case& c : cases) {
        CVessaDlg& dlg = Dlg();
        const std::string path = folder.File("replay.LOG");
        WriteBytes(path, FillerText(c.size));
        std::vector<int32_t> seen;  // m_BytesIn at the pause points after the press
        bool pressed = false;
        Probe probe(5, [&] {
            if (dlg.m_PlaybackRunning != 1)
                return;
            if (pressed) {
                if (seen.empty() || seen.back() != dlg.m_BytesIn)
                    seen.push_back(dlg.m_BytesIn);
            } else if (dlg.m_BytesIn >= 30000) {
                pressed = true;
                dlg.OnReplay();
            }
        });
        const size_t dialogsBefore = OpenDialogsShown(Dialogs()) + 1;

        ChooseAndPlay(dlg, Dialogs(), path);

        ASSERT_TRUE(pressed) << c.size;
        // Played on to the end of the chunk, then from the start again.
        const auto drop = std::adjacent_find(seen.begin(), seen.end(),
                                             [](int32_t a, int32_t b) { return b < a; });
        ASSERT_NE(drop, seen.end()) << c.size;
        EXPECT_EQ(*drop, c.chunkEnd) << c.size;
        EXPECT_EQ(*(drop + 1), 10000) << c.size;
        EXPECT_EQ(dlg.m_BytesIn, static_cast<int32_t>(c.size)) << c.size;
        EXPECT_EQ(dlg.m_ReplayRequest, 0) << c.size;
        EXPECT_EQ(OpenDialogsShown(Dialogs()), dialogsBefore) << c.size;
        EXPECT_TRUE(InEndedState(dlg)) << c.size;
    }
}

TEST(PlaybackFlow, ReportFileBesideTheDataLogAndReplayWithoutIt)
{
    CVessaDlg& dlg = Dlg();
    TempFolder folder;
    const std::string path = folder.File("D.LOG");
    WriteBytes(path, FillerText(5000));
    SetReportWanted(dlg, true);

    ChooseAndPlay(dlg, Dialogs(), path);
    SetReportWanted(dlg, false);

    EXPECT_EQ(dlg.m_ReportWanted, 1);
    EXPECT_TRUE(std::regex_match(dlg.m_ReportPath,
                                 std::regex(folder.Path() + "/D_ReportLog_20[0-9]{6}_[0-9]{6}\\.LOGx")))
        << dlg.m_ReportPath;
    EXPECT_TRUE(std::filesystem::is_regular_file(dlg.m_ReportPath));
    EXPECT_EQ(dlg.m_ReportOpen, 0);
    EXPECT_EQ(dlg.m_ReportFile, nullptr);

    // REPLAY from the Ended state: the same file again, no dialog, no report.
    const size_t dialogsBefore = OpenDialogsShown(Dialogs());
    const auto filesBefore = std::distance(std::filesystem::directory_iterator(folder.Path()),
                                           std::filesystem::directory_iterator());
    dlg.m_BytesIn = 0;
    dlg.OnReplay();
    EXPECT_EQ(OpenDialogsShown(Dialogs()), dialogsBefore);
    EXPECT_EQ(dlg.m_BytesIn, 5000);
    EXPECT_EQ(dlg.m_ReportOpen, 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              filesBefore);
    EXPECT_TRUE(InEndedState(dlg));
}

TEST(PlaybackFlow, AReportThatCannotBeCreatedIsReportedAndThePlaybackRuns)
{
    CVessaDlg& dlg = Dlg();
    TempFolder folder;
    // The stamp goes before the last four characters "/abc", so the report
    // would lie in a folder "s_ReportLog_..." that does not exist.
    std::filesystem::create_directory(folder.File("s"));
    const std::string path = folder.File("s/abc");
    WriteBytes(path, FillerText(3000));
    SetReportWanted(dlg, true);
    Dialogs().Clear();

    ChooseAndPlay(dlg, Dialogs(), path);
    SetReportWanted(dlg, false);

    const auto messages = Dialogs().Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Open output data report log file Error #3\n" + dlg.m_ReportPath);
    EXPECT_EQ(dlg.m_ReportOpen, 0);
    EXPECT_EQ(dlg.m_BytesIn, 3000);
    EXPECT_TRUE(InEndedState(dlg));
}

TEST(PlaybackFlow, UnopenablePathsShowTheOpenErrorAndEndCleanly)
{
    TempFolder folder;
    const std::string fifo = folder.File("pipe.LOG");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string paths[] = {folder.Path(), folder.File("missing.LOG"), fifo};
    for (const std::string& path : paths) {
        CVessaDlg& dlg = Dlg();
        SetReportWanted(dlg, true);
        Dialogs().Clear();

        ChooseAndPlay(dlg, Dialogs(), path);
        SetReportWanted(dlg, false);

        const auto messages = Dialogs().Messages();
        ASSERT_EQ(messages.size(), 1u) << path;
        EXPECT_EQ(messages[0], "Open input data log file Error #3\n" + path);
        // The report made at the choice is closed again.
        EXPECT_EQ(dlg.m_ReportOpen, 0) << path;
        EXPECT_EQ(dlg.m_ReportFile, nullptr) << path;
        EXPECT_EQ(dlg.m_PlayFile, nullptr) << path;
        EXPECT_TRUE(InEndedState(dlg)) << path;
    }
}

TEST(PlaybackFlow, BinaryDataAndEndlessLinesPlayToTheEndWithinTheLineBuffer)
{
    std::string binary;
    uint32_t state = 12345;
    for (int i = 0; i < 300000; ++i) {
        state = state * 1103515245u + 12345u;
        binary += static_cast<char>((state >> 16) & 0xFF);
    }
    std::string nuls(70000, '\0');
    for (size_t i = 0; i < nuls.size(); i += 37)
        nuls[i] = '\n';
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"binary", binary},
        {"NUL bytes", nuls},
        {"5 MB without a line feed", std::string(5 * 1024 * 1024, 'L')},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        CVessaDlg& dlg = Dlg();
        const std::string path = folder.File("bad.LOG");
        WriteBytes(path, c.bytes);
        Dialogs().Clear();

        ChooseAndPlay(dlg, Dialogs(), path);

        EXPECT_EQ(dlg.m_BytesIn, static_cast<int32_t>(c.bytes.size())) << c.name;
        EXPECT_GE(dlg.m_LineLen, 0) << c.name;
        EXPECT_LT(dlg.m_LineLen, 1000) << c.name;
        EXPECT_TRUE(Dialogs().Messages().empty()) << c.name;
        EXPECT_TRUE(InEndedState(dlg)) << c.name;
    }
}

TEST(PlaybackFlow, AFileCutShortOrRemovedWhilePlayingEndsCleanly)
{
    struct Case {
        const char* name;
        bool removeInstead;
        int32_t expectedBytes;
    };
    // Cut to 150,000 bytes while the first chunk plays: the second read
    // brings 50,000 bytes, the third none. A removed file stays readable
    // through the open handle.
    const Case cases[] = {{"truncated", false, 150000}, {"removed", true, 400000}};
    TempFolder folder;
    for (const Case& c : cases) {
        CVessaDlg& dlg = Dlg();
        const std::string path = folder.File("vanishing.LOG");
        WriteBytes(path, FillerText(400000));
        bool done = false;
        Probe probe(5, [&] {
            if (dlg.m_PlaybackRunning != 1 || done)
                return;
            done = true;
            if (c.removeInstead)
                std::filesystem::remove(path);
            else
                ASSERT_EQ(::truncate(path.c_str(), 150000), 0);
        });
        Dialogs().Clear();

        ChooseAndPlay(dlg, Dialogs(), path);

        EXPECT_TRUE(done) << c.name;
        EXPECT_EQ(dlg.m_BytesIn, c.expectedBytes) << c.name;
        EXPECT_EQ(dlg.m_PlayFile, nullptr) << c.name;
        EXPECT_TRUE(Dialogs().Messages().empty()) << c.name;
        EXPECT_TRUE(InEndedState(dlg)) << c.name;
    }
}

TEST(PlaybackFlow, FileButtonAndReplayRefuseWhileTheInstrumentIsConnected)
{
    CVessaDlg& dlg = Dlg();
    TempFolder folder;
    const std::string path = folder.File("connected.LOG");
    WriteBytes(path, FillerText(2000));
    dlg.m_InputPath = path;
    dlg.m_BytesIn = 0;
    dlg.m_Connected = 1;
    Dialogs().Clear();

    dlg.OnSelectInputFile();
    dlg.OnReplay();
    dlg.m_Connected = 0;

    const auto messages = Dialogs().Messages();
    ASSERT_EQ(messages.size(), 2u);
    for (const std::string& m : messages)
        EXPECT_NE(m.find("Disconnect"), std::string::npos) << m;
    EXPECT_EQ(OpenDialogsShown(Dialogs()), 0u);
    EXPECT_EQ(dlg.m_BytesIn, 0);
    EXPECT_EQ(dlg.m_InputPath, path);
    // The refused REPLAY leaves no request behind for the next file choice.
    EXPECT_EQ(dlg.m_ReplayRequest, 0);
    EXPECT_EQ(dlg.m_PlaybackRunning, 0);
}

TEST(PlaybackFlow, FlagButtons)
{
    CVessaDlg& dlg = Dlg();
    dlg.m_Paused = 0;
    dlg.m_StepMode = 0;
    dlg.m_StepRequest = 0;

    dlg.OnStep();
    EXPECT_EQ(dlg.m_StepMode, 1);
    EXPECT_EQ(dlg.m_StepRequest, 1);
    dlg.OnPause();
    EXPECT_EQ(dlg.m_Paused, 1);
    EXPECT_EQ(dlg.m_StepMode, 0);
    EXPECT_EQ(dlg.m_StepRequest, 1);
    dlg.OnStep();
    EXPECT_EQ(dlg.m_Paused, 0);
    dlg.OnPlay();
    EXPECT_EQ(dlg.m_Paused, 0);
    EXPECT_EQ(dlg.m_StepMode, 0);
    EXPECT_EQ(dlg.m_StepRequest, 0);
    dlg.OnStop();
    EXPECT_EQ(dlg.m_StopRequest, 1);
    dlg.m_StopRequest = 0;
}
