#include "support/Pty.h"

#include <QCoreApplication>
#include <QSettings>
#include <QThread>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>

#include <gtest/gtest.h>
#include <cstdlib>

#include "serial/CCommPort.h"

bool OpenPty(PtyPair& pty, bool openSlave)
{
    pty.master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (pty.master < 0)
        return false;
    if (grantpt(pty.master) != 0 || unlockpt(pty.master) != 0) {
        ClosePty(pty);
        return false;
    }
    pty.slavePath = ptsname(pty.master);
    termios tio{};
    if (tcgetattr(pty.master, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(pty.master, TCSANOW, &tio);
    }
    if (openSlave) {
        pty.slave = ::open(pty.slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (pty.slave < 0) {
            ClosePty(pty);
            return false;
        }
        if (tcgetattr(pty.slave, &tio) == 0) {
            cfmakeraw(&tio);
            tcsetattr(pty.slave, TCSANOW, &tio);
        }
    }
    return true;
}

void ClosePty(PtyPair& pty)
{
    if (pty.slave >= 0)
        ::close(pty.slave);
    if (pty.master >= 0)
        ::close(pty.master);
    pty.slave = pty.master = -1;
}

std::string ReadAvailable(int fd)
{
    std::string out;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0)
            break;
        out.append(buf, static_cast<size_t>(n));
    }
    return out;
}

std::string ReadAtLeast(int fd, size_t count, int timeoutMs)
{
    std::string out;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (out.size() < count && std::chrono::steady_clock::now() < end) {
        out += ReadAvailable(fd);
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    return out;
}

void MapPort(int n, const std::string& path)
{
    QSettings store(QSettings::IniFormat, QSettings::UserScope, "Halvorn", "Vessa");
    store.setValue(QString("Ports/COM%1").arg(n), QString::fromStdString(path));
    store.sync();
}

bool OpenPtyAsPort(int n, PtyPair& pty)
{
    if (!OpenPty(pty, false))
        return false;
    MapPort(n, pty.slavePath);
    return true;
}

void WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0) {
            ADD_FAILURE() << "write to fd " << fd << " failed";
            return;
        }
        done += static_cast<size_t>(n);
    }
}

namespace {
int g_TestSlave = -1;
}

bool OpenDeviceChannelOnPty(int& master)
{
    PtyPair pty;
    if (!OpenPty(pty))
        return false;
    master = pty.master;
    g_TestSlave = pty.slave;
    g_DeviceChannel.m_hComm = pty.slave;
    return true;
}

void CloseDeviceChannelOnPty(int master)
{
    g_DeviceChannel.m_hComm = -1;
    if (g_TestSlave >= 0)
        ::close(g_TestSlave);
    g_TestSlave = -1;
    if (master >= 0)
        ::close(master);
}
