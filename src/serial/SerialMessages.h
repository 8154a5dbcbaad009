#pragma once
// The texts a serial channel shows the operator.

#include <string>

inline constexpr const char* kSerialMessageTitle = "Pelagrix";

// Message boxes of a failed open and of the watch thread.
inline constexpr const char* kReadEventMessage =
    "COM Port ERROR - m_hComm = m_osRead.hEvent = CreateEvent(NULL, TRUE, FALSE, NULL)";
inline constexpr const char* kOpenDeviceMessage = "COM Port ERROR - m_hComm = CreateFile( m_sPortName,... ";
inline constexpr const char* kWatchThreadMessage = "Error while creating ThreadWatchComm, ";
inline constexpr const char* kOverflowMessage =
    "Input buffer overflow!\nm_QueueRead FULL![3]!\n CPU is very busy\n";

// Console line when an open port goes away (adapter unplugged).
inline std::string PortLostConsoleLine(const std::string& path)
{
    return ">> Serial port " + path +
           " is gone (device unplugged?): reading stopped. Disconnect and connect again.\r\n";
}

// Console line when a port number names no device.
inline std::string NoDeviceConsoleLine(int portNumber)
{
    return ">> No serial device is known for COM" + std::to_string(portNumber) + ".\r\n";
}

// Console line when a speed has no terminal setting.
inline std::string UnsupportedSpeedConsoleLine(int baud, const std::string& path)
{
    return ">> Speed " + std::to_string(baud) + " is not supported: " + path +
           " keeps its current speed.\r\n";
}
