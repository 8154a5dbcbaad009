#pragma once
// The signal generator's synthetic echoes and the altitude and echo maximum
// detection that runs on a completed ping row.

#include <cstdint>

// Marker overlay on the received samples: a 13-slot echo near slot 900 that
// steps back one slot per ping over 20 pings, and on every fifth ping a
// 14-slot echo near slot 120 instead.
void OverlayTestMarker(int32_t* row, int32_t lastPing);

// The synthetic ping: slots 0..999 cleared, the transmit pulse at slots
// 1..13 and an echo train from slot (ping mod 800) + 14 on, every value then
// doubled and capped at 1023. Slots 1000 and above are left alone.
void WriteSyntheticPing(int32_t* row, int32_t lastPing);

struct EchoDetection {
    float altLoc_mm = 0.0f;  // distance of the first slot above the threshold
    int32_t maxAm = 0;       // echo maximum in percent of 1024 counts
};

// Searches the first `filled` slots, from the slot 1 m from the transducer
// on, for the first value above threshold x 10, then climbs while the values
// do not fall to find the echo maximum. Without a slot above the level the
// altitude is 0 and the climb starts at slot 0.
EchoDetection DetectEcho(const int32_t* row, int32_t filled, int32_t threshold,
                         int32_t range_mm);
