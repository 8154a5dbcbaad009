#pragma once
// The simulated instrument without its lines: it takes received bytes,
// answers commands and produces the bytes of each ping (with any injected
// faults before or inside it). The simulator program adds the
// pseudo-terminals and the timing.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "CommandInterpreter.h"
#include "GpsTrack.h"
#include "InstrumentParams.h"
#include "Scene.h"
#include "SimOptions.h"
#include "SimRandom.h"

namespace sim {

class Instrument {
public:
    // `seed` and `epoch` are the resolved values (the options may leave them open).
    Instrument(const SimOptions& options, uint64_t seed, double epoch);

    // Received bytes in; reply bytes out.
    std::string Receive(std::string_view bytes);

    bool Pinging() const { return m_commands.Pinging(); }
    double Interval() const { return m_params.interval_s; }

    // The next ping's bytes, fault material included; advances the
    // instrument clock by the ping interval. `deliver` false measures the
    // ping but sends nothing (nobody is listening on the line).
    std::string NextPing(bool deliver = true);

    // One second of GPS sentences.
    std::string NextGpsSecond();

    uint64_t PingsMade() const { return m_pings; }
    bool HangupDue() const { return m_hangupAfter > 0 && m_pings >= static_cast<uint64_t>(m_hangupAfter); }

    const InstrumentParams& Params() const { return m_params; }
    const std::vector<std::string>& Executed() const { return m_commands.Executed(); }

private:
    static bool Every(int n, uint64_t k) { return n > 0 && k % static_cast<uint64_t>(n) == 0; }

    InstrumentParams m_params;
    CommandInterpreter m_commands{m_params};
    Scene m_scene;
    GpsTrack m_gps;
    Random m_faults;
    double m_epoch;
    double m_elapsed = 0;
    uint64_t m_pings = 0;
    uint64_t m_gpsSeconds = 0;
    int m_garbageEvery, m_overlongEvery, m_truncateEvery, m_hangupAfter;
};

}  // namespace sim
