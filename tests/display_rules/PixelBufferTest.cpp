// Drawing primitives of the layers: dotted lines leave gaps, outlines lie
// just outside an area, writes outside the buffer are dropped, the keyed
// copy leaves the key colour out.

#include <gtest/gtest.h>

#include <vector>

#include "display/PixelBuffer.h"

namespace {

constexpr uint32_t kKey = 0xffccccccu;
constexpr uint32_t kGrey = 0xff646464u;

struct Canvas {
    std::vector<uint32_t> store;
    PixelBuffer view;
    Canvas(int w, int h, uint32_t fill) : store(static_cast<size_t>(w + 3) * h, 0xdeadbeefu)
    {
        // A stride wider than the row, as in an image with padding.
        view = PixelBuffer{store.data(), w, h, w + 3};
        view.Fill(fill);
    }
};

TEST(PixelBuffer, DottedLinesLeaveGaps)
{
    Canvas c(20, 20, kKey);
    c.view.DottedHorizontalLine(2, 12, 5, kGrey);
    c.view.DottedVerticalLine(15, 7, 13, kGrey);
    for (int x = 0; x < 20; ++x) {
        const bool dot = x >= 2 && x < 12 && (x - 2) % 2 == 0;
        EXPECT_EQ(c.view.At(x, 5), dot ? kGrey : kKey) << "x " << x;
    }
    for (int y = 0; y < 20; ++y) {
        const bool dot = y >= 7 && y < 13 && (y - 7) % 2 == 0;
        EXPECT_EQ(c.view.At(15, y), dot ? kGrey : kKey) << "y " << y;
    }
}

TEST(PixelBuffer, OutlineIncludesBothCorners)
{
    Canvas c(10, 10, kKey);
    c.view.Outline(2, 3, 6, 8, kGrey);
    int painted = 0;
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool edge = ((x == 2 || x == 6) && y >= 3 && y <= 8) || ((y == 3 || y == 8) && x >= 2 && x <= 6);
            EXPECT_EQ(c.view.At(x, y), edge ? kGrey : kKey) << x << "," << y;
            painted += edge;
        }
    }
    EXPECT_EQ(painted, 18);
}

TEST(PixelBuffer, WritesOutsideAreDropped)
{
    Canvas c(8, 4, kKey);
    c.view.Set(-1, 0, kGrey);
    c.view.Set(8, 0, kGrey);
    c.view.Set(0, 4, kGrey);
    c.view.HorizontalLine(-5, 20, 1, kGrey);
    c.view.VerticalLine(7, -3, 9, kGrey);
    // The padding after each row and everything past the last row is untouched.
    for (int y = 0; y < 4; ++y)
        for (int p = 8; p < 11; ++p)
            EXPECT_EQ(c.store[static_cast<size_t>(y) * 11 + p], 0xdeadbeefu);
    EXPECT_EQ(c.view.At(0, 1), kGrey);
    EXPECT_EQ(c.view.At(7, 3), kGrey);
}

TEST(PixelBuffer, KeyedCopyLeavesOutTheKeyColour)
{
    Canvas base(4, 1, 0xff000000u);
    Canvas layer(4, 1, kKey);
    layer.view.Set(1, 0, 0xff123456u);
    layer.view.Set(2, 0, 0x00ccccccu);  // the key whatever the alpha byte says
    layer.view.Set(3, 0, 0xffcccccdu);
    CopyKeyed(layer.view, base.view, kKey);
    EXPECT_EQ(base.view.At(0, 0), 0xff000000u);
    EXPECT_EQ(base.view.At(1, 0), 0xff123456u);
    EXPECT_EQ(base.view.At(2, 0), 0xff000000u);
    EXPECT_EQ(base.view.At(3, 0), 0xffcccccdu);
}

}  // namespace
