#pragma once
// The five playback buttons (STEP, REPLAY, STOP, PLAY, PAUSE) switched
// together, and the repaint at the end of a playback.

class CVessaDlg;

void EnablePlaybackButtons(CVessaDlg& dlg, bool enable);
// Marks the whole main window, the echogram display included, for repainting.
void RequestMainWindowRepaint(CVessaDlg& dlg);
