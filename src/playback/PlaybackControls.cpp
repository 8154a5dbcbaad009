// The playback buttons besides the file button: they only set the flags that
// the playback loop and the ping stream processor read. REPLAY from the
// ended state starts the same file again.

#include "app/CVessaDlg.h"
#include "playback/PlaybackButtons.h"
#include "ui/ControlTable.h"

void CVessaDlg::OnPlay()
{
    m_Paused = 0;
    m_StepMode = 0;
    m_StepRequest = 0;
}

void CVessaDlg::OnPause()
{
    m_Paused = 1;
    m_StepMode = 0;
}

void CVessaDlg::OnStop()
{
    m_StopRequest = 1;
}

void CVessaDlg::OnStep()
{
    m_StepMode = 1;
    m_StepRequest = 1;
    m_Paused = 0;
}

void CVessaDlg::OnReplay()
{
    m_ReplayRequest = 1;
    m_Paused = 0;
    m_StepMode = 0;
    m_StepRequest = 0;
    ClearGpsPanel();
    // A running playback starts the file again after its current chunk.
    if (m_PlaybackRunning == 1)
        return;

    // Give a playback that is just ending time to finish.
    m_Dialogs->SetBusyCursor(true);
    Control(Id::Replay)->setEnabled(false);
    for (int i = 0; i < 10; ++i) {
        PumpingDelay(1000);
        if (m_PlaybackRunning == 0)
            break;
    }
    Control(Id::Replay)->setEnabled(true);
    m_Dialogs->SetBusyCursor(false);

    // The request may have been taken meanwhile by a playback started from
    // the file button; only a request still pending plays the file again.
    if (m_PlaybackRunning == 0 && m_ReplayRequest == 1)
        OnSelectInputFile();
}
