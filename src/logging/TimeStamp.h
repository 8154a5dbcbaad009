#pragma once
// The three time stamp lines of the data log: local standard time, UTC and
// an NMEA ZDA sentence. The formatting is pure (clock reading and standard-time
// bias are arguments); FormatTimeStamp reads the system clocks.

#include <cstdint>
#include <string>

enum class TimeStampKind { Local, Utc, Zda };

// One reading of the calendar clock.
struct WallClockReading {
    int64_t seconds = 0;       // since 1970-01-01 00:00:00 UTC
    int32_t milliseconds = 0;  // 0..999
};

// `biasSeconds` is UTC minus local standard time (positive west of
// Greenwich); daylight saving time is never applied. Every line ends in CR LF.
std::string FormatTimeStampAt(TimeStampKind kind, WallClockReading now, int32_t biasSeconds);

// The ZDA zone fields "hh,mm" for a bias: hours and minutes east of
// Greenwich, both carrying the sign of the offset ("-05,00", "05,30").
std::string ZdaZoneFields(int32_t biasSeconds);

WallClockReading ReadWallClock();
// The system's standard-time bias (`timezone` after tzset()).
int32_t StandardTimeBias();

// A stamp from the current clock and the system's bias.
std::string FormatTimeStamp(TimeStampKind kind);
