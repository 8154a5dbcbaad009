#pragma once
// Program-wide objects with static storage: the echogram store and the quit
// request counter.

#include <cstdint>

inline constexpr int kPingHistoryRows = 2000;
inline constexpr int kPingHistorySlots = 15000;
// Live and played pings use rows 0..999: the ping with counter n sits in row
// n % kPingRowsInUse.
inline constexpr int kPingRowsInUse = 1000;

// Amplitudes in converter counts (0..1023 full scale), one row per ping.
extern int32_t PingHistory[kPingHistoryRows][kPingHistorySlots];

// 0: nobody is leaving; above 0: the operator is leaving the program, waiting
// loops stop. A counter: the close box adds 1 and the Exit it triggers adds 1.
extern int32_t g_QuitRequest;
