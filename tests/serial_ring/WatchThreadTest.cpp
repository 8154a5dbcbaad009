// The watch thread on a real pseudo-terminal: bytes reach the ring whole and
// in order while the reader takes them concurrently, a full ring drops whole
// chunks and reports the overflow once, a reset is safe against the writer,
// and a vanished line is reported once and then costs nothing.

#include <gtest/gtest.h>

#include <sys/ioctl.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "PtyLine.h"
#include "serial/ReceiveRing.h"
#include "serial/WatchThread.h"

namespace {

struct CountingEvents : WatchEvents {
    std::atomic<int> arrived{0}, overflows{0}, lost{0}, startFailed{0};
    void DataArrived() override { arrived.fetch_add(1); }
    void Overflow() override { overflows.fetch_add(1); }
    void PortLost(int) override { lost.fetch_add(1); }
    void StartFailed() override { startFailed.fetch_add(1); }
};

class WatchThreadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.Open());
        ASSERT_TRUE(watch.CreateWake());
        running = 1;
        ASSERT_TRUE(watch.Start(pty.slave, RingRefs{storage.get(), &head, &tail, &lock}, running,
                                events));
    }
    void TearDown() override { Stop(); }

    void Stop()
    {
        running = 0;
        watch.Wake();
        watch.Join();
        watch.ReleaseWake();
    }
    int32_t Used() const { return RingUsed(head.load(), tail.load()); }
    bool Take(unsigned char& byte) { return RingTakeByte(storage.get(), head, tail, byte); }

    PtyLine pty;
    std::unique_ptr<unsigned char[]> storage{new unsigned char[kQueueSize]()};
    std::atomic<int32_t> head{0}, tail{0}, running{0};
    std::mutex lock;
    CountingEvents events;
    WatchThread watch;
};

std::vector<unsigned char> Pattern(size_t n)
{
    std::vector<unsigned char> bytes(n);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<unsigned char>((i * 31 + i / 251) % 256);
    return bytes;
}

TEST_F(WatchThreadTest, StreamsMegabytesInOrderWhileTheReaderTakesThem)
{
    const auto sent = Pattern(3 * 1000 * 1000 + 17);
    std::atomic<bool> written{false};
    // The writer keeps the backlog under half the ring, as a serial line far
    // slower than the reader would; the reader takes bytes meanwhile.
    std::thread writer([&] {
        bool ok = true;
        for (size_t at = 0; ok && at < sent.size(); at += 65536) {
            ok = WaitFor([&] { return Used() < kQueueSize / 2; }) &&
                 pty.WriteAll(sent.data() + at, std::min<size_t>(65536, sent.size() - at));
        }
        written = ok;
    });

    std::vector<unsigned char> taken;
    taken.reserve(sent.size());
    const bool all = WaitFor([&] {
        unsigned char byte = 0;
        while (Take(byte))
            taken.push_back(byte);
        return taken.size() >= sent.size();
    });
    writer.join();
    EXPECT_TRUE(written.load());
    ASSERT_TRUE(all) << taken.size() << " of " << sent.size() << " bytes arrived";
    EXPECT_TRUE(taken == sent) << "bytes lost, repeated or reordered";
    EXPECT_GE(events.arrived.load(), 1);
    EXPECT_EQ(events.overflows.load(), 0);
}

TEST_F(WatchThreadTest, AFullRingDropsChunksAndReportsTheOverflowOnce)
{
    // Exactly 999,999 bytes without a reader: every chunk still fits, the
    // last one fills the ring.
    const auto sent = Pattern(999999);
    ASSERT_TRUE(pty.WriteAll(sent.data(), sent.size()));
    ASSERT_TRUE(WaitFor([&] { return Used() == 999999; }));
    EXPECT_EQ(events.overflows.load(), 0);

    for (int extra = 0; extra < 3; ++extra) {
        const int before = events.arrived.load();
        const unsigned char byte = 0x55;
        ASSERT_TRUE(pty.WriteAll(&byte, 1));
        // The thread has read the byte (nothing waits in the terminal) and
        // announced an event after it; the announcement of the last filling
        // chunk may come late, so the first drop is waited for by its report.
        ASSERT_TRUE(WaitFor([&] {
            int waiting = 0;
            ::ioctl(pty.slave, FIONREAD, &waiting);
            return waiting == 0 && events.arrived.load() > before &&
                   events.overflows.load() >= 1;
        }));
        EXPECT_EQ(events.overflows.load(), 1) << "after extra byte " << extra;
        EXPECT_EQ(Used(), 999999);
    }

    std::vector<unsigned char> taken;
    unsigned char byte = 0;
    while (Take(byte))
        taken.push_back(byte);
    EXPECT_TRUE(taken == sent);
}

TEST_F(WatchThreadTest, ResetsUnderTheLockStaySafeWhileTheWriterStores)
{
    const auto sent = Pattern(2 * 1000 * 1000);
    std::atomic<bool> done{false};
    std::thread writer([&] {
        pty.WriteAll(sent.data(), sent.size());
        done = true;
    });
    int resets = 0;
    while (!done.load()) {
        {
            std::lock_guard<std::mutex> guard(lock);
            head.store(0, std::memory_order_release);
            tail.store(0, std::memory_order_release);
        }
        ++resets;
        unsigned char byte = 0;
        for (int i = 0; i < 5000 && Take(byte); ++i) {
        }
        EXPECT_LE(Used(), 999999);
    }
    writer.join();
    EXPECT_GT(resets, 0);
    // After the last reset the ring holds at most what was written since.
    EXPECT_LE(Used(), static_cast<int32_t>(sent.size()));
}

TEST_F(WatchThreadTest, AVanishedLineIsReportedOnceAndNotPolledInALoop)
{
    const auto sent = Pattern(200000);
    std::thread writer([&] { pty.WriteAll(sent.data(), sent.size(), 2000); });
    ASSERT_TRUE(WaitFor([&] { return Used() > 0; }));
    writer.join();
    pty.CloseMaster();  // the adapter is pulled

    ASSERT_TRUE(WaitFor([&] { return events.lost.load() == 1; }));
    // Observe the thread for a while: a thread spinning on the hung-up line
    // would run through its loop thousands of times.
    const int64_t passes = watch.Passes();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_LE(watch.Passes() - passes, 1);
    EXPECT_EQ(events.lost.load(), 1);
    EXPECT_FALSE(watch.Ended());

    // It still ends when told to.
    Stop();
    EXPECT_TRUE(watch.Ended());
}

TEST_F(WatchThreadTest, AnEmptyReadOfATerminalWithoutMinimumIsNotALostLine)
{
    // With VMIN 0 a terminal read returns 0 once nothing more waits.
    termios tio{};
    ASSERT_EQ(tcgetattr(pty.slave, &tio), 0);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    ASSERT_EQ(tcsetattr(pty.slave, TCSANOW, &tio), 0);

    const auto sent = Pattern(50000);
    for (size_t at = 0; at < sent.size(); at += 5000) {
        ASSERT_TRUE(pty.WriteAll(sent.data() + at, 5000));
        ASSERT_TRUE(WaitFor([&] { return Used() == static_cast<int32_t>(at + 5000); }));
    }
    EXPECT_EQ(events.lost.load(), 0);
}

TEST_F(WatchThreadTest, WakeEndsTheThreadWithoutData)
{
    Stop();
    EXPECT_TRUE(watch.Ended());
    EXPECT_EQ(events.arrived.load(), 0);
    EXPECT_EQ(events.startFailed.load(), 0);
}

}  // namespace
