// A ping header that is still on its way while the connect sends the
// operator's parameters must not replace them before they are sent; the
// lists show the instrument's values from the first header after the apply.

#include <QTimer>

#include <gtest/gtest.h>

#include "serial/CCommPort.h"
#include "support/MainWindowFixture.h"
#include "support/Pty.h"
#include "ui/ControlTable.h"

namespace {

std::string HeaderPing(int rangeM, int outputMode)
{
    return "#DeviceID 3\r\n#Range,m " + std::to_string(rangeM) + "\r\n#OutputMode " +
           std::to_string(outputMode) + "\r\n#NSamples 2\r\n##DataStart\r\n5\r\n6\r\n##DataEnd\r\n" +
           std::string(72, '\n');
}

}  // namespace

TEST(ConnectReread, HeaderDuringTheApplyKeepsTheOperatorsChoices)
{
    CVessaDlg& dlg = StartedMainWindow();
    PtyPair instrument;
    ASSERT_TRUE(OpenPtyAsPort(1, instrument));
    dlg.SetControlText(Id::DevicePort, "COM1");
    dlg.SetControlText(Id::GpsPort, "None");
    dlg.SetControlText(Id::Range, "20");
    dlg.SetControlText(Id::OutputMode, "Echosounder Fixed 500 Samples");

    // As soon as the attention sequence arrives, the instrument sends a ping
    // of its old settings (10 m, output mode 2) that was already under way.
    std::string received;
    bool answered = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        received += ReadAvailable(instrument.master);
        if (!answered && received.find("#\r#\r\r") != std::string::npos) {
            answered = true;
            // The start of its next ping is still waiting in the ring when
            // the connect ends.
            WriteAll(instrument.master, HeaderPing(10, 2) + "#DeviceID 3\r\n");
        }
    });
    watcher.start(5);

    dlg.OnConnect();
    watcher.stop();
    received += ReadAvailable(instrument.master);

    ASSERT_TRUE(answered);
    EXPECT_NE(received.find("#range 20000\r"), std::string::npos) << received;
    EXPECT_NE(received.find("#output 5\r"), std::string::npos) << received;
    EXPECT_EQ(dlg.m_RereadPending, 1);

    // The bytes waiting at the end of the connect (fewer than the intake
    // cuts into lines) are taken out of the intake into the reply buffer.
    EXPECT_EQ(g_DeviceChannel.QueueUsed(), 0);
    const std::string reply(dlg.m_ReplyBuf);
    ASSERT_GE(reply.size(), 13u);
    EXPECT_EQ(reply.substr(reply.size() - 13), "#DeviceID 3\r\n");
    EXPECT_EQ(reply.find_first_not_of('\n'), reply.size() - 13) << "only the filler before it";

    // The first header after the apply shows the instrument's values.
    WriteAll(instrument.master, HeaderPing(20, 5));
    EXPECT_TRUE(WaitUntil([&] { return dlg.m_RereadPending == 0; }));
    EXPECT_EQ(dlg.ControlText(Id::Range), "20");
    EXPECT_EQ(dlg.ControlText(Id::OutputMode), "Echosounder Fixed 500 Samples");

    dlg.OnConnect();  // disconnect
    EXPECT_EQ(dlg.m_Connected, 0);
    ClosePty(instrument);
}
