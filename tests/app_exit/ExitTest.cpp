// Leaving the program: Escape, the Exit button and the close box all end in
// the exit operation. One window, shown again between the cases.

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "app/PingHistory.h"
#include "support/MainWindowFixture.h"
#include "ui/ControlTable.h"

namespace {
void ShowAgain(CVessaDlg& dlg)
{
    g_QuitRequest = 0;
    dlg.show();
    ASSERT_TRUE(WaitUntil([&] { return dlg.isVisible(); }));
}
}  // namespace

TEST(Exit, EscapeRunsTheExitOperation)
{
    CVessaDlg& dlg = StartedMainWindow();
    ShowAgain(dlg);
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), 2);
    EXPECT_EQ(g_QuitRequest, 1);
    EXPECT_TRUE(dlg.ConsoleText().ends_with("Close serial port.\r\nExit!\r\n"));
    EXPECT_EQ(StartedDialogs().busyDepth, 0);
}

TEST(Exit, CloseBoxCountsTwice)
{
    CVessaDlg& dlg = StartedMainWindow();
    ShowAgain(dlg);
    const std::string before = dlg.ConsoleText();
    dlg.close();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(g_QuitRequest, 2);
    EXPECT_EQ(dlg.ConsoleText().substr(before.size()), "Close serial port.\r\nExit!\r\n");
}

TEST(Exit, ExitButton)
{
    CVessaDlg& dlg = StartedMainWindow();
    ShowAgain(dlg);
    QTest::mouseClick(dlg.Button(Id::Exit), Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(g_QuitRequest, 1);
}
