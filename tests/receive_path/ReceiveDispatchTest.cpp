// The receive dispatch on the started main window: rings filled as a watch
// thread would, notifications handled by OnDataArrived, the lines handed to
// ProcessLine watched through the controller's handoff probe.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <functional>
#include <string>
#include <vector>

#include "intake/GpsPanel.h"
#include "serial/CCommPort.h"
#include "support/MainWindowFixture.h"
#include "ui/ControlTable.h"

namespace {

class ReceiveDispatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dlg = &StartedMainWindow();
        g_DeviceChannel.ResetQueue(true);
        g_GpsChannel.ResetQueue(true);
        dlg->m_LineLen = 0;
        dlg->m_LineReady = 0;
        dlg->m_PlaybackRunning = 0;
        dlg->m_GpsPort = 0;
        dlg->m_GpsLinePos = 0;
        dlg->m_GpsLogLen = 0;
        dlg->m_GpsLogState = 0;
        dlg->m_LineHandoffContext = this;
        dlg->m_LineHandoffProbe = [](void* context, const char* line, int32_t length) {
            auto* self = static_cast<ReceiveDispatchTest*>(context);
            self->lines.emplace_back(line, static_cast<size_t>(length));
            if (self->duringLine)
                self->duringLine();
        };
    }
    void TearDown() override
    {
        dlg->m_LineHandoffProbe = nullptr;
        dlg->m_LineHandoffContext = nullptr;
        dlg->m_GpsPort = 0;
        g_DeviceChannel.ResetQueue(true);
        g_GpsChannel.ResetQueue(true);
    }

    static void Feed(CCommPort& channel, const std::string& bytes)
    {
        ASSERT_TRUE(channel.StoreChunk(reinterpret_cast<const unsigned char*>(bytes.data()),
                                       static_cast<int32_t>(bytes.size())));
    }

    CVessaDlg* dlg = nullptr;
    std::vector<std::string> lines;
    std::function<void()> duringLine;
};

TEST_F(ReceiveDispatchTest, OneLineIsHandedOverAndTheShortRestWaits)
{
    const int32_t bytesIn = dlg->m_BytesIn;
    Feed(g_DeviceChannel, "ab\r\ncd");
    dlg->OnDataArrived(5);
    ASSERT_EQ(lines, std::vector<std::string>{"ab\r\n"});
    EXPECT_EQ(dlg->m_BytesIn - bytesIn, 4);
    EXPECT_EQ(g_DeviceChannel.QueueUsed(), 2);
    EXPECT_EQ(dlg->m_LineLen, 0);
    EXPECT_EQ(dlg->m_LineReady, 0) << "ProcessLine took the line";
    EXPECT_EQ(dlg->m_EchoCommands, 1);

    Feed(g_DeviceChannel, "\n");
    dlg->OnDataArrived(5);
    EXPECT_EQ(lines.back(), "cd\n");
}

TEST_F(ReceiveDispatchTest, ABacklogAboveTheLimitIsDiscardedAndReported)
{
    struct Case {
        int32_t bytes;
        bool cleared;
    } cases[] = {{600000, false}, {600001, true}};
    for (const Case& c : cases) {
        g_DeviceChannel.ResetQueue(true);
        Feed(g_DeviceChannel, std::string(static_cast<size_t>(c.bytes), 'x'));
        const int32_t bytesIn = dlg->m_BytesIn;
        const size_t messages = CountOf(dlg->ConsoleText(), "External serial buffer was cleared");
        dlg->OnDataArrived(5);
        EXPECT_EQ(dlg->m_DeviceBacklog, c.bytes);
        EXPECT_EQ(g_DeviceChannel.QueueUsed(), 0) << c.bytes;
        EXPECT_EQ(dlg->m_BytesIn - bytesIn, c.cleared ? 0 : c.bytes) << c.bytes;
        EXPECT_EQ(CountOf(dlg->ConsoleText(), "External serial buffer was cleared"),
                  messages + (c.cleared ? 1 : 0))
            << c.bytes;
    }
    EXPECT_NE(dlg->ConsoleText().find(
                  "External serial buffer was cleared: 600001 Bytes [585.9 KBytes] \r\n"),
              std::string::npos);
    EXPECT_TRUE(lines.empty());
    dlg->m_LineLen = 0;
}

