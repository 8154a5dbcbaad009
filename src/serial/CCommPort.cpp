#include "serial/CCommPort.h"

#include <QCoreApplication>
#include <QFile>
#include <QMetaObject>
#include <QSettings>

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "app/CVessaDlg.h"
#include "platform/DataArrivedEvent.h"
#include "serial/DevicePath.h"
#include "serial/SerialDevice.h"
#include "serial/SerialMessages.h"

CCommPort g_DeviceChannel;
CCommPort g_GpsChannel;

namespace {
constexpr auto kClosePause = std::chrono::milliseconds(4000);
constexpr int kWriteWaitMs = 1000;
}  // namespace

CCommPort::~CCommPort()
{
    // The watch thread member is joined after this body; let it leave its loop.
    m_bRunning.store(0, std::memory_order_release);
}

std::string CCommPort::DevicePathForPort(int portNumber)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Halvorn", "Vessa");
    const QString mapped =
        settings.value(QStringLiteral("Ports/COM%1").arg(portNumber)).toString().trimmed();
    if (!mapped.isEmpty()) {
        const QByteArray path = QFile::encodeName(mapped);
        return std::string(path.constData(), static_cast<size_t>(path.size()));
    }
    return DefaultDevicePathForPort(portNumber);
}

int CCommPort::Open(CVessaDlg* owner, int portNumber, int baudRate)
{
    // Opening a running channel again would orphan its thread and port.
    if (IsRunning())
        Close();

    m_pOwner = owner;
    m_nPortId = static_cast<uint16_t>(portNumber);
    m_sPortName = DevicePathForPort(portNumber);
    m_bRunning.store(0, std::memory_order_release);

    if (!m_Watch.CreateWake()) {
        ShowMessage(kReadEventMessage);
        return 0;
    }

    int error = 0;
    const int fd = OpenSerialDevice(m_sPortName, error);
    if (fd < 0) {
        ShowMessage(kOpenDeviceMessage + m_sPortName);
        Console(m_sPortName.empty() ? NoDeviceConsoleLine(portNumber)
                                    : OpenFailureConsoleLine(m_sPortName, error));
        m_Watch.ReleaseWake();
        return 0;
    }
    m_hComm = fd;

    PurgeSerialDevice(fd);
    ConfigureRawLine(fd, baudRate);
    if (!SpeedForBaud(baudRate))
        Console(UnsupportedSpeedConsoleLine(baudRate, m_sPortName));
    RaiseModemLines(fd);

    m_Reporter.Configure(owner, m_nPortId, m_sPortName);
    m_bRunning.store(1, std::memory_order_release);
    if (!m_Watch.Start(fd, RingRefs{m_QueueRead, &m_nQueueHead, &m_nQueueTail, &m_QueueLock},
                       m_bRunning, m_Reporter)) {
        Close();
        return 0;
    }
    return 1;
}

void CCommPort::Close()
{
    if (!IsRunning())
        return;
    if (m_hComm >= 0)
        PurgeSerialDevice(m_hComm);
    ResetQueue(true);
    m_bRunning.store(0, std::memory_order_release);
    if (m_hComm >= 0)
        DropDtr(m_hComm);

    // Wake the thread out of its wait; it sees m_bRunning at 0 and ends.
    const auto woken = std::chrono::steady_clock::now();
    m_Watch.Wake();
    m_Watch.Join();
    std::this_thread::sleep_until(woken + kClosePause);

    ResetQueue(true);
    if (m_hComm >= 0) {
        PurgeSerialDevice(m_hComm);
        ResetQueue(true);
        ::close(m_hComm);
    }
    m_hComm = -1;
    // The thread has ended, so its wake-up descriptor can go.
    m_Watch.ReleaseWake();
}

int CCommPort::WriteByte(unsigned char byte)
{
    if (m_hComm < 0)
        return 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWriteWaitMs);
    for (;;) {
        const ssize_t n = ::write(m_hComm, &byte, 1);
        if (n == 1)
            break;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            break;  // other write errors are ignored
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0)
            break;
        pollfd pfd{m_hComm, POLLOUT, 0};
        if (::poll(&pfd, 1, static_cast<int>(left)) <= 0 || (pfd.revents & (POLLERR | POLLHUP)))
            break;
    }
    return 1;
}

void CCommPort::ResetQueue(bool zeroStorage)
{
    std::lock_guard<std::mutex> guard(m_QueueLock);
    m_nQueueHead.store(0, std::memory_order_release);
    m_nQueueTail.store(0, std::memory_order_release);
    if (zeroStorage)
        std::memset(m_QueueRead, 0, sizeof m_QueueRead);
}

int32_t CCommPort::QueueUsed() const
{
    return RingUsed(m_nQueueHead.load(std::memory_order_acquire),
                    m_nQueueTail.load(std::memory_order_acquire));
}

bool CCommPort::TakeByte(unsigned char& byte)
{
    return RingTakeByte(m_QueueRead, m_nQueueHead, m_nQueueTail, byte);
}

void CCommPort::DiscardQueued(int32_t count)
{
    const int32_t used = QueueUsed();
    if (count > used)
        count = used;
    if (count <= 0)
        return;
    const int32_t tail = m_nQueueTail.load(std::memory_order_relaxed);
    m_nQueueTail.store(RingAdvance(tail, count), std::memory_order_release);
}

bool CCommPort::StoreChunk(const unsigned char* bytes, int32_t count)
{
    std::lock_guard<std::mutex> guard(m_QueueLock);
    return RingStoreChunk(m_QueueRead, m_nQueueHead, m_nQueueTail, bytes, count);
}

void CCommPort::ShowMessage(const std::string& text)
{
    if (m_pOwner)
        m_pOwner->Dialogs().Message(kSerialMessageTitle, text);
}

void CCommPort::Console(const std::string& text)
{
    if (m_pOwner)
        m_pOwner->ConsoleAppend(text);
}

// ---- watch thread reports, handed to the UI thread -------------------------

void CCommPort::Reporter::Configure(CVessaDlg* owner, uint16_t portId,
                                    const std::string& portName)
{
    m_Owner = owner;
    m_PortId = portId;
    m_PortName = portName;
}

void CCommPort::Reporter::DataArrived()
{
    if (m_Owner)
        QCoreApplication::postEvent(m_Owner, new DataArrivedEvent(m_PortId));
}

void CCommPort::Reporter::Overflow()
{
    if (!m_Owner)
        return;
    CVessaDlg* owner = m_Owner;
    QMetaObject::invokeMethod(
        owner, [owner] { owner->Dialogs().Message(kSerialMessageTitle, kOverflowMessage); },
        Qt::QueuedConnection);
}

void CCommPort::Reporter::PortLost(int /*error*/)
{
    if (!m_Owner)
        return;
    CVessaDlg* owner = m_Owner;
    const std::string line = PortLostConsoleLine(m_PortName);
    QMetaObject::invokeMethod(owner, [owner, line] { owner->ConsoleAppend(line); },
                              Qt::QueuedConnection);
}

void CCommPort::Reporter::StartFailed()
{
    if (!m_Owner)
        return;
    CVessaDlg* owner = m_Owner;
    const std::string text = kWatchThreadMessage + m_PortName;
    QMetaObject::invokeMethod(
        owner, [owner, text] { owner->Dialogs().Message(kSerialMessageTitle, text); },
        Qt::QueuedConnection);
}
