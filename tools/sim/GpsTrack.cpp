#include "GpsTrack.h"

#include <cmath>
#include <cstdio>

#include "Nmea.h"
#include "SimClock.h"
#include "SimRandom.h"

namespace sim {

GpsTrack::GpsTrack(uint64_t seed, double startLat, double startLon)
    : m_seed(seed), m_lat(startLat), m_lon(startLon)
{
}

std::string GpsTrack::NextSecond(double clock_s)
{
    Random r(MixSeed(m_seed, 0x6B5ull + m_second));
    const double t = static_cast<double>(m_second++);
    m_course = std::fmod(40.0 + 25.0 * std::sin(t / 150.0) + 3.0 * r.Normal() + 360.0, 360.0);
    m_speedKn = 3.9 + 0.2 * std::sin(t / 40.0) + 0.05 * r.Normal();
    const double metres = m_speedKn * 1852.0 / 3600.0;
    const double rad = m_course * 3.141592653589793 / 180.0;
    m_lat += metres * std::cos(rad) / 111320.0;
    m_lon += metres * std::sin(rad) / (111320.0 * std::cos(m_lat * 3.141592653589793 / 180.0));

    const CivilTime c = BreakDownUtc(clock_s);
    char body[160];
    std::string out;
    std::snprintf(body, sizeof body, "GPGGA,%02d%02d%02d.%02d,%s,%s,1,%02d,%.1f,%.1f,M,44.5,M,,",
                  c.hour, c.minute, c.second, c.hundredths, NmeaLatitude(m_lat).c_str(),
                  NmeaLongitude(m_lon).c_str(), 8 + r.Between(0, 3), 0.8 + 0.1 * r.Between(0, 4),
                  1.5 + 0.1 * r.Between(0, 9));
    out += NmeaSentence(body);
    std::snprintf(body, sizeof body, "GPRMC,%02d%02d%02d.%02d,A,%s,%s,%.1f,%.1f,%02d%02d%02d,,,A",
                  c.hour, c.minute, c.second, c.hundredths, NmeaLatitude(m_lat).c_str(),
                  NmeaLongitude(m_lon).c_str(), m_speedKn, m_course, c.day, c.month, c.year % 100);
    out += NmeaSentence(body);
    return out;
}

}  // namespace sim
