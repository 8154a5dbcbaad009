// The "Sensors Output" panel (control 1060).

#include "app/CVessaDlg.h"
#include "intake/ReadoutText.h"
#include "ui/ControlTable.h"

void CVessaDlg::ShowReadoutLabels()
{
    SetReadoutLabels(m_ReadoutLines);
    JoinReadoutLines(m_ReadoutLines, m_ReadoutPanelText);
    SetControlText(Id::SensorsPanel, m_ReadoutPanelText);
}

void CVessaDlg::UpdateSensorReadout()
{
    FormatReadoutLines(DeviceParams, {m_BytesIn, m_PlayFileLength, m_Connected}, m_ReadoutLines);
    JoinReadoutLines(m_ReadoutLines, m_ReadoutPanelText);
    SetControlText(Id::SensorsPanel, m_ReadoutPanelText);
}
