#pragma once
// The pixels of an RGB32 layer image as a PixelBuffer. Taking the view
// detaches a shared image first, so writes never reach a copy's pixels.

#include <QImage>

#include "display/PixelBuffer.h"

inline PixelBuffer LayerView(QImage& image)
{
    PixelBuffer view;
    view.pixels = reinterpret_cast<uint32_t*>(image.bits());
    view.width = image.width();
    view.height = image.height();
    view.stride = static_cast<int>(image.bytesPerLine() / 4);
    return view;
}

inline uint32_t LayerColour(const QColor& colour)
{
    return 0xff000000u | (colour.rgb() & 0x00ffffffu);
}
