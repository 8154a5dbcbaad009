// The serial channel on real pseudo-terminals, owned by the started main
// window: port numbers to devices, open failures and their messages, the line
// settings, bytes both ways, exclusive use, the overflow report, an unplugged
// line and the close.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSettings>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/DataArrivedEvent.h"
#include "serial/CCommPort.h"
#include "serial/DevicePath.h"
#include "serial/SerialDevice.h"
#include "serial/SerialMessages.h"
#include "support/MainWindowFixture.h"
#include "support/Pty.h"

namespace {

using Clock = std::chrono::steady_clock;

// Counts the data-arrived notifications that reach the main window.
class ArrivalCounter : public QObject {
public:
    explicit ArrivalCounter(QObject* target) : m_Target(target) { target->installEventFilter(this); }
    ~ArrivalCounter() override { m_Target->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == kDataArrivedEventType)
            ++count;
        return false;
    }

private:
    QObject* m_Target;
};

bool WriteToMaster(int master, const std::string& bytes)
{
    size_t done = 0;
    const auto end = Clock::now() + std::chrono::seconds(20);
    while (done < bytes.size() && Clock::now() < end) {
        const ssize_t n = ::write(master, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<size_t>(n);
        else
            QCoreApplication::processEvents();
    }
    return done == bytes.size();
}

std::string TakeAll(CCommPort& channel)
{
    std::string out;
    unsigned char byte = 0;
    while (channel.TakeByte(byte))
        out.push_back(static_cast<char>(byte));
    return out;
}

// Runs `body` in a child process and returns its exit status (the child
// touches only plain system calls).
int InChild(int (*body)(const std::string&), const std::string& arg)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(body(arg));
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(DevicePath, DefaultTableOfPortNumbers)
{
    struct Case {
        int port;
        const char* path;
    } cases[] = {
        {1, "/dev/ttyUSB0"},  {8, "/dev/ttyUSB7"}, {9, "/dev/ttyACM0"}, {16, "/dev/ttyACM7"},
        {17, "/dev/ttyS0"},   {32, "/dev/ttyS15"}, {0, ""},             {33, ""},
        {-1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DefaultDevicePathForPort(c.port), c.path) << "COM" << c.port;
}

TEST(DevicePath, TheSettingsFileMapsAPortFirst)
{
    MapPort(3, "/dev/serial/by-id/usb-Pelagrix-if00");
    EXPECT_EQ(CCommPort::DevicePathForPort(3), "/dev/serial/by-id/usb-Pelagrix-if00");
    EXPECT_EQ(CCommPort::DevicePathForPort(4), "/dev/ttyUSB3");
}

TEST(SerialDevice, SpeedsOfTheSpeedListHaveTerminalSettings)
{
    for (int baud : {4800, 9600, 19200, 38400, 57600, 115200, 230400})
        EXPECT_TRUE(SpeedForBaud(baud).has_value()) << baud;
    EXPECT_EQ(SpeedForBaud(230400), B230400);
    EXPECT_FALSE(SpeedForBaud(12345).has_value());
    EXPECT_FALSE(SpeedForBaud(0).has_value());
}

TEST(SerialDevice, OpenFailuresNameTheirCause)
{
    const std::string path = "/dev/ttyUSB0";
    const std::string denied = OpenFailureConsoleLine(path, EACCES);
    EXPECT_NE(denied.find("Permission denied"), std::string::npos);
    EXPECT_NE(denied.find("dialout"), std::string::npos);
    EXPECT_NE(denied.find(path), std::string::npos);
    EXPECT_NE(OpenFailureConsoleLine(path, EBUSY).find("in use"), std::string::npos);
    EXPECT_NE(OpenFailureConsoleLine(path, ENOENT).find("does not exist"), std::string::npos);
    for (int error : {EACCES, EBUSY, ENOENT, ENOTTY, EIO}) {
        const std::string line = OpenFailureConsoleLine(path, error);
        EXPECT_EQ(line.substr(0, 3), ">> ") << error;
        EXPECT_EQ(line.substr(line.size() - 2), "\r\n") << error;
    }
}

TEST(SerialDevice, AUserOutsideTheDeviceGroupIsDeniedWithEacces)
{
    PtyPair pty;
    ASSERT_TRUE(OpenPty(pty, false));
    ::chmod(pty.slavePath.c_str(), 0600);
    // In a child without root rights (or as this user when not root).
    const int status = InChild(
        [](const std::string& path) {
            if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 ||
                                   setuid(65534) != 0))
                return 2;
            int error = 0;
            const int fd = OpenSerialDevice(path, error);
            return fd < 0 && error == EACCES ? 0 : 1;
        },
        pty.slavePath);
    ClosePty(pty);
    EXPECT_EQ(status, 0);
}

