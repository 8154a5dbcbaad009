// Playing a recorded data log back through the ping stream processor: the
// file button, the file choice with the optional report log, and the loop
// that feeds the file into the shared line buffer. The loop runs on the
// user-interface thread inside the file button's handler; the other playback
// buttons only set flags that it reads at its checks.

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <limits>
#include <vector>

#include <sys/stat.h>

#include "app/CVessaDlg.h"
#include "app/PingHistory.h"
#include "playback/FileFilter.h"
#include "playback/InputFile.h"
#include "playback/LineBytes.h"
#include "playback/PlaybackButtons.h"
#include "playback/ReportPath.h"
#include "platform/Text.h"
#include "ui/ControlTable.h"

#include <QCheckBox>

namespace {

constexpr size_t kChunkBytes = 100000;
constexpr int64_t kPausePointBytes = 10000;
constexpr int32_t kLineCapacity = static_cast<int32_t>(sizeof(CVessaDlg::m_LineBuf));

constexpr const char* kMessageTitle = "Pelagrix";
constexpr const char* kConnectedRefusal =
    "The instrument is connected.\nDisconnect it before playing a data log file.";

int32_t Clamped32(int64_t value)
{
    return static_cast<int32_t>(std::min<int64_t>(value, std::numeric_limits<int32_t>::max()));
}

void CloseReportLog(CVessaDlg& dlg)
{
    if (dlg.m_ReportFile) {
        std::fclose(dlg.m_ReportFile);
        dlg.m_ReportFile = nullptr;
    }
    dlg.m_ReportOpen = 0;
}

// Closes the played file, whichever way the playback loop is left.
struct PlayFileCloser {
    std::FILE*& file;
    ~PlayFileCloser()
    {
        if (file)
            std::fclose(file);
        file = nullptr;
    }
};

int64_t CurrentLength(std::FILE* file)
{
    struct stat st {};
    if (::fstat(fileno(file), &st) != 0)
        return 0;
    return static_cast<int64_t>(st.st_size);
}

}  // namespace

void CVessaDlg::OnSelectInputFile()
{
    // A second press during a playback ends it; playbacks never nest.
    if (m_PlaybackRunning == 1) {
        m_StopRequest = 1;
        return;
    }
    // The live line assembly fills the same line buffer as the playback.
    if (m_Connected == 1) {
        m_ReplayRequest = 0;
        m_Dialogs->Message(kMessageTitle, kConnectedRefusal);
        return;
    }
    // A pending REPLAY plays m_InputPath again without the file dialog.
    if (m_ReplayRequest == 0 && SelectInputFile() == -1)
        return;

    EnablePlaybackButtons(*this, true);
    EnableParameterControls(false);
    Control(Id::Connect)->setEnabled(false);

    m_ReplayRequest = 0;
    // A STOP pressed while nothing played (the buttons are usable after
    // "Test") must not end this playback at its first check.
    m_StopRequest = 0;
    m_PlaybackRunning = 1;
    RunPlayback();
    m_PlaybackRunning = 0;
    // A REPLAY that the loop did not take any more (a STOP or quit came
    // after it) must not turn the next file choice into a replay.
    m_ReplayRequest = 0;

    EnablePlaybackButtons(*this, false);
    EnableParameterControls(true);
    Control(Id::Connect)->setEnabled(true);
    Control(Id::Replay)->setEnabled(true);
}

