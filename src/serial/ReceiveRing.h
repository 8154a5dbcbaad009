#pragma once
// Arithmetic and the two sides of a receive ring of kQueueSize bytes.
//
// One slot always stays free, so the ring holds at most kQueueSize - 1 bytes.
// The writer (a watch thread) alone advances the head, the reader (the UI
// thread) alone advances the tail; each publishes its own index with release
// ordering after touching the storage and reads the other side's index with
// acquire ordering. A chunk that does not fit is dropped whole before any of
// it enters the ring, so an unread byte is never overwritten.

#include <atomic>
#include <cstdint>
#include <cstring>

inline constexpr int32_t kQueueSize = 1000000;

// Bytes waiting between a tail and a head.
constexpr int32_t RingUsed(int32_t head, int32_t tail)
{
    return (head - tail + kQueueSize) % kQueueSize;
}

// Index `count` slots after `index`.
constexpr int32_t RingAdvance(int32_t index, int32_t count)
{
    return static_cast<int32_t>((static_cast<int64_t>(index) + count) % kQueueSize);
}

// Whether a chunk of n bytes is stored while `used` bytes wait: it must leave
// the one free slot free.
constexpr bool RingChunkFits(int32_t used, int32_t n)
{
    return n < kQueueSize - used;
}

// Writer side: stores `n` bytes whole and publishes the new head, or stores
// nothing and returns false when they do not fit.
inline bool RingStoreChunk(unsigned char* storage, std::atomic<int32_t>& head,
                           const std::atomic<int32_t>& tail, const unsigned char* chunk,
                           int32_t n)
{
    const int32_t h = head.load(std::memory_order_relaxed);
    const int32_t t = tail.load(std::memory_order_acquire);
    if (!RingChunkFits(RingUsed(h, t), n))
        return false;
    const int32_t first = n < kQueueSize - h ? n : kQueueSize - h;
    std::memcpy(storage + h, chunk, static_cast<size_t>(first));
    std::memcpy(storage, chunk + first, static_cast<size_t>(n - first));
    head.store(RingAdvance(h, n), std::memory_order_release);
    return true;
}

// Reader side: takes the oldest byte into `byte`; false when the ring is empty.
inline bool RingTakeByte(const unsigned char* storage, const std::atomic<int32_t>& head,
                         std::atomic<int32_t>& tail, unsigned char& byte)
{
    const int32_t t = tail.load(std::memory_order_relaxed);
    if (head.load(std::memory_order_acquire) == t)
        return false;
    byte = storage[t];
    tail.store(RingAdvance(t, 1), std::memory_order_release);
    return true;
}
