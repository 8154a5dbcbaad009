#include "Nmea.h"

#include <cmath>
#include <cstdio>

namespace sim {

unsigned NmeaChecksum(std::string_view sentence)
{
    unsigned c = 0;
    size_t i = (!sentence.empty() && sentence[0] == '$') ? 1 : 0;
    for (; i < sentence.size() && sentence[i] != '*'; ++i)
        c ^= static_cast<unsigned char>(sentence[i]);
    return c;
}

std::string NmeaSentence(std::string_view body)
{
    std::string s = "$";
    s.append(body);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", NmeaChecksum(s));
    return s + tail;
}

bool NmeaChecksumValid(std::string_view line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    const size_t star = line.rfind('*');
    if (line.empty() || line[0] != '$' || star == std::string_view::npos || star + 3 != line.size())
        return false;
    unsigned given = 0;
    for (size_t i = star + 1; i < line.size(); ++i) {
        const char ch = line[i];
        given <<= 4;
        if (ch >= '0' && ch <= '9')
            given |= static_cast<unsigned>(ch - '0');
        else if (ch >= 'A' && ch <= 'F')
            given |= static_cast<unsigned>(ch - 'A' + 10);
        else
            return false;
    }
    return given == NmeaChecksum(line.substr(0, star));
}

namespace {

std::string Angle(double degrees, int degreeDigits, char positive, char negative)
{
    const char hemisphere = degrees < 0 ? negative : positive;
    degrees = std::fabs(degrees);
    int whole = static_cast<int>(degrees);
    double minutes = (degrees - whole) * 60.0;
    // Keep 59.99995 from printing as 60.0000.
    if (minutes >= 59.99995) {
        minutes = 0.0;
        ++whole;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*d%07.4f,%c", degreeDigits, whole, minutes, hemisphere);
    return buf;
}

}  // namespace

std::string NmeaLatitude(double degrees) { return Angle(degrees, 2, 'N', 'S'); }
std::string NmeaLongitude(double degrees) { return Angle(degrees, 3, 'E', 'W'); }

}  // namespace sim
