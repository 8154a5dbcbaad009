#pragma once
// A pseudo-terminal standing in for a serial line, without Qt, so these
// tests also build alone under ThreadSanitizer.

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

struct PtyLine {
    int master = -1;
    int slave = -1;
    std::string path;

    bool Open()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
            return false;
        path = ptsname(master);
        termios tio{};
        tcgetattr(master, &tio);
        cfmakeraw(&tio);
        tcsetattr(master, TCSANOW, &tio);
        slave = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (slave < 0)
            return false;
        tcgetattr(slave, &tio);
        cfmakeraw(&tio);
        tcsetattr(slave, TCSANOW, &tio);
        return true;
    }
    void CloseMaster()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
    ~PtyLine()
    {
        CloseMaster();
        if (slave >= 0)
            ::close(slave);
    }

    // Writes all of `bytes` into the master, waiting for room; false when the
    // line stops taking them for `timeoutMs`.
    bool WriteAll(const unsigned char* bytes, size_t n, int timeoutMs = 10000)
    {
        size_t done = 0;
        while (done < n) {
            const ssize_t w = ::write(master, bytes + done, n - done);
            if (w > 0) {
                done += static_cast<size_t>(w);
                continue;
            }
            pollfd pfd{master, POLLOUT, 0};
            if (::poll(&pfd, 1, timeoutMs) <= 0)
                return false;
        }
        return true;
    }
};

// Polls `condition` every millisecond until it holds or `timeout` passes.
inline bool WaitFor(const std::function<bool()>& condition,
                    std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
