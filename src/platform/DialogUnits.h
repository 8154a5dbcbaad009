#pragma once
// Dialog units of the 8-point dialog font at 96 DPI to pixels.

struct PixelRect {
    int x, y, width, height;
    bool operator==(const PixelRect&) const = default;
};

constexpr int DialogUnitsToPixelsX(int x) { return (x * 6 + 2) / 4; }
constexpr int DialogUnitsToPixelsY(int y) { return (y * 13 + 4) / 8; }

constexpr PixelRect DialogRectToPixels(int x, int y, int width, int height)
{
    return {DialogUnitsToPixelsX(x), DialogUnitsToPixelsY(y), DialogUnitsToPixelsX(width),
            DialogUnitsToPixelsY(height)};
}
