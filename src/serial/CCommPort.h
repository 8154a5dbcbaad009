#pragma once
// A serial channel: one port, its watch thread and its receive ring.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "serial/ReceiveRing.h"
#include "serial/WatchThread.h"

class CVessaDlg;

class CCommPort {
public:
    CCommPort() = default;
    CCommPort(const CCommPort&) = delete;
    CCommPort& operator=(const CCommPort&) = delete;
    // Ends a watch thread still running at program end; the port itself is
    // left to the system.
    ~CCommPort();

    // Opens COM port `portNumber` at `baudRate` bits per second and starts the
    // watch thread: 1. On failure shows the reason (message box, and a console
    // line naming the cause) and returns 0, leaving the channel closed.
    int Open(CVessaDlg* owner, int portNumber, int baudRate);
    // Stops the watch thread and closes the port; takes at least 4000 ms when
    // the channel was running and returns at once when it was not.
    void Close();
    // Writes one byte, waiting at most 1000 ms for room. 0 when the port is
    // not open, else 1 whether or not the byte went out.
    int WriteByte(unsigned char byte);

    // Empties the ring (both indices 0, storage zeroed when asked), safe
    // against the watch thread.
    void ResetQueue(bool zeroStorage);
    // Bytes waiting in the ring.
    int32_t QueueUsed() const;
    // Reader side (UI thread): takes the oldest byte; false when empty.
    bool TakeByte(unsigned char& byte);
    // Reader side: drops up to `count` of the oldest bytes.
    void DiscardQueued(int32_t count);
    // Writer side for a channel whose watch thread is not running (tests and
    // tools feed a ring this way): stores the bytes whole, or drops them all
    // and returns false when they do not fit.
    bool StoreChunk(const unsigned char* bytes, int32_t count);

    // The device path of a port number: the settings file's section "Ports",
    // key "COMn", else the default table (COM1-8 /dev/ttyUSB0-7, COM9-16
    // /dev/ttyACM0-7, COM17-32 /dev/ttyS0-15).
    static std::string DevicePathForPort(int portNumber);
    bool IsRunning() const { return m_bRunning.load(std::memory_order_acquire) != 0; }

    CVessaDlg* m_pOwner = nullptr;
    int m_hComm = -1;
    std::string m_sPortName;
    std::atomic<int32_t> m_bRunning{0};
    uint16_t m_nPortId = 0;
    unsigned char m_QueueRead[kQueueSize] = {};
    std::atomic<int32_t> m_nQueueHead{0};
    std::atomic<int32_t> m_nQueueTail{0};

private:
    // Hands the watch thread's reports to the owner's UI thread.
    class Reporter : public WatchEvents {
    public:
        void Configure(CVessaDlg* owner, uint16_t portId, const std::string& portName);
        void DataArrived() override;
        void Overflow() override;
        void PortLost(int error) override;
        void StartFailed() override;

    private:
        CVessaDlg* m_Owner = nullptr;
        uint16_t m_PortId = 0;
        std::string m_PortName;
    };

    void ShowMessage(const std::string& text);
    void Console(const std::string& text);

    // Held by the watch thread around each chunk copy and by every reset.
    std::mutex m_QueueLock;
    Reporter m_Reporter;
    WatchThread m_Watch;
};

// The instrument channel (read and written) and the GPS channel (read only).
extern CCommPort g_DeviceChannel;
extern CCommPort g_GpsChannel;
