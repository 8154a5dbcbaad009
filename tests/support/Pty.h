#pragma once
// Pseudo-terminals for tests: a pair whose slave side stands in for a serial
// device.

#include <string>

struct PtyPair {
    int master = -1;
    int slave = -1;           // -1 when only the path is wanted
    std::string slavePath;
};

// Opens a pty pair in raw mode; the master is non-blocking.
bool OpenPty(PtyPair& pty, bool openSlave = true);
void ClosePty(PtyPair& pty);

// Everything readable from `fd` right now (non-blocking).
std::string ReadAvailable(int fd);
// Reads from `fd` until `count` bytes arrived or `timeoutMs` passed, while
// dispatching Qt events.
std::string ReadAtLeast(int fd, size_t count, int timeoutMs = 5000);

// Maps port number n to `path` in the settings file (section "Ports", key
// "COMn"), the way an operator points a COM number at a device.
void MapPort(int n, const std::string& path);
// Opens a pty pair (master only) and maps COM`n` to its slave.
bool OpenPtyAsPort(int n, PtyPair& pty);
// Writes all of `text` to `fd`; a failed write fails the running test.
void WriteAll(int fd, const std::string& text);

// Points the instrument channel's port handle straight at a fresh pty slave,
// for tests of the command path that do not need the watch thread.
bool OpenDeviceChannelOnPty(int& master);
void CloseDeviceChannelOnPty(int master);
