#include "serial/CCommPort.h"

#include <unistd.h>

CCommPort g_DeviceChannel;
CCommPort g_GpsChannel;

int CCommPort::WriteByte(unsigned char byte)
{
    if (m_hComm < 0)
        return 0;
    [[maybe_unused]] ssize_t n = ::write(m_hComm, &byte, 1);
    return 1;
}

void CCommPort::Close()
{
    if (!m_bRunning)
        return;
    m_bRunning = 0;
}