int CVessaDlg::SelectInputFile()
{
    const std::optional<std::string> chosen =
        m_Dialogs->OpenFileName("Select input data file", QtFileFilter(kDataLogFilter), m_DataFolder);
    if (!chosen || chosen->empty()) {
        m_InputPath.clear();
        return -1;
    }
    m_InputPath = *chosen;

    PumpingDelay(1000);

    ConsoleAppend("\r\n  Check input data log file: ");
    ConsoleAppend(m_InputPath);
    ConsoleAppend("\r\n\r\n");

    // The connection may have been made during the wait above.
    if (m_Connected == 1) {
        m_Dialogs->Message(kMessageTitle, kConnectedRefusal);
        return -1;
    }
    m_Paused = 0;
    m_ReplayRequest = 0;
    m_PlaybackRunning = 0;

    m_ReportWanted = static_cast<QCheckBox*>(Control(Id::CreateLogFile))->isChecked() ? 1 : 0;
    CloseReportLog(*this);
    if (m_ReportWanted == 1) {
        const std::time_t now = std::time(nullptr);
        std::tm local {};
        localtime_r(&now, &local);
        m_ReportPath = ReportPathFor(m_InputPath, local);
        m_ReportFile = std::fopen(m_ReportPath.c_str(), "wbe");
        if (m_ReportFile)
            m_ReportOpen = 1;
        else
            m_Dialogs->Message(kMessageTitle,
                               "Open output data report log file Error #3\n" + m_ReportPath);
    }
    return 1;
}

void CVessaDlg::RunPlayback()
{
    // Playback never records: an open data log is closed without a message.
    if (m_LogOpen == 1) {
        m_LogActive = 0;
        m_LogOpen = 0;
        if (m_LogFile) {
            std::fflush(m_LogFile);
            std::fclose(m_LogFile);
            m_LogFile = nullptr;
        }
    }
    DeviceParams.Pitch_deg = 0.0f;
    DeviceParams.Roll_deg = 0.0f;
    DeviceParams.VertRotationPos_deg = 0.0f;

    if (m_PlayFile) {
        std::fclose(m_PlayFile);
        m_PlayFile = nullptr;
    }
    const PlaybackInput input = OpenPlaybackInput(m_InputPath);
    if (!input.file) {
        m_Dialogs->Message(kMessageTitle, "Open input data log file Error #3\n" + m_InputPath);
        CloseReportLog(*this);
        return;
    }
    m_PlayFile = input.file;
    {
        PlayFileCloser closer{m_PlayFile};

        int64_t length = input.length;
        int64_t taken = 0;  // bytes handled since the start (or restart) of the file
        m_PlayFileLength = Clamped32(length);
        m_BytesIn = 0;
        m_LineLen = 0;
        std::vector<char> chunk(kChunkBytes);

        for (;;) {
            if (g_QuitRequest >= 1)
                break;
            if (m_StopRequest > 0) {
                m_StopRequest = 0;
                break;
            }
            // REPLAY restarts the file after the chunk in progress, also when
            // that chunk was the file's last.
            if (m_ReplayRequest == 1) {
                m_ReplayRequest = 0;
                std::rewind(m_PlayFile);
                length = CurrentLength(m_PlayFile);
                taken = 0;
                m_PlayFileLength = Clamped32(length);
                m_BytesIn = 0;
                m_LineLen = 0;
                continue;
            }
            if (taken >= length)
                break;

            const size_t wanted =
                static_cast<size_t>(std::min<int64_t>(length - taken, kChunkBytes));
            const size_t got = std::fread(chunk.data(), 1, wanted, m_PlayFile);
            // A file cut short while it plays (or a read error) ends the
            // playback where the data ends.
            if (got == 0)
                break;

            for (size_t i = 0; i < got; ++i) {
                const char ch = chunk[i];
                StoreLineByte(m_LineBuf, kLineCapacity, m_LineLen, ch);
                ++taken;
                m_BytesIn = Clamped32(taken);
                if (m_StopRequest > 0 || g_QuitRequest > 0)
                    break;
                // Pause point: let the window work, and hold here while paused.
                if (taken % kPausePointBytes == 0) {
                    do {
                        PumpingDelay(10);
                    } while (m_Paused != 0 && g_QuitRequest <= 0 && m_StopRequest <= 0);
                }
                if (FinishLineByte(m_LineBuf, kLineCapacity, m_LineLen, ch)) {
                    m_LineReady = 1;
                    ProcessLine();
                    m_LineLen = 0;
                }
                if (taken >= length)
                    break;
            }
        }
        EnablePlaybackButtons(*this, false);
    }
    CloseReportLog(*this);
    RequestMainWindowRepaint(*this);
}