TEST_F(ReceiveDispatchTest, AGpsBacklogAboveTheLimitIsDiscardedAndReported)
{
    Feed(g_GpsChannel, std::string(700000, 'g'));
    dlg->OnDataArrived(6);
    EXPECT_EQ(g_GpsChannel.QueueUsed(), 0);
    EXPECT_NE(dlg->ConsoleText().find(
                  "External GPS serial buffer was cleared: 700000 Bytes [683.6 KBytes] \r\n"),
              std::string::npos);
}

TEST_F(ReceiveDispatchTest, AReadIndexMovedDuringALineStopsTheDrain)
{
    // ProcessLine's backlog trim moves the read index past what was counted.
    const int32_t bytesIn = dlg->m_BytesIn;
    std::string input = "first\n";
    for (int i = 0; i < 3; ++i)
        input += std::string(59, 'z') + "\n";
    Feed(g_DeviceChannel, input);
    duringLine = [] { g_DeviceChannel.DiscardQueued(kQueueSize); };
    dlg->OnDataArrived(5);
    EXPECT_EQ(lines, std::vector<std::string>{"first\n"});
    EXPECT_EQ(dlg->m_LineLen, 0) << "no phantom bytes were stored";
    EXPECT_EQ(dlg->m_BytesIn - bytesIn, 6);
}

TEST_F(ReceiveDispatchTest, ANotificationInsideProcessLineKeepsThePartialLine)
{
    // "one\n" and 70 bytes of the next line; while "one\n" is processed a
    // nested notification arrives (as inside a pumping delay).
    Feed(g_DeviceChannel, "one\n" + std::string(70, 'p'));
    duringLine = [this] {
        duringLine = nullptr;
        dlg->m_LineReady = 0;  // ProcessLine has taken the line before it waits
        dlg->OnDataArrived(5);
    };
    dlg->OnDataArrived(5);
    EXPECT_EQ(lines, std::vector<std::string>{"one\n"});
    EXPECT_EQ(dlg->m_LineLen, 70);

    Feed(g_DeviceChannel, "qq\n");
    ASSERT_TRUE(WaitUntil([&] { return lines.size() == 2; }))
        << "the skipped notification was handed on";
    EXPECT_EQ(lines.back(), std::string(70, 'p') + "qq\n");
}

TEST_F(ReceiveDispatchTest, WhilePlaybackRunsInstrumentBytesWait)
{
    dlg->m_PlaybackRunning = 1;
    Feed(g_DeviceChannel, "line\n");
    dlg->OnDataArrived(5);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(g_DeviceChannel.QueueUsed(), 5);
    dlg->m_PlaybackRunning = 0;
    dlg->OnDataArrived(5);
    EXPECT_EQ(lines, std::vector<std::string>{"line\n"});
}

// ---- GPS intake -------------------------------------------------------------

TEST_F(ReceiveDispatchTest, WithoutAGpsPortNothingIsTaken)
{
    Feed(g_GpsChannel, "$GPGLL,4916.45,N*2D\r\n");
    EXPECT_EQ(dlg->TakeGpsBytes(), 0);
    EXPECT_EQ(g_GpsChannel.QueueUsed(), 21);
}

TEST_F(ReceiveDispatchTest, ALongSentenceShowsCutAndIsLoggedWhole)
{
    dlg->m_GpsPort = 2;
    const std::string gga =
        "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47XXX\r\n";
    ASSERT_EQ(gga.size(), 70u);
    Feed(g_GpsChannel, gga);
    dlg->OnDataArrived(2);
    EXPECT_EQ(dlg->m_GpsPanelLines[8], gga.substr(0, 37) + "\r\n");
    EXPECT_EQ(std::string(dlg->m_GpsLogBlock, static_cast<size_t>(dlg->m_GpsLogLen)), gga);
    EXPECT_EQ(dlg->m_GpsLogState, 1);
    const std::string panel = dlg->ControlText(Id::GpsPanel);
    EXPECT_EQ(panel.substr(panel.size() - 39), gga.substr(0, 37) + "\r\n");
}

