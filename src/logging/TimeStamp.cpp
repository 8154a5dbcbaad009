#include "logging/TimeStamp.h"

#include <time.h>

#include <cstdio>
#include <cstdlib>

#include "logging/CalendarTime.h"
#include "logging/NmeaChecksum.h"

namespace {

// A signed field of two digits at least, the sign in front: -5 gives "-05".
std::string SignedTwoDigits(int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%s%02d", value < 0 ? "-" : "", std::abs(value));
    return text;
}

}  // namespace

std::string ZdaZoneFields(int32_t biasSeconds)
{
    const int32_t offset = -biasSeconds;  // seconds east of Greenwich
    const int32_t hours = offset / 3600;  // truncated toward zero
    const int32_t minutes = (offset % 3600) / 60;
    return SignedTwoDigits(hours) + "," + SignedTwoDigits(minutes);
}

std::string FormatTimeStampAt(TimeStampKind kind, WallClockReading now, int32_t biasSeconds)
{
    const uint32_t hundredths = static_cast<uint32_t>(now.milliseconds) / 10 % 100;
    const uint32_t utcSeconds = static_cast<uint32_t>(now.seconds);
    char text[128];
    switch (kind) {
    case TimeStampKind::Local: {
        const BrokenDownTime t = BreakDownTime(utcSeconds - static_cast<uint32_t>(biasSeconds));
        std::snprintf(text, sizeof text, "#TimeLocal  %04u%02u%02u %02u:%02u:%02u.%02u\r\n",
                      t.year, t.month + 1, t.day, t.hour, t.minute, t.second, hundredths);
        return text;
    }
    case TimeStampKind::Utc: {
        const BrokenDownTime t = BreakDownTime(utcSeconds);
        std::snprintf(text, sizeof text, "#TimeUTC    %04u%02u%02u %02u:%02u:%02u.%02u\r\n",
                      t.year, t.month + 1, t.day, t.hour, t.minute, t.second, hundredths);
        return text;
    }
    case TimeStampKind::Zda: {
        const BrokenDownTime t = BreakDownTime(utcSeconds);
        std::snprintf(text, sizeof text, "$GPZDA,%02u%02u%02u.%02u,%02u,%02u,%04u,", t.hour,
                      t.minute, t.second, hundredths, t.day, t.month + 1, t.year);
        std::string sentence = text + ZdaZoneFields(biasSeconds);
        AppendNmeaChecksum(sentence);
        return sentence;
    }
    }
    return {};
}

WallClockReading ReadWallClock()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return {static_cast<int64_t>(ts.tv_sec), static_cast<int32_t>(ts.tv_nsec / 1000000)};
}

int32_t StandardTimeBias()
{
    tzset();
    return static_cast<int32_t>(timezone);
}

std::string FormatTimeStamp(TimeStampKind kind)
{
    return FormatTimeStampAt(kind, ReadWallClock(), StandardTimeBias());
}
