#pragma once
// The watch thread of a serial channel, without Qt: it waits in poll() on the
// port and on a wake-up descriptor, reads what arrived in chunks of up to
// kChunkSize bytes, stores each chunk whole into the channel's ring (or drops
// it whole when it does not fit) and reports through WatchEvents.
//
// A port that goes away (hang-up, error, EIO, end of file) is reported once;
// the thread then stops reading and sleeps on the wake-up descriptor alone
// until it is told to end, so an unplugged adapter costs no CPU.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

// Called on the watch thread. Implementations must not block on the UI.
class WatchEvents {
public:
    virtual ~WatchEvents() = default;
    // One port event has been handled (posted even when nothing was stored).
    virtual void DataArrived() = 0;
    // The first chunk dropped for want of room in this thread's lifetime.
    virtual void Overflow() = 0;
    // The port went away; `error` is the errno seen, 0 for a hang-up.
    virtual void PortLost(int error) = 0;
    // The thread could not set itself up and ends without reading.
    virtual void StartFailed() = 0;
};

// The ring a watch thread fills: storage, indices and the lock a reset takes.
struct RingRefs {
    unsigned char* storage = nullptr;
    std::atomic<int32_t>* head = nullptr;
    std::atomic<int32_t>* tail = nullptr;
    std::mutex* lock = nullptr;
};

class WatchThread {
public:
    static constexpr int32_t kChunkSize = 100000;

    WatchThread() = default;
    WatchThread(const WatchThread&) = delete;
    WatchThread& operator=(const WatchThread&) = delete;
    // Wakes and joins a thread still running.
    ~WatchThread();

    // Creates the wake-up descriptor; false when the system refuses one.
    bool CreateWake();
    // Starts the thread on `portFd`; it runs while `running` is non-zero.
    // False when the thread cannot be created.
    bool Start(int portFd, RingRefs ring, const std::atomic<int32_t>& running,
               WatchEvents& events);
    // Makes the thread re-check `running`.
    void Wake();
    // Waits for the thread to end (returns at once when none runs).
    void Join();
    // Releases the wake-up descriptor; only after Join.
    void ReleaseWake();

    bool Ended() const { return m_Ended.load(std::memory_order_acquire); }
    // Loop passes so far (lets tests see that a lost port is not polled in a
    // busy loop).
    int64_t Passes() const { return m_Passes.load(std::memory_order_relaxed); }

private:
    void Run(int portFd, RingRefs ring, const std::atomic<int32_t>& running,
             WatchEvents& events);
    // Reads up to kChunkSize bytes; 0 when nothing waits. Sets `lost` (and
    // `lostError`: errno, or 0 for end of file) when the port is gone. `first`
    // tells the first read after poll() reported the port readable.
    int32_t ReadChunk(int portFd, unsigned char* chunk, bool first, bool& lost, int& lostError);

    std::thread m_Thread;
    int m_WakeFd = -1;
    std::atomic<bool> m_Ended{false};
    std::atomic<int64_t> m_Passes{0};
};
