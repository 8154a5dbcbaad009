#pragma once
// Cutting the instrument's bytes into lines at LF, by the rules of the
// receive dispatch, without Qt or the controller:
//
// - the count of waiting bytes is taken once; at most that many are taken;
// - nothing is taken while the previous line still waits for its processor;
// - each byte taken counts in `bytesIn` (which stops at the int32 maximum)
//   and is stored in the line buffer;
// - at LF the line (LF included, NUL after it when there is room) is handed
//   over; the drain then stops when fewer than kResumeThreshold bytes were
//   waiting at that moment;
// - kLineLimit bytes without LF are dropped and a new line starts;
// - when the source runs empty before the count is reached (its read index
//   was moved on while a line was processed) taking stops: no byte that was
//   never received enters a line.

#include <cstdint>
#include <limits>

inline constexpr int32_t kLineLimit = 1000;
inline constexpr int32_t kResumeThreshold = 60;

// The line buffer and its counters, owned by the caller.
struct LineAssemblyState {
    char* buf;          // kLineLimit bytes
    int32_t& len;       // bytes gathered, 0..kLineLimit
    int32_t& ready;     // 1 while a complete line waits for the processor
    int32_t& bytesIn;   // bytes taken so far
};

// Source: int32_t Waiting() (bytes waiting now) and bool Take(unsigned char&).
// OnLine: called with `ready` set to 1 and the line in the buffer; it is
// expected to consume the line (and clear `ready`) before it returns.
template <class Source, class OnLine>
void AssembleLines(Source& source, LineAssemblyState state, OnLine&& onLine)
{
    const int32_t count = source.Waiting();
    if (state.ready != 0)
        return;
    for (int32_t i = 0; i < count; ++i) {
        unsigned char byte = 0;
        if (!source.Take(byte))
            return;
        // The count stops at its largest value instead of turning negative
        // after 2 GiB of one session.
        if (state.bytesIn < std::numeric_limits<int32_t>::max())
            ++state.bytesIn;
        state.buf[state.len] = static_cast<char>(byte);
        ++state.len;
        if (byte == '\n') {
            const int32_t rest = source.Waiting();
            if (state.len < kLineLimit)
                state.buf[state.len] = '\0';
            state.ready = 1;
            onLine();
            state.len = 0;
            if (rest < kResumeThreshold)
                return;
        } else if (state.len >= kLineLimit) {
            state.len = 0;
        }
    }
}
