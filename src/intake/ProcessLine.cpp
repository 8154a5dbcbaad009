// The ping stream processor: every line from the instrument or from a played
// file updates the parameter record and becomes part of a ping row.

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string_view>

#include <QWidget>

#include "app/CVessaDlg.h"
#include "app/PingHistory.h"
#include "intake/DebugText.h"
#include "intake/PingRows.h"
#include "intake/RedrawClock.h"
#include "serial/CCommPort.h"
#include "ui/ControlTable.h"

namespace {

bool Contains(std::string_view line, std::string_view what)
{
    return line.find(what) != std::string_view::npos;
}

int64_t CalendarSeconds()
{
    return static_cast<int64_t>(std::time(nullptr));
}

void Redraw(CVessaDlg& dlg)
{
    dlg.RenderEchogram();
    dlg.RequestDisplayRepaint();
}

void RedrawWhenDue(CVessaDlg& dlg, int64_t& clock)
{
    if (RedrawDue(CalendarSeconds(), clock))
        Redraw(dlg);
}

// In step mode the processor halts after each ping until STEP releases it,
// or STOP or quitting ends the wait. The clock is zeroed so the next ping
// redraws at once.
void StepWait(CVessaDlg& dlg, int64_t& clock)
{
    if (dlg.m_StepMode != 1)
        return;
    clock = 0;
    dlg.PumpingDelay(10);
    while (dlg.m_StepMode != 0) {
        if (dlg.m_StepRequest == 1) {
            dlg.m_StepRequest = 0;
            break;
        }
        if (g_QuitRequest > 0 || dlg.m_StopRequest > 0)
            break;
        clock = 0;
        dlg.PumpingDelay(10);
    }
}

void FinishAltimeterPing(CVessaDlg& dlg, int64_t& clock)
{
    RedrawWhenDue(dlg, clock);
    if (dlg.m_Connected == 0)
        dlg.PumpingDelay(30);
    StepWait(dlg, clock);
}

void NmeaAltimeterPing(CVessaDlg& dlg)
{
    DeviceParamsRecord& p = dlg.DeviceParams;
    p.Altitude_mm = GeneratedAltitude(dlg.FlagGenerateTestSignal, dlg.last_ping, p.Altitude_mm);
    p.Range_mm = SanitisedRange(p.Range_mm);
    const int32_t slot = AltimeterSlot(p.Altitude_mm, p.Range_mm, p.NSamples, kNmeaSlotLimit);
    WriteNmeaAltimeterRow(PingHistory[PingRow(dlg.last_ping)], slot);
    p.Ping = NextPingCount(p.Ping);
    dlg.last_ping = NextPingCount(dlg.last_ping);
    dlg.UpdateSensorReadout();
    FinishAltimeterPing(dlg, dlg.m_LastRedrawNmea);
}

// Keeps the display current when the instrument sends faster than it is
// drawn: all but the newest 10 waiting bytes of the instrument ring are
// skipped. Only the read index moves.
void TrimDeviceBacklog()
{
    const int32_t head = g_DeviceChannel.m_nQueueHead.load(std::memory_order_acquire);
    const int32_t tail = g_DeviceChannel.m_nQueueTail.load(std::memory_order_relaxed);
    const int32_t trimmed = TailAfterBacklogTrim(head, tail, kQueueSize);
    if (trimmed != tail)
        g_DeviceChannel.m_nQueueTail.store(trimmed, std::memory_order_release);
}

void SimpleAltimeterPing(CVessaDlg& dlg, std::string_view line)
{
    DeviceParamsRecord& p = dlg.DeviceParams;
    p.Altitude_mm = static_cast<float>(SimpleAltimeterMetres(line) * 1000.0);
    p.Altitude_mm = GeneratedAltitude(dlg.FlagGenerateTestSignal, dlg.last_ping, p.Altitude_mm);
    if (dlg.m_Connected == 1)
        TrimDeviceBacklog();
    int32_t* row = PingHistory[PingRow(dlg.last_ping)];
    std::fill(row, row + kPingHistorySlots, 0);
    p.Range_mm = SanitisedRange(p.Range_mm);
    WriteSimpleAltimeterMarker(
        row, AltimeterSlot(p.Altitude_mm, p.Range_mm, p.NSamples, kSimpleSlotLimit));
    dlg.last_ping = NextPingCount(dlg.last_ping);
    p.Ping = NextPingCount(p.Ping);
    dlg.UpdateSensorReadout();
    FinishAltimeterPing(dlg, dlg.m_LastRedrawSimple);
}

void AppendDebugText(CVessaDlg& dlg)
{
    const PingDebugValues values{dlg.NSInBuff, dlg.AltLoc, dlg.MaxAm, dlg.last_ping};
    for (const std::string& piece : PingDebugPieces(dlg.DeviceParams, values))
        dlg.ConsoleAppend(piece);
}

void EndOfEchosounderPing(CVessaDlg& dlg)
{
    if (dlg.FlagGenerateTestSignal != 0)
        dlg.GeneratorEndOfPing();
    if (dlg.FlagShowDebugButtons == 1)
        AppendDebugText(dlg);
    dlg.UpdateSensorReadout();
    dlg.last_ping = NextPingCount(dlg.last_ping);
    dlg.m_PingState = 0;

    // Live: at most once per two seconds; playback: every fifth ping.
    bool redraw = dlg.m_Connected == 1 ? RedrawDue(CalendarSeconds(), dlg.m_LastRedrawEcho)
                                       : dlg.last_ping % 5 == 0;
    if (dlg.m_StepMode == 1)
        redraw = true;
    if (redraw)
        Redraw(dlg);
    if (dlg.m_Connected == 0)
        dlg.PumpingDelay(50);
    StepWait(dlg, dlg.m_LastRedrawEcho);
}

void ShowTvgModeText(CVessaDlg& dlg)
{
    static constexpr const char* kTexts[] = {"Mode %d R    ", "Mode %d Theor", "Mode %d Spher",
                                             "Mode %d Flat "};
    const int32_t mode = dlg.DeviceParams.TVG_Mode;
    if (mode < 0 || mode > 3)
        return;
    char text[32];
    std::snprintf(text, sizeof text, kTexts[mode], mode);
    dlg.SetControlText(Id::TvgMode, text);
}

// The marker lines of the echosounder stream: all of them contain "#", so a
// sample line skips this part with one search.
void EchosounderMarkers(CVessaDlg& dlg, std::string_view line)
{
    if (Contains(line, "#Device")) {
        dlg.SetProgressRange(100);
        dlg.m_HeaderState = 1;
    }
    const bool dataStart = Contains(line, "##DataStart");
    if (dataStart) {
        if (dlg.m_HeaderState == 1)
            dlg.m_HeaderState = 2;
        if (dlg.m_ReportOpen == 1)
            dlg.WriteReportLine();
    }
    // In playback only every fifth ping (or every ping in step mode) is shown.
    const bool display =
        dlg.m_Connected == 1 || dlg.DeviceParams.Ping % 5 == 0 || dlg.m_StepMode == 1;
    if (Contains(line, "#DataStart")) {
        char text[48];
        std::snprintf(text, sizeof text, " Device: PelaGrix ID%04u",
                      static_cast<unsigned>(dlg.DeviceParams.DeviceID));
        dlg.SetControlText(Id::DeviceLabel, text);
        if (display && dlg.m_Connected == 0)
            ShowTvgModeText(dlg);
    }
    if (Contains(line, "#Range"))
        dlg.m_PingState = 1;
    if (dataStart && dlg.m_PingState == 1) {
        dlg.m_PingState = 2;
        dlg.NSInBuff = 0;
    }
    if (dlg.m_PingState == 2 && Contains(line, "##DataEnd")) {
        dlg.m_PingState = 3;
        dlg.m_LastPingSamples = dlg.NSInBuff;
        if (dlg.m_ProgressMax >= 0)
            dlg.SetProgressFull();
    }
}

void EchosounderLine(CVessaDlg& dlg, std::string_view line)
{
    if (line.find('#') != std::string_view::npos)
        EchosounderMarkers(dlg, line);

    // The parameter controls show the header of the first complete ping
    // after a re-read request.
    if (dlg.m_RereadPending == 1 && dlg.m_HeaderState == 2) {
        dlg.ShowDeviceParams();
        dlg.EnableParameterControls(true);
        dlg.m_HeaderState = 0;
        dlg.m_RereadPending = 0;
    }

    if (dlg.m_PingState == 2) {
        if (dlg.NSInBuff % 500 == 0)
            dlg.ProgressStep();
        dlg.NSInBuff = StoreSample(PingHistory[PingRow(dlg.last_ping)], dlg.NSInBuff,
                                   SampleValue(line), dlg.DeviceParams.Range_mm);
    }
    if (dlg.m_PingState == 3)
        EndOfEchosounderPing(dlg);
}

}  // namespace

