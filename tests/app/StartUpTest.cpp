// The started main window: start-up state, the control table, the keyword
// switches, the progress protocol and the console pane.

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "app/DataFolders.h"
#include "app/PingHistory.h"
#include "platform/DialogUnits.h"
#include "serial/CCommPort.h"
#include "support/MainWindowFixture.h"
#include "support/Pty.h"
#include "ui/ControlTable.h"

namespace {

QPlainTextEdit* Console(CVessaDlg& dlg)
{
    return static_cast<QPlainTextEdit*>(dlg.Control(Id::Console));
}

QProgressBar* Progress(CVessaDlg& dlg)
{
    return static_cast<QProgressBar*>(dlg.Control(Id::Progress));
}

// Types `text` into a list's field as the operator would, one key at a time.
void TypeInto(CVessaDlg& dlg, int listId, const QString& text)
{
    QLineEdit* field = dlg.List(listId)->lineEdit();
    field->setFocus();
    QTest::keyClicks(field, text);
}

void ClearField(CVessaDlg& dlg, int listId)
{
    dlg.List(listId)->lineEdit()->clear();
}

}  // namespace

TEST(StartUp, ConsoleHoldsExactlyTheThreeGuideLines)
{
    CVessaDlg& dlg = StartedMainWindow();
    EXPECT_EQ(dlg.ConsoleText(),
              " >> - Connect Device. \r\n"
              " >> - Set Serial Port Number and baudrate.\r\n"
              " >> - Click button CONNECT.\r\n");
}

TEST(StartUp, ListsShowTheirSelectionAfterTheFirstRunSettingsLoad)
{
    CVessaDlg& dlg = StartedMainWindow();
    // Nothing is stored yet, so the settings load selects its defaults, or its
    // fallback items where a default matches no entry ("10 " -> "20",
    // "4800" -> "115200"); the other lists keep their start-up selection.
    const std::pair<int, const char*> expected[] = {
        {1010, "20"},           {1011, " 0.2 "},
        {1013, "10"},           {1015, "300"},
        {1016, "20 "},          {1014, " 0 "},
        {1038, " 0 dB"},        {1042, "Echosounder"},
        {1055, "Linear Scale"}, {1043, "Max  Amplitude"},
        {1056, "Rainbow (Black Background)"},
        {1054, "Auto Range"},   {1006, "115200 (default)"},
        {1058, "115200"},       {1044, "Mode 1 Spher1"},
        {1041, "1.0"},          {1023, "info    (Print Info)         "},
    };
    for (const auto& [id, text] : expected)
        EXPECT_EQ(dlg.ControlText(id), text) << id;
    // Every list holds its entries in the table's order.
    for (const ListEntriesSpec& item : MainWindowListEntries()) {
        QComboBox* list = dlg.List(item.id);
        ASSERT_EQ(list->count(), static_cast<int>(item.entries.size())) << item.id;
        if (item.id == Id::DataFolder)
            continue;
        for (int i = 0; i < list->count(); ++i)
            EXPECT_EQ(list->itemText(i).toStdString(), item.entries[static_cast<size_t>(i)]);
    }
}

TEST(StartUp, DataFolderListAndFolderFollowTheHomeFolder)
{
    CVessaDlg& dlg = StartedMainWindow();
    const std::string home = HomeFolderWithSlash();
    EXPECT_EQ(dlg.m_DataFolder, home);
    QComboBox* folders = dlg.List(Id::DataFolder);
    ASSERT_EQ(folders->count(), 4);
    EXPECT_EQ(folders->itemText(0).toStdString(), home + "DataEcho/");
    EXPECT_EQ(folders->itemText(1).toStdString(), home + "Documents/DataEcho/");
    EXPECT_EQ(folders->itemText(2).toStdString(), home + "Data/");
    EXPECT_EQ(folders->itemText(3).toStdString(), "Do not write data!");
}

