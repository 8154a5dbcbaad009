// The Apply button: the parameter lists' texts become set commands for the
// instrument, each sent only when it differs from what the instrument last
// reported or was last sent, or every one of them right after a connect.

#include "app/CVessaDlg.h"
#include "device/CommandTable.h"
#include "device/ParameterRules.h"

void CVessaDlg::ApplyParameters()
{
    m_EchoCommands = 0;
    SendCommand(kAttentionSequence);
    m_EchoCommands = 1;
    PumpingDelay(500);

    SetProgressRange(20);
    ProgressStep();

    // Each list is read when its turn comes: data received during the waits
    // may have refreshed the record in between.
    for (int row = 0; row < static_cast<int>(kApplyListIds.size()); ++row) {
        const std::string text = ControlText(kApplyListIds[row]);
        const std::optional<std::string> command =
            ApplyRow(row, text, DeviceParams, m_SendAllParams == 1);
        if (command) {
            SendFormatted(*command);
            PumpingDelay(200);
        }
        if (command || row == kOutputModeRow)
            ProgressStep();
    }
    ApplyAltimeterGeometry(DeviceParams);
    PumpingDelay(300);

    m_EchoCommands = 0;
    SendCommand(kResumeSequence);
    m_EchoCommands = 1;

    if (m_ProgressMax >= 0)
        SetProgressFull();
    ConsoleAppend("\r\n");
    m_SendAllParams = 0;
}
