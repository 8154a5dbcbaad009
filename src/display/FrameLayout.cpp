#include "display/FrameLayout.h"

#include <cstdio>

FrameAreas FrameAreasFor(int width, int height)
{
    const int top = kEchogramTop;
    const int bottom = height - kEchogramBottomMargin;
    return FrameAreas{
        AreaRect{kEchogramLeft, top, width - kEchogramRightMargin, bottom},
        AreaRect{width - 146, top, width - 79, bottom},
        AreaRect{width - 60, top, width - 50, bottom},
    };
}

std::vector<int> TimeGridColumns(int width)
{
    std::vector<int> columns;
    for (int x = width - kEchogramRightMargin; x > kEchogramLeft; x -= 60)
        columns.push_back(x);
    return columns;
}

std::string TimeGridLabel(int k)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", static_cast<double>(k * 60));
    return text;
}

int DepthPixelsPerStep(int height, float step, float rangeMetres)
{
    const float rows = static_cast<float>(height - 60);
    const float p = rows * step / rangeMetres;
    // A step taller than the area draws no line either; testing it first
    // keeps the huge quotients of tiny typed ranges away from the conversion.
    if (!(p >= 1.0f) || p > rows)
        return 0;
    return static_cast<int>(p);
}

std::vector<int> DepthGridRows(int height, int pixelsPerStep)
{
    std::vector<int> rows;
    if (pixelsPerStep < 1)
        return rows;
    for (int y = kEchogramTop + pixelsPerStep; y < height - kEchogramBottomMargin; y += pixelsPerStep)
        rows.push_back(y);
    return rows;
}

std::string DepthGridLabel(int k, float step)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.1fm", static_cast<double>(static_cast<float>(k) * step));
    return text;
}

int ColourBarIndex(int j, int barHeight)
{
    if (barHeight <= 0)
        return 255;
    const float g = 256.0f / static_cast<float>(barHeight);
    int idx = static_cast<int>(static_cast<float>(j) * g);
    if (idx > 255)
        idx = 255;
    return 255 - idx;
}

std::vector<BarLabel> ColourBarLabels(int height, bool linear)
{
    std::vector<BarLabel> labels;
    const int barHeight = height - 60;
    const int smax = linear ? 100 : 60;
    const int step = barHeight * 10 / smax;
    if (step < 1)
        return labels;
    for (int j = 0; j < barHeight; j += step) {
        const int k = static_cast<int>(labels.size());
        char text[48];
        if (linear)
            std::snprintf(text, sizeof text, "%.0f %%", static_cast<double>(100 - k * 10));
        else
            std::snprintf(text, sizeof text, "-%.0fdB", static_cast<double>(k * 10));
        labels.push_back(BarLabel{kEchogramTop + j, text});
    }
    return labels;
}