TEST(StartUp, ControlStatesAndFields)
{
    CVessaDlg& dlg = StartedMainWindow();
    for (int id : kPlaybackButtonIds)
        EXPECT_FALSE(dlg.Control(id)->isEnabled()) << id;
    for (int id : kDebugControlIds)
        EXPECT_FALSE(dlg.Control(id)->isVisible()) << id;
    for (int id : kParameterControlIds)
        EXPECT_TRUE(dlg.Control(id)->isEnabled()) << id;
    EXPECT_EQ(Progress(dlg)->minimum(), 0);
    EXPECT_EQ(Progress(dlg)->maximum(), 20);
    EXPECT_EQ(dlg.m_ProgressMax, 20);
    EXPECT_EQ(dlg.ControlText(Id::DeviceLabel), " Device: Pelagrix");
    EXPECT_EQ(dlg.ControlText(Id::Connect), "Connect");
    EXPECT_EQ(dlg.m_EchoCommands, 1);
    EXPECT_EQ(dlg.m_PaletteChoice, 1);
    EXPECT_EQ(dlg.FLAG_DEBUG, 0);
    EXPECT_EQ(dlg.m_Connected, 0);
    EXPECT_EQ(g_QuitRequest, 0);
    EXPECT_EQ(dlg.DeviceParams.Range_mm, 0);
    EXPECT_EQ(dlg.DeviceParams.TimeLocal[0], '\0');
}