TEST_F(ReceiveDispatchTest, TenSentencesLeaveTheLastNineOldestFirst)
{
    dlg->m_GpsPort = 2;
    std::string all;
    std::vector<std::string> sentences;
    for (int i = 0; i < 10; ++i) {
        sentences.push_back("$GPVTG," + std::to_string(100 + i) + ",T,,M,0.1,N*00\r\n");
        all += sentences.back();
    }
    Feed(g_GpsChannel, all);
    // Each call stops once fewer than 60 bytes wait; later notifications
    // take the rest.
    for (int call = 0; call < 10 && g_GpsChannel.QueueUsed() > 0; ++call)
        dlg->TakeGpsBytes();
    EXPECT_EQ(g_GpsChannel.QueueUsed(), 0);
    std::string expected;
    for (int i = 1; i < 10; ++i) {
        EXPECT_EQ(dlg->m_GpsPanelLines[i - 1], sentences[static_cast<size_t>(i)]);
        expected += sentences[static_cast<size_t>(i)];
    }
    EXPECT_EQ(dlg->ControlText(Id::GpsPanel), expected);
}

TEST_F(ReceiveDispatchTest, FewerThanSixtyBytesAfterALineWaitForTheNextCall)
{
    dlg->m_GpsPort = 2;
    const std::string first = "$GPGLL,1*00\r\n";
    Feed(g_GpsChannel, first + std::string(59, 'n'));
    EXPECT_EQ(dlg->TakeGpsBytes(), static_cast<int>(first.size() + 59));
    EXPECT_EQ(g_GpsChannel.QueueUsed(), 59);
    EXPECT_EQ(dlg->m_GpsPanelLines[8], first);
}

TEST_F(ReceiveDispatchTest, GpsBytesWaitWhileTheLogWritesTheBlock)
{
    dlg->m_GpsPort = 2;
    dlg->m_GpsLogState = 2;
    Feed(g_GpsChannel, "$GPGLL,1*00\r\n");
    EXPECT_EQ(dlg->TakeGpsBytes(), 13);
    EXPECT_EQ(g_GpsChannel.QueueUsed(), 13);
    dlg->m_GpsLogState = 0;
}

TEST_F(ReceiveDispatchTest, TheGpsLogBlockWrapsAtItsEnd)
{
    dlg->m_GpsPort = 2;
    dlg->m_GpsLogLen = 100000 - 5;
    const std::string line = "$GPRMC,0123456789*00\r\n";
    Feed(g_GpsChannel, line);
    dlg->TakeGpsBytes();
    EXPECT_EQ(dlg->m_GpsLogLen, static_cast<int32_t>(line.size()) - 5);
    EXPECT_EQ(std::string(dlg->m_GpsLogBlock + 100000 - 5, 5) +
                  std::string(dlg->m_GpsLogBlock, line.size() - 5),
              line);
}

TEST_F(ReceiveDispatchTest, AGpsLineOfAThousandBytesWithoutLineFeedIsDropped)
{
    dlg->m_GpsPort = 2;
    Feed(g_GpsChannel, std::string(1000, 'w') + "$GPGLL,2*00\r\n");
    dlg->TakeGpsBytes();
    EXPECT_EQ(dlg->m_GpsPanelLines[8], "$GPGLL,2*00\r\n");
}

TEST_F(ReceiveDispatchTest, ClearingThePanelLeavesNineEmptyLines)
{
    dlg->ShowGpsLine("$GPGLL,3*00\r\n");
    dlg->ClearGpsPanel();
    for (const std::string& line : dlg->m_GpsPanelLines)
        EXPECT_EQ(line, "\n");
    EXPECT_EQ(dlg->ControlText(Id::GpsPanel), std::string(9, '\n'));
}

}  // namespace
