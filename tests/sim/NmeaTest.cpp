// NMEA framing of the simulator and its GPS receiver.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "GpsTrack.h"
#include "Nmea.h"
#include "support/TextLines.h"

TEST(SimNmea, ChecksumOfKnownSentences)
{
    // The classic GGA example of the NMEA literature carries *47.
    EXPECT_EQ(sim::NmeaSentence("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"),
              "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n");
    EXPECT_EQ(sim::NmeaChecksum("$A"), static_cast<unsigned>('A'));
    EXPECT_EQ(sim::NmeaChecksum("$AB*00"), static_cast<unsigned>('A' ^ 'B'));
}

TEST(SimNmea, ChecksumValidation)
{
    struct Case {
        const char* line;
        bool valid;
    } cases[] = {
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n", true},
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47", true},
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*48\r\n", false},
        {"$GPGGA,123519*4", false},
        {"GPGGA,123519*00", false},
        {"$GPGGA,123519", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sim::NmeaChecksumValid(c.line), c.valid) << c.line;
}

TEST(SimNmea, LatitudeAndLongitudeFields)
{
    EXPECT_EQ(sim::NmeaLatitude(48.1173), "4807.0380,N");
    EXPECT_EQ(sim::NmeaLatitude(-33.5), "3330.0000,S");
    EXPECT_EQ(sim::NmeaLongitude(11.516667), "01131.0000,E");
    EXPECT_EQ(sim::NmeaLongitude(-0.25), "00015.0000,W");
    // Minutes that would round up to 60 carry into the degrees.
    EXPECT_EQ(sim::NmeaLatitude(59.9999999), "6000.0000,N");
}

TEST(SimGps, OneGgaAndOneRmcPerSecondAlongAMovingTrack)
{
    sim::GpsTrack gps(5);
    const double lat0 = gps.Latitude(), lon0 = gps.Longitude();
    std::string last;
    for (int s = 0; s < 60; ++s) {
        const std::vector<std::string> lines = SplitLines(gps.NextSecond(1717200000.0 + s));
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].rfind("$GPGGA,", 0), 0u);
        EXPECT_EQ(lines[1].rfind("$GPRMC,", 0), 0u);
        for (const std::string& l : lines) {
            EXPECT_TRUE(sim::NmeaChecksumValid(l)) << l;
            EXPECT_EQ(l.substr(l.size() - 2), "\r\n");
        }
        last = lines[1];
    }
    // About 4 knots for a minute: roughly 120 m from the start.
    const double dLat = (gps.Latitude() - lat0) * 111320.0;
    const double dLon = (gps.Longitude() - lon0) * 111320.0 * 0.4947;
    const double moved = std::sqrt(dLat * dLat + dLon * dLon);
    EXPECT_GT(moved, 90.0);
    EXPECT_LT(moved, 150.0);
    // The RMC of second 59 carries 00:00:59 UTC on 1 June 2024.
    EXPECT_EQ(last.rfind("$GPRMC,000059.00,A,", 0), 0u) << last;
    EXPECT_NE(last.find(",010624,"), std::string::npos) << last;
}
