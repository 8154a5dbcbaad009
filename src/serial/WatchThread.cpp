#include "serial/WatchThread.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "serial/ReceiveRing.h"

WatchThread::~WatchThread()
{
    Wake();
    Join();
    ReleaseWake();
}

bool WatchThread::CreateWake()
{
    if (m_WakeFd < 0)
        m_WakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    return m_WakeFd >= 0;
}

bool WatchThread::Start(int portFd, RingRefs ring, const std::atomic<int32_t>& running,
                        WatchEvents& events)
{
    if (m_Thread.joinable() || m_WakeFd < 0)
        return false;
    m_Ended.store(false, std::memory_order_release);
    try {
        m_Thread = std::thread([this, portFd, ring, &running, &events] {
            Run(portFd, ring, running, events);
        });
    } catch (const std::system_error&) {
        m_Ended.store(true, std::memory_order_release);
        return false;
    }
    return true;
}

void WatchThread::Wake()
{
    if (m_WakeFd >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(m_WakeFd, &one, sizeof one);
    }
}

void WatchThread::Join()
{
    if (m_Thread.joinable())
        m_Thread.join();
}

void WatchThread::ReleaseWake()
{
    if (m_Thread.joinable())
        return;  // the thread still polls it
    if (m_WakeFd >= 0)
        ::close(m_WakeFd);
    m_WakeFd = -1;
}

int32_t WatchThread::ReadChunk(int portFd, unsigned char* chunk, bool first, bool& lost,
                               int& lostError)
{
    for (;;) {
        const ssize_t n = ::read(portFd, chunk, kChunkSize);
        if (n > 0)
            return static_cast<int32_t>(n);
        if (n == 0) {
            // A terminal returns 0 when nothing more waits; right after poll()
            // reported it readable, 0 is the end of file of a hung-up line.
            if (first) {
                lost = true;
                lostError = 0;
            }
            return 0;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            lost = true;
            lostError = errno;
        }
        return 0;
    }
}

void WatchThread::Run(int portFd, RingRefs ring, const std::atomic<int32_t>& running,
                      WatchEvents& events)
{
    // One chunk buffer for the life of the thread: no allocation per read.
    std::unique_ptr<unsigned char[]> chunk(new (std::nothrow) unsigned char[kChunkSize]);
    if (!chunk) {
        events.StartFailed();
        m_Ended.store(true, std::memory_order_release);
        return;
    }

    bool overflowReported = false;
    bool lost = false;
    while (running.load(std::memory_order_acquire)) {
        m_Passes.fetch_add(1, std::memory_order_relaxed);
        // Once the port is lost only the wake-up descriptor is watched.
        pollfd fds[2] = {{lost ? -1 : portFd, POLLIN, 0}, {m_WakeFd, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0)
            continue;  // EINTR; nothing else is expected with valid descriptors
        if (fds[1].revents & POLLIN) {
            uint64_t count = 0;
            [[maybe_unused]] ssize_t n = ::read(m_WakeFd, &count, sizeof count);
            continue;
        }
        if (lost || fds[0].revents == 0)
            continue;

        int lostError = 0;
        for (bool first = true;; first = false) {
            const int32_t n = ReadChunk(portFd, chunk.get(), first, lost, lostError);
            if (n == 0)
                break;
            bool stored = false;
            {
                std::lock_guard<std::mutex> guard(*ring.lock);
                stored = RingStoreChunk(ring.storage, *ring.head, *ring.tail, chunk.get(), n);
            }
            if (!stored && !overflowReported) {
                overflowReported = true;
                events.Overflow();
            }
        }
        if (!lost && (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL))) {
            lost = true;
            lostError = 0;
        }
        events.DataArrived();
        if (lost)
            events.PortLost(lostError);
    }
    m_Ended.store(true, std::memory_order_release);
}
