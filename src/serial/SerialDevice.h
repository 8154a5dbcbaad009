#pragma once
// The POSIX side of a serial port: opening a device for exclusive use, the
// raw 8N1 line settings, purging and the modem lines. No Qt, so the watch
// thread's tests can build these alone.

#include <termios.h>

#include <optional>
#include <string>

// Opens `path` read/write, non-blocking, without becoming its controlling
// terminal, and takes exclusive use of it (TIOCEXCL and an flock lock, so a
// second program, or a second channel of this one, cannot open it too).
// Returns the descriptor, or -1 with the reason in `error` (an errno value;
// EBUSY when another holder has it, ENOTTY when it is not a terminal device).
int OpenSerialDevice(const std::string& path, int& error);

// The termios speed for a number of bits per second; nothing for a speed the
// terminal interface does not name.
std::optional<speed_t> SpeedForBaud(int baud);

// Raw bytes, 8 data bits, no parity, one stop bit, receiver on, modem status
// lines ignored, no flow control of either kind, reads return at once with
// what has arrived. Built from zero, not from the port's current settings.
// The speed stays the port's current one when `baud` has no termios speed.
// Returns false when the port refused the settings.
bool ConfigureRawLine(int fd, int baud);

// Raises DTR and RTS (true when the port took it).
bool RaiseModemLines(int fd);
// Drops DTR.
void DropDtr(int fd);
// Discards what waits in both directions of the driver.
void PurgeSerialDevice(int fd);

// The console line that explains why a device could not be opened, or an
// empty text when the open failure message says enough.
std::string OpenFailureConsoleLine(const std::string& path, int error);
