#pragma once
// The main controller: the main window and the owner of nearly all state.
// Its operations are defined in the folder of the subsystem that owns them
// (app/, ui/, serial/, device/, intake/, logging/, display/, playback/,
// folderchooser/); this header gathers the fields and declarations.

#include <QDialog>
#include <QFont>
#include <QImage>
#include <QColor>

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "intake/DeviceParams.h"
#include "platform/OperatorDialogs.h"

class QComboBox;
class QPushButton;
class QLabel;
class QCheckBox;
class QProgressBar;
class QPlainTextEdit;
class QWidget;

// The echogram display area's size in pixels (control 1039).
inline constexpr int kDisplayWidth = 795;
inline constexpr int kDisplayHeight = 488;

class CVessaDlg : public QDialog {
    Q_OBJECT
public:
    explicit CVessaDlg(QWidget* parent = nullptr);
    ~CVessaDlg() override;

    // ---- app/: start-up, exit, pumping delay --------------------------------
    bool OnInitDialog();
    void StartUp();
    void OnExit();
    void OnOK() {}
    void PumpingDelay(int32_t ms);

    // Replaces the operator dialogs (message boxes, questions, file choosers,
    // busy cursor); tests install a scripted set.
    void SetDialogs(std::unique_ptr<OperatorDialogs> dialogs);
    OperatorDialogs& Dialogs() { return *m_Dialogs; }

    // ---- ui/: controls, console pane, keyword switches, about box -----------
    QWidget* Control(int id) const;
    QComboBox* List(int id) const;
    QPushButton* Button(int id) const;
    // Current text of a list or caption of any other control, Latin-1.
    std::string ControlText(int id) const;
    void SetControlText(int id, const std::string& text);

    void ConsoleAppend(const std::string& text);
    void ConsoleAppend(const char* text);
    void ConsoleDropLastLine(const char* marker);
    // The pane's whole text as 8-bit text with CR LF line breaks.
    std::string ConsoleText() const;
    void OnTypedInConsole();

    void EnableParameterControls(bool enable);
    void SetProgressRange(int32_t max);
    void ProgressStep();
    void SetProgressFull();
    void ApplySpeedKeywords();
    void ApplyDataOutputKeywords();
    void ShowAboutBox();

    // ---- app/: settings store ------------------------------------------------
    void LoadSettings();
    void SaveSettings();

    // ---- serial/: connection control -----------------------------------------
    void BuildPortLists();
    void OnConnect();

    // ---- device/: command console, parameter apply, device parameters ------
    int SendCommand(const char* command);
    int SendFormatted(const std::string& text);
    int SendWithWake(const char* command);
    void OnSendCommand();
    void OnRereadParameters();
    void ApplyParameters();
    void ShowDeviceParams();

    // ---- intake/: receive dispatch, ping stream, GPS, readout, generator ---
    void OnDataArrived(int portId);
    void AssembleDeviceLines();
    int TakeGpsBytes();
    void ProcessLine();
    int ParseHeaderLine(const char* line);
    void ShowGpsLine(const char* line);
    void ClearGpsPanel();
    void ShowReadoutLabels();
    void UpdateSensorReadout();
    void GeneratorEndOfPing();
    void GenerateTestSignal();

    // ---- logging/: data log and report log -----------------------------------
    void OpenLogAtConnect();
    void WriteRawRecord(const char* line, int32_t length);
    void WriteReportLine();
    void CloseLog();
    // Names the next data log from the local time, m_DataFolder and the
    // device ID (also after every use of the folder chooser).
    void MakeLogName();
    // Creates m_LogPath and writes its header; -1 when a log is already open.
    int OpenLog();
    // Writes bytes to the open data log; a failure is reported once per file.
    void WriteLogBytes(const char* data, size_t size);

    // ---- display/: layers, renderer, composition ----------------------------
    void RenderEchogram();
    void PaintDisplay(QPainter& painter);
    // Asks for a repaint of the display area without erasing it first.
    void RequestDisplayRepaint();
    void BuildPalette();
    float ScaleValue(float a, int32_t linear) const;
    int32_t PaletteIndex(int32_t v) const;
    void DrawFrameAndAxes();
    void DrawShadowText(const std::string& text, int left, int top, int width, int height);

    // ---- playback/: data log playback -----------------------------------------
    void OnSelectInputFile();
    int SelectInputFile();
    void RunPlayback();
    void OnPlay();
    void OnPause();
    void OnStop();
    void OnStep();
    void OnReplay();
    void OnTest();

    // ---- folderchooser/: data folder -------------------------------------------
    void BrowseDataFolder();

