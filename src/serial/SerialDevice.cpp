#include "serial/SerialDevice.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

int OpenSerialDevice(const std::string& path, int& error)
{
    error = 0;
    if (path.empty()) {
        error = ENOENT;
        return -1;
    }
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    if (!::isatty(fd)) {
        error = ENOTTY;
        ::close(fd);
        return -1;
    }
    // flock holds against every other open of the device, including one by
    // root, which TIOCEXCL lets through.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return -1;
    }
    ::ioctl(fd, TIOCEXCL);
    return fd;
}

std::optional<speed_t> SpeedForBaud(int baud)
{
    struct Entry {
        int baud;
        speed_t speed;
    };
    static constexpr Entry kSpeeds[] = {
        {50, B50},         {75, B75},         {110, B110},       {134, B134},
        {150, B150},       {200, B200},       {300, B300},       {600, B600},
        {1200, B1200},     {1800, B1800},     {2400, B2400},     {4800, B4800},
        {9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600},
        {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
    };
    for (const Entry& e : kSpeeds)
        if (e.baud == baud)
            return e.speed;
    return std::nullopt;
}

bool ConfigureRawLine(int fd, int baud)
{
    termios current{};
    const bool haveCurrent = ::tcgetattr(fd, &current) == 0;

    termios tio{};
    tio.c_iflag = IGNBRK;  // no parity check, no XON/XOFF, no CR/LF mapping
    tio.c_oflag = 0;
    tio.c_cflag = CS8 | CREAD | CLOCAL;  // 8N1, no RTS/CTS
    tio.c_lflag = 0;
    // With the descriptor non-blocking a read returns at once with what has
    // arrived; VMIN 1 makes an empty read fail with EAGAIN instead of 0, so
    // 0 stays the end-of-file of a vanished line.
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    speed_t speed = B9600;
    if (const auto wanted = SpeedForBaud(baud))
        speed = *wanted;
    else if (haveCurrent)
        speed = ::cfgetospeed(&current);
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

bool RaiseModemLines(int fd)
{
    int lines = TIOCM_DTR | TIOCM_RTS;
    return ::ioctl(fd, TIOCMBIS, &lines) == 0;
}

void DropDtr(int fd)
{
    int lines = TIOCM_DTR;
    ::ioctl(fd, TIOCMBIC, &lines);
}

void PurgeSerialDevice(int fd)
{
    ::tcflush(fd, TCIOFLUSH);
}

std::string OpenFailureConsoleLine(const std::string& path, int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return ">> Permission denied for " + path +
               ": add your user to the dialout group (sudo usermod -aG dialout $USER) "
               "and log in again.\r\n";
    case EBUSY:
        return ">> " + path + " is in use by another program.\r\n";
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return ">> " + path + " does not exist: is the device plugged in?\r\n";
    case ENOTTY:
        return ">> " + path + " is not a serial port.\r\n";
    default:
        return ">> " + path + ": " + std::strerror(error) + "\r\n";
    }
}
