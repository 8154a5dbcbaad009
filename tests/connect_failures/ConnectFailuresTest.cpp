// The failure rows of Connect: port texts that name no usable port, a device
// that cannot be opened, and the optional GPS port (none, or one that fails
// without undoing the instrument connection).

#include <QPushButton>
#include <QSettings>
#include <QTimer>

#include <gtest/gtest.h>

#include "serial/CCommPort.h"
#include "support/MainWindowFixture.h"
#include "support/Pty.h"
#include "ui/ControlTable.h"

namespace {

QSettings Store()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "Halvorn", "Vessa");
}

bool SettingsStored()
{
    QSettings store = Store();
    store.sync();
    return store.contains("Pelagrix01/SerialPortNumber");
}

void ForgetSettings()
{
    QSettings store = Store();
    store.remove("Pelagrix01");
    store.sync();
}

class ConnectFailure : public ::testing::Test {
protected:
    void SetUp() override
    {
        dlg = &StartedMainWindow();
        dialogs = &StartedDialogs();
        dialogs->Clear();
        ForgetSettings();
        consoleBefore = dlg->ConsoleText();
    }
    std::string NewConsole() const { return dlg->ConsoleText().substr(consoleBefore.size()); }

    // The window is back where it was: disconnected and ready.
    void ExpectDisconnectedAndReady() const
    {
        EXPECT_EQ(dlg->ControlText(Id::Connect), "Connect");
        EXPECT_TRUE(dlg->Button(Id::Connect)->isEnabled());
        EXPECT_TRUE(dlg->Control(Id::DataFolder)->isEnabled());
        EXPECT_EQ(dlg->m_Connected, 0);
        EXPECT_EQ(dialogs->busyDepth, 0);
        EXPECT_FALSE(g_DeviceChannel.IsRunning());
    }

    CVessaDlg* dlg = nullptr;
    ScriptedDialogs* dialogs = nullptr;
    std::string consoleBefore;
};

void Disconnect(CVessaDlg& dlg)
{
    ASSERT_EQ(dlg.ControlText(Id::Connect), "Disconnect");
    dlg.OnConnect();
    ASSERT_EQ(dlg.ControlText(Id::Connect), "Connect");
}

}  // namespace

TEST_F(ConnectFailure, PortTextsThatNameNoUsablePort)
{
    for (const char* text : {"COM33", "com3", "COM64", ""}) {
        consoleBefore = dlg->ConsoleText();
        dlg->SetControlText(Id::DevicePort, text);
        dlg->OnConnect();
        EXPECT_EQ(NewConsole(), ">> Can't open serial port!  \r\n") << text;
        EXPECT_TRUE(dialogs->Messages().empty()) << text;
        EXPECT_FALSE(SettingsStored()) << "nothing is saved before the port is recognised";
        ExpectDisconnectedAndReady();
    }
}

TEST_F(ConnectFailure, DeviceThatCannotBeOpened)
{
    MapPort(2, "/nonexistent/pelagrix-tty");
    dlg->SetControlText(Id::DevicePort, "COM2");
    dlg->OnConnect();
    const std::vector<std::string> messages = dialogs->Messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "Can't open COM2");
    EXPECT_NE(NewConsole().find(">> Can't open serial port!  \r\n"), std::string::npos);
    EXPECT_TRUE(SettingsStored()) << "the settings are saved before the open";
    ExpectDisconnectedAndReady();
}

TEST_F(ConnectFailure, NoGpsPortChosen)
{
    PtyPair instrument;
    ASSERT_TRUE(OpenPtyAsPort(1, instrument));
    dlg->SetControlText(Id::DevicePort, "COM1");
    dlg->SetControlText(Id::GpsPort, "None");
    // A press of the button while the connect still sends the parameters
    // does nothing: the button is enabled only once the connect has ended.
    bool enabledDuringApply = true;
    QTimer::singleShot(1500, dlg, [&] {
        enabledDuringApply = dlg->Button(Id::Connect)->isEnabled();
        dlg->Button(Id::Connect)->click();
    });
    dlg->OnConnect();
    EXPECT_FALSE(enabledDuringApply);
    EXPECT_TRUE(dlg->Button(Id::Connect)->isEnabled());
    EXPECT_TRUE(g_DeviceChannel.IsRunning());
    const std::string console = NewConsole();
    EXPECT_EQ(console.find(">> Pelagrix Serial port COM1 Speed=115200 bps OK.\r\n"), 0u);
    EXPECT_EQ(console.find("GPS"), std::string::npos) << console;
    EXPECT_TRUE(dialogs->Messages().empty());
    EXPECT_FALSE(g_GpsChannel.IsRunning());
    EXPECT_EQ(dlg->m_GpsPort, 0);
    EXPECT_EQ(dlg->m_Connected, 1);
    EXPECT_TRUE(SettingsStored());
    Disconnect(*dlg);
    ClosePty(instrument);
}

TEST_F(ConnectFailure, GpsPortThatNamesNoUsablePortKeepsTheInstrument)
{
    PtyPair instrument;
    ASSERT_TRUE(OpenPtyAsPort(1, instrument));
    dlg->SetControlText(Id::DevicePort, "COM1");
    dlg->SetControlText(Id::GpsPort, "COM40");
    dlg->OnConnect();
    const std::string console = NewConsole();
    EXPECT_EQ(CountOf(console, ">> Can't open GPS serial port!  \r\n"), 2u) << console;
    const std::vector<std::string> messages = dialogs->Messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "Can't open GPS COM0");
    EXPECT_EQ(dlg->m_GpsPort, 0);
    EXPECT_FALSE(g_GpsChannel.IsRunning());
    // The instrument connection stands and got its parameters.
    EXPECT_TRUE(g_DeviceChannel.IsRunning());
    EXPECT_EQ(dlg->m_Connected, 1);
    EXPECT_EQ(dlg->ControlText(Id::Connect), "Disconnect");
    const std::string received = ReadAvailable(instrument.master);
    EXPECT_EQ(received.substr(0, 5), "#\r#\r\r");
    EXPECT_EQ(CountOf(received, "#range "), 1u);
    Disconnect(*dlg);
    ClosePty(instrument);
}
