// Sending commands to the instrument, byte by byte at a fixed pace, and the
// command console's buttons.

#include <QPushButton>

#include <algorithm>
#include <cstring>
#include <string>

#include "app/CVessaDlg.h"
#include "device/CommandTable.h"
#include "serial/CCommPort.h"
#include "ui/ControlTable.h"

int CVessaDlg::SendCommand(const char* command)
{
    if (m_EchoCommands == 1)
        ConsoleAppend("\r\n>> Send Command: [" + std::string(command) + "]");
    ProgressStep();
    std::memset(m_ReplyBuf, 0, 20000);
    // The instrument reads commands slowly: 10 ms after every byte. A port
    // that is not open writes nothing and is not reported.
    for (const char* p = command; *p; ++p) {
        g_DeviceChannel.WriteByte(static_cast<unsigned char>(*p));
        PumpingDelay(10);
        ProgressStep();
    }
    return 1;
}

int CVessaDlg::SendFormatted(const std::string& text)
{
    char buffer[kFormattedCommandMax + 1];
    const size_t length = std::min(text.size(), kFormattedCommandMax);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return SendCommand(buffer);
}

int CVessaDlg::SendWithWake(const char* command)
{
    m_EchoCommands = 0;
    SendCommand(kAttentionSequence);
    m_EchoCommands = 1;
    PumpingDelay(200);
    const int result = SendCommand(command);
    PumpingDelay(300);
    m_EchoCommands = 0;
    SendCommand(kResumeSequence);
    m_EchoCommands = 1;
    return result;
}

void CVessaDlg::OnSendCommand()
{
    SetProgressRange(100);
    const std::string text = ControlText(Id::CommandChoice);
    int result = 0;
    for (const char* command : CommandsForText(text))
        result = SendWithWake(command);
    ConsoleAppend("\r\n");
    // The instrument's answer arrives through the ordinary intake; the two
    // steps stand for showing and reading a captured reply, which nothing
    // captures.
    if (result > 0) {
        ProgressStep();
        ProgressStep();
    }
    if (m_ProgressMax >= 0)
        SetProgressFull();
}

void CVessaDlg::OnRereadParameters()
{
    // The ping stream shows the instrument's parameters from its next
    // complete header and enables the button again.
    m_RereadPending = 1;
    Button(Id::Reread)->setEnabled(false);
}
