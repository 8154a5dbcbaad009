#pragma once
// A view of 32-bit pixels (0xffRRGGBB, as in an RGB32 image) with the few
// drawing operations the display needs. Every write outside the view is
// dropped, so a bad coordinate can never reach memory beyond the image.

#include <cstddef>
#include <cstdint>

struct PixelBuffer {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;  // pixels from one row to the next

    uint32_t* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
    bool Contains(int x, int y) const { return x >= 0 && x < width && y >= 0 && y < height; }
    uint32_t At(int x, int y) const { return Row(y)[x]; }
    void Set(int x, int y, uint32_t colour) const
    {
        if (Contains(x, y))
            Row(y)[x] = colour;
    }

    void Fill(uint32_t colour) const;
    // Solid lines, end point excluded.
    void HorizontalLine(int x0, int x1, int y, uint32_t colour) const;
    void VerticalLine(int x, int y0, int y1, uint32_t colour) const;
    // Dotted lines, end point excluded: one pixel set, one left alone, from
    // the start point on; the gaps keep what lies below.
    void DottedHorizontalLine(int x0, int x1, int y, uint32_t colour) const;
    void DottedVerticalLine(int x, int y0, int y1, uint32_t colour) const;
    // One-pixel outline of the rectangle with corners (left, top) and
    // (right, bottom), both included.
    void Outline(int left, int top, int right, int bottom, uint32_t colour) const;
};

// Copies `source` onto `target` at the same positions, leaving out every
// pixel whose colour (alpha ignored) equals `key`. The overlapping part of
// two views of different sizes is copied.
void CopyKeyed(const PixelBuffer& source, const PixelBuffer& target, uint32_t key);
