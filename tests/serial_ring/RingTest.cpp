// The receive ring's contract: at most 999,999 bytes, chunks stored whole or
// dropped whole, arrival order kept across the wrap from 999,999 to 0.

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

#include "serial/ReceiveRing.h"

namespace {

struct Ring {
    std::unique_ptr<unsigned char[]> storage{new unsigned char[kQueueSize]()};
    std::atomic<int32_t> head{0};
    std::atomic<int32_t> tail{0};

    void Place(int32_t at)  // an empty ring whose indices both stand at `at`
    {
        head = at;
        tail = at;
    }
    bool Store(const std::vector<unsigned char>& bytes)
    {
        return RingStoreChunk(storage.get(), head, tail, bytes.data(),
                              static_cast<int32_t>(bytes.size()));
    }
    std::vector<unsigned char> TakeAll()
    {
        std::vector<unsigned char> out;
        unsigned char byte = 0;
        while (RingTakeByte(storage.get(), head, tail, byte))
            out.push_back(byte);
        return out;
    }
    int32_t Used() const { return RingUsed(head, tail); }
};

std::vector<unsigned char> Pattern(size_t n, unsigned seed = 1)
{
    std::vector<unsigned char> bytes(n);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<unsigned char>((i * 7 + seed) % 251);
    return bytes;
}

TEST(RingArithmetic, UsedAndAdvanceWrapAtTheRingSize)
{
    struct Case {
        int32_t head, tail, used;
    } cases[] = {
        {0, 0, 0},           {5, 0, 5},       {0, 5, 999995},
        {999999, 0, 999999}, {0, 1, 999999},  {10, 999990, 20},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RingUsed(c.head, c.tail), c.used) << c.head << " " << c.tail;
    EXPECT_EQ(RingAdvance(999999, 1), 0);
    EXPECT_EQ(RingAdvance(999990, 20), 10);
    EXPECT_EQ(RingAdvance(3, 999999), 2);
}

TEST(RingArithmetic, AChunkMustLeaveOneSlotFree)
{
    struct Case {
        int32_t used, n;
        bool fits;
    } cases[] = {
        {0, 999999, true},   {0, 1000000, false}, {999999 - 100, 100, true},
        {1000000 - 100, 100, false}, {999999, 1, false}, {999998, 1, true},
        {5, 0, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RingChunkFits(c.used, c.n), c.fits) << c.used << " + " << c.n;
}

TEST(Ring, SeventyThousandBytesInOneChunkAreStoredWholeAndInOrder)
{
    Ring ring;
    const auto bytes = Pattern(70000);
    ASSERT_TRUE(ring.Store(bytes));
    EXPECT_EQ(ring.Used(), 70000);
    EXPECT_EQ(ring.TakeAll(), bytes);
    EXPECT_EQ(ring.Used(), 0);
}

TEST(Ring, ChunksAcrossTheWrapKeepEveryByteOnce)
{
    // Start close to the end, so chunks straddle the wrap from 999,999 to 0
    // at different offsets.
    for (int32_t start : {999999, 999990, 999000, 990000}) {
        Ring ring;
        ring.Place(start);
        std::vector<unsigned char> sent, taken;
        for (unsigned chunk = 0; chunk < 40; ++chunk) {
            const auto bytes = Pattern(997 + chunk * 13, chunk);
            ASSERT_TRUE(ring.Store(bytes));
            sent.insert(sent.end(), bytes.begin(), bytes.end());
            if (chunk % 3 == 2) {  // the reader catches up now and then
                const auto got = ring.TakeAll();
                taken.insert(taken.end(), got.begin(), got.end());
            }
        }
        const auto got = ring.TakeAll();
        taken.insert(taken.end(), got.begin(), got.end());
        EXPECT_EQ(taken, sent) << "start " << start;
        EXPECT_LT(ring.head.load(), start) << "the head wrapped";
    }
}

TEST(Ring, FillsToExactly999999BytesThenDropsWholeChunks)
{
    Ring ring;
    ring.Place(123456);
    const auto first = Pattern(999999 - 100, 3);
    ASSERT_TRUE(ring.Store(first));
    // used = 999,999 - n: a chunk of n bytes fits and fills the ring.
    const auto last = Pattern(100, 4);
    ASSERT_TRUE(ring.Store(last));
    EXPECT_EQ(ring.Used(), 999999);
    // Full: even one byte is dropped, and nothing stored is touched.
    EXPECT_FALSE(ring.Store({0xEE}));
    EXPECT_EQ(ring.Used(), 999999);

    auto all = first;
    all.insert(all.end(), last.begin(), last.end());
    EXPECT_EQ(ring.TakeAll(), all);
}

TEST(Ring, AChunkOneByteTooLargeIsDroppedWhole)
{
    Ring ring;
    const auto first = Pattern(1000000 - 100, 5);
    ASSERT_TRUE(ring.Store(first));
    // used = 1,000,000 - n: the chunk of n bytes does not fit at all.
    EXPECT_FALSE(ring.Store(Pattern(100, 6)));
    EXPECT_EQ(ring.Used(), 1000000 - 100);
    EXPECT_EQ(ring.TakeAll(), first);
}

}  // namespace
