// The data-arrived notification on the UI thread: guards both receive rings
// against an excessive backlog, cuts the instrument bytes into lines for
// ProcessLine and lets the GPS intake empty the GPS ring.

#include <QCoreApplication>

#include <cstdio>

#include "app/CVessaDlg.h"
#include "intake/LineAssembly.h"
#include "intake/ReceiveDispatch.h"
#include "platform/DataArrivedEvent.h"
#include "serial/CCommPort.h"

namespace {

// The reader side of a channel's ring as a line-assembly source.
struct RingSource {
    CCommPort& channel;
    int32_t Waiting() const { return channel.QueueUsed(); }
    bool Take(unsigned char& byte) { return channel.TakeByte(byte); }
};

// Empties a ring holding more than kBacklogLimit bytes and reports it.
void DiscardBacklog(CVessaDlg& dlg, CCommPort& channel, int32_t waiting, const char* format)
{
    if (waiting <= kBacklogLimit)
        return;
    channel.ResetQueue(true);
    dlg.ConsoleDropLastLine("buffer:");
    dlg.ConsoleAppend(BacklogMessage(format, waiting));
}

}  // namespace

std::string BacklogMessage(const char* format, int32_t bytes)
{
    char text[160];
    std::snprintf(text, sizeof text, format, static_cast<long>(bytes), bytes / 1024.0);
    return text;
}

void CVessaDlg::OnDataArrived(int /*portId*/)
{
    m_DeviceBacklog = g_DeviceChannel.QueueUsed();
    DiscardBacklog(*this, g_DeviceChannel, m_DeviceBacklog, kDeviceBacklogFormat);
    DiscardBacklog(*this, g_GpsChannel, g_GpsChannel.QueueUsed(), kGpsBacklogFormat);

    m_EchoCommands = 0;
    AssembleDeviceLines();
    m_EchoCommands = 0;
    TakeGpsBytes();
    m_EchoCommands = 1;
}

void CVessaDlg::AssembleDeviceLines()
{
    // A notification handled inside ProcessLine's waits would assemble into
    // the buffer the outer call is still cutting (and the outer call would
    // then wipe that partial line): its bytes wait for the next notification.
    // While a file plays back, the buffer is the playback's.
    if (m_PlaybackRunning)
        return;
    if (m_AssemblingLines) {
        m_AssemblingLines = 2;
        return;
    }
    m_AssemblingLines = 1;
    RingSource source{g_DeviceChannel};
    AssembleLines(source, LineAssemblyState{m_LineBuf, m_LineLen, m_LineReady, m_BytesIn}, [this] {
        if (m_LineHandoffProbe)
            m_LineHandoffProbe(m_LineHandoffContext, m_LineBuf, m_LineLen);
        ProcessLine();
    });
    // Hand the skipped notification's bytes to a fresh one.
    if (m_AssemblingLines == 2)
        QCoreApplication::postEvent(this, new DataArrivedEvent(0));
    m_AssemblingLines = 0;
}
