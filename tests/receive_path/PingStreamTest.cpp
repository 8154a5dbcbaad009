// Megabytes of echosounder pings through a pseudo-terminal, the instrument
// channel's watch thread, the ring and the line assembly into ProcessLine:
// every ping lands in its row of PingHistory with every sample.

#include <gtest/gtest.h>

#include <QSettings>

#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

#include "app/PingHistory.h"
#include "serial/CCommPort.h"
#include "support/MainWindowFixture.h"
#include "support/Pty.h"

namespace {

constexpr int kSamples = 1500;

int32_t SampleOf(int ping, int j)
{
    return (ping * 37 + j * 11) % 1024;
}

std::string PingText(int ping)
{
    std::string text = "#DeviceID 7\r\n#Range,m 10.0\r\n#NSamples 1500\r\n##DataStart\r\n";
    for (int j = 1; j <= kSamples; ++j)
        text += std::to_string(SampleOf(ping, j)) + "\r\n";
    text += "##DataEnd\r\n";
    return text;
}

TEST(PingStream, EveryPingOfSeveralMegabytesReachesPingHistory)
{
    CVessaDlg& dlg = StartedMainWindow();
    PtyPair pty;
    ASSERT_TRUE(OpenPty(pty, false));
    {
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Halvorn", "Vessa");
        settings.setValue("Ports/COM5", QString::fromStdString(pty.slavePath));
    }
    dlg.m_LineLen = 0;
    dlg.m_LineReady = 0;
    dlg.m_PingState = 0;
    dlg.DeviceParams.OutputMode = 0;
    dlg.m_Connected = 1;  // live: no playback pacing

    constexpr int kPings = 700;  // over 5 MB, rows stay distinct
    const int32_t firstPing = dlg.last_ping;
    std::string stream;
    for (int k = 0; k < kPings; ++k)
        stream += PingText(k);
    // Header lines of a next ping, so the last ping is not left waiting for
    // more data behind the resume threshold.
    for (int i = 0; i < 10; ++i)
        stream += "#DeviceID 7\r\n";
    ASSERT_GT(stream.size(), 5u * 1000 * 1000);
    g_DeviceChannel.ResetQueue(true);
    ASSERT_EQ(g_DeviceChannel.Open(&dlg, 5, 230400), 1);

    // The writer keeps the backlog in the range a serial line slower than the
    // reader would; it never lets the ring overflow.
    // `stop` ends the writer when the reader has given up, so a broken
    // receive path fails the test instead of hanging it.
    std::atomic<bool> written{false};
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        size_t done = 0;
        while (done < stream.size() && !stop.load()) {
            if (g_DeviceChannel.QueueUsed() > 300000) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            const ssize_t n = ::write(pty.master, stream.data() + done,
                                      std::min<size_t>(65536, stream.size() - done));
            if (n > 0)
                done += static_cast<size_t>(n);
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        written = done == stream.size();
    });
    const bool all = WaitUntil([&] { return dlg.last_ping - firstPing >= kPings; },
                               std::chrono::seconds(120));
    stop = true;
    writer.join();
    EXPECT_TRUE(written.load());
    ASSERT_TRUE(all) << dlg.last_ping - firstPing << " of " << kPings << " pings";
    EXPECT_EQ(dlg.last_ping - firstPing, kPings);

    int badRows = 0;
    for (int k = 0; k < kPings; ++k) {
        const int32_t* row = PingHistory[(firstPing + k) % kPingRowsInUse];
        bool ok = row[0] == 0;
        for (int j = 1; j <= kSamples && ok; ++j)
            ok = row[j] == SampleOf(k, j);
        badRows += ok ? 0 : 1;
    }
    EXPECT_EQ(badRows, 0);
    EXPECT_EQ(dlg.m_LastPingSamples, kSamples + 1);
    EXPECT_EQ(CountOf(dlg.ConsoleText(), "buffer was cleared"), 0u);

    dlg.m_Connected = 0;
    g_DeviceChannel.Close();
    ClosePty(pty);
}

}  // namespace