    // ---- Fields, in declaration order ----------------------------------------
    char m_ReplyBuf[110000];
    int32_t m_ReplyLen = 0;
    char m_ReplyLine[10000];
    int32_t m_ReplyLinePos = 0;
    DeviceParamsRecord DeviceParams;
    int32_t m_ProgressPos = 0;
    int32_t m_ProgressMax = 0;
    int32_t FLAG_DEBUG = 0;
    int32_t m_DeviceBacklog = 0;
    int32_t m_Connected = 0;
    std::string m_DataFolder;
    std::string m_LogFileName;
    std::string m_LogPath;
    std::FILE* m_LogFile = nullptr;
    std::FILE* m_PlayFile = nullptr;
    std::FILE* m_ReportFile = nullptr;
    int32_t m_LogOpen = 0;
    int32_t m_LogActive = 0;
    int32_t m_Palette[3][256] = {};
    QFont m_StatusFont;
    QFont m_LabelFont;
    int32_t last_ping = 0;
    int32_t m_RereadPending = 0;
    char m_LineBuf[1000] = {};
    int32_t m_LineLen = 0;
    int32_t m_LineReady = 0;
    int32_t m_GpsLinePos = 0;
    char m_GpsLineBuf[1001] = {};
    int32_t m_GpsLogState = 0;
    int32_t m_GpsLogLen = 0;
    char m_GpsLogBlock[100000] = {};
    int32_t NSInBuff = 0;
    int32_t m_LastPingSamples = 0;
    int32_t m_PingState = 0;
    int32_t m_HeaderState = 0;
    int32_t m_BytesIn = 0;
    int32_t m_PlayFileLength = 0;
    QImage m_Layers[3];
    QColor m_KeyColour;
    int32_t m_EchoCommands = 1;
    int32_t m_MeanMode = 0;
    int32_t m_LinearScale = 0;
    std::string m_InputPath;
    std::string m_ReportPath;
    int32_t m_ReportWanted = 0;
    int32_t m_ReportOpen = 0;
    int32_t m_SendAllParams = 0;
    int32_t m_Paused = 0;
    int32_t m_StopRequest = 0;
    int32_t m_ReplayRequest = 0;
    int32_t m_StepMode = 0;
    int32_t m_StepRequest = 0;
    int32_t m_PlaybackRunning = 0;
    int32_t FlagShowDebugButtons = 0;
    int32_t FlagGenerateTestSignal = 0;
    int32_t m_DbtSeen = 0;
    int32_t MaxAm = 0;
    float AltLoc = 0.0f;
    int32_t m_PaletteChoice = 1;
    int32_t m_GpsPort = 0;
    std::string m_GpsPanelLines[9];
    std::string m_ReadoutLines[9];

    // ---- Further state of the subsystems -------------------------------------
    // intake/
    // Calendar seconds of the last redraw of each ping branch (echosounder,
    // NMEA altimeter, simple altimeter); 0 means "redraw at the next ping".
    int64_t m_LastRedrawEcho = 0;
    int64_t m_LastRedrawNmea = 0;
    int64_t m_LastRedrawSimple = 0;
    // The nine readout lines joined; kept so a ping reuses its storage.
    std::string m_ReadoutPanelText;
    // intake/ receive dispatch and GPS
    // 1 while AssembleDeviceLines runs: a notification dispatched inside
    // ProcessLine's waits leaves the line buffer to the outer call (2 then,
    // so the outer call posts a fresh notification when it ends).
    int32_t m_AssemblingLines = 0;
    // Called with each assembled line just before ProcessLine takes it (tests
    // and benchmarks watch the handoff through it); null normally.
    void (*m_LineHandoffProbe)(void* context, const char* line, int32_t length) = nullptr;
    void* m_LineHandoffContext = nullptr;

    // logging/
    // 1 once a write failure of the current data log has been reported.
    int32_t m_LogWriteFailed = 0;

    // display/
    // 1 once the three layers exist (created on first use, kept to the end).
    int32_t m_LayersCreated = 0;
    // 1 once BuildPalette has filled m_Palette.
    int32_t m_PaletteBuilt = 0;
    void CreateLayers();
    // Draws one label with its shadow through an open painter on layer 1.
    void DrawShadowText(QPainter& painter, const std::string& text, int left, int top, int width,
                        int height);

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void accept() override;
    void reject() override;

private:
    void CreateControls();
    void ConnectHandlers();

    std::map<int, QWidget*> m_Controls;
    QPlainTextEdit* m_Console = nullptr;
    // Set while the program itself changes the console pane, so the change
    // notification only reacts to the operator's edits.
    bool m_ConsoleProgramEdit = false;
    std::unique_ptr<OperatorDialogs> m_Dialogs;
};
