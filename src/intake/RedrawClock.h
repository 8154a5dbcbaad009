#pragma once
// The redraw clock of a ping branch: the echogram is redrawn at most once
// per two whole calendar seconds.

#include <cstdint>

// True (and `clock` moved to `now`) when at least two whole seconds lie
// between `clock` and `now`.
inline bool RedrawDue(int64_t now, int64_t& clock)
{
    if (now - clock > 1) {
        clock = now;
        return true;
    }
    return false;
}
