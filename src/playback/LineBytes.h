#pragma once
// Playback hands the file to the ping stream processor line by line through
// the shared line buffer, byte by byte, exactly as the live line assembly
// does: a line feed completes a line (kept in the buffer with its LF and a
// NUL after it when there is room); a line that fills the buffer without a
// line feed is restarted, so only its last piece reaches the processor.

#include <cstdint>

// Stores `ch` at buf[len] and advances `len`. A length outside the buffer
// (0..capacity-1) restarts the line first, so the buffer is never overrun.
inline void StoreLineByte(char* buf, int32_t capacity, int32_t& len, char ch)
{
    if (len < 0 || len >= capacity)
        len = 0;
    buf[len++] = ch;
}

// After StoreLineByte: true when `ch` completed a line of `len` bytes, which
// then waits in `buf`; an over-long line without a line feed is restarted.
inline bool FinishLineByte(char* buf, int32_t capacity, int32_t& len, char ch)
{
    if (ch == '\n') {
        if (len < capacity)
            buf[len] = '\0';
        return true;
    }
    if (len >= capacity)
        len = 0;
    return false;
}
