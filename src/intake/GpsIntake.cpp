// GPS intake: the GPS ring's bytes become lines for the GPS log block and the
// GPS panel, which shows the latest nine sentences.

#include "app/CVessaDlg.h"
#include "intake/GpsPanel.h"
#include "serial/CCommPort.h"
#include "ui/ControlTable.h"

int CVessaDlg::TakeGpsBytes()
{
    if (m_GpsPort <= 0)
        return 0;
    const int32_t waiting = g_GpsChannel.QueueUsed();
    if (m_GpsLogState == 2)
        return waiting;

    for (int32_t i = 0; i < waiting; ++i) {
        unsigned char byte = 0;
        if (!g_GpsChannel.TakeByte(byte))
            break;  // emptied meanwhile: nothing more was received
        m_GpsLineBuf[m_GpsLinePos++] = static_cast<char>(byte);
        if (byte == '\n') {
            const int32_t rest = g_GpsChannel.QueueUsed();
            m_GpsLineBuf[m_GpsLinePos] = '\0';
            for (int32_t k = 0; k < m_GpsLinePos; ++k) {
                m_GpsLogBlock[m_GpsLogLen++] = m_GpsLineBuf[k];
                if (m_GpsLogLen >= static_cast<int32_t>(sizeof m_GpsLogBlock))
                    m_GpsLogLen = 0;  // the oldest bytes are overwritten
            }
            m_GpsLogState = 1;
            m_GpsLinePos = 0;
            ShowGpsLine(m_GpsLineBuf);
            if (rest < kGpsResumeThreshold)
                break;
        } else if (m_GpsLinePos >= kGpsLineLimit) {
            m_GpsLinePos = 0;
        }
    }
    return waiting;
}

void CVessaDlg::ShowGpsLine(const char* line)
{
    ScrollGpsPanel(m_GpsPanelLines, line);
    SetControlText(Id::GpsPanel, JoinGpsPanel(m_GpsPanelLines));
}

void CVessaDlg::ClearGpsPanel()
{
    for (std::string& line : m_GpsPanelLines)
        line.assign(1, '\n');
    SetControlText(Id::GpsPanel, JoinGpsPanel(m_GpsPanelLines));
}
