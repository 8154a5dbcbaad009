// Sending commands to the instrument, byte by byte at a fixed pace.

#include <cstdio>
#include <cstring>
#include <string>

#include "app/CVessaDlg.h"
#include "serial/CCommPort.h"

int CVessaDlg::SendCommand(const char* command)
{
    if (m_EchoCommands == 1)
        ConsoleAppend("\r\n>> Send Command: [" + std::string(command) + "]");
    ProgressStep();
    std::memset(m_ReplyBuf, 0, 20000);
    for (const char* p = command; *p; ++p) {
        g_DeviceChannel.WriteByte(static_cast<unsigned char>(*p));
        PumpingDelay(10);
        ProgressStep();
    }
    return 1;
}
