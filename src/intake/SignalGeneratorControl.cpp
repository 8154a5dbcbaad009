// The signal generator acting on the ping just completed.

#include "app/CVessaDlg.h"
#include "app/PingHistory.h"
#include "intake/PingRows.h"
#include "intake/SignalGenerator.h"

void CVessaDlg::GeneratorEndOfPing()
{
    int32_t* row = PingHistory[PingRow(last_ping)];
    if (FlagGenerateTestSignal == 1)
        OverlayTestMarker(row, last_ping);
    else if (FlagGenerateTestSignal == 2)
        GenerateTestSignal();
    const EchoDetection echo = DetectEcho(row, NSInBuff, DeviceParams.Threshold, DeviceParams.Range_mm);
    AltLoc = echo.altLoc_mm;
    MaxAm = echo.maxAm;
    DeviceParams.EchoMaxAmplitude = MaxAm;
    DeviceParams.Altitude_mm = AltLoc;
}

void CVessaDlg::GenerateTestSignal()
{
    WriteSyntheticPing(PingHistory[PingRow(last_ping)], last_ping);
}
