#pragma once
// Waits for a number of milliseconds while dispatching every pending event of
// the user-interface thread, without spinning a CPU core. n <= 0 returns at
// once without dispatching anything.

#include <cstdint>

void PumpEventsFor(int32_t ms);
