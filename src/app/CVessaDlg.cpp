#include "app/CVessaDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

#include "app/DataFolders.h"
#include "app/PingHistory.h"
#include "platform/DataArrivedEvent.h"
#include "platform/EventPump.h"
#include "serial/CCommPort.h"
#include "ui/ControlTable.h"

CVessaDlg::CVessaDlg(QWidget* parent) : QDialog(parent)
{
    m_Dialogs = std::make_unique<QtOperatorDialogs>(this);
    setWindowIcon(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon));
    CreateControls();
    ConnectHandlers();
}

CVessaDlg::~CVessaDlg()
{
    // Files still open are closed without writing anything further.
    for (std::FILE** file : {&m_LogFile, &m_PlayFile, &m_ReportFile}) {
        if (*file)
            std::fclose(*file);
        *file = nullptr;
    }
}

void CVessaDlg::SetDialogs(std::unique_ptr<OperatorDialogs> dialogs)
{
    m_Dialogs = std::move(dialogs);
}

bool CVessaDlg::OnInitDialog()
{
    last_ping = 0;
    StartUp();
    m_StatusFont = QFont("Arial");
    m_StatusFont.setPixelSize(16);
    m_StatusFont.setWeight(QFont::Normal);
    m_StatusFont.setFixedPitch(true);
    m_StatusFont.setStyleHint(QFont::TypeWriter);
    m_LabelFont = QFont("Arial");
    m_LabelFont.setPixelSize(14);
    m_LabelFont.setWeight(QFont::Normal);
    m_LabelFont.setFixedPitch(true);
    m_LabelFont.setStyleHint(QFont::TypeWriter);
    return true;
}

void CVessaDlg::StartUp()
{
    m_BytesIn = 0;
    m_PlayFileLength = 0;
    AltLoc = 0.0f;
    MaxAm = 0;
    g_QuitRequest = 0;
    m_RereadPending = 0;
    m_Connected = 0;
    m_LogActive = 0;
    m_LogOpen = 0;
    m_EchoCommands = 1;
    m_MeanMode = 0;
    m_LinearScale = 0;
    m_SendAllParams = 0;
    m_Paused = 0;
    m_ReplayRequest = 0;
    m_StepMode = 0;
    m_StepRequest = 0;
    m_StopRequest = 0;
    FlagShowDebugButtons = 0;
    FlagGenerateTestSignal = 0;
    m_PaletteChoice = 1;

    for (int id : kPlaybackButtonIds)
        Control(id)->setEnabled(false);

    DeviceParams = {};

    BuildPortLists();
    if (List(Id::DevicePort)->count() > 0)
        List(Id::DevicePort)->setCurrentIndex(0);

    const std::string home = HomeFolderWithSlash();
    for (const ListEntriesSpec& item : MainWindowListEntries()) {
        QComboBox* list = List(item.id);
        list->clear();
        if (item.id == Id::DataFolder) {
            for (const std::string& entry : DataFolderListEntries(home))
                list->addItem(QString::fromLatin1(entry.c_str()));
        } else {
            for (const char* entry : item.entries)
                list->addItem(QString::fromLatin1(entry));
        }
        list->setCurrentIndex(item.selected);
    }

    SetControlText(Id::DeviceLabel, " Device: Pelagrix");
    ClearGpsPanel();
    ShowReadoutLabels();

    ConsoleAppend(" >> - Connect Device. \r\n");
    ConsoleAppend(" >> - Set Serial Port Number and baudrate.\r\n");
    ConsoleAppend(" >> - Click button CONNECT.\r\n");

    SetProgressRange(20);

    PumpingDelay(2000);

    m_DataFolder = home;

    for (auto& row : PingHistory)
        std::fill(row, row + 1000, 0);

    ApplyDataOutputKeywords();
    LoadSettings();
}

void CVessaDlg::OnExit()
{
    m_Dialogs->SetBusyCursor(true);
    ++g_QuitRequest;
    ConsoleAppend("Close serial port.\r\n");
    g_DeviceChannel.Close();
    g_GpsChannel.Close();
    ConsoleAppend("Exit!\r\n");
    m_Dialogs->SetBusyCursor(false);
    done(2);
}

void CVessaDlg::PumpingDelay(int32_t ms)
{
    PumpEventsFor(ms);
}

bool CVessaDlg::event(QEvent* e)
{
    if (e->type() == kDataArrivedEventType) {
        OnDataArrived(static_cast<DataArrivedEvent*>(e)->PortId());
        return true;
    }
    return QDialog::event(e);
}

void CVessaDlg::closeEvent(QCloseEvent* e)
{
    ++g_QuitRequest;
    // The default close handling runs the cancel action, that is OnExit.
    QDialog::closeEvent(e);
}

void CVessaDlg::accept()
{
    OnOK();
}

void CVessaDlg::reject()
{
    OnExit();
}

void CVessaDlg::keyPressEvent(QKeyEvent* e)
{
    // Help key, or a key pressed with Alt (or F10) that reaches the window
    // itself: the about box, then the default handling.
    const bool altCombination = (e->modifiers() & Qt::AltModifier) && e->key() != Qt::Key_Alt;
    if (e->key() == Qt::Key_F1 || e->key() == Qt::Key_Help || e->key() == Qt::Key_F10 ||
        altCombination)
        ShowAboutBox();
    QDialog::keyPressEvent(e);
}

void CVessaDlg::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu menu(this);
    QAction* about = menu.addAction("&About Pelagrix program...");
    if (menu.exec(e->globalPos()) == about)
        ShowAboutBox();
}

void CVessaDlg::ShowAboutBox()
{
    m_Dialogs->About();
}
