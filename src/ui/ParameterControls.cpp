// The parameter controls switch, the progress bar protocol and the hidden
// keyword switches of the speed and Data Output fields.

#include <QProgressBar>

#include <cstdio>

#include "app/CVessaDlg.h"
#include "ui/ControlTable.h"
#include "ui/KeywordSwitches.h"

void CVessaDlg::EnableParameterControls(bool enable)
{
    for (int id : kParameterControlIds)
        Control(id)->setEnabled(enable);
    SetProgressRange(20);
}

void CVessaDlg::SetProgressRange(int32_t max)
{
    m_ProgressMax = max;
    auto* bar = static_cast<QProgressBar*>(Control(Id::Progress));
    bar->setRange(0, max);
    bar->setValue(0);
}

void CVessaDlg::ProgressStep()
{
    ++m_ProgressPos;
    if (m_ProgressMax != 0 && m_Connected == 1) {
        m_ProgressPos %= m_ProgressMax;
        static_cast<QProgressBar*>(Control(Id::Progress))->setValue(m_ProgressPos);
    }
}

void CVessaDlg::SetProgressFull()
{
    static_cast<QProgressBar*>(Control(Id::Progress))->setValue(m_ProgressMax);
}

void CVessaDlg::ApplySpeedKeywords()
{
    FLAG_DEBUG = SpeedFieldDebugFlag(ControlText(Id::DeviceSpeed), FLAG_DEBUG);
    if (FLAG_DEBUG > 0) {
        EnableParameterControls(true);
        ConsoleAppend("FLAG_DEBUG>0 \r\n");
    } else {
        EnableParameterControls(false);
        ConsoleAppend("FLAG_DEBUG==0\r\n");
    }
}

void CVessaDlg::ApplyDataOutputKeywords()
{
    const DataOutputSwitches switches = DataOutputFieldSwitches(ControlText(Id::DataOutput));
    char text[64];
    if (switches.toggleDebugButtons) {
        FlagShowDebugButtons = (FlagShowDebugButtons + 1) % 2;
        std::snprintf(text, sizeof text, "FlagShowDebugButtons: %d \r\n", FlagShowDebugButtons);
        ConsoleAppend(text);
    }
    if (switches.advanceTestSignal) {
        FlagGenerateTestSignal = (FlagGenerateTestSignal + 1) % 3;
        std::snprintf(text, sizeof text, "FlagGenerateTestSignal: %d \r\n", FlagGenerateTestSignal);
        ConsoleAppend(text);
    }
    for (int id : kDebugControlIds)
        Control(id)->setVisible(FlagShowDebugButtons == 1);
    update();
}
