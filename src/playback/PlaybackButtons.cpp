#include "playback/PlaybackButtons.h"

#include "app/CVessaDlg.h"
#include "ui/ControlTable.h"

void EnablePlaybackButtons(CVessaDlg& dlg, bool enable)
{
    for (int id : kPlaybackButtonIds)
        dlg.Control(id)->setEnabled(enable);
}

void RequestMainWindowRepaint(CVessaDlg& dlg)
{
    dlg.update();
    dlg.RequestDisplayRepaint();
}
