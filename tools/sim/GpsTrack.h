#pragma once
// A GPS receiver on a vessel steaming at about 4 knots on a slowly winding
// course: one GGA and one RMC sentence per second.

#include <cstdint>
#include <string>

namespace sim {

class GpsTrack {
public:
    explicit GpsTrack(uint64_t seed, double startLat = 60.3913, double startLon = 5.3221);

    // Advances the receiver by one second and returns that second's GGA and
    // RMC sentences (CR LF each), time-stamped with `clock_s` (UTC seconds).
    std::string NextSecond(double clock_s);

    double Latitude() const { return m_lat; }
    double Longitude() const { return m_lon; }
    double Course() const { return m_course; }
    double SpeedKnots() const { return m_speedKn; }

private:
    uint64_t m_seed;
    uint64_t m_second = 0;
    double m_lat, m_lon;
    double m_course = 40.0;
    double m_speedKn = 3.9;
};

}  // namespace sim