TEST(MainWindow, GeometryFollowsTheControlTable)
{
    CVessaDlg& dlg = StartedMainWindow();
    EXPECT_EQ(dlg.size(), QSize(1062, 813));
    EXPECT_EQ(dlg.minimumSize(), dlg.maximumSize());
    EXPECT_FALSE(dlg.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(dlg.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(dlg.windowTitle().toStdString(), "PELAGRIX Echosounder/Altimeter Control Program");
    EXPECT_EQ(dlg.Control(Id::Display)->geometry(), QRect(257, 102, 795, 488));
    for (const ControlSpec& item : MainWindowControls()) {
        const QRect g = dlg.Control(item.id)->geometry();
        const PixelRect r = DialogRectToPixels(item.x, item.y, item.width, item.height);
        EXPECT_EQ(g.x(), r.x) << item.id;
        EXPECT_EQ(g.y(), r.y) << item.id;
        EXPECT_EQ(g.width(), r.width) << item.id;
        if (item.kind != ControlKind::List) {
            EXPECT_EQ(g.height(), r.height) << item.id;
        }
        if (item.kind == ControlKind::Button) {
            EXPECT_EQ(dlg.ControlText(item.id), item.caption);
        }
    }
}

TEST(ParameterControls, SpeedFieldKeywordsSwitchControlsAndPrint)
{
    CVessaDlg& dlg = StartedMainWindow();
    const std::string before = dlg.ConsoleText();
    ClearField(dlg, Id::DeviceSpeed);
    TypeInto(dlg, Id::DeviceSpeed, "qlomtx 0");
    EXPECT_EQ(dlg.FLAG_DEBUG, 0);
    for (int id : kParameterControlIds)
        EXPECT_FALSE(dlg.Control(id)->isEnabled()) << id;
    // One message per keystroke: 5 prefix keystrokes leave the flag at 1 via
    // "q", then "ql".."qlomtx " keep it; the final "0" disables.
    const std::string added = dlg.ConsoleText().substr(before.size());
    EXPECT_EQ(CountOf(added, "FLAG_DEBUG>0 \r\n") + CountOf(added, "FLAG_DEBUG==0\r\n"), 8u);
    EXPECT_TRUE(added.ends_with("FLAG_DEBUG==0\r\n"));

    TypeInto(dlg, Id::DeviceSpeed, "x");
    EXPECT_EQ(dlg.FLAG_DEBUG, 0);
    EXPECT_FALSE(dlg.Control(Id::Apply)->isEnabled());

    // Deleting the text enables them again.
    QLineEdit* field = dlg.List(Id::DeviceSpeed)->lineEdit();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(dlg.FLAG_DEBUG, 1);
    for (int id : kParameterControlIds)
        EXPECT_TRUE(dlg.Control(id)->isEnabled()) << id;
    EXPECT_TRUE(dlg.ConsoleText().ends_with("FLAG_DEBUG>0 \r\n"));

    // A selection by the program raises nothing.
    const std::string settled = dlg.ConsoleText();
    dlg.List(Id::DeviceSpeed)->setCurrentIndex(5);
    EXPECT_EQ(dlg.ConsoleText(), settled);
}

TEST(ParameterControls, DataOutputKeywordsToggleOnEveryKeystroke)
{
    CVessaDlg& dlg = StartedMainWindow();
    struct Step {
        const char* key;
        int debugButtons;
        int generator;
        const char* console;  // the text this keystroke appends
    };
    ClearField(dlg, Id::DataOutput);
    const Step steps[] = {
        {"v", 0, 0, ""},
        {"k", 0, 0, ""},
        {"o", 1, 0, "FlagShowDebugButtons: 1 \r\n"},
        {"x", 0, 0, "FlagShowDebugButtons: 0 \r\n"},
        {"p", 1, 0, "FlagShowDebugButtons: 1 \r\n"},
        {"r", 0, 0, "FlagShowDebugButtons: 0 \r\n"},
        {"b", 1, 0, "FlagShowDebugButtons: 1 \r\n"},
        {"z", 0, 1, "FlagShowDebugButtons: 0 \r\nFlagGenerateTestSignal: 1 \r\n"},
        {"q", 1, 2, "FlagShowDebugButtons: 1 \r\nFlagGenerateTestSignal: 2 \r\n"},
        {"q", 0, 0, "FlagShowDebugButtons: 0 \r\nFlagGenerateTestSignal: 0 \r\n"},
    };
    for (const Step& s : steps) {
        const std::string before = dlg.ConsoleText();
        TypeInto(dlg, Id::DataOutput, s.key);
        EXPECT_EQ(dlg.FlagShowDebugButtons, s.debugButtons) << s.key;
        EXPECT_EQ(dlg.FlagGenerateTestSignal, s.generator) << s.key;
        EXPECT_EQ(dlg.ConsoleText().substr(before.size()), s.console) << s.key;
        for (int id : kDebugControlIds)
            EXPECT_EQ(dlg.Control(id)->isVisible(), s.debugButtons == 1) << id;
    }
    // Choosing an entry switches nothing.
    const std::string settled = dlg.ConsoleText();
    dlg.List(Id::DataOutput)->setCurrentIndex(1);
    dlg.List(Id::DataOutput)->setCurrentIndex(0);
    EXPECT_EQ(dlg.ConsoleText(), settled);
    EXPECT_EQ(dlg.FlagShowDebugButtons, 0);
}

TEST(ParameterControls, ProgressStepMovesTheBarOnlyWhileConnected)
{
    CVessaDlg& dlg = StartedMainWindow();
    dlg.SetProgressRange(20);
    dlg.m_ProgressPos = 0;
    for (int i = 0; i < 45; ++i)
        dlg.ProgressStep();
    EXPECT_EQ(dlg.m_ProgressPos, 45);
    EXPECT_EQ(Progress(dlg)->value(), 0);

    dlg.m_Connected = 1;
    dlg.ProgressStep();
    EXPECT_EQ(dlg.m_ProgressPos, 46 % 20);
    EXPECT_EQ(Progress(dlg)->value(), 6);
    dlg.m_ProgressMax = 0;  // a zero range never divides
    dlg.ProgressStep();
    EXPECT_EQ(dlg.m_ProgressPos, 7);
    dlg.m_Connected = 0;
    dlg.SetProgressRange(20);
    EXPECT_EQ(Progress(dlg)->value(), 0);
}

TEST(Console, AppendAndDropLastLine)
{
    CVessaDlg& dlg = StartedMainWindow();
    const std::string before = dlg.ConsoleText();
    dlg.ConsoleAppend("x\r\n");
    dlg.ConsoleAppend("buffer: 5\r\n");
    dlg.ConsoleDropLastLine("buffer:");
    EXPECT_EQ(dlg.ConsoleText(), before + "x\r\n");
    dlg.ConsoleAppend("yz\r\n");
    dlg.ConsoleDropLastLine("buffer:");
    EXPECT_EQ(dlg.ConsoleText(), before + "x\r\nyz\r\n");
    dlg.ConsoleAppend(static_cast<const char*>(nullptr));
    EXPECT_EQ(dlg.ConsoleText(), before + "x\r\nyz\r\n");
    dlg.ConsoleAppend("buffer: 7");  // a last line without CR LF
    dlg.ConsoleDropLastLine("buffer:");
    EXPECT_EQ(dlg.ConsoleText(), before + "x\r\nyz\r\n");
}

TEST(Console, TypedCommandIsSentOnceOnEnter)
{
    CVessaDlg& dlg = StartedMainWindow();
    int master = -1;
    ASSERT_TRUE(OpenDeviceChannelOnPty(master));
    QPlainTextEdit* pane = Console(dlg);
    pane->setFocus();
    pane->moveCursor(QTextCursor::End);
    QTest::keyClicks(pane, "#go");
    QTest::keyClick(pane, Qt::Key_Return);
    EXPECT_EQ(ReadAvailable(master), "#go\r");
    EXPECT_TRUE(dlg.ConsoleText().ends_with("\r\n>> Send Command: [#go\r]")) << dlg.ConsoleText();
    EXPECT_EQ(Progress(dlg)->value(), dlg.m_ProgressMax);

    // An Enter with nothing typed since the last send sends nothing.
    QTest::keyClick(pane, Qt::Key_Return);
    EXPECT_EQ(ReadAvailable(master), "");
    // ... and the CR stays in front of what is typed next.
    QTest::keyClicks(pane, "a");
    QTest::keyClick(pane, Qt::Key_Return);
    EXPECT_EQ(ReadAvailable(master), "\ra\r");
    CloseDeviceChannelOnPty(master);
}

TEST(Keys, EnterDoesNotCloseTheWindow)
{
    CVessaDlg& dlg = StartedMainWindow();
    for (int id : {Id::Connect, Id::Range, Id::Apply}) {
        dlg.Control(id)->setFocus();
        QTest::keyClick(dlg.Control(id), Qt::Key_Return);
        EXPECT_TRUE(dlg.isVisible()) << id;
    }
    QTest::keyClick(&dlg, Qt::Key_Enter);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(g_QuitRequest, 0);
}

TEST(Keys, HelpAndAltOpenTheAboutBox)
{
    CVessaDlg& dlg = StartedMainWindow();
    ScriptedDialogs& dialogs = StartedDialogs();
    dialogs.Clear();
    QTest::keyClick(&dlg, Qt::Key_F1);
    QTest::keyClick(&dlg, Qt::Key_X, Qt::AltModifier);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].kind, "about");
}

TEST(PumpingDelay, ZeroAndNegativeReturnAtOnceWithoutDispatching)
{
    CVessaDlg& dlg = StartedMainWindow();
    bool dispatched = false;
    QMetaObject::invokeMethod(&dlg, [&] { dispatched = true; }, Qt::QueuedConnection);
    dlg.PumpingDelay(0);
    dlg.PumpingDelay(-5);
    EXPECT_FALSE(dispatched);
    const auto start = std::chrono::steady_clock::now();
    dlg.PumpingDelay(30);
    EXPECT_TRUE(dispatched);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
}
