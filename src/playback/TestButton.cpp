// The "Test" button: a demonstration pattern in the echogram store, so the
// display can be seen without an instrument or a data log.

#include "app/CVessaDlg.h"
#include "app/PingHistory.h"
#include "playback/DemoPattern.h"
#include "playback/PlaybackButtons.h"

void CVessaDlg::OnTest()
{
    EnableParameterControls(true);
    EnablePlaybackButtons(*this, true);

    FillDemonstrationPattern(PingHistory, kPingHistoryRows);
    GenerateTestSignal();
    WriteDemonstrationMarker(PingHistory[last_ping % kPingRowsInUse], last_ping);
    ++last_ping;

    RenderEchogram();
    RequestMainWindowRepaint(*this);
}
