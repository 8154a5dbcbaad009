#pragma once
// Command line of pelagrix-sim.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

struct SimOptions {
    std::optional<uint64_t> seed;     // fixed: the run repeats byte for byte
    std::optional<double> epoch;      // instrument clock at start, seconds since 1970
    double interval_s = 0.2;          // initial ping interval (commands change it)
    int outputMode = 2;
    int range_mm = 20000;
    int deviceId = 1234;
    bool gps = false;
    bool flood = false;               // ping back to back, as fast as the line takes it
    int garbageEvery = 0;             // faults, 0 = off: every Nth ping ...
    int overlongEvery = 0;
    int truncateEvery = 0;
    int hangupAfter = 0;              // close the lines after N pings and exit
    std::string recordFile;           // bytes received on the instrument line
    std::string sentFile;             // bytes sent on the instrument line
    bool verbose = false;
    bool help = false;
};

// Parses argv[1..]; on failure returns nullopt and sets `error`.
std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string& error);

std::string SimUsage();

}  // namespace sim
