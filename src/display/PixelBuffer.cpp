#include "display/PixelBuffer.h"

#include <algorithm>

void PixelBuffer::Fill(uint32_t colour) const
{
    for (int y = 0; y < height; ++y)
        std::fill(Row(y), Row(y) + width, colour);
}

void PixelBuffer::HorizontalLine(int x0, int x1, int y, uint32_t colour) const
{
    for (int x = x0; x < x1; ++x)
        Set(x, y, colour);
}

void PixelBuffer::VerticalLine(int x, int y0, int y1, uint32_t colour) const
{
    for (int y = y0; y < y1; ++y)
        Set(x, y, colour);
}

void PixelBuffer::DottedHorizontalLine(int x0, int x1, int y, uint32_t colour) const
{
    for (int x = x0; x < x1; x += 2)
        Set(x, y, colour);
}

void PixelBuffer::DottedVerticalLine(int x, int y0, int y1, uint32_t colour) const
{
    for (int y = y0; y < y1; y += 2)
        Set(x, y, colour);
}

void PixelBuffer::Outline(int left, int top, int right, int bottom, uint32_t colour) const
{
    HorizontalLine(left, right + 1, top, colour);
    HorizontalLine(left, right + 1, bottom, colour);
    VerticalLine(left, top, bottom + 1, colour);
    VerticalLine(right, top, bottom + 1, colour);
}

void CopyKeyed(const PixelBuffer& source, const PixelBuffer& target, uint32_t key)
{
    const int width = std::min(source.width, target.width);
    const int height = std::min(source.height, target.height);
    const uint32_t rgbKey = key & 0x00ffffffu;
    for (int y = 0; y < height; ++y) {
        const uint32_t* from = source.Row(y);
        uint32_t* to = target.Row(y);
        for (int x = 0; x < width; ++x) {
            if ((from[x] & 0x00ffffffu) != rgbKey)
                to[x] = from[x] | 0xff000000u;
        }
    }
}
