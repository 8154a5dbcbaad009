#pragma once
// A serial channel: one port, its watch thread and its receive ring.

#include <atomic>
#include <cstdint>
#include <string>

class CVessaDlg;

inline constexpr int32_t kQueueSize = 1000000;

class CCommPort {
public:
    CCommPort() = default;
    CCommPort(const CCommPort&) = delete;
    CCommPort& operator=(const CCommPort&) = delete;

    // Writes one byte to the port. 0 when the port is not open, else 1.
    int WriteByte(unsigned char byte);
    // Stops the watch thread and closes the port; returns at once when the
    // channel is not running.
    void Close();

    CVessaDlg* m_pOwner = nullptr;
    int m_hComm = -1;
    std::string m_sPortName;
    std::atomic<int32_t> m_bRunning{0};
    uint16_t m_nPortId = 0;
    unsigned char m_QueueRead[kQueueSize] = {};
    std::atomic<int32_t> m_nQueueHead{0};
    std::atomic<int32_t> m_nQueueTail{0};
};

// The instrument channel (read and written) and the GPS channel (read only).
extern CCommPort g_DeviceChannel;
extern CCommPort g_GpsChannel;
