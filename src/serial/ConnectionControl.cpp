// The Connect/Disconnect button: opens the instrument channel and, when a GPS
// port is chosen, the GPS channel; saves the settings, starts a data log,
// resets the intake and sends every instrument parameter. Disconnect closes
// both channels and the log. The button's caption decides which runs.

#include <QComboBox>
#include <QPushButton>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/CVessaDlg.h"
#include "app/PingHistory.h"
#include "platform/FormatText.h"
#include "serial/CCommPort.h"
#include "serial/PortParsing.h"
#include "ui/ControlTable.h"

namespace {

// Controls of the layout that the program writes but never shows.
constexpr int kDownloadButtonId = 1021;
constexpr int kStatusLineId = 1022;

// Port and speed texts are read with room for 29 characters.
constexpr size_t kPortTextMax = 29;

constexpr const char* kMessageTitle = "Pelagrix";

}  // namespace

void CVessaDlg::OnConnect()
{
    m_ReplyLen = 0;
    m_ReplyLinePos = 0;
    m_Connected = 0;
    m_DbtSeen = 0;
    Dialogs().SetBusyCursor(true);

    QPushButton* button = Button(Id::Connect);
    const bool disconnect = ControlText(Id::Connect).size() > 7;
    button->setEnabled(false);

    if (disconnect) {
        g_DeviceChannel.Close();
        g_GpsChannel.Close();
        CloseLog();
        ConsoleAppend("\r\n>> Serial Port disconnected.\r\n");
        SetControlText(kDownloadButtonId, "START Download");
        Control(Id::DataFolder)->setEnabled(true);
        SetProgressRange(100);
        SetControlText(Id::Connect, "Connect");
        button->setEnabled(true);
        Dialogs().SetBusyCursor(false);
        SetProgressFull();
        return;
    }

    DeviceParams.Pitch_deg = 0.0f;
    DeviceParams.Roll_deg = 0.0f;
    DeviceParams.VertRotationPos_deg = 0.0f;
    m_LogActive = 0;
    m_BytesIn = 0;
    m_PlayFileLength = 0;
    m_EchoCommands = 1;
    g_QuitRequest = 0;

    // A failed connect leaves the window disconnected and ready for another try.
    const auto stayDisconnected = [this, button] {
        ConsoleAppend(">> Can't open serial port!  \r\n");
        Control(Id::DataFolder)->setEnabled(true);
        button->setEnabled(true);
        Dialogs().SetBusyCursor(false);
    };

    const int port = ParsePortNumber(ControlText(Id::DevicePort).substr(0, kPortTextMax));
    if (port == 0) {
        SetControlText(kStatusLineId, " STATUS: Can't open serial port!  ");
        stayDisconnected();
        return;
    }
    SaveSettings();
    const int rate =
        ParseBaudRate(ControlText(Id::DeviceSpeed).substr(0, kPortTextMax), kDeviceDefaultBaud);
    g_DeviceChannel.m_nPortId = static_cast<uint16_t>(port);
    if (g_DeviceChannel.Open(this, port, rate) == 0) {
        Dialogs().Message(kMessageTitle, FormatText("Can't open COM%d", port));
        if (m_ProgressMax >= 0)
            SetProgressFull();
        stayDisconnected();
        return;
    }
    ConsoleAppend(FormatText(">> Pelagrix Serial port COM%d Speed=%d bps OK.\r\n", port, rate));

    // The GPS receiver is optional: its failure never undoes the instrument
    // connection.
    m_GpsPort = 0;
    const std::string gpsText = ControlText(Id::GpsPort).substr(0, kPortTextMax);
    if (gpsText.find("COM") != std::string::npos) {
        const int gps = ParsePortNumber(gpsText);
        if (gps == 0) {
            SetControlText(kStatusLineId, " STATUS: Can't open GPS serial port!  ");
            ConsoleAppend(">> Can't open GPS serial port!  \r\n");
        }
        SaveSettings();
        const int gpsRate =
            ParseBaudRate(ControlText(Id::GpsSpeed).substr(0, kPortTextMax), kGpsDefaultBaud);
        g_GpsChannel.m_nPortId = static_cast<uint16_t>(gps);
        if (g_GpsChannel.Open(this, gps, gpsRate) == 1) {
            ConsoleAppend(
                FormatText(">> GPS      Serial port COM%d Speed=%d bps OK.\r\n\r\n", gps, gpsRate));
            m_GpsPort = gps;
        } else {
            Dialogs().Message(kMessageTitle, FormatText("Can't open GPS COM%d", gps));
            ConsoleAppend(">> Can't open GPS serial port!  \r\n");
            if (m_ProgressMax >= 0)
                SetProgressFull();
        }
    }

    SetControlText(Id::Connect, "Disconnect");
    ProgressStep();
    OpenLogAtConnect();
    Control(Id::DataFolder)->setEnabled(false);

    NSInBuff = 0;
    m_LastPingSamples = 0;
    m_PingState = 0;
    m_HeaderState = 0;
    std::memset(m_LineBuf, 0, sizeof m_LineBuf);
    m_LineReady = 0;
    m_LineLen = 0;
    m_GpsLinePos = 0;
    m_GpsLogState = 0;
    m_GpsLogLen = 0;

    for (int id : kPlaybackButtonIds)
        Control(id)->setEnabled(false);

    // Received data keeps being processed during the apply's waits. The
    // button stays disabled until the sequence has ended, so a disconnect
    // cannot run inside the apply and leave a half-finished connect behind.
    m_SendAllParams = 1;
    ApplyParameters();
    m_Connected = 1;
    // The parameter lists show the instrument's own values once its first
    // complete ping header after the apply has arrived. Asked for only now:
    // a header still in flight during the apply would otherwise overwrite the
    // operator's choices before they are sent.
    m_RereadPending = 1;

    // Instrument bytes still waiting (a backlog under 100,000 bytes) are
    // taken out of the intake into the reply buffer. Exactly those bytes are
    // taken: anything the watch thread stores meanwhile stays for the intake.
    const int32_t waiting = g_DeviceChannel.QueueUsed();
    if (waiting >= 1 && waiting < 100000) {
        unsigned char byte = 0;
        for (int32_t i = 0; i < waiting && g_DeviceChannel.TakeByte(byte); ++i)
            m_ReplyBuf[i] = static_cast<char>(byte);
    }
    g_GpsChannel.ResetQueue(true);

    button->setEnabled(true);
    Dialogs().SetBusyCursor(false);
    SetProgressFull();
}
