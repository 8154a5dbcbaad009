#pragma once
// How instrument lines become the sample slots of one echogram row.

#include <cstdint>
#include <string_view>

#include "app/PingHistory.h"

// value mod modulus, never negative.
inline int64_t PositiveModulo(int64_t value, int64_t modulus)
{
    const int64_t r = value % modulus;
    return r < 0 ? r + modulus : r;
}

// The row of the ping with counter `lastPing`: lastPing mod 1000, never
// negative.
inline int32_t PingRow(int32_t lastPing)
{
    return static_cast<int32_t>(PositiveModulo(lastPing, kPingRowsInUse));
}

// Adds 1 to a ping counter; the counter wraps instead of overflowing.
inline int32_t NextPingCount(int32_t count)
{
    return static_cast<int32_t>(static_cast<uint32_t>(count) + 1u);
}

// Range above which every echosounder sample fills two slots.
inline constexpr int32_t kDoubleSlotRange_mm = 45000;

// A range that the altimeter slot computation can use: 0 or less, and
// 120000 mm or more, become 10000 mm.
int32_t SanitisedRange(int32_t range_mm);

// The first marker slot of an altimeter ping: altitude / range x samples,
// truncated, doubled above 45000 mm, then at most `highest` and moved back
// by 2, never below 0.
int32_t AltimeterSlot(float altitude_mm, int32_t range_mm, int32_t nSamples, int32_t highest);
inline constexpr int32_t kNmeaSlotLimit = 14984;
inline constexpr int32_t kSimpleSlotLimit = 14994;

// Clears the whole row and writes the 14-value NMEA altimeter marker from
// `slot` on (slot at most 14982).
void WriteNmeaAltimeterRow(int32_t* row, int32_t slot);
// Writes the 6-value simple altimeter marker from `slot` on (at most 14992);
// the row is cleared separately.
void WriteSimpleAltimeterMarker(int32_t* row, int32_t slot);

// Altitude in metres of a simple altimeter line (terminator included): its
// leading number when the line is 1 to 11 characters long, else 0; kept
// within 0..100 m.
float SimpleAltimeterMetres(std::string_view line);

// The amplitude of a sample line: its leading integer when the line is 1 to
// 79 characters long, else 0.
int32_t SampleValue(std::string_view line);

// Stores one sample at slot `filled` (twice above 45000 mm) and returns the
// new count of filled slots. Slots past the end of the row are dropped and
// the count stops at the row's size.
int32_t StoreSample(int32_t* row, int32_t filled, int32_t value, int32_t range_mm);

// Altitude substituted by the signal generator for altimeter pings:
// mode 1 gives ping mod 1000 mm, mode 2 (2 x ping) mod 1000 mm, any other
// mode keeps `parsed_mm`.
float GeneratedAltitude(int32_t generatorMode, int32_t lastPing, float parsed_mm);

// The read index of a receive ring after the simple altimeter's backlog
// trim: with more than 100 bytes waiting, all but the newest 10 are skipped.
int32_t TailAfterBacklogTrim(int32_t head, int32_t tail, int32_t ringSize);