void CVessaDlg::ProcessLine()
{
    if (m_LineReady != 1)
        return;
    // A local copy: the line buffer is free for the next line at once, and
    // nested calls during the delays below cannot change this one.
    const int32_t n = std::clamp(m_LineLen, 0, static_cast<int32_t>(sizeof m_LineBuf) - 1);
    char line[sizeof m_LineBuf];
    std::memcpy(line, m_LineBuf, static_cast<size_t>(n));
    line[n] = '\0';
    m_LineReady = 0;
    m_LineBuf[0] = '\0';

    // Only lines from the instrument are logged, never played-back ones.
    if (m_LogActive == 1 && m_LogOpen == 1 && m_Connected == 1)
        WriteRawRecord(line, n);

    ParseHeaderLine(line);

    // The line as text: up to its first NUL, terminator included.
    const std::string_view text(line, strnlen(line, static_cast<size_t>(n)));
    switch (DeviceParams.OutputMode) {
    case 3:
        if (Contains(text, "DBT") || (m_DbtSeen == 0 && Contains(text, "DPT")))
            NmeaAltimeterPing(*this);
        break;
    case 1:
        if (text.find_first_of("$#") == std::string_view::npos)
            SimpleAltimeterPing(*this, text);
        else
            EchosounderLine(*this, text);
        break;
    default:
        EchosounderLine(*this, text);
        break;
    }
}