TEST(SerialDevice, ARegularFileIsNoSerialPort)
{
    const std::string path = std::string(getenv("HOME")) + "/not-a-port";
    FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    int error = 0;
    EXPECT_LT(OpenSerialDevice(path, error), 0);
    EXPECT_EQ(error, ENOTTY);
}

class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dlg = &StartedMainWindow();
        StartedDialogs().Clear();
    }
    CVessaDlg* dlg = nullptr;
};

TEST_F(SerialPortTest, CloseOfANeverOpenedChannelReturnsAtOnce)
{
    auto channel = std::make_unique<CCommPort>();
    const auto start = Clock::now();
    channel->Close();
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_EQ(channel->WriteByte('x'), 0);
}

TEST_F(SerialPortTest, ANumberWithoutDeviceFailsWithTheOpenMessage)
{
    auto channel = std::make_unique<CCommPort>();
    EXPECT_EQ(channel->Open(dlg, 77, 9600), 0);
    ASSERT_EQ(StartedDialogs().Messages().size(), 1u);
    EXPECT_EQ(StartedDialogs().Messages()[0], kOpenDeviceMessage);
    EXPECT_NE(dlg->ConsoleText().find(NoDeviceConsoleLine(77)), std::string::npos);
    EXPECT_FALSE(channel->IsRunning());
}

// One running channel through its whole life: failed open, open on a pty,
// line settings, bytes both ways, exclusive use, overflow, close.
TEST_F(SerialPortTest, LifeOfAChannel)
{
    auto channel = std::make_unique<CCommPort>();
    const std::string missing = "/nonexistent/ttyPelagrix";
    MapPort(40, missing);
    EXPECT_EQ(channel->Open(dlg, 40, 9600), 0);
    ASSERT_EQ(StartedDialogs().Messages().size(), 1u);
    EXPECT_EQ(StartedDialogs().Messages()[0],
              "COM Port ERROR - m_hComm = CreateFile( m_sPortName,... " + missing);
    EXPECT_NE(dlg->ConsoleText().find(OpenFailureConsoleLine(missing, ENOENT)), std::string::npos);
    EXPECT_EQ(channel->WriteByte('x'), 0);
    EXPECT_FALSE(channel->IsRunning());
    EXPECT_EQ(channel->m_hComm, -1);

    PtyPair pty;
    ASSERT_TRUE(OpenPty(pty, false));
    MapPort(41, pty.slavePath);
    StartedDialogs().Clear();
    ASSERT_EQ(channel->Open(dlg, 41, 230400), 1);
    EXPECT_TRUE(channel->IsRunning());
    EXPECT_EQ(channel->m_sPortName, pty.slavePath);
    EXPECT_EQ(channel->m_nPortId, 41);
    EXPECT_TRUE(StartedDialogs().Messages().empty());

    // Raw 8N1 at the asked speed, no flow control.
    termios tio{};
    ASSERT_EQ(tcgetattr(channel->m_hComm, &tio), 0);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | INPCK | ICRNL | ISTRIP), 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(cfgetispeed(&tio), static_cast<speed_t>(B230400));

    // Received bytes reach the ring, and each port event notifies the window.
    {
        ArrivalCounter arrivals(dlg);
        ASSERT_TRUE(WriteToMaster(pty.master, std::string("ab\0\xff\r\n", 6)));
        ASSERT_TRUE(WaitUntil([&] { return channel->QueueUsed() == 6 && arrivals.count > 0; }));
        EXPECT_EQ(TakeAll(*channel), std::string("ab\0\xff\r\n", 6));
    }

    // Single bytes go out.
    EXPECT_EQ(channel->WriteByte('Z'), 1);
    EXPECT_EQ(channel->WriteByte(0x00), 1);
    EXPECT_EQ(ReadAtLeast(pty.master, 2), std::string("Z\0", 2));

    // Exclusive use: neither a second channel nor another program gets it.
    {
        auto second = std::make_unique<CCommPort>();
        StartedDialogs().Clear();
        EXPECT_EQ(second->Open(dlg, 41, 9600), 0);
        EXPECT_EQ(StartedDialogs().Messages().size(), 1u);
        EXPECT_NE(dlg->ConsoleText().find(OpenFailureConsoleLine(pty.slavePath, EBUSY)),
                  std::string::npos);
        const int status = InChild(
            [](const std::string& path) {
                int error = 0;
                const int fd = OpenSerialDevice(path, error);
                return fd < 0 && error == EBUSY ? 0 : 1;
            },
            pty.slavePath);
        EXPECT_EQ(status, 0) << "another process opened the port";
    }

    // Without a reader the ring takes exactly 999,999 bytes; the next chunks
    // are dropped and the overflow is shown once, on the UI thread.
    {
        StartedDialogs().Clear();
        ArrivalCounter arrivals(dlg);
        ASSERT_TRUE(WriteToMaster(pty.master, std::string(999999, 'q')));
        ASSERT_TRUE(WaitUntil([&] { return channel->QueueUsed() == 999999; }));
        EXPECT_TRUE(StartedDialogs().Messages().empty());
        for (int extra = 0; extra < 3; ++extra) {
            const int before = arrivals.count;
            ASSERT_TRUE(WriteToMaster(pty.master, "x"));
            ASSERT_TRUE(WaitUntil([&] { return arrivals.count > before; }));
        }
        ASSERT_TRUE(WaitUntil([&] { return !StartedDialogs().Messages().empty(); }));
        EXPECT_EQ(StartedDialogs().Messages(), std::vector<std::string>{kOverflowMessage});
        EXPECT_EQ(channel->QueueUsed(), 999999);
    }

    // Close takes its pause and leaves the ring empty and the port released.
    const auto start = Clock::now();
    channel->Close();
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(4000));
    EXPECT_FALSE(channel->IsRunning());
    EXPECT_EQ(channel->QueueUsed(), 0);
    EXPECT_EQ(channel->m_hComm, -1);
    EXPECT_EQ(channel->WriteByte('x'), 0);
    int error = 0;
    const int fd = OpenSerialDevice(pty.slavePath, error);
    EXPECT_GE(fd, 0) << "the port is still held";
    if (fd >= 0)
        ::close(fd);
    ClosePty(pty);
}

// The adapter is pulled while data streams: one console line with the device
// path, no crash, no busy thread; Disconnect and Connect then work again.
TEST_F(SerialPortTest, UnplugWhileStreamingThenReconnect)
{
    auto channel = std::make_unique<CCommPort>();
    PtyPair pty;
    ASSERT_TRUE(OpenPty(pty, false));
    MapPort(42, pty.slavePath);
    ASSERT_EQ(channel->Open(dlg, 42, 115200), 1);

    const std::string lost = PortLostConsoleLine(pty.slavePath);
    ASSERT_TRUE(WriteToMaster(pty.master, std::string(50000, 'u')));
    ASSERT_TRUE(WaitUntil([&] { return channel->QueueUsed() > 0; }));
    ::close(pty.master);
    pty.master = -1;
    ASSERT_TRUE(WaitUntil([&] { return CountOf(dlg->ConsoleText(), lost) == 1; }));
    // Further events would repeat the line; give them the chance to.
    ArrivalCounter arrivals(dlg);
    WaitUntil([&] { return arrivals.count > 0; }, std::chrono::milliseconds(300));
    EXPECT_EQ(CountOf(dlg->ConsoleText(), lost), 1u);
    EXPECT_EQ(arrivals.count, 0) << "the lost line is still being polled";
    EXPECT_EQ(channel->WriteByte('x'), 1);  // ignored, no crash

    channel->Close();  // Disconnect
    EXPECT_FALSE(channel->IsRunning());

    // The adapter comes back (as a new device behind the same port number).
    PtyPair again;
    ASSERT_TRUE(OpenPty(again, false));
    MapPort(42, again.slavePath);
    ASSERT_EQ(channel->Open(dlg, 42, 115200), 1);  // Connect
    ASSERT_TRUE(WriteToMaster(again.master, "back\r\n"));
    ASSERT_TRUE(WaitUntil([&] { return channel->QueueUsed() == 6; }));
    EXPECT_EQ(TakeAll(*channel), "back\r\n");
    channel->Close();
    ClosePty(again);
    ClosePty(pty);
}

}  // namespace
